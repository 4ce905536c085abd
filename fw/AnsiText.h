#pragma once
// Text in the program's code page (the ASCII texts of the program itself) for
// the functions and records that take UTF-16.
#include <string>
#include <string_view>

#include "fw/Types.h"

namespace fw {

// The text in UTF-16; empty when it cannot be converted.
inline std::wstring WidenAnsi(std::string_view text)
{
    if (text.empty())
        return {};
    const int nBytes = static_cast<int>(text.size());
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, text.data(), nBytes, nullptr, 0);
    if (nChars <= 0)
        return {};
    std::wstring wide(static_cast<std::size_t>(nChars), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.data(), nBytes, wide.data(), nChars);
    return wide;
}

}  // namespace fw
