#pragma once
// The DPI a window is shown at. GetDpiForWindow (Windows 10 1607 and later) is
// looked up at run time, since Windows 7 and 8 lack it; without it every window
// is shown at the system's DPI.
#include "fw/SystemLibrary.h"
#include "fw/Types.h"

inline int GetSystemDpi()
{
    const HDC hDC = ::GetDC(nullptr);
    const int nDpi = ::GetDeviceCaps(hDC, LOGPIXELSY);
    ::ReleaseDC(nullptr, hDC);
    return nDpi;
}

// A function of user32 that older systems lack, or null.
template <class Function>
Function User32Function(const char* pszName)
{
    return fw::SystemFunction<Function>(::GetModuleHandleA("user32.dll"), pszName);
}

inline int GetWindowDpi(HWND hWnd)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT nDpi = getDpiForWindow != nullptr && hWnd != nullptr ? getDpiForWindow(hWnd) : 0;
    return nDpi != 0 ? static_cast<int>(nDpi) : GetSystemDpi();
}
