#include "fw/SystemLibrary.h"

#include <cwchar>

namespace fw {

HMODULE LoadSystemLibrary(const wchar_t* pszFileName)
{
    const HMODULE hModule = ::LoadLibraryExW(pszFileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 8 and later, and Windows 7 with its update, know the flag; older
    // ones refuse it as an invalid parameter.
    if (hModule != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER)
        return hModule;
    // Then by its full path in the system folder, with its own dependencies
    // searched for from there, not from the program's folder. (A buffer of
    // its own: std::wstring alone would add a tenth to the 32-bit program.)
    wchar_t szPath[MAX_PATH];
    const std::size_t nFolder = ::GetSystemDirectoryW(szPath, MAX_PATH);
    const std::size_t nName = std::wcslen(pszFileName);
    if (nFolder == 0 || nFolder + 1 + nName >= MAX_PATH)
        return nullptr;
    szPath[nFolder] = L'\\';
    std::wmemcpy(szPath + nFolder + 1, pszFileName, nName + 1);
    return ::LoadLibraryExW(szPath, nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
