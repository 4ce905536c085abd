#pragma once
// The ANSI code page of the system, which the run list file's single-byte
// strings are in.
#include "runlist/CodePage.h"

class AnsiCodePageWin : public ICodePage {
public:
    std::wstring ToWide(std::string_view bytes) const override;
    bool ToBytesExactly(std::wstring_view text, std::string& bytes) const override;
};
