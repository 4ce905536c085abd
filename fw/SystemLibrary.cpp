#include "fw/SystemLibrary.h"

#include <string>

namespace fw {

namespace {

// Windows 8 and later, and Windows 7 with its update, know the flag; older
// ones refuse it as an invalid parameter.
bool SearchFlagsUnknown()
{
    return ::GetLastError() == ERROR_INVALID_PARAMETER;
}

// The library's full path in the system folder; empty when it is not known.
std::wstring SystemFolderPath(const wchar_t* pszFileName)
{
    wchar_t szFolder[MAX_PATH];
    const UINT n = ::GetSystemDirectoryW(szFolder, MAX_PATH);
    if (n == 0 || n >= MAX_PATH)
        return std::wstring();
    return std::wstring(szFolder, n) + L'\\' + pszFileName;
}

}  // namespace

HMODULE LoadSystemLibrary(const wchar_t* pszFileName)
{
    const HMODULE hModule = ::LoadLibraryExW(pszFileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    if (hModule != nullptr || !SearchFlagsUnknown())
        return hModule;
    // By its full path; its own dependencies are then searched for from the
    // system folder, not from the program's.
    const std::wstring path = SystemFolderPath(pszFileName);
    return path.empty() ? nullptr : ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

void RestrictLibrarySearchToSystem()
{
    using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
    const auto setDefaultDllDirectories =
        SystemFunction<SetDefaultDllDirectoriesFunction>(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
    if (setDefaultDllDirectories != nullptr)
        setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
}

}  // namespace fw
