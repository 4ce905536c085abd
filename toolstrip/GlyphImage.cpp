#include "toolstrip/GlyphImage.h"
#include "toolstrip/StripLayout.h"

#include <algorithm>
#include <stdexcept>
#include <string_view>

namespace toolstrip {
namespace {

constexpr int kColourCount = 16;
constexpr int kBitsPerPixel = 4;
constexpr int kRowBytes = kGlyphWidth * kBitsPerPixel / 8;  // 44, already a multiple of 4
constexpr int kPixelsPerMetre = 3780;

// The standard Windows 16-colour order.
constexpr Rgb kPalette[kColourCount] = {
    {0, 0, 0},       {128, 0, 0},   {0, 128, 0},   {128, 128, 0},
    {0, 0, 128},     {128, 0, 128}, {0, 128, 128}, {128, 128, 128},
    {192, 192, 192}, {255, 0, 0},   {0, 255, 0},   {255, 255, 0},
    {0, 0, 255},     {255, 0, 255}, {0, 255, 255}, {255, 255, 255},
};
constexpr std::uint8_t kBlack = 0;
constexpr std::uint8_t kDarkRed = 1;
constexpr std::uint8_t kDarkGrey = 7;
constexpr std::uint8_t kLightGrey = 8;
constexpr std::uint8_t kYellow = 11;
constexpr std::uint8_t kWhite = 15;

// Rows 4..15 of the glyphs New, Delete, Move Up and Move Down; the rows above
// and below are background. '.' background (light grey), 'k' black, 'r' dark
// red, 'g' dark grey, 'y' yellow, 'w' white.
constexpr int kFirstDrawnRow = 4;
constexpr int kDrawnRows = 12;
constexpr std::string_view kGlyphRows[kDrawnRows][kButtonCount] = {
    {"...g..gw.gy...........", "...rrw........rrw.....", "..........k...........", "...........kkk........"},
    {"....g.gygyk.k.k.......", "...rrrrw.....rrw......", ".........kkk..........", "..........kkk........."},
    {"....ygywgggg...k......", "....rrrrw...rrw.......", "........kkkkk.........", ".........kkk.........."},
    {"...ggg.yy.............", "......rrrw.rw.........", ".......kkkkkkk........", ".........kkk.........."},
    {"....y.g.yg.....k......", ".......rrrrrw.........", "......kkkkkkkkk.......", ".........kkk.........."},
    {"...gk.gy..............", "........rrrw..........", ".....kkkkkkkkkkk......", ".........kkk.........."},
    {"......g........k......", ".......rrrrrw.........", ".........kkk..........", ".....kkkkkkkkkkk......"},
    {"....k.................", "......rrrw.rrw........", ".........kkk..........", "......kkkkkkkkk......."},
    {"...............k......", ".....rrrw...rrw.......", ".........kkk..........", ".......kkkkkkk........"},
    {"....k.................", "....rrrw.....rw.......", ".........kkk..........", "........kkkkk........."},
    {"...............k......", "....rrrw......rw......", "........kkk...........", ".........kkk.........."},
    {"....k.k.k.k.k.k.......", ".....rw........rw.....", ".......kkk............", "..........k..........."},
};

// The image is built at compile time: a mistyped pixel or row length in the
// table above stops the build here.
constexpr std::uint8_t ColourOf(char pixel)
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

constexpr std::uint8_t PixelAt(int x, int y)
{
    const int row = y - kFirstDrawnRow;
    if (row < 0 || row >= kDrawnRows)
        return kLightGrey;
    const std::string_view text = kGlyphRows[row][x / kButtonWidth];
    if (text.size() != static_cast<std::size_t>(kButtonWidth))
        throw std::logic_error("glyph row of the wrong width");
    return ColourOf(text[static_cast<std::size_t>(x % kButtonWidth)]);
}

class ByteWriter {
public:
    constexpr void Put8(std::uint32_t v) { m_bytes[m_pos++] = static_cast<std::uint8_t>(v); }
    constexpr void Put16(std::uint32_t v)
    {
        Put8(v & 0xFF);
        Put8(v >> 8);
    }
    constexpr void Put32(std::uint32_t v)
    {
        Put16(v & 0xFFFF);
        Put16(v >> 16);
    }
    constexpr std::size_t Position() const { return m_pos; }
    constexpr const GlyphFile& Bytes() const { return m_bytes; }

private:
    GlyphFile m_bytes{};
    std::size_t m_pos = 0;
};

template <class Bytes>
constexpr void Put32At(Bytes& bytes, std::size_t offset, std::uint32_t v)
{
    for (std::size_t i = 0; i < 4; ++i)
        bytes[offset + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

constexpr void PutHeaders(ByteWriter& out)
{
    out.Put8('B');
    out.Put8('M');
    out.Put32(kGlyphFileSize);
    out.Put16(0);
    out.Put16(0);
    out.Put32(kGlyphPixelOffset);
    out.Put32(kGlyphPaletteOffset - kGlyphInfoOffset);  // header size 40
    out.Put32(kGlyphWidth);
    out.Put32(kGlyphHeight);  // positive: bottom-up
    out.Put16(1);             // planes
    out.Put16(kBitsPerPixel);
    out.Put32(0);  // BI_RGB
    out.Put32(kRowBytes * kGlyphHeight);
    out.Put32(kPixelsPerMetre);
    out.Put32(kPixelsPerMetre);
    out.Put32(0);  // colours used: all 16
    out.Put32(0);  // important colours: all
}

constexpr GlyphFile BuildGlyphFile()
{
    ByteWriter out;
    PutHeaders(out);
    for (const Rgb& c : kPalette) {
        out.Put8(c.b);
        out.Put8(c.g);
        out.Put8(c.r);
        out.Put8(0);
    }
    for (int y = kGlyphHeight - 1; y >= 0; --y) {
        for (int x = 0; x < kGlyphWidth; x += 2)
            out.Put8(static_cast<std::uint32_t>(PixelAt(x, y) << 4 | PixelAt(x + 1, y)));
    }
    if (out.Position() != kGlyphFileSize)
        throw std::logic_error("glyph image of the wrong size");
    return out.Bytes();
}

constexpr GlyphFile kGlyphFile = BuildGlyphFile();

bool IsGrey(const std::uint8_t* entry, std::uint8_t level)
{
    return entry[0] == level && entry[1] == level && entry[2] == level;
}

void SetEntry(std::uint8_t* entry, Rgb colour)
{
    entry[0] = colour.b;
    entry[1] = colour.g;
    entry[2] = colour.r;
}

// The palette index of pixel (x, y), y counted from the top, in a 4-bit
// bottom-up image whose rows are nRowBytes long.
template <class Bytes>
std::uint8_t IndexAt(const Bytes& bytes, int x, int y, int nHeight, int nRowBytes)
{
    const std::uint8_t pair = bytes[kGlyphPixelOffset + static_cast<std::size_t>((nHeight - 1 - y) * nRowBytes + x / 2)];
    return x % 2 == 0 ? pair >> 4 : pair & 0x0F;
}

template <class Bytes>
void SetIndexAt(Bytes& bytes, int x, int y, int nHeight, int nRowBytes, std::uint8_t index)
{
    std::uint8_t& pair = bytes[kGlyphPixelOffset + static_cast<std::size_t>((nHeight - 1 - y) * nRowBytes + x / 2)];
    pair = x % 2 == 0 ? static_cast<std::uint8_t>((pair & 0x0F) | index << 4)
                      : static_cast<std::uint8_t>((pair & 0xF0) | index);
}

}  // namespace

const GlyphFile& GlyphBitmapFile()
{
    return kGlyphFile;
}

GlyphFile RecolourGlyphs(const GlyphFile& image, Rgb face, Rgb shadow)
{
    GlyphFile copy = image;
    for (int i = 0; i < kColourCount; ++i) {
        std::uint8_t* entry = &copy[kGlyphPaletteOffset + 4 * static_cast<std::size_t>(i)];
        if (IsGrey(entry, 192))
            SetEntry(entry, face);
        else if (IsGrey(entry, 128))
            SetEntry(entry, shadow);
    }
    return copy;
}

std::vector<std::uint8_t> EnlargeGlyphs(const GlyphFile& image, int nFactor)
{
    nFactor = std::max(nFactor, 1);
    const int nWidth = kGlyphWidth * nFactor, nHeight = kGlyphHeight * nFactor;
    const int nRowBytes = kRowBytes * nFactor;   // 44 * factor: a multiple of 4
    const std::size_t nPixelBytes = static_cast<std::size_t>(nRowBytes) * static_cast<std::size_t>(nHeight);
    // Headers and palette as in the original, with the new sizes.
    std::vector<std::uint8_t> out(image.begin(), image.begin() + kGlyphPixelOffset);
    out.resize(kGlyphPixelOffset + nPixelBytes);
    Put32At(out, 2, static_cast<std::uint32_t>(out.size()));
    Put32At(out, kGlyphInfoOffset + 4, static_cast<std::uint32_t>(nWidth));
    Put32At(out, kGlyphInfoOffset + 8, static_cast<std::uint32_t>(nHeight));
    Put32At(out, kGlyphInfoOffset + 20, static_cast<std::uint32_t>(nPixelBytes));
    for (int y = 0; y < nHeight; ++y) {
        for (int x = 0; x < nWidth; ++x) {
            const std::uint8_t index = IndexAt(image, x / nFactor, y / nFactor, kGlyphHeight, kRowBytes);
            SetIndexAt(out, x, y, nHeight, nRowBytes, index);
        }
    }
    return out;
}

}  // namespace toolstrip
