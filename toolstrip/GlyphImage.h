#pragma once
// The button glyphs: a 4-bit Windows bitmap file image of 88 x 20 pixels, the
// four 22-pixel glyphs side by side in button order. The strip loads it from
// memory after mapping its greys to the current 3-D colours, so that the glyph
// background matches the strip's button-face fill in every colour scheme.
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace toolstrip {

constexpr std::size_t kGlyphFileSize = 998;
constexpr std::size_t kGlyphInfoOffset = 14;    // BITMAPINFOHEADER, then the palette
constexpr std::size_t kGlyphPaletteOffset = 54;  // 16 entries of blue, green, red, 0
constexpr std::size_t kGlyphPixelOffset = 118;   // 20 rows of 44 bytes, bottom row first
constexpr int kGlyphWidth = 88;
constexpr int kGlyphHeight = 20;

using GlyphFile = std::array<std::uint8_t, kGlyphFileSize>;

const GlyphFile& GlyphBitmapFile();

struct Rgb {
    std::uint8_t r;
    std::uint8_t g;
    std::uint8_t b;
};

// A copy of the image whose light grey (192,192,192) palette entry shows the
// face colour and whose dark grey (128,128,128) entry shows the shadow colour,
// as the platform's 3-D colour mapping does when it loads an image.
GlyphFile RecolourGlyphs(const GlyphFile& image, Rgb face, Rgb shadow);

// The image enlarged by a whole factor (1 or more): a bitmap file image of the
// same form, 88 * nFactor by 20 * nFactor pixels, in which each pixel of the
// original is an nFactor x nFactor block of its palette entry. No pixel is
// blended with its neighbours, so the glyphs stay sharp.
std::vector<std::uint8_t> EnlargeGlyphs(const GlyphFile& image, int nFactor);

}  // namespace toolstrip
