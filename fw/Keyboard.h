#pragma once
// The state of the keyboard as the message being handled found it.
#include "fw/Types.h"

inline bool IsKeyDown(int vk)
{
    return ::GetKeyState(vk) < 0;
}

// Ctrl held without Alt: with AltGr (Ctrl+Alt) such keys type characters.
inline bool IsCtrlChord()
{
    return IsKeyDown(VK_CONTROL) && !IsKeyDown(VK_MENU);
}
