#include "toolstrip/GlyphImage.h"

#include <algorithm>
#include <cstddef>
#include <stdexcept>

#include "toolstrip/StripButtons.h"

namespace toolstrip {
namespace {

constexpr Rgb ColourOf(char pixel)
{
    switch (pixel) {
    case '.': return kLightGrey;
    case 'k': return kBlack;
    case 'r': return kDarkRed;
    case 'g': return kDarkGrey;
    case 'y': return kYellow;
    case 'w': return kWhite;
    default: throw std::logic_error("unknown glyph pixel");
    }
}

// A mistyped pixel or a row of the wrong width in the button table stops the build.
constexpr bool GlyphTableIsWellFormed()
{
    for (const StripButton& button : kStripButtons) {
        for (std::string_view row : button.glyph) {
            if (row.size() != static_cast<std::size_t>(kButtonWidth))
                return false;
            for (char pixel : row)
                ColourOf(pixel);
        }
    }
    return true;
}
static_assert(GlyphTableIsWellFormed(), "a glyph row of the wrong width");

constexpr std::uint32_t Packed(Rgb c)
{
    return static_cast<std::uint32_t>(c.r) << 16 | static_cast<std::uint32_t>(c.g) << 8 | c.b;
}

}  // namespace

Rgb GlyphColour(int x, int y)
{
    const int row = y - kFirstGlyphRow;
    if (row < 0 || row >= kGlyphRows)
        return kLightGrey;
    const GlyphGrid& glyph = kStripButtons[static_cast<std::size_t>(x / kButtonWidth)].glyph;
    return ColourOf(glyph[static_cast<std::size_t>(row)][static_cast<std::size_t>(x % kButtonWidth)]);
}

GlyphPixels RenderGlyphs(Rgb face, Rgb shadow, int nFactor)
{
    nFactor = std::max(nFactor, 1);
    GlyphPixels out{kGlyphWidth * nFactor, kGlyphHeight * nFactor, {}};
    out.pixels.reserve(static_cast<std::size_t>(out.nWidth) * static_cast<std::size_t>(out.nHeight));
    for (int y = 0; y < out.nHeight; ++y) {
        for (int x = 0; x < out.nWidth; ++x) {
            const Rgb c = GlyphColour(x / nFactor, y / nFactor);
            out.pixels.push_back(Packed(c == kLightGrey ? face : c == kDarkGrey ? shadow : c));
        }
    }
    return out;
}

}  // namespace toolstrip
