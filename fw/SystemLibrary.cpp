#include "fw/SystemLibrary.h"

#include <string>

namespace fw {

HMODULE LoadSystemLibrary(const wchar_t* pszFileName)
{
    const HMODULE hModule = ::LoadLibraryExW(pszFileName, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
    // Windows 8 and later, and Windows 7 with its update, know the flag; older
    // ones refuse it as an invalid parameter.
    if (hModule != nullptr || ::GetLastError() != ERROR_INVALID_PARAMETER)
        return hModule;
    // Then by its full path in the system folder, with its own dependencies
    // searched for from there, not from the program's folder.
    const UINT nSize = ::GetSystemDirectoryW(nullptr, 0);   // with the null
    std::wstring path(nSize, L'\0');
    const UINT nFolder = nSize > 0 ? ::GetSystemDirectoryW(path.data(), nSize) : 0;
    if (nFolder == 0 || nFolder >= nSize)
        return nullptr;
    path.resize(nFolder);
    path += L'\\';
    path += pszFileName;
    return ::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
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
