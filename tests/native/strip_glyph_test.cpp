#include "toolstrip/GlyphImage.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <set>
#include <tuple>

namespace {

using namespace toolstrip;

std::tuple<int, int, int> Channels(Rgb c)
{
    return {c.r, c.g, c.b};
}

// Pixel (x, y) of a rendered strip, decoded from its 0x00RRGGBB word.
Rgb RenderedAt(const GlyphPixels& glyphs, int x, int y)
{
    const std::uint32_t p = glyphs.pixels[static_cast<std::size_t>(y * glyphs.nWidth + x)];
    EXPECT_EQ(p >> 24, 0u) << x << ", " << y;
    return {static_cast<std::uint8_t>(p >> 16), static_cast<std::uint8_t>(p >> 8), static_cast<std::uint8_t>(p)};
}

TEST(GlyphImage, TheStripIs88By20AndEachFactorEnlargesItWhole)
{
    struct Case { int nFactor, nWidth, nHeight; };
    for (const Case c : {Case{1, 88, 20}, Case{2, 176, 40}, Case{3, 264, 60}, Case{0, 88, 20}, Case{-1, 88, 20}}) {
        const GlyphPixels glyphs = RenderGlyphs(kLightGrey, kDarkGrey, c.nFactor);
        EXPECT_EQ(glyphs.nWidth, c.nWidth) << "factor " << c.nFactor;
        EXPECT_EQ(glyphs.nHeight, c.nHeight) << "factor " << c.nFactor;
        EXPECT_EQ(glyphs.pixels.size(), static_cast<std::size_t>(c.nWidth * c.nHeight)) << "factor " << c.nFactor;
    }
}

TEST(GlyphImage, TheGlyphsAreDrawnInTheirSixColours)
{
    std::set<std::tuple<int, int, int>> used;
    for (int y = 0; y < kGlyphHeight; ++y) {
        for (int x = 0; x < kGlyphWidth; ++x)
            used.insert(Channels(GlyphColour(x, y)));
    }
    const std::set<std::tuple<int, int, int>> expected = {
        {0, 0, 0}, {128, 0, 0}, {128, 128, 128}, {192, 192, 192}, {255, 255, 0}, {255, 255, 255}};
    EXPECT_EQ(used, expected);
}

TEST(GlyphImage, RowsAboveAndBelowTheGlyphsAreBackground)
{
    for (int y : {0, 1, 2, 3, 16, 17, 18, 19}) {
        for (int x = 0; x < 88; ++x)
            ASSERT_EQ(GlyphColour(x, y), kLightGrey) << x << ", " << y;
    }
}

TEST(GlyphImage, SamplePixelsOfEachGlyph)
{
    struct Sample { int x, y; Rgb colour; };
    const Sample samples[] = {
        {3, 4, kDarkGrey}, {7, 4, kWhite}, {4, 6, kYellow}, {10, 5, kBlack}, {5, 15, kLightGrey},  // New
        {22 + 3, 4, kDarkRed}, {22 + 5, 4, kWhite}, {22 + 2, 4, kLightGrey}, {22 + 16, 15, kWhite},  // Delete
        {44 + 10, 4, kBlack}, {44 + 9, 4, kLightGrey}, {44 + 15, 9, kBlack}, {44 + 7, 15, kBlack},  // Move Up
        {66 + 13, 4, kBlack}, {66 + 14, 4, kLightGrey}, {66 + 10, 15, kBlack},  // Move Down
    };
    for (const Sample& s : samples)
        EXPECT_EQ(GlyphColour(s.x, s.y), s.colour) << s.x << ", " << s.y;
}

TEST(GlyphImage, MoveDownIsMoveUpTurnedAboutColumn10)
{
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x <= 20; ++x)
            ASSERT_EQ(GlyphColour(66 + x, y), GlyphColour(44 + 20 - x, 19 - y)) << x << ", " << y;
        ASSERT_EQ(GlyphColour(44 + 21, y), kLightGrey);
        ASSERT_EQ(GlyphColour(66 + 21, y), kLightGrey);
    }
}

TEST(GlyphImage, RecolouringChangesOnlyTheTwoGreys)
{
    // The face takes the shadow's grey: each pixel is mapped once, by its own colour.
    const Rgb face{128, 128, 128}, shadow{10, 20, 30};
    const GlyphPixels glyphs = RenderGlyphs(face, shadow, 1);
    int nFace = 0, nShadow = 0;
    for (int y = 0; y < kGlyphHeight; ++y) {
        for (int x = 0; x < kGlyphWidth; ++x) {
            const Rgb original = GlyphColour(x, y);
            nFace += original == kLightGrey;
            nShadow += original == kDarkGrey;
            const Rgb expected = original == kLightGrey ? face : original == kDarkGrey ? shadow : original;
            ASSERT_EQ(RenderedAt(glyphs, x, y), expected) << x << ", " << y;
        }
    }
    EXPECT_GT(nFace, 0);
    EXPECT_GT(nShadow, 0);
}

TEST(GlyphImage, EnlargedByTwoEachPixelIsA2By2Block)
{
    const GlyphPixels small = RenderGlyphs(kLightGrey, kDarkGrey, 1);
    const GlyphPixels big = RenderGlyphs(kLightGrey, kDarkGrey, 2);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 176; ++x)
            ASSERT_EQ(RenderedAt(big, x, y), RenderedAt(small, x / 2, y / 2)) << x << ", " << y;
    }
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 88; ++x)
            ASSERT_EQ(RenderedAt(small, x, y), GlyphColour(x, y)) << x << ", " << y;
    }
}

}  // namespace
