#pragma once
// Text in the program's code page (the ANSI functions' strings) for the
// functions and records that take UTF-16.
#include <string>
#include <vector>

#include "fw/Types.h"

namespace fw {

// The text in UTF-16 with its terminating null; empty when it cannot be
// converted. (A vector: std::wstring would bring the library's wide strings
// into the program, some 36 KB.)
inline std::vector<wchar_t> WidenAnsi(const std::string& text)
{
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    if (nChars <= 0)
        return {};
    std::vector<wchar_t> wide(static_cast<std::size_t>(nChars));
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), nChars);
    return wide;
}

}  // namespace fw
