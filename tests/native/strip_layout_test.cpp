#include "toolstrip/StripLayout.h"
#include "toolstrip/StripButtons.h"

#include "tests/native/strip_test_print.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstddef>
#include <cstring>

namespace {

using namespace toolstrip;

TEST(StripLayout, ButtonsAbutAndEndAtTheRightEdge)
{
    const ButtonRects rc = LayoutButtons(164, 26);
    EXPECT_EQ(rc[0], (StripRect{76, 3, 98, 23}));
    EXPECT_EQ(rc[1], (StripRect{98, 3, 120, 23}));
    EXPECT_EQ(rc[2], (StripRect{120, 3, 142, 23}));
    EXPECT_EQ(rc[3], (StripRect{142, 3, 164, 23}));
}

TEST(StripLayout, TopTruncatesTowardZero)
{
    EXPECT_EQ(ButtonTop(25), 2);  // the odd free pixel goes below
    EXPECT_EQ(LayoutButtons(164, 25)[0].bottom, 22);
    EXPECT_EQ(ButtonTop(20), 0);
    EXPECT_EQ(ButtonTop(19), 0);
    EXPECT_EQ(ButtonTop(17), -1);
    EXPECT_EQ(ButtonTop(15), -2);
}

TEST(StripLayout, HitTestExcludesRightAndBottomEdges)
{
    const int W = 164, H = 26, top = 3;
    EXPECT_EQ(HitTest(W - 88, top, W, H), 0);
    EXPECT_EQ(HitTest(W - 67, top, W, H), 0);
    EXPECT_EQ(HitTest(W - 66, top, W, H), 1);
    EXPECT_EQ(HitTest(W - 1, top + 19, W, H), 3);
    EXPECT_EQ(HitTest(W, top, W, H), kNoButton);
    EXPECT_EQ(HitTest(W - 89, top, W, H), kNoButton);
    EXPECT_EQ(HitTest(W - 1, top - 1, W, H), kNoButton);
    EXPECT_EQ(HitTest(W - 1, top + 20, W, H), kNoButton);
}

TEST(StripLayout, NarrowAndLowStripsReachOutsideTheClientArea)
{
    const ButtonRects narrow = LayoutButtons(50, 26);
    EXPECT_EQ(narrow[0], (StripRect{-38, 3, -16, 23}));
    EXPECT_EQ(HitTest(0, 3, 50, 26), 1);
    EXPECT_EQ(HitTest(49, 3, 50, 26), 3);

    const ButtonRects low = LayoutButtons(164, 10);
    EXPECT_EQ(low[3], (StripRect{142, -5, 164, 15}));
    EXPECT_EQ(HitTest(163, 0, 164, 10), 3);
    EXPECT_EQ(HitTest(163, 15, 164, 10), kNoButton);
}

TEST(StripLayout, ShiftedPicturePutsGlyphsAndEdgeOnTheButtons)
{
    const int sizes[][2] = {{164, 26}, {164, 25}, {164, 15}, {50, 26}, {88, 20}};
    for (const auto& size : sizes) {
        const int W = size[0], H = size[1];
        SCOPED_TRACE(testing::Message() << W << " x " << H);
        const ButtonRects rcButtons = LayoutButtons(W, H);
        for (int hot = 0; hot < kButtonCount; ++hot) {
            const StripPicture picture = ComposePicture(W, H, hot, false);
            const StripRect& button = rcButtons[static_cast<std::size_t>(hot)];
            EXPECT_EQ(picture.nGlyphX + kButtonWidth * hot + picture.nCopyX, button.left);
            EXPECT_EQ(picture.nGlyphY, button.top);
            ASSERT_TRUE(picture.bEdge);
            const StripRect& e = picture.rcEdge;
            const int dx = picture.nCopyX;
            EXPECT_EQ((StripRect{e.left + dx, e.top, e.right + dx, e.bottom}), button);
        }
        const StripPicture idle = ComposePicture(W, H, kNoButton, false);
        EXPECT_EQ(idle.rcClient, (StripRect{0, 0, W, H}));
        EXPECT_EQ(idle.nCopyX, 2);
        EXPECT_EQ(idle.nCopyWidth, W - 2);
        EXPECT_EQ(idle.nCopyHeight, H);
    }
}

TEST(StripLayout, EdgeOnlyForAHotButtonAndSunkenOnlyWhilePressed)
{
    EXPECT_FALSE(ComposePicture(164, 26, kNoButton, false).bEdge);
    EXPECT_FALSE(ComposePicture(164, 26, kNoButton, true).bEdge);
    EXPECT_FALSE(ComposePicture(164, 26, 1, false).bSunken);
    EXPECT_TRUE(ComposePicture(164, 26, 1, true).bSunken);
    EXPECT_EQ(ComposePicture(1, 26, kNoButton, false).nCopyWidth, 0);
}

TEST(StripLayout, ToolTipTextsAndOutOfRangeIndices)
{
    const char* const expected[] = {"New", "Delete", "Move Up", "Move Down"};
    for (int i = 0; i < kButtonCount; ++i) {
        char buffer[kToolTipBufferSize];
        std::memset(buffer, '#', sizeof buffer);
        GetToolTipText(i, buffer);
        EXPECT_STREQ(buffer, expected[i]);
        EXPECT_EQ(buffer[std::strlen(expected[i]) + 1], '#');  // nothing past the null
    }
    for (int index : {-1, 4, 5, INT_MIN, INT_MAX}) {
        char buffer[kToolTipBufferSize];
        std::memset(buffer, '#', sizeof buffer);
        GetToolTipText(index, buffer);
        for (char c : buffer)
            ASSERT_EQ(c, '#') << "index " << index;
    }
}

TEST(DpiScale, RoundsAsMulDivAndKeepsFiguresAt96)
{
    EXPECT_EQ(dpi::Scale(22, 96), 22);
    EXPECT_EQ(dpi::Scale(22, 144), 33);
    EXPECT_EQ(dpi::Scale(5, 144), 8);     // 7.5: half away from zero
    EXPECT_EQ(dpi::Scale(2, 120), 3);     // 2.5
    EXPECT_EQ(dpi::Scale(5, 120), 6);     // 6.25
    EXPECT_EQ(dpi::Scale(-2, 120), -3);
    EXPECT_EQ(dpi::Scale(7, 0), 7);       // no DPI known: as at 96
    EXPECT_EQ(dpi::Rescale(16, 144, 96), 24);
    EXPECT_EQ(dpi::Rescale(24, 96, 144), 16);
    EXPECT_EQ(dpi::GlyphFactor(120), 1);
    EXPECT_EQ(dpi::GlyphFactor(191), 1);
    EXPECT_EQ(dpi::GlyphFactor(192), 2);
    EXPECT_EQ(dpi::GlyphFactor(288), 3);
}

TEST(StripLayout, At144ButtonsAre33By30FromTheRightEdge)
{
    const StripMetrics m = MetricsForDpi(144);
    const int W = 278 - 4, H = 40 - 4;   // the strip's client area at 144
    const ButtonRects rc = LayoutButtons(W, H, m);
    for (int i = 0; i < kButtonCount; ++i)
        EXPECT_EQ(rc[static_cast<std::size_t>(i)], (StripRect{W - 132 + 33 * i, 3, W - 99 + 33 * i, 33}));
    EXPECT_EQ(HitTest(W - 133, 3, W, H, m), kNoButton);
    EXPECT_EQ(HitTest(W - 100, 32, W, H, m), 0);
    EXPECT_EQ(HitTest(W - 99, 3, W, H, m), 1);
}

TEST(StripLayout, PictureShiftAndGlyphsFollowTheDpi)
{
    struct Case { int nDpi, nShift, nFactor, nInsetX, nInsetY; };
    for (const Case c : {Case{96, 2, 1, 0, 0}, Case{120, 3, 1, 3, 2}, Case{144, 3, 1, 5, 5}, Case{192, 4, 2, 0, 0}}) {
        SCOPED_TRACE(c.nDpi);
        const StripMetrics m = MetricsForDpi(c.nDpi);
        const int W = 300, H = 50;
        const ButtonRects rcButtons = LayoutButtons(W, H, m);
        const StripPicture picture = ComposePicture(W, H, 2, true, kNoButton, m);
        EXPECT_EQ(picture.nCopyX, c.nShift);
        EXPECT_EQ(picture.nCopyWidth, W - c.nShift);
        const StripRect& e = picture.rcEdge;
        EXPECT_EQ((StripRect{e.left + c.nShift, e.top, e.right + c.nShift, e.bottom}), rcButtons[2]);
        for (int i = 0; i < kButtonCount; ++i) {
            const StripRect& g = picture.rcGlyphs[static_cast<std::size_t>(i)];
            const StripRect& b = rcButtons[static_cast<std::size_t>(i)];
            EXPECT_EQ(g.left + c.nShift, b.left + c.nInsetX);
            EXPECT_EQ(g.top, b.top + c.nInsetY);
            EXPECT_EQ(g.right - g.left, 22 * c.nFactor);
            EXPECT_EQ(g.bottom - g.top, 20 * c.nFactor);
            EXPECT_LE(g.right + c.nShift, b.right);   // the glyph stays inside its button
        }
    }
}

}  // namespace
