#pragma once
// The button glyphs: a 4-bit Windows bitmap file image of 88 x 20 pixels, the
// four 22-pixel glyphs side by side in button order. The strip loads it from
// memory after mapping its greys to the current 3-D colours, so that the glyph
// background matches the strip's button-face fill in every colour scheme.
#include <array>
#include <cstddef>
#include <cstdint>

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

}  // namespace toolstrip
