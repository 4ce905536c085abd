#include "bench/BenchData.h"

#include "paths/PathRules.h"

#include <cstdio>

namespace bench {

std::vector<std::string> ScenePaths(int n)
{
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(n));
    char path[64];
    for (int i = 0; i < n; ++i) {
        std::snprintf(path, sizeof path, "C:\\Scenes\\dx9\\set_%03d\\scene_%06d.zel", i / 1000 % 1000, i);
        paths.emplace_back(path);
    }
    return paths;
}

std::string DisplayNameLines(const std::vector<std::string>& paths)
{
    std::string lines;
    for (const std::string& path : paths)
        lines.append(DisplayName(path)).push_back('\n');
    return lines;
}

}  // namespace bench
