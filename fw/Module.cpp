#include "fw/Module.h"

#include <windows.h>

namespace fw {

std::optional<std::string> GetModulePath()
{
    // GetModuleFileNameA truncates silently when the buffer is too small, so the
    // buffer grows until the answer fits with room to spare.
    for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
        std::string buffer(size, '\0');
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), size);
        if (n == 0)
            return std::nullopt;
        if (n < size - 1) {
            buffer.resize(n);
            return buffer;
        }
    }
    return std::nullopt;
}

std::string GetModuleTitle()
{
    const std::optional<std::string> path = GetModulePath();
    if (!path)
        return std::string();
    const std::size_t slash = path->find_last_of("\\/:");
    std::string title = path->substr(slash == std::string::npos ? 0 : slash + 1);
    const std::size_t dot = title.rfind('.');
    if (dot != std::string::npos)
        title.resize(dot);
    return title;
}

}  // namespace fw
