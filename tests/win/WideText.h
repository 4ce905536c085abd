#pragma once
// Text between UTF-16 and bytes, for the tests and the programs they start:
// what a path may hold is only whole in UTF-16 (or UTF-8).
#include <windows.h>

#include <string>

namespace wintest {

// Between UTF-16 and a code page's bytes, by default the code page of the ANSI
// calls (characters it lacks become its default character).
inline std::wstring Widen(const std::string& text, UINT codePage = CP_ACP)
{
    std::wstring wide(static_cast<size_t>(::MultiByteToWideChar(codePage, 0, text.data(),
                                                                static_cast<int>(text.size()), nullptr, 0)), L'\0');
    ::MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()));
    return wide;
}

inline std::string Narrow(const std::wstring& wide, UINT codePage = CP_ACP)
{
    std::string text(static_cast<size_t>(::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()),
                                                               nullptr, 0, nullptr, nullptr)), '\0');
    ::WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                          static_cast<int>(text.size()), nullptr, nullptr);
    return text;
}

}  // namespace wintest
