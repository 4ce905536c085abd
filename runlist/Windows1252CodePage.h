#pragma once
// Windows-1252, Wine's and most Western systems' ANSI code page, as Windows
// converts it: the bytes that have no character of their own (81, 8D, 8F, 90,
// 9D) become the control characters of their value and back. The code page the
// tests and the fuzzer run the run list file's reader and writer with.
#include "runlist/CodePage.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <iterator>

class Windows1252CodePage : public ICodePage {
public:
    std::wstring ToWide(std::string_view bytes) const override
    {
        std::wstring text(bytes.size(), L'\0');
        std::transform(bytes.begin(), bytes.end(), text.begin(),
                       [](char byte) { return WideOf(static_cast<unsigned char>(byte)); });
        return text;
    }

    bool ToBytesExactly(std::wstring_view text, std::string& bytes) const override
    {
        bytes.resize(text.size());
        for (std::size_t i = 0; i < text.size(); ++i) {
            const int byte = ByteOf(text[i]);
            if (byte < 0)
                return false;
            bytes[i] = static_cast<char>(byte);
        }
        return true;
    }

private:
    // Bytes 80 .. 9F; the others are the characters of their value.
    static constexpr std::array<std::uint16_t, 32> kHighControls = {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
    };

    static wchar_t WideOf(unsigned char byte)
    {
        return static_cast<wchar_t>(byte >= 0x80 && byte < 0xA0 ? kHighControls[byte - 0x80u] : byte);
    }

    // The byte of a code unit, or -1 when the code page has none.
    static int ByteOf(wchar_t unit)
    {
        const auto value = static_cast<std::uint32_t>(unit);
        if (value < 0x80 || (value >= 0xA0 && value <= 0xFF))
            return static_cast<int>(value);
        const auto found = std::find(kHighControls.begin(), kHighControls.end(), value);
        return found == kHighControls.end() ? -1 : 0x80 + static_cast<int>(std::distance(kHighControls.begin(), found));
    }
};
