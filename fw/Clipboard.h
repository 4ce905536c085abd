#pragma once
// Text on the clipboard.
#include <string>

#include "fw/Types.h"

// Puts text in the program's code page on the clipboard, as CF_TEXT and as
// CF_UNICODETEXT converted from it, so programs of either kind paste the same
// characters. hOwner owns the clipboard meanwhile. False when the clipboard
// could not be had or the text not placed (the clipboard then holds nothing
// of it).
bool SetClipboardText(HWND hOwner, const std::string& text);
