#include "listctrl/ListLayout.h"

#include "tests/native/strip_test_print.h"

#include <gtest/gtest.h>

namespace {

using namespace listlayout;

const PixelRect kItem{0, 16, 200, 32};

TEST(ListLayout, TheInPlaceControlsLieOverTheItemAtTheScaledInsets)
{
    const struct {
        int nDpi;
        bool bBrowse;
        PixelRect edit;
        PixelRect button;
    } cases[] = {
        {96, true, {5, 14, 170, 34}, {170, 14, 195, 34}},
        {96, false, {5, 14, 195, 34}, {195, 14, 195, 34}},
        {144, true, {8, 13, 155, 35}, {155, 13, 192, 35}},
        {192, true, {10, 12, 140, 36}, {140, 12, 190, 36}},
    };
    for (const auto& c : cases) {
        const EditRects rects = EditRectsOverItem(kItem, c.bBrowse, c.nDpi);
        EXPECT_EQ(rects.edit, c.edit) << c.nDpi << (c.bBrowse ? " with" : " without") << " the button";
        EXPECT_EQ(rects.button, c.button) << c.nDpi;
    }
}

TEST(ListLayout, TheInsertionMarkerIsABarWithATickAtEachEnd)
{
    using Pieces = std::array<PixelRect, 3>;
    EXPECT_EQ(InsertMarkRects(kItem, 96), (Pieces{{{5, 14, 195, 18}, {2, 10, 5, 22}, {195, 10, 198, 22}}}));
    EXPECT_EQ(InsertMarkRects(kItem, 192), (Pieces{{{10, 12, 190, 20}, {4, 4, 10, 28}, {190, 4, 196, 28}}}));
}

}  // namespace
