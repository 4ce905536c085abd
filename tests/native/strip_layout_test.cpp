#include "toolstrip/StripLayout.h"

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

}  // namespace
