#include "toolstrip/StripLayout.h"

#include <algorithm>
#include <cstddef>

namespace toolstrip {

StripMetrics MetricsForDpi(int nDpi)
{
    StripMetrics m;
    m.nButtonWidth = dpi::Scale(kButtonWidth, nDpi);
    m.nButtonHeight = dpi::Scale(kButtonHeight, nDpi);
    m.nShift = dpi::Scale(kPictureShift, nDpi);
    m.nGlyphFactor = dpi::GlyphFactor(nDpi);
    m.nGlyphWidth = kButtonWidth * m.nGlyphFactor;
    m.nGlyphHeight = kButtonHeight * m.nGlyphFactor;
    m.nGlyphInsetX = (m.nButtonWidth - m.nGlyphWidth) / 2;
    m.nGlyphInsetY = (m.nButtonHeight - m.nGlyphHeight) / 2;
    m.nFocusInset = dpi::Scale(kFocusInset, nDpi);
    return m;
}

int ButtonTop(int nHeight, const StripMetrics& metrics)
{
    return (nHeight - metrics.nButtonHeight) / 2;  // C++ division truncates toward zero
}

// The four abutting buttons from (nLeft, nTop) rightwards.
static ButtonRects LayoutFrom(int nLeft, int nTop, const StripMetrics& m)
{
    ButtonRects rc;
    for (int i = 0; i < kButtonCount; ++i) {
        const int left = nLeft + m.nButtonWidth * i;
        rc[static_cast<std::size_t>(i)] = {left, nTop, left + m.nButtonWidth, nTop + m.nButtonHeight};
    }
    return rc;
}

ButtonRects LayoutButtons(int nWidth, int nHeight, const StripMetrics& metrics)
{
    return LayoutFrom(nWidth - kButtonCount * metrics.nButtonWidth, ButtonTop(nHeight, metrics), metrics);
}

int HitTest(const ButtonRects& rcButtons, int x, int y)
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (rcButtons[static_cast<std::size_t>(i)].Contains(x, y))
            return i;
    }
    return kNoButton;
}

int HitTest(int x, int y, int nWidth, int nHeight, const StripMetrics& metrics)
{
    return HitTest(LayoutButtons(nWidth, nHeight, metrics), x, y);
}

StripPicture ComposePicture(int nWidth, int nHeight, int nHot, bool bPressed, int nFocusMark, const StripMetrics& m)
{
    StripPicture picture;
    picture.rcClient = {0, 0, nWidth, nHeight};
    picture.nGlyphX = nWidth - kButtonCount * m.nButtonWidth - m.nShift;
    picture.nGlyphY = ButtonTop(nHeight, m);
    const ButtonRects rcButtons = LayoutFrom(picture.nGlyphX, picture.nGlyphY, m);
    for (int i = 0; i < kButtonCount; ++i) {
        const StripRect& b = rcButtons[static_cast<std::size_t>(i)];
        const int left = b.left + m.nGlyphInsetX, top = b.top + m.nGlyphInsetY;
        picture.rcGlyphs[static_cast<std::size_t>(i)] = {left, top, left + m.nGlyphWidth, top + m.nGlyphHeight};
    }
    if (nHot >= 0 && nHot < kButtonCount) {
        picture.bEdge = true;
        picture.bSunken = bPressed;
        picture.rcEdge = rcButtons[static_cast<std::size_t>(nHot)];
    }
    if (nFocusMark >= 0 && nFocusMark < kButtonCount) {
        const StripRect& b = rcButtons[static_cast<std::size_t>(nFocusMark)];
        const int inset = m.nFocusInset;
        picture.bFocusMark = true;
        picture.rcFocus = {b.left + inset, b.top + inset, b.right - inset, b.bottom - inset};
    }
    picture.nCopyX = m.nShift;
    // A strip narrower than the shift copies nothing rather than a negative width.
    picture.nCopyWidth = std::max(nWidth - m.nShift, 0);
    picture.nCopyHeight = nHeight;
    return picture;
}

}  // namespace toolstrip
