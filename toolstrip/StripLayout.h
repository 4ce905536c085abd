#pragma once
// Geometry of the tool strip: four 22 x 20 image buttons flush with the right
// end of the client area, vertically centred (an odd free pixel goes below).
// Every figure is for 96 DPI and scales with the window's DPI (StripMetrics).
// Plain integer logic, shared by the strip's window class and its tests.
#include <array>

#include "dpi/DpiScale.h"
#include "dpi/PixelRect.h"

using StripRect = PixelRect;

namespace toolstrip {

// Button index = command number = the button's row in StripButtons.h.
constexpr int kButtonCount = 4;
constexpr int kNoButton = 4;
constexpr int kButtonWidth = 22;
constexpr int kButtonHeight = 20;
constexpr int kGlyphStripWidth = kButtonCount * kButtonWidth;  // 88

using ButtonRects = std::array<StripRect, kButtonCount>;

// The picture is copied to the window this many pixels to the right (at 96 DPI).
constexpr int kPictureShift = 2;

// The focus rectangle of the keyboard's mark lies this far inside its button,
// clear of the button's one-pixel edge and of the glyph.
constexpr int kFocusInset = 2;

// The strip's pixel figures at one DPI: each 96-DPI figure scaled, the glyphs
// enlarged by a whole factor and centred in their buttons (dpi::GlyphFactor).
struct StripMetrics {
    int nButtonWidth = kButtonWidth;
    int nButtonHeight = kButtonHeight;
    int nShift = kPictureShift;
    int nGlyphFactor = 1;
    int nGlyphWidth = kButtonWidth;     // one enlarged glyph
    int nGlyphHeight = kButtonHeight;
    int nGlyphInsetX = 0;               // from its button's top left corner
    int nGlyphInsetY = 0;
    int nFocusInset = kFocusInset;
};

StripMetrics MetricsForDpi(int nDpi);

// (H - button height) / 2, truncated toward zero: negative for a strip lower
// than a button.
int ButtonTop(int nHeight, const StripMetrics& metrics = {});
ButtonRects LayoutButtons(int nWidth, int nHeight, const StripMetrics& metrics = {});

// The first button in index order whose rectangle holds the point, or kNoButton.
int HitTest(const ButtonRects& rcButtons, int x, int y);
int HitTest(int x, int y, int nWidth, int nHeight, const StripMetrics& metrics = {});

// What the painter draws, in the coordinates of the off-screen picture (the
// client size). The picture is copied to the window nShift pixels to the right,
// which puts glyph i and the hot button's edge exactly on button i; the
// window's nShift left-most columns are never painted.

struct StripPicture {
    StripRect rcClient;  // filled with the button face; the caption is drawn
                         // in it on one line, left-aligned, vertically centred
    int nGlyphX = 0;     // origin of the glyph strip (button 0's corner)
    int nGlyphY = 0;
    ButtonRects rcGlyphs{};  // where glyph i is drawn; it comes from column
                             // i * nGlyphWidth of the enlarged glyph strip
    bool bEdge = false;  // a hot button gets a frame ...
    bool bSunken = false;  // ... sunken while pressed, raised otherwise
    StripRect rcEdge;
    bool bFocusMark = false;  // the keyboard's mark: a focus rectangle
    StripRect rcFocus;        // inside the marked button
    int nCopyX = kPictureShift;  // the copy to the window: from the picture's
    int nCopyWidth = 0;          // origin to (nCopyX, 0), this wide and high
    int nCopyHeight = 0;
};

// nFocusMark: the button showing the keyboard's focus mark, or kNoButton.
StripPicture ComposePicture(int nWidth, int nHeight, int nHot, bool bPressed, int nFocusMark = kNoButton,
                            const StripMetrics& metrics = {});

}  // namespace toolstrip
