// Reordering the launcher's list by dragging, in the real dialog: the drag
// list's reports sent as the platform sends them, the insertion marker as it
// appears on the screen, and a real mouse drag.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ListBoxMemory.h"
#include "RunDialogTest.h"
#include "WinTest.h"
#include "fw/Gdi.h"
#include "listctrl/InPlaceCtrl.h"

#include <commctrl.h>   // after <windows.h>

using namespace wintest;
using V = std::vector<std::string>;

namespace {

// The list's protected state, reached the way a derived class may reach it.
struct ListState : CRunListBox {
    static int& EditItem(CListBoxEx& list) { return (list.*(&ListState::m_edit)).m_nEditItem; }
    static BOOL& Movable(CListBoxEx& list) { return list.*(&ListState::m_bMovable); }
    static int Append(CListBoxEx& list, const ListEntry& entry)
    {
        return (list.*(&ListState::AppendEntry))(entry);
    }
};

// The pixels of a window as they are on the screen: the client area, or with
// bWhole the whole window including its edge.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<DWORD> rgb;
    DWORD At(int x, int y) const { return rgb[static_cast<size_t>(y * width + x)] & 0xFFFFFF; }
    bool operator==(const Pixels& o) const { return width == o.width && height == o.height && rgb == o.rgb; }
};

Pixels Snapshot(HWND hWnd, bool bWhole = false)
{
    CRect rc;
    if (bWhole)
        ::GetWindowRect(hWnd, &rc);
    else
        ::GetClientRect(hWnd, &rc);
    Pixels px;
    px.width = rc.Width();
    px.height = rc.Height();
    HDC hSource = bWhole ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    {
        CMemoryDC mem(hSource);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = px.width;
        bi.bmiHeader.biHeight = -px.height;   // top row first
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* pBits = nullptr;
        CBitmap bitmap(::CreateDIBSection(hSource, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0));
        CSelectObject select(mem, bitmap);
        ::BitBlt(mem, 0, 0, px.width, px.height, hSource, 0, 0, SRCCOPY);
        ::GdiFlush();
        const auto* pFirst = static_cast<const DWORD*>(pBits);
        px.rgb.assign(pFirst, pFirst + px.width * px.height);
    }
    ::ReleaseDC(hWnd, hSource);
    return px;
}

struct Change {
    POINT pt;
    bool bInverted;   // the new colour is the old one inverted
};

std::vector<Change> Changes(const Pixels& before, const Pixels& after)
{
    std::vector<Change> changes;
    for (int y = 0; y < before.height; ++y)
        for (int x = 0; x < before.width; ++x)
            if (before.At(x, y) != after.At(x, y))
                changes.push_back({{x, y}, (before.At(x, y) ^ 0xFFFFFF) == after.At(x, y)});
    return changes;
}

// Where the marker at an item's top edge is drawn: the bar and the two ticks.
std::vector<CRect> MarkerPieces(const CRect& item)
{
    return {CRect(item.left + 5, item.top - 2, item.right - 5, item.top + 2),
            CRect(item.left + 2, item.top - 6, item.left + 5, item.top + 6),
            CRect(item.right - 5, item.top - 6, item.right - 2, item.top + 6)};
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
    // A report of the drag list, sent to the dialog as the platform sends it.
    LRESULT Report(UINT code, POINT screen)
    {
        DRAGLISTINFO info{code, List(), screen};
        return ::SendMessageA(*m_dlg, DragListMessage(), static_cast<WPARAM>(::GetDlgCtrlID(List())),
                              reinterpret_cast<LPARAM>(&info));
    }
    POINT OnScreen(POINT client)
    {
        List().ClientToScreen(&client);
        return client;
    }
    POINT ItemPoint(int nIndex) { return OnScreen(ItemCenter(List(), nIndex)); }
    // A point of the list's client area below the last item.
    POINT BelowTheItems()
    {
        const CRect last = List().GetItemRect(List().GetCount() - 1);
        return OnScreen({(last.left + last.right) / 2, last.bottom + 5});
    }
    // A whole drag with the left button, as the drag list reports it.
    void Drop(int nSource, int nTarget)
    {
        List().SetCurSel(nSource);   // the press that begins a drag selects the item
        EXPECT_EQ(Report(DL_BEGINDRAG, ItemPoint(nSource)), TRUE);
        EXPECT_EQ(Report(DL_DRAGGING, ItemPoint(nTarget)), DL_MOVECURSOR);
        Report(DL_DROPPED, ItemPoint(nTarget));
        Pump(*m_dlg);
    }
    void OpenFive() { OpenWith({"C:\\s\\a.zel", "C:\\s\\b.zel", "C:\\s\\c.zel", "C:\\s\\d.zel", "C:\\s\\e.zel"}); }
    static V Paths(const char* letters)
    {
        V paths;
        for (const char* p = letters; *p != '\0'; ++p)
            paths.push_back(std::string("C:\\s\\") + *p + ".zel");
        return paths;
    }
    static V Names(const char* letters)
    {
        V names;
        for (const char* p = letters; *p != '\0'; ++p)
            names.emplace_back(1, *p);
        return names;
    }
    // The path tip's text while it is shown, else empty.
    std::string ShownTip()
    {
        const CToolTipCtrl& tip = List().GetPathTip();
        return tip.IsWindowVisible() ? tip.GetWindowText() : std::string();
    }
    // Moves the real pointer to a point on the screen and lets it rest there
    // for up to three hover delays; what the path tip then shows.
    std::string RestOn(POINT screen)
    {
        SendMouseAt(screen);
        Pump(*m_dlg);
        const int delayMs = static_cast<int>(List().GetPathTip().SendMessage(TTM_GETDELAYTIME, TTDT_INITIAL));
        PumpUntil(*m_dlg, [this] { return List().GetPathTip().IsWindowVisible(); }, 3 * delayMs);
        return ShownTip();
    }
    // Beside the item's centre, so resting there is a move of the pointer.
    POINT BesideItemPoint(int nIndex) { return {ItemPoint(nIndex).x + 9, ItemPoint(nIndex).y}; }
    void ExpectOrder(const char* letters)
    {
        EXPECT_EQ(ItemTexts(List()), Names(letters));
        EXPECT_EQ(PathHead(List()), Paths(letters));
    }
};

TEST_F(DragListTest, ADropPutsTheEntryAndItsPathIntoTheGapAboveTheTarget)
{
    OpenFive();
    Drop(0, 3);
    ExpectOrder("bcade");
    EXPECT_EQ(List().GetCurSel(), 2);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    Drop(3, 0);
    ExpectOrder("dbcae");
    EXPECT_EQ(List().GetCurSel(), 0);
    Drop(4, 1);
    ExpectOrder("debca");
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), Paths("debca"));
}

// A click posted from elsewhere while the cursor rests on another item: the
// drag list reads the cursor, the list box the message. The click's own
// position counts, so it only selects (the cursor's item once took the entry).
TEST_F(DragListTest, APostedClickCountsWhereItWasMadeNotWhereTheCursorIs)
{
    OpenFive();
    POINT cursor = ItemCenter(List(), 3);
    ::ClientToScreen(List(), &cursor);
    PlaceCursor(cursor);
    const POINT click = ItemCenter(List(), 1);
    ::PostMessageA(List(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(click.x, click.y));
    ::PostMessageA(List(), WM_LBUTTONUP, 0, MAKELPARAM(click.x, click.y));
    Pump(*m_dlg);
    ExpectOrder("abcde");
    EXPECT_EQ(List().GetCurSel(), 1);
}

TEST_F(DragListTest, AnEntryBeyondTheEndOfThePathTableMovesWithItsPathToo)
{
    OpenWith({"C:\\s\\a.zel"});   // a table of 1 + 32 elements
    for (int i = 1; i < 40; ++i)
        ListState::Append(List(), {i == 34 ? "y" : "x", i == 30 ? "C:\\s\\p.zel" : ""});
    ASSERT_EQ(List().Paths().GetSize(), 65);   // grown by one step for entry 33
    Drop(34, 30);
    EXPECT_EQ(List().GetText(30), "y");
    EXPECT_EQ(List().Paths().GetAt(30), "");
    EXPECT_EQ(List().Paths().GetAt(31), "C:\\s\\p.zel");
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
    Report(DL_BEGINDRAG, ItemPoint(1));
    EXPECT_EQ(Report(DL_DRAGGING, BelowTheItems()), DL_STOPCURSOR);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    Report(DL_DROPPED, BelowTheItems());
    ExpectOrder("abcde");

    List().SetCurSel(-1);   // no source
    Report(DL_DROPPED, ItemPoint(0));
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
        ListState::EditItem(List()) = c.nEditItem;
        ListState::Movable(List()) = c.bMovable;
        const Pixels before = Snapshot(List());
        List().SetCurSel(0);
        EXPECT_EQ(Report(DL_BEGINDRAG, ItemPoint(0)), 0) << c.name;
        EXPECT_EQ(Report(DL_DRAGGING, ItemPoint(3)), 0) << c.name;
        EXPECT_EQ(List().GetInsertIndex(), -1) << c.name;
        EXPECT_EQ(Report(DL_DROPPED, ItemPoint(3)), 0) << c.name;
        EXPECT_EQ(Report(DL_CANCELDRAG, ItemPoint(3)), 0) << c.name;
        ExpectOrder("abcde");
        List().SetCurSel(-1);
        Pump(*m_dlg);
        EXPECT_TRUE(Snapshot(List()) == before) << c.name << ": something was drawn";
    }
    ListState::EditItem(List()) = -1;
    ListState::Movable(List()) = TRUE;
    Drop(0, 3);   // and the list drags again
    ExpectOrder("bcade");
}

TEST_F(DragListTest, APointerHeldJustBelowOrAboveTheListScrollsIt)
{
    V paths;
    for (int i = 0; i < 40; ++i)
        paths.push_back("C:\\s\\n" + std::to_string(i) + ".zel");
    OpenWith(paths);
    const CRect client = List().GetClientRect();
    ASSERT_EQ(List().GetTopIndex(), 0);
    // The drag list scrolls at most once in 200 ms.
    ::Sleep(250);
    EXPECT_EQ(Report(DL_DRAGGING, OnScreen({client.right / 2, client.bottom + 1})), DL_STOPCURSOR);
    EXPECT_EQ(List().GetTopIndex(), 1);
    ::Sleep(250);
    Report(DL_DRAGGING, OnScreen({client.right / 2, client.bottom + 1}));
    EXPECT_EQ(List().GetTopIndex(), 2);
    ::Sleep(250);
    Report(DL_DRAGGING, OnScreen({client.right / 2, -1}));
    EXPECT_EQ(List().GetTopIndex(), 1);
    EXPECT_EQ(List().GetInsertIndex(), -1);
}

TEST_F(DragListTest, TheMarkerFollowsThePointerByInversionAndACancelRestoresTheList)
{
    OpenFive();
    const CRect client = List().GetClientRect();
    const Pixels before = Snapshot(List());
    Report(DL_BEGINDRAG, ItemPoint(0));
    EXPECT_TRUE(Snapshot(List()) == before) << "no marker before the pointer moves";

    EXPECT_EQ(Report(DL_DRAGGING, ItemPoint(2)), DL_MOVECURSOR);
    EXPECT_EQ(List().GetInsertIndex(), 2);
    const Pixels atTwo = Snapshot(List());
    ExpectMarkerAt(List().GetItemRect(2), client, Changes(before, atTwo));

    // Within the same item the marker stays as it is.
    const CRect item2 = List().GetItemRect(2);
    Report(DL_DRAGGING, OnScreen({item2.left + 3, item2.top + 1}));
    EXPECT_TRUE(Snapshot(List()) == atTwo);

    Report(DL_DRAGGING, ItemPoint(3));
    ExpectMarkerAt(List().GetItemRect(3), client, Changes(before, Snapshot(List())));

    Report(DL_DRAGGING, BelowTheItems());
    EXPECT_TRUE(Snapshot(List()) == before) << "off the items the marker is gone";

    Report(DL_DRAGGING, ItemPoint(4));
    Report(DL_CANCELDRAG, ItemPoint(4));
    EXPECT_EQ(List().GetInsertIndex(), -1);
    EXPECT_TRUE(Snapshot(List()) == before) << "a cancel leaves no marker";
    ExpectOrder("abcde");
}

TEST_F(DragListTest, AMarkerAtTheFirstItemStaysInsideTheClientArea)
{
    OpenFive();
    const Pixels before = Snapshot(List(), true);
    Report(DL_DRAGGING, ItemPoint(0));
    const std::vector<Change> changes = Changes(before, Snapshot(List(), true));
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
    Report(DL_CANCELDRAG, ItemPoint(0));
    EXPECT_TRUE(Snapshot(List(), true) == before);
}

TEST_F(DragListTest, NoMarkerIsLeftAfterADrop)
{
    OpenFive();
    Drop(0, 3);
    const Pixels afterDrop = Snapshot(List());
    ::RedrawWindow(List(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    Pump(*m_dlg);
    EXPECT_TRUE(Snapshot(List()) == afterDrop);
}

TEST_F(DragListTest, ARealMouseDragReordersTheListAndShowsStopOffTheItems)
{
    OpenFive();
    ::SetForegroundWindow(*m_dlg);
    Pump(*m_dlg);
    const POINT from = ItemPoint(0);
    const POINT to = ItemPoint(3);
    PlaceCursor(from);
    SendMouseAt(from);
    Pump(*m_dlg);
    SendMouseAt(from, MOUSEEVENTF_LEFTDOWN);
    Pump(*m_dlg);
    EXPECT_EQ(::GetCapture(), List().m_hWnd) << "the drag has begun";
    for (LONG y = from.y; y <= to.y; y += 4) {
        SendMouseAt({from.x, y});
        Pump(*m_dlg, 10);
    }
    SendMouseAt(to);
    Pump(*m_dlg);
    EXPECT_EQ(List().GetInsertIndex(), 3);

    SendMouseAt(BelowTheItems());
    Pump(*m_dlg);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    EXPECT_EQ(::GetCursor(), ::LoadCursor(nullptr, IDC_NO));

    SendMouseAt(to);
    Pump(*m_dlg);
    SendMouseAt(to, MOUSEEVENTF_LEFTUP);
    Pump(*m_dlg);
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
    SendMouseAt(from, MOUSEEVENTF_LEFTDOWN);
    Pump(*m_dlg);
    for (LONG y = from.y; y >= to.y; y -= 4) {
        SendMouseAt({from.x, y});
        Pump(*m_dlg, 10);
    }
    SendMouseAt(to, MOUSEEVENTF_LEFTUP);
    Pump(*m_dlg);
    EXPECT_EQ(::GetCapture(), nullptr);
    EXPECT_EQ(List().GetInsertIndex(), -1);
    ExpectOrder("abcde");
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), Paths("abcde"));
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
    PostKey(List(), VK_DELETE);
    Pump(*m_dlg);
    EXPECT_EQ(ShownTip(), "C:\\s\\d.zel");
    ClickItem(2);
    EXPECT_EQ(RestOn(BesideItemPoint(2)), "C:\\s\\d.zel");
    PostKey(List(), VK_DOWN, true);
    Pump(*m_dlg);
    EXPECT_EQ(ShownTip(), "C:\\s\\e.zel");
    ExpectOrder("abed");
}

TEST_F(DragListTest, NoPathTipShowsWhileADragOrAnEditIsUnderWay)
{
    OpenFive();
    PlaceCursor(ItemPoint(1));
    SendMouseAt(ItemPoint(1), MOUSEEVENTF_LEFTDOWN);
    Pump(*m_dlg);
    ASSERT_EQ(::GetCapture(), List().m_hWnd) << "the drag has begun";
    EXPECT_EQ(RestOn(ItemPoint(3)), "");
    SendMouseAt(ItemPoint(1));
    SendMouseAt(ItemPoint(1), MOUSEEVENTF_LEFTUP);   // dropped onto itself
    Pump(*m_dlg);

    ClickItem(1);
    PostKey(List(), VK_F2);
    Pump(*m_dlg);
    ASSERT_TRUE(List().IsEditing());
    EXPECT_EQ(RestOn(ItemPoint(3)), "");
    PostKey(*List().GetInPlaceEdit(), VK_ESCAPE);
    Pump(*m_dlg);
    EXPECT_EQ(RestOn(BesideItemPoint(3)), "C:\\s\\d.zel");
    ExpectOrder("abcde");
}

}  // namespace
