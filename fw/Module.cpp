#include "fw/Module.h"

#include <windows.h>

namespace fw {

std::optional<std::wstring> GetModulePath()
{
    // GetModuleFileNameW truncates silently when the buffer is too small, so the
    // buffer grows until the answer fits with room to spare (up to the longest
    // path Windows has).
    for (DWORD size = MAX_PATH; size <= 32768 * 2; size *= 2) {
        std::wstring buffer(size, L'\0');
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (n == 0)
            return std::nullopt;
        if (n < size - 1) {
            buffer.resize(n);
            return buffer;
        }
    }
    return std::nullopt;
}

std::wstring GetModuleTitle()
{
    const std::optional<std::wstring> path = GetModulePath();
    if (!path)
        return std::wstring();
    const std::size_t slash = path->find_last_of(L"\\/:");
    std::wstring title = path->substr(slash == std::wstring::npos ? 0 : slash + 1);
    const std::size_t dot = title.rfind(L'.');
    if (dot != std::wstring::npos)
        title.resize(dot);
    return title;
}

}  // namespace fw
