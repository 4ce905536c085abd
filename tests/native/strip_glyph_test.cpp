#include "toolstrip/GlyphImage.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <vector>

namespace {

using namespace toolstrip;

std::uint32_t Le(const GlyphFile& f, std::size_t offset, int nBytes)
{
    std::uint32_t v = 0;
    for (int i = nBytes - 1; i >= 0; --i)
        v = v << 8 | f[offset + static_cast<std::size_t>(i)];
    return v;
}

// Palette index of the pixel at (x, y), y counted from the top; rows are stored bottom-up.
int Pixel(const GlyphFile& f, int x, int y)
{
    const std::uint8_t byte = f[kGlyphPixelOffset + static_cast<std::size_t>((19 - y) * 44 + x / 2)];
    return x % 2 == 0 ? byte >> 4 : byte & 0x0F;
}

Rgb PaletteEntry(const GlyphFile& f, int i)
{
    const std::size_t at = kGlyphPaletteOffset + 4 * static_cast<std::size_t>(i);
    EXPECT_EQ(f[at + 3], 0) << "entry " << i;
    return {f[at + 2], f[at + 1], f[at]};
}

void ExpectColour(Rgb actual, Rgb expected, int i)
{
    EXPECT_EQ(actual.r, expected.r) << "entry " << i;
    EXPECT_EQ(actual.g, expected.g) << "entry " << i;
    EXPECT_EQ(actual.b, expected.b) << "entry " << i;
}

constexpr int kBlack = 0, kDarkRed = 1, kDarkGrey = 7, kLightGrey = 8, kYellow = 11, kWhite = 15;

TEST(GlyphImage, HeadersDescribeA4BitBottomUpBitmap)
{
    const GlyphFile& f = GlyphBitmapFile();
    EXPECT_EQ(f.size(), 998u);
    EXPECT_EQ(f[0], 'B');
    EXPECT_EQ(f[1], 'M');
    EXPECT_EQ(Le(f, 2, 4), 998u);
    EXPECT_EQ(Le(f, 6, 4), 0u);     // both reserved words
    EXPECT_EQ(Le(f, 10, 4), 118u);
    EXPECT_EQ(Le(f, 14, 4), 40u);
    EXPECT_EQ(Le(f, 18, 4), 88u);
    EXPECT_EQ(Le(f, 22, 4), 20u);   // positive height: bottom-up
    EXPECT_EQ(Le(f, 26, 2), 1u);
    EXPECT_EQ(Le(f, 28, 2), 4u);
    EXPECT_EQ(Le(f, 30, 4), 0u);    // BI_RGB
    EXPECT_EQ(Le(f, 34, 4), 880u);
    EXPECT_EQ(Le(f, 38, 4), 3780u);
    EXPECT_EQ(Le(f, 42, 4), 3780u);
    EXPECT_EQ(Le(f, 46, 4), 0u);
    EXPECT_EQ(Le(f, 50, 4), 0u);
}

TEST(GlyphImage, PaletteHoldsTheGlyphColoursAtTheirStandardIndices)
{
    struct Entry { int index; Rgb colour; };
    const Entry used[] = {{kBlack, {0, 0, 0}},         {kDarkRed, {128, 0, 0}},
                          {kDarkGrey, {128, 128, 128}}, {kLightGrey, {192, 192, 192}},
                          {kYellow, {255, 255, 0}},    {kWhite, {255, 255, 255}},
                          {2, {0, 128, 0}},            {4, {0, 0, 128}}};  // entries are stored blue, green, red
    for (const Entry& e : used)
        ExpectColour(PaletteEntry(GlyphBitmapFile(), e.index), e.colour, e.index);
}

TEST(GlyphImage, RowsAboveAndBelowTheGlyphsAreBackground)
{
    const GlyphFile& f = GlyphBitmapFile();
    for (int y : {0, 1, 2, 3, 16, 17, 18, 19}) {
        for (int x = 0; x < 88; ++x)
            ASSERT_EQ(Pixel(f, x, y), kLightGrey) << x << ", " << y;
    }
}

TEST(GlyphImage, SamplePixelsOfEachGlyph)
{
    const GlyphFile& f = GlyphBitmapFile();
    struct Sample { int x, y, colour; };
    const Sample samples[] = {
        {3, 4, kDarkGrey}, {7, 4, kWhite}, {4, 6, kYellow}, {10, 5, kBlack}, {5, 15, kLightGrey},  // New
        {22 + 3, 4, kDarkRed}, {22 + 5, 4, kWhite}, {22 + 2, 4, kLightGrey}, {22 + 16, 15, kWhite},  // Delete
        {44 + 10, 4, kBlack}, {44 + 9, 4, kLightGrey}, {44 + 15, 9, kBlack}, {44 + 7, 15, kBlack},  // Move Up
        {66 + 13, 4, kBlack}, {66 + 14, 4, kLightGrey}, {66 + 10, 15, kBlack},  // Move Down
    };
    for (const Sample& s : samples)
        EXPECT_EQ(Pixel(f, s.x, s.y), s.colour) << s.x << ", " << s.y;
}

TEST(GlyphImage, MoveDownIsMoveUpTurnedAboutColumn10)
{
    const GlyphFile& f = GlyphBitmapFile();
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x <= 20; ++x)
            ASSERT_EQ(Pixel(f, 66 + x, y), Pixel(f, 44 + 20 - x, 19 - y)) << x << ", " << y;
        ASSERT_EQ(Pixel(f, 44 + 21, y), kLightGrey);
        ASSERT_EQ(Pixel(f, 66 + 21, y), kLightGrey);
    }
}

TEST(GlyphImage, RecolouringChangesOnlyTheTwoGreys)
{
    const GlyphFile& original = GlyphBitmapFile();
    // The face takes the shadow's grey: each entry is mapped once, by its original colour.
    const Rgb face{128, 128, 128}, shadow{10, 20, 30};
    const GlyphFile recoloured = RecolourGlyphs(original, face, shadow);
    ExpectColour(PaletteEntry(recoloured, kLightGrey), face, kLightGrey);
    ExpectColour(PaletteEntry(recoloured, kDarkGrey), shadow, kDarkGrey);
    const std::size_t lightGrey = kGlyphPaletteOffset + 4 * kLightGrey;
    const std::size_t darkGrey = kGlyphPaletteOffset + 4 * kDarkGrey;
    for (std::size_t i = 0; i < kGlyphFileSize; ++i) {
        const bool inChangedEntry = (i >= lightGrey && i < lightGrey + 3) || (i >= darkGrey && i < darkGrey + 3);
        EXPECT_TRUE(inChangedEntry || recoloured[i] == original[i]) << "byte " << i;
    }
}

}  // namespace

namespace {

TEST(GlyphImage, EnlargedByTwoEachPixelIsA2By2BlockAndTheHeadersFollow)
{
    const GlyphFile& f = GlyphBitmapFile();
    const std::vector<std::uint8_t> big = EnlargeGlyphs(f, 2);
    ASSERT_EQ(big.size(), 118u + 88u * 40u);
    EXPECT_EQ(big[0], 'B');
    std::uint32_t width = 0, height = 0, fileSize = 0;
    for (int i = 3; i >= 0; --i) {
        fileSize = fileSize << 8 | big[2 + static_cast<std::size_t>(i)];
        width = width << 8 | big[18 + static_cast<std::size_t>(i)];
        height = height << 8 | big[22 + static_cast<std::size_t>(i)];
    }
    EXPECT_EQ(fileSize, big.size());
    EXPECT_EQ(width, 176u);
    EXPECT_EQ(height, 40u);
    for (std::size_t i = 54; i < 118; ++i)
        ASSERT_EQ(big[i], f[i]) << "palette byte " << i;
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 176; ++x) {
            const std::uint8_t pair = big[118 + static_cast<std::size_t>((39 - y) * 88 + x / 2)];
            const int index = x % 2 == 0 ? pair >> 4 : pair & 0x0F;
            ASSERT_EQ(index, Pixel(f, x / 2, y / 2)) << x << ", " << y;
        }
    }
    EXPECT_EQ(EnlargeGlyphs(f, 1), std::vector<std::uint8_t>(f.begin(), f.end()));
}

}  // namespace
