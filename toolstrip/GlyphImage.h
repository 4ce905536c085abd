#pragma once
// The button glyphs as pixels: the glyphs of the button table side by side in
// button order, kGlyphWidth x kGlyphHeight. The strip makes its glyph bitmap
// straight from them, showing light grey as the current face colour and dark
// grey as the shadow colour, as the platform's 3-D colour mapping does, so
// that the glyph background matches the strip's button-face fill in every
// colour scheme.
#include <cstdint>
#include <vector>

#include "toolstrip/StripLayout.h"

namespace toolstrip {

constexpr int kGlyphWidth = kGlyphStripWidth;
constexpr int kGlyphHeight = kButtonHeight;

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

constexpr bool operator==(Rgb a, Rgb b)
{
    return a.r == b.r && a.g == b.g && a.b == b.b;
}

// The colours of the glyph table's pixels.
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kDarkRed{128, 0, 0};
constexpr Rgb kDarkGrey{128, 128, 128};    // shows as the shadow colour
constexpr Rgb kLightGrey{192, 192, 192};   // the background: shows as the face colour
constexpr Rgb kYellow{255, 255, 0};
constexpr Rgb kWhite{255, 255, 255};

// The colour of the glyph strip's pixel (x, y), (0, 0) being its top left
// corner; 0 <= x < kGlyphWidth, 0 <= y < kGlyphHeight.
Rgb GlyphColour(int x, int y);

// The pixels of a 32-bit top-down bitmap, top row first, each 0x00RRGGBB.
struct GlyphPixels {
    int nWidth = 0;
    int nHeight = 0;
    std::vector<std::uint32_t> pixels;
};

// The glyph strip enlarged by a whole factor (1 or more), light grey shown as
// face and dark grey as shadow. Each pixel of the strip is an nFactor x
// nFactor block of its colour, never blended with its neighbours, so the
// glyphs stay sharp.
GlyphPixels RenderGlyphs(Rgb face, Rgb shadow, int nFactor);

}  // namespace toolstrip
