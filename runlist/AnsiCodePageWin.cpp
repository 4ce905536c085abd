#include "runlist/AnsiCodePageWin.h"

#include <windows.h>

#include "fw/AnsiText.h"

#include <algorithm>

namespace {

// Every ANSI code page of Windows holds the ASCII characters as their own
// bytes: most paths need no conversion call at all.
template <class Text>
bool IsAscii(const Text& text)
{
    return std::all_of(text.begin(), text.end(), [](auto c) { return static_cast<unsigned>(c) < 0x80; });
}

}  // namespace

std::wstring AnsiCodePageWin::ToWide(std::string_view bytes) const
{
    if (IsAscii(bytes))
        return std::wstring(bytes.begin(), bytes.end());
    return fw::WidenAnsi(bytes);
}

// No best-fit mapping and no default character, and the bytes must convert
// back to the same text: a double-byte code page can hold a character whose
// bytes read back as another.
bool AnsiCodePageWin::ToBytesExactly(std::wstring_view text, std::string& bytes) const
{
    if (IsAscii(text)) {
        bytes.assign(text.begin(), text.end());
        return true;
    }
    const int nChars = static_cast<int>(text.size());
    BOOL bUsedDefault = FALSE;
    const int nBytes = ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), nChars, nullptr, 0,
                                             nullptr, &bUsedDefault);
    if (nBytes <= 0 || bUsedDefault)
        return false;
    bytes.resize(static_cast<std::size_t>(nBytes));
    ::WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), nChars, bytes.data(), nBytes, nullptr,
                          &bUsedDefault);
    return !bUsedDefault && ToWide(bytes) == text;
}
