#pragma once
// The window classes' fixed pixel figures are designed for 96 DPI; at another
// DPI each figure f becomes f * dpi / 96, rounded as the platform's MulDiv
// rounds (half away from zero), so a figure is the same whichever side works
// it out. Portable, shared by the strip, the list and the dialog.
#include <cstdint>

namespace dpi {

constexpr int kDefaultDpi = 96;
// The scales Windows offers a monitor run from 100 % to 500 %.
constexpr int kMaxMonitorDpi = 5 * kDefaultDpi;

// Whether a DPI change reports one a monitor can have: the same across and
// down, within the scales Windows offers.
constexpr bool IsMonitorDpi(int nDpiX, int nDpiY)
{
    return nDpiX == nDpiY && nDpiX >= kDefaultDpi && nDpiX <= kMaxMonitorDpi;
}

// MulDiv(f, nToDpi, nFromDpi): a figure measured at one DPI for a window at
// another (a font of the system's DPI shown on a monitor of another). A DPI of
// 0 or less (what the system answers for no window) leaves f as it is.
constexpr int Rescale(int f, int nToDpi, int nFromDpi)
{
    if (nFromDpi <= 0 || nToDpi <= 0 || nToDpi == nFromDpi)
        return f;
    const std::int64_t product = static_cast<std::int64_t>(f) * nToDpi;
    const std::int64_t half = nFromDpi / 2;
    return static_cast<int>(product >= 0 ? (product + half) / nFromDpi : (product - half) / nFromDpi);
}

// The 96-DPI figure f for a window at nDpi.
constexpr int Scale(int f, int nDpi)
{
    return Rescale(f, nDpi, kDefaultDpi);
}

// The whole factor by which the 96-DPI button glyphs are enlarged: the largest
// that fits the scaled button, at least 1. Between whole factors the glyph keeps
// the lower one and is centred in its button: every glyph pixel stays a square
// block of one size, where nearest-neighbour stretching by 1.5 would make
// alternate pixels one and two wide (the dotted outline of New turns into
// uneven dashes, the arrows lose their symmetry). No smoothing is ever applied.
constexpr int GlyphFactor(int nDpi)
{
    return nDpi < kDefaultDpi ? 1 : nDpi / kDefaultDpi;
}

}  // namespace dpi
