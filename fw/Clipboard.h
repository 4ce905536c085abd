#pragma once
// Text on the clipboard.
#include <string>

#include "fw/Types.h"

// Puts the text on the clipboard as CF_UNICODETEXT; the system converts it
// for programs that paste CF_TEXT. hOwner owns the clipboard meanwhile. False
// when the clipboard could not be had or the text not placed (the clipboard
// then holds nothing of it).
bool SetClipboardText(HWND hOwner, const std::wstring& text);
