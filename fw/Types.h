#pragma once
// Point and rectangle types with the framework's names, over the Win32 structs.
#include <windows.h>

struct CPoint : POINT {
    CPoint() : POINT{0, 0} {}
    CPoint(int px, int py) : POINT{px, py} {}
    explicit CPoint(LPARAM lParam)   // from a mouse message's packed client position
        : POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))} {}
};

struct CRect : RECT {
    CRect() : RECT{0, 0, 0, 0} {}
    CRect(int l, int t, int r, int b) : RECT{l, t, r, b} {}
    CRect(const RECT& rc) : RECT(rc) {}   // NOLINT: implicit like the framework's
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != FALSE; }
    bool PtInRect(POINT pt) const { return ::PtInRect(this, pt) != FALSE; }
    bool operator==(const CRect& o) const { return ::EqualRect(this, &o) != FALSE; }
};
