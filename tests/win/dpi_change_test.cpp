// The dialog when its DPI changes while it runs (moved to a monitor of another
// scale): WM_DPICHANGED delivered as the system would, the layout, the list's
// and the strip's figures and the in-place controls at the new DPI, and back.
#include <gtest/gtest.h>

#include <vector>

#include "GuiObjects.h"
#include "RunDialogTest.h"

using namespace wintest;

namespace {

CRect Rescaled(const CRect& rc, int nTo, int nFrom)
{
    return {dpi::Rescale(rc.left, nTo, nFrom), dpi::Rescale(rc.top, nTo, nFrom), dpi::Rescale(rc.right, nTo, nFrom),
            dpi::Rescale(rc.bottom, nTo, nFrom)};
}

// What a change of DPI may alter, read from the dialog.
struct Layout {
    CRect rcWindow, rcList, rcStrip;
    std::vector<CRect> buttons;
    int nItemHeight = 0;

    bool operator==(const Layout& o) const
    {
        return rcWindow == o.rcWindow && rcList == o.rcList && rcStrip == o.rcStrip && buttons == o.buttons &&
               nItemHeight == o.nItemHeight;
    }
};

class DpiChangeTest : public RunDialogTest {
protected:
    Layout Read()
    {
        Layout layout;
        ::GetWindowRect(*m_dlg, &layout.rcWindow);
        layout.rcList = RectInParent(List());
        layout.rcStrip = RectInParent(Strip());
        for (int i = 0; i < 4; ++i)
            layout.buttons.push_back(Strip().GetButtonRect(i));
        layout.nItemHeight = List().GetItemRect(0).Height();
        return layout;
    }
};

TEST_F(DpiChangeTest, TheDialogTakesTheSuggestedRectangleAndScalesItsPartsThenReturns)
{
    OpenWith(ScenePaths("abc"));
    ASSERT_EQ(m_dlg->GetDpi(), 96) << "the tests' prefix runs at 96 DPI";
    ClickItem(1);
    const Layout before = Read();
    // The first round makes what is made once on first use (the edit's caret,
    // Wine's font caches, the dialog's own font); the second must make nothing.
    GuiObjects objectsBefore;
    for (int nRound = 0; nRound < 2; ++nRound) {
        SCOPED_TRACE(nRound);
        objectsBefore = CountGuiObjects();
        const CRect suggested = ChangeDpi(144);
        const Layout at144 = Read();
        EXPECT_EQ(at144.rcWindow, suggested);
        EXPECT_EQ(at144.rcList, Rescaled(before.rcList, 144, 96));
        EXPECT_EQ(at144.rcStrip, Rescaled(before.rcStrip, 144, 96));
        const CRect rcStripClient = Strip().GetClientRect();
        const int W = rcStripClient.Width(), H = rcStripClient.Height();
        const toolstrip::ButtonRects laidOut = toolstrip::LayoutButtons(W, H, toolstrip::MetricsForDpi(144));
        const int top = laidOut[0].top;
        for (std::size_t i = 0; i < laidOut.size(); ++i)
            EXPECT_EQ(at144.buttons[i], RectOf<CRect>(laidOut[i]));
        EXPECT_EQ(at144.nItemHeight, dpi::Rescale(before.nItemHeight, 144, 96));
        EXPECT_EQ(Strip().HitTest(CPoint(W - 1, top)), 3);
        EXPECT_EQ(Strip().HitTest(CPoint(W - 133, top)), 4);

        // An edit opened now lies where the list's layout puts it at 144 DPI.
        Press(List(), VK_F2);
        EXPECT_EQ(RectInParent(Edit()), InPlaceRectsOver(List().GetItemRect(1), 144).edit);
        EXPECT_EQ(RectInParent(Button()), InPlaceRectsOver(List().GetItemRect(1), 144).button);
        EXPECT_EQ(LOWORD(Edit().SendMessage(EM_GETMARGINS)), 3);

        // Back while the edit is open: it follows its item.
        ChangeDpi(96);
        EXPECT_EQ(RectInParent(Edit()), InPlaceRectsOver(List().GetItemRect(1)).edit);
        EXPECT_EQ(LOWORD(Edit().SendMessage(EM_GETMARGINS)), 2);
        Press(Edit(), VK_ESCAPE);
        EXPECT_EQ(Read(), before);
    }
    EXPECT_EQ(CountGuiObjects().gdi, objectsBefore.gdi) << "the fonts and glyphs of 144 DPI are gone";
}

}  // namespace
