// Reordering the launcher's list by dragging, in the real dialog: the drag
// list's reports sent as the platform sends them, the insertion marker as it
// appears on the screen, and a real mouse drag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListBoxMemory.h"
#include "RunDialogTest.h"
#include "listctrl/ListLayout.h"

using namespace wintest;

namespace {

struct Change {
    POINT pt;
    bool bInverted;   // the new colour is the old one inverted
};

std::vector<Change> Changes(const Pixels& before, const Pixels& after)
{
    std::vector<Change> changes;
    for (int y = 0; y < before.h; ++y)
        for (int x = 0; x < before.w; ++x)
            if (before.At(x, y) != after.At(x, y))
                changes.push_back({{x, y}, (before.At(x, y) ^ 0xFFFFFF) == after.At(x, y)});
    return changes;
}

// Where the marker at an item's top edge is drawn: the bar and the two ticks.
std::vector<CRect> MarkerPieces(const CRect& item)
{
    std::vector<CRect> pieces;
    for (const PixelRect& rc : listlayout::InsertMarkRects(PixelRectOf(item), dpi::kDefaultDpi))
        pieces.push_back(RectOf<CRect>(rc));
    return pieces;
}

// The marker is where it belongs: every changed pixel is an inverted pixel of
// one of its pieces, and about every other pixel of each piece is inverted
// (the halftone brush), except where the client area cuts it off.
void ExpectMarkerAt(const CRect& item, const CRect& client, const std::vector<Change>& changes)
{
    const std::vector<CRect> pieces = MarkerPieces(item);
    std::vector<int> counts(pieces.size(), 0);
    for (const Change& c : changes) {
        EXPECT_TRUE(c.bInverted) << "at " << c.pt.x << "," << c.pt.y;
        bool bInPiece = false;
        for (size_t i = 0; i < pieces.size(); ++i) {
            if (pieces[i].PtInRect(c.pt)) {
                ++counts[i];
                bInPiece = true;
            }
        }
        EXPECT_TRUE(bInPiece) << "changed outside the marker at " << c.pt.x << "," << c.pt.y;
    }
    for (size_t i = 0; i < pieces.size(); ++i) {
        CRect visible;
        ::IntersectRect(&visible, &pieces[i], &client);
        const int area = visible.Width() * visible.Height();
        EXPECT_GE(counts[i] * 3, area) << "piece " << i;
        EXPECT_LE(counts[i] * 3, area * 2) << "piece " << i;
    }
}

class DragListTest : public RunDialogTest {
protected:
    // A point of the list's client area below the last item.
    POINT BelowTheItems()
    {
        const CRect last = List().GetItemRect(List().GetCount() - 1);
        return OnScreen(List(), {(last.left + last.right) / 2, last.bottom + 5});
    }
    // A whole drag with the left button, as the drag list reports it.
    void Drop(int nSource, int nTarget)
    {
        List().SetCurSel(nSource);   // the press that begins a drag selects the item
        EXPECT_EQ(DragReport(DL_BEGINDRAG, ItemPoint(nSource)), TRUE);
        EXPECT_EQ(DragReport(DL_DRAGGING, ItemPoint(nTarget)), DL_MOVECURSOR);
        DragReport(DL_DROPPED, ItemPoint(nTarget));
        Pump(*m_dlg);
    }
    void OpenFive() { OpenWith(ScenePaths("abcde")); }
    // The path tip's text while it is shown, else empty.
    std::string ShownTip()
    {
        const CToolTipCtrl& tip = List().GetPathTip();
        return tip.IsWindowVisible() ? Narrow(tip.GetWindowText()) : std::string();
    }
    // Moves the real pointer to a point on the screen and lets it rest there
    // for up to three hover delays; what the path tip then shows.
    std::string RestOn(POINT screen)
    {
        MouseAt(screen);
        const int delayMs = static_cast<int>(List().GetPathTip().SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
        PumpUntil(*m_dlg, [this] { return List().GetPathTip().IsWindowVisible(); }, 3 * delayMs);
        return ShownTip();
    }
    // Beside the item's centre, so resting there is a move of the pointer.
    POINT BesideItemPoint(int nIndex) { return {ItemPoint(nIndex).x + 9, ItemPoint(nIndex).y}; }
    void ExpectOrder(const char* letters) { EXPECT_EQ(EntriesOf(List()), LetterEntries(letters)); }
};

TEST_F(DragListTest, ADropPutsTheEntryAndItsPathIntoTheGapAboveTheTarget)
{
    const struct {
        int nSource, nTarget;
        const char* order;
        int nSelection;
    } drops[] = {{0, 3, "bcade", 2}, {3, 0, "dbcae", 0}, {4, 1, "debca", 1}};
    OpenFive();
    for (const auto& d : drops) {
        Drop(d.nSource, d.nTarget);
        ExpectOrder(d.order);
        EXPECT_EQ(List().GetCurSel(), d.nSelection) << d.order;
        EXPECT_EQ(List().GetInsertIndex(), -1) << d.order;
    }
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), ScenePaths("debca"));
}

// A click posted from elsewhere while the cursor rests on another item: the
// drag list reads the cursor, the list box the message. The click's own
// position counts, so it only selects (the cursor's item once took the entry).
TEST_F(DragListTest, APostedClickCountsWhereItWasMadeNotWhereTheCursorIs)
{
    OpenFive();
    PlaceCursor(ItemPoint(3));
    PostPress(List(), ItemCenter(List(), 1));
    Pump(*m_dlg);
    ExpectOrder("abcde");
    EXPECT_EQ(List().GetCurSel(), 1);
}

TEST_F(DragListTest, AnEntryBeyondTheEndOfThePathTableMovesWithItsPathToo)
{
    OpenWith(ScenePaths("a"));   // a table of 1 + 32 elements
    for (int i = 1; i < 40; ++i)
        ListInternals::Append(List(), {i == 34 ? L"y" : L"x", i == 30 ? L"C:\\s\\p.zel" : L""});
    ASSERT_EQ(List().Paths().GetSize(), 65);   // grown by one step for entry 33
    Drop(34, 30);
    EXPECT_EQ(Narrow(List().GetText(30)), "y");
    EXPECT_EQ(Narrow(List().Paths().GetAt(30)), "");
    EXPECT_EQ(Narrow(List().Paths().GetAt(31)), "C:\\s\\p.zel");
}

TEST_F(DragListTest, ADropTheListCannotStoreMovesNothing)
{
    ListBoxMemory memory;
    OpenFive();
    memory.Allow(0);
    Drop(0, 3);
    Drop(4, 1);
    ExpectOrder("abcde");
}

TEST_F(DragListTest, ADropOntoItselfTheItemBelowOrNoItemChangesNothing)
{
    OpenFive();
    Drop(1, 1);
    Drop(1, 2);
    Drop(4, 4);
    ExpectOrder("abcde");

    List().SetCurSel(1);
    DragReport(DL_BEGINDRAG, ItemPoint(1));
    EXPECT_EQ(DragReport(DL_DRAGGING, BelowTheItems()), DL_STOPCURSOR);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    DragReport(DL_DROPPED, BelowTheItems());
    ExpectOrder("abcde");

    List().SetCurSel(-1);   // no source
    DragReport(DL_DROPPED, ItemPoint(0));
    ExpectOrder("abcde");
}

TEST_F(DragListTest, NoReportHasAnEffectWhileAnEntryIsEditedOrMovingIsOff)
{
    OpenFive();
    struct Case {
        const char* name;
        int nEditItem;
        BOOL bMovable;
    };
    for (const Case& c : {Case{"editing", 1, TRUE}, Case{"moving off", -1, FALSE}}) {
        ListInternals::EditItem(List()) = c.nEditItem;
        ListInternals::Movable(List()) = c.bMovable;
        const Pixels before = Capture(List());
        List().SetCurSel(0);
        EXPECT_EQ(DragReport(DL_BEGINDRAG, ItemPoint(0)), 0) << c.name;
        EXPECT_EQ(DragReport(DL_DRAGGING, ItemPoint(3)), 0) << c.name;
        EXPECT_EQ(List().GetInsertIndex(), -1) << c.name;
        EXPECT_EQ(DragReport(DL_DROPPED, ItemPoint(3)), 0) << c.name;
        EXPECT_EQ(DragReport(DL_CANCELDRAG, ItemPoint(3)), 0) << c.name;
        ExpectOrder("abcde");
        List().SetCurSel(-1);
        Pump(*m_dlg);
        EXPECT_TRUE(Capture(List()) == before) << c.name << ": something was drawn";
    }
    ListInternals::EditItem(List()) = -1;
    ListInternals::Movable(List()) = TRUE;
    Drop(0, 3);   // and the list drags again
    ExpectOrder("bcade");
}

TEST_F(DragListTest, APointerHeldJustBelowOrAboveTheListScrollsIt)
{
    OpenWith(NumberedPaths(40, "C:\\s\\n"));
    const CRect client = List().GetClientRect();
    ASSERT_EQ(List().GetTopIndex(), 0);
    // Where the pointer is held, and the top index after it.
    const struct {
        LONG y;
        int nTop;
    } holds[] = {{client.bottom + 1, 1}, {client.bottom + 1, 2}, {-1, 1}};
    for (const auto& hold : holds) {
        ::Sleep(250);   // the drag list scrolls at most once in 200 ms
        EXPECT_EQ(DragReport(DL_DRAGGING, OnScreen(List(), {client.right / 2, hold.y})), DL_STOPCURSOR);
        EXPECT_EQ(List().GetTopIndex(), hold.nTop);
    }
    EXPECT_EQ(List().GetInsertIndex(), -1);
}

TEST_F(DragListTest, TheMarkerFollowsThePointerByInversionAndACancelRestoresTheList)
{
    OpenFive();
    const CRect client = List().GetClientRect();
    const Pixels before = Capture(List());
    DragReport(DL_BEGINDRAG, ItemPoint(0));
    EXPECT_TRUE(Capture(List()) == before) << "no marker before the pointer moves";

    EXPECT_EQ(DragReport(DL_DRAGGING, ItemPoint(2)), DL_MOVECURSOR);
    EXPECT_EQ(List().GetInsertIndex(), 2);
    const Pixels atTwo = Capture(List());
    ExpectMarkerAt(List().GetItemRect(2), client, Changes(before, atTwo));

    // Within the same item the marker stays as it is.
    const CRect item2 = List().GetItemRect(2);
    DragReport(DL_DRAGGING, OnScreen(List(), {item2.left + 3, item2.top + 1}));
    EXPECT_TRUE(Capture(List()) == atTwo);

    DragReport(DL_DRAGGING, ItemPoint(3));
    ExpectMarkerAt(List().GetItemRect(3), client, Changes(before, Capture(List())));

    DragReport(DL_DRAGGING, BelowTheItems());
    EXPECT_TRUE(Capture(List()) == before) << "off the items the marker is gone";

    DragReport(DL_DRAGGING, ItemPoint(4));
    DragReport(DL_CANCELDRAG, ItemPoint(4));
    EXPECT_EQ(List().GetInsertIndex(), -1);
    EXPECT_TRUE(Capture(List()) == before) << "a cancel leaves no marker";
    ExpectOrder("abcde");
}

TEST_F(DragListTest, AMarkerAtTheFirstItemStaysInsideTheClientArea)
{
    OpenFive();
    const Pixels before = Capture(List(), true);
    DragReport(DL_DRAGGING, ItemPoint(0));
    const std::vector<Change> changes = Changes(before, Capture(List(), true));
    EXPECT_FALSE(changes.empty());
    // The client area within the whole window.
    CRect window;
    ::GetWindowRect(List(), &window);
    POINT origin{0, 0};
    List().ClientToScreen(&origin);
    const CRect clientRect = List().GetClientRect();
    const CRect client(origin.x - window.left, origin.y - window.top, origin.x - window.left + clientRect.Width(),
                       origin.y - window.top + clientRect.Height());
    for (const Change& c : changes)
        EXPECT_TRUE(client.PtInRect(c.pt)) << "drawn outside the client area at " << c.pt.x << "," << c.pt.y;
    DragReport(DL_CANCELDRAG, ItemPoint(0));
    EXPECT_TRUE(Capture(List(), true) == before);
}

TEST_F(DragListTest, NoMarkerIsLeftAfterADrop)
{
    OpenFive();
    Drop(0, 3);
    const Pixels afterDrop = Capture(List());
    ::RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(*m_dlg);
    EXPECT_TRUE(Capture(List()) == afterDrop);
}

TEST_F(DragListTest, ARealMouseDragReordersTheListAndShowsStopOffTheItems)
{
    OpenFive();
    ::SetForegroundWindow(*m_dlg);
    Pump(*m_dlg);
    const POINT from = ItemPoint(0);
    const POINT to = ItemPoint(3);
    PlaceCursor(from);
    MouseAt(from);
    MouseAt(from, MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(::GetCapture(), List().m_hWnd) << "the drag has begun";
    for (LONG y = from.y; y <= to.y; y += 4)
        MouseAt({from.x, y}, 0, 10);
    MouseAt(to);
    EXPECT_EQ(List().GetInsertIndex(), 3);

    MouseAt(BelowTheItems());
    EXPECT_EQ(List().GetInsertIndex(), -1);
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_NO));

    MouseAt(to);
    MouseAt(to, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(::GetCapture(), nullptr);
    ExpectOrder("bcade");
    EXPECT_EQ(List().GetCurSel(), 2);
    EXPECT_EQ(List().GetInsertIndex(), -1);
}

TEST_F(DragListTest, ARealMouseDragFromBelowTheItemsMovesNothing)
{
    OpenFive();
    ClickItem(0);
    const POINT from = BelowTheItems();
    const POINT to = ItemPoint(3);
    PlaceCursor(from);
    MouseAt(from, MOUSEEVENTF_LEFTDOWN);
    for (LONG y = from.y; y >= to.y; y -= 4)
        MouseAt({from.x, y}, 0, 10);
    MouseAt(to, MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    ExpectOrder("abcde");
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), ScenePaths("abcde"));
}

// The tip follows the entry under the pointer through moves of the pointer
// and changes of the entries beneath it, and a long path wraps within its width.
TEST_F(DragListTest, RestingThePointerOnAnEntryShowsTheFullPathOfTheEntryUnderIt)
{
    const std::string longPath =
        "C:\\Users\\Player\\Documents\\Nimbrel scenes\\Autumn tournament 2026\\Finals\\Round of sixteen\\blend.zel";
    ASSERT_GT(longPath.size(), 80u);   // more than a tooltip's own text buffer holds
    OpenWith({"C:\\s\\a.zel", "C:\\s\\b.zel", longPath, "C:\\s\\d.zel", "C:\\s\\e.zel"});
    EXPECT_EQ(RestOn(ItemPoint(2)), longPath);
    CRect rcTip;
    ::GetWindowRect(List().GetPathTip(), &rcTip);
    EXPECT_LE(rcTip.Width(), 420) << "wraps at its maximum width";
    EXPECT_LE(rcTip.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(RestOn(ItemPoint(4)), "C:\\s\\e.zel");
    EXPECT_EQ(RestOn(BelowTheItems()), "");

    // Delete and Alt+Down change the entry under the resting pointer.
    ClickItem(2);
    EXPECT_EQ(RestOn(BesideItemPoint(2)), longPath);
    Press(List(), VK_DELETE);
    EXPECT_EQ(ShownTip(), "C:\\s\\d.zel");
    ClickItem(2);
    EXPECT_EQ(RestOn(BesideItemPoint(2)), "C:\\s\\d.zel");
    Press(List(), VK_DOWN, true);
    EXPECT_EQ(ShownTip(), "C:\\s\\e.zel");
    ExpectOrder("abed");
}

TEST_F(DragListTest, NoPathTipShowsWhileADragOrAnEditIsUnderWay)
{
    OpenFive();
    PlaceCursor(ItemPoint(1));
    MouseAt(ItemPoint(1), MOUSEEVENTF_LEFTDOWN);
    ASSERT_EQ(::GetCapture(), List().m_hWnd) << "the drag has begun";
    EXPECT_EQ(RestOn(ItemPoint(3)), "");
    SendMouseAt(ItemPoint(1));
    SendMouseAt(ItemPoint(1), MOUSEEVENTF_LEFTUP);   // dropped onto itself
    Pump(*m_dlg);

    EditByF2(1);
    ASSERT_TRUE(List().IsEditing());
    EXPECT_EQ(RestOn(ItemPoint(3)), "");
    Press(Edit(), VK_ESCAPE);
    EXPECT_EQ(RestOn(BesideItemPoint(3)), "C:\\s\\d.zel");
    ExpectOrder("abcde");
}

}  // namespace
