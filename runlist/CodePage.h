#pragma once
// The code page of the run list file's single-byte strings (on Windows the
// ANSI code page), for the reader and the writer of the file.
#include <string>
#include <string_view>

class ICodePage {
public:
    virtual ~ICodePage() = default;
    // The bytes as UTF-16 code units.
    virtual std::wstring ToWide(std::string_view bytes) const = 0;
    // Whether the code page holds text exactly: it converts to the code page
    // and back unchanged, with no best-fit and no default character. The bytes
    // go to `bytes` (reused by the caller, so a long list's save allocates
    // once), which is left unspecified when it does not.
    virtual bool ToBytesExactly(std::wstring_view text, std::string& bytes) const = 0;
};
