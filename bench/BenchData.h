#pragma once
// The run lists the benchmarks load and save: many entries whose paths have a
// usual length and depth, the same in every benchmark.
#include <string>
#include <vector>

namespace bench {

inline constexpr int kLargeCount = 100000;
inline constexpr int kSmallCount = 10000;

// n full paths: "C:\Scenes\dx9\set_042\scene_042317.zel" and so on.
std::vector<std::string> ScenePaths(int n);

// The display names of paths, one per line: what the yardstick program puts
// into its list without deriving anything.
std::string DisplayNameLines(const std::vector<std::string>& paths);

}  // namespace bench
