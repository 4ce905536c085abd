#pragma once
// A rectangle of pixels in a window's client coordinates, as the layout
// functions of the strip and the list compute them. Portable.

struct PixelRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    // Right and bottom edges are outside, as for the platform's rectangles.
    bool Contains(int x, int y) const { return left <= x && x < right && top <= y && y < bottom; }
};

inline bool operator==(const PixelRect& a, const PixelRect& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// From and to the platform's rectangles: any type with left, top, right and
// bottom members.
template <class TRect>
PixelRect PixelRectOf(const TRect& rc)
{
    return {static_cast<int>(rc.left), static_cast<int>(rc.top), static_cast<int>(rc.right),
            static_cast<int>(rc.bottom)};
}

template <class TRect>
TRect RectOf(const PixelRect& rc)
{
    TRect out;
    out.left = rc.left;
    out.top = rc.top;
    out.right = rc.right;
    out.bottom = rc.bottom;
    return out;
}
