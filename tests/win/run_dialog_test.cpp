// The launcher's dialog with its real list: start-up, keys, and the run list
// file it reads and writes beside the executable.
#include <gtest/gtest.h>

#include <memory>

#include "ListBoxMemory.h"
#include "RunDialogTest.h"
#include "fw/Gdi.h"
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListLayout.h"
#include "runlist/DefaultEntries.h"
#include "runlist/RunListFile.h"

using namespace wintest;

namespace {

V Defaults()
{
    V paths;
    for (int i = 0; i < kDefaultEntryCount; ++i)
        paths.push_back(DefaultEntryPath(ExePath(), i));
    return paths;
}

TEST_F(RunDialogTest, FirstStartCreatesTheFileWithTheFourteenDefaults)
{
    MessageBoxWatcher boxes;
    Open();
    const std::string bytes = ReadFileBytes(RunListPath());
    ASSERT_GE(bytes.size(), 4u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x0E\x00\x00\x00", 4));
    EXPECT_EQ(SavedPaths(), Defaults());
    EXPECT_EQ(ItemTexts(List()).front(), "blend");
    EXPECT_EQ(ItemTexts(List()).back(), "movie_plane_rotate");
    EXPECT_EQ(List().Paths().GetSize(), 46);
    EXPECT_TRUE(boxes.Texts().empty());

    // The defaults lie under the parent of the executable's directory.
    const std::string exe = ExePath();
    const std::string exeDir = exe.substr(0, exe.find_last_of('\\'));
    const std::string parent = exeDir.substr(0, exeDir.find_last_of('\\') + 1);
    EXPECT_EQ(SavedPaths()[0], parent + "shaders\\dx9\\animation\\blend\\blend.zel");
}

TEST_F(RunDialogTest, TheListHasTheFocusAndItsItemsTheMeasuredHeight)
{
    Open();
    EXPECT_EQ(::GetFocus(), List().m_hWnd);
    MEASUREITEMSTRUCT mis{};
    List().MeasureItem(&mis);
    EXPECT_GT(mis.itemHeight, 0u);
    EXPECT_EQ(List().SendMessage(LB_GETITEMHEIGHT, 0), static_cast<LRESULT>(mis.itemHeight));
    EXPECT_EQ(List().GetItemRect(1).top - List().GetItemRect(0).top, static_cast<int>(mis.itemHeight));
}

TEST_F(RunDialogTest, EnterEscapeAndTheCloseBoxAllSaveTheList)
{
    for (UINT how : {UINT(VK_RETURN), UINT(VK_ESCAPE), UINT(0)}) {
        OpenWith(ScenePaths("ab", "C:\\"));
        ClickItem(0);
        Press(List(), VK_DELETE);
        if (how != 0)
            CloseWith(how);
        else
            CloseWithCloseBox();
        EXPECT_EQ(SavedPaths(), ScenePaths("b", "C:\\")) << "closed with key " << how;
    }
}

// Once saved, the dialog lets go of its window before the windows go: the
// list's report of every deleted item (one per entry, each costing wine server
// round trips through the binding) made closing a long list take seconds.
TEST_F(RunDialogTest, ClosingSavesThenLetsGoOfTheWindowBeforeTheItemsAreDeleted)
{
    class CCountingRunDlg : public CRunDlg {
    public:
        int m_nDeleteReports = 0;

    protected:
        LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
        {
            if (message == WM_DELETEITEM)
                ++m_nDeleteReports;
            return CRunDlg::WindowProc(message, wParam, lParam);
        }
    };
    const V paths = {"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"};
    WriteFileBytes(RunListPath(), SerializeRunList(paths));
    CCountingRunDlg dlg;
    ASSERT_TRUE(dlg.Create());
    Pump(dlg);
    ::PostMessageA(dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
    Pump(dlg);
    ASSERT_TRUE(dlg.HasEnded());
    const HWND hWnd = dlg;
    dlg.FinishModal();
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_nDeleteReports, 0);
    EXPECT_EQ(SavedPaths(), paths);
}

// The entry the user sees highlighted is the one Delete removes, however the
// highlight got there.
TEST_F(RunDialogTest, DeleteRemovesTheHighlightedEntry)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel"});
    Press(List(), VK_DELETE);   // nothing highlighted yet: nothing happens
    EXPECT_EQ(List().GetCount(), 4);

    ClickItem(0);
    PostKey(List(), VK_DOWN, true);   // "a" moves two rows down, highlighted
    PostKey(List(), VK_DOWN, true);
    Press(List(), VK_DELETE);
    EXPECT_EQ(ItemTexts(List()), (V{"b", "c", "d"}));
    ClickItem(0);
    PostKey(List(), VK_DOWN);   // the arrow keys move it too
    Press(List(), VK_DELETE);
    EXPECT_EQ(ItemTexts(List()), (V{"b", "d"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\b.zel", "C:\\d.zel"}));
    EXPECT_EQ(List().GetFocusItem(), 1);
    // The spare element past the items still holds the former last path.
    EXPECT_EQ(Narrow(List().Paths().GetAt(2)), "C:\\d.zel");
}

TEST_F(RunDialogTest, AltArrowsMoveTheSelectedEntryWithItsPath)
{
    OpenWith(ScenePaths("abc", "C:\\"));
    List().SetCurSel(0);
    Press(List(), VK_DOWN, true);   // Alt+Down moves down like the others
    EXPECT_EQ(ItemTexts(List()), (V{"b", "a", "c"}));
    EXPECT_EQ(List().GetCurSel(), 1);
    Press(List(), VK_RIGHT, true);
    EXPECT_EQ(ItemTexts(List()), (V{"b", "c", "a"}));
    Press(List(), VK_RIGHT, true);  // already last: nothing
    EXPECT_EQ(PathHead(List()), ScenePaths("bca", "C:\\"));
    PostKey(List(), VK_UP, true);
    PostKey(List(), VK_LEFT, true);
    Press(List(), VK_LEFT, true);   // already first: nothing
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
    EXPECT_EQ(List().GetCurSel(), 0);
    // A system key message without the Alt state (as F10 sends) moves nothing.
    ::PostMessageA(List(), WM_SYSKEYDOWN, VK_DOWN, 1);
    Pump(*m_dlg);
    EXPECT_EQ(List().GetCurSel(), 0);
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), ScenePaths("abc", "C:\\"));
}

TEST_F(RunDialogTest, AnEmptyFileStaysEmptyAndIsNotReplaced)
{
    MessageBoxWatcher boxes;
    OpenWith({});
    EXPECT_EQ(List().GetCount(), 0);
    EXPECT_EQ(List().Paths().GetSize(), 32);
    CloseWith(VK_RETURN);
    EXPECT_EQ(ReadFileBytes(RunListPath()), std::string(4, '\0'));
    EXPECT_TRUE(boxes.Texts().empty());
}

// A damaged file stays as it is until the list is changed; the save after a
// change first keeps its bytes beside it, in place of an older copy.
TEST_F(RunDialogTest, ADamagedFileKeepsWhatWasReadTellsTheUserAndStillAttachesTheStrip)
{
    MessageBoxWatcher boxes;
    std::string bytes = SerializeRunList(ScenePaths("ab", "C:\\"));
    bytes[0] = 5;                      // more entries announced than stored
    WriteFileBytes(RunListPath(), bytes);
    const std::string copy = RunListPath() + ".damaged";
    WriteFileBytes(copy, "an older copy");
    Open();
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_NE(boxes.Texts()[0].find("damaged"), std::string::npos);
    EXPECT_NE(boxes.Texts()[0].find("_zelrunlist.dat.damaged"), std::string::npos);
    EXPECT_NE(m_dlg->m_toolStrip.m_hWnd, nullptr);
    EXPECT_EQ(m_dlg->m_toolStrip.m_pList, &List());
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(ReadFileBytes(RunListPath()), bytes);
    EXPECT_EQ(ReadFileBytes(copy), "an older copy");

    Open();
    ClickItem(0);
    PostKey(List(), VK_DELETE);
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(ReadFileBytes(RunListPath()), SerializeRunList({"C:\\b.zel"}));
    EXPECT_EQ(ReadFileBytes(copy), bytes);
    ::DeleteFileA(copy.c_str());
}

TEST_F(RunDialogTest, AFileAnotherProgramHoldsIsNeitherReplacedNorOverwritten)
{
    MessageBoxWatcher boxes;
    const std::string original = SerializeRunList({"C:\\kept.zel"});
    WriteFileBytes(RunListPath(), original);
    {
        TempDir markers;
        HeldFile held(markers, RunListPath());
        ASSERT_TRUE(held.Holding());
        Open();
        EXPECT_EQ(List().GetCount(), 0);
        Press(List(), VK_ESCAPE);
        m_dlg->FinishModal();
    }
    EXPECT_EQ(boxes.Texts(), V{kRunListErrorText});
    EXPECT_EQ(ReadFileBytes(RunListPath()), original);
}

// The list of an unreadable start is never saved; changed, it is not dropped
// without a word either.
TEST_F(RunDialogTest, ListChangedAfterAnUnreadableStartIsReportedAtCloseAndTheFileKept)
{
    MessageBoxWatcher boxes;
    const std::string original = SerializeRunList({"C:\\kept.zel"});
    WriteFileBytes(RunListPath(), original);
    {
        TempDir markers;
        HeldFile held(markers, RunListPath());
        ASSERT_TRUE(held.Holding());
        Open();
        Strip().Execute(0);   // New
        Type("added");
        Press(Edit(), VK_RETURN);
        ASSERT_EQ(ItemTexts(List()), V{"added"});
        CloseWith(VK_ESCAPE);
    }
    EXPECT_EQ(boxes.Texts(), (V{kRunListErrorText, kRunListErrorText}));
    EXPECT_EQ(ReadFileBytes(RunListPath()), original);
}

// A list that cannot hold the whole file is refused whole, as an unreadable
// file is: nothing shown that could be saved over the entries left out.
TEST_F(RunDialogTest, AFileTheListCannotHoldWholeIsNeitherShownInPartNorOverwritten)
{
    MessageBoxWatcher boxes;
    const std::string original = SerializeRunList(ScenePaths("abcd", "C:\\"));
    WriteFileBytes(RunListPath(), original);
    ListBoxMemory memory(2);
    Open();
    EXPECT_EQ(List().GetCount(), 0);
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(boxes.Texts(), V{kRunListErrorText});
    EXPECT_EQ(ReadFileBytes(RunListPath()), original);
}

// Start-up's message boxes belong to the dialog: no taskbar button of their
// own, never behind it.
TEST_F(RunDialogTest, AMessageAtStartUpIsOwnedByTheDialog)
{
    MessageBoxWatcher boxes;
    WriteFileBytes(RunListPath(), std::string("\x02\0\0\0\x01x", 6));
    Open();
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_EQ(boxes.Owners(), std::vector<HWND>{m_dlg->m_hWnd});
}

TEST_F(RunDialogTest, ASaveThatCannotReplaceTheFileTellsTheUserAndKeepsTheOldFile)
{
    MessageBoxWatcher boxes;
    const std::string original = SerializeRunList(ScenePaths("ab", "C:\\"));
    WriteFileBytes(RunListPath(), original);
    Open();
    ClickItem(0);
    Press(List(), VK_DELETE);
    {
        TempDir markers;
        HeldFile held(markers, RunListPath());
        ASSERT_TRUE(held.Holding());
        CloseWith(VK_ESCAPE);
    }
    EXPECT_EQ(boxes.Texts(), V{kRunListErrorText});
    EXPECT_EQ(ReadFileBytes(RunListPath()), original);
}

// Draws one item into a memory bitmap and reads back what it painted.
class DrawItemTest : public RunDialogTest {
protected:
    static constexpr int kWidth = 80;
    static constexpr int kHeight = 20;

    // Every pixel of a bitmap, black at first, after paint(dc, rect) drew into it.
    template <class Paint>
    static std::vector<COLORREF> Painted(Paint paint)
    {
        CMemoryDC dc(nullptr);
        CBitmap bitmap(::CreateBitmap(kWidth, kHeight, 1, 32, nullptr));
        CSelectObject select(dc, bitmap);
        const CRect all(0, 0, kWidth, kHeight);
        dc.FillRect(all, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
        paint(dc, all);
        std::vector<COLORREF> pixels;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x)
                pixels.push_back(::GetPixel(dc, x, y) & 0xFFFFFF);
        }
        return pixels;
    }
    std::vector<COLORREF> DrawnItem(UINT itemID, UINT action, UINT state)
    {
        return Painted([&](CDC& dc, const CRect& all) {
            DRAWITEMSTRUCT dis{};
            dis.CtlType = ODT_LISTBOX;
            dis.itemID = itemID;
            dis.itemAction = action;
            dis.itemState = state;
            dis.hwndItem = List();
            dis.hDC = dc;
            dis.rcItem = all;
            List().DrawItem(&dis);
        });
    }
    COLORREF PixelAfterDraw(UINT itemID, UINT action, UINT state, int x, int y)
    {
        return DrawnItem(itemID, action, state)[static_cast<std::size_t>(y * kWidth + x)];
    }
};

TEST_F(DrawItemTest, SelectedItemsShowTheActiveCaptionColourAndOthersTheWindowColour)
{
    OpenWith(ScenePaths("a", "C:\\"));
    const COLORREF black = RGB(0, 0, 0);
    EXPECT_EQ(PixelAfterDraw(0, ODA_DRAWENTIRE, ODS_SELECTED, 3, 10), ::GetSysColor(COLOR_ACTIVECAPTION));
    EXPECT_EQ(PixelAfterDraw(0, ODA_SELECT, 0, 3, 10), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(PixelAfterDraw(0, ODA_FOCUS, ODS_SELECTED | ODS_FOCUS, 3, 10), black);
    EXPECT_EQ(PixelAfterDraw(static_cast<UINT>(-1), ODA_DRAWENTIRE, ODS_SELECTED, 3, 10), black);
}

// A name is drawn as it is: an "&" in it is a character, not a mnemonic mark.
TEST_F(DrawItemTest, AnAmpersandInANameIsDrawnAsItIs)
{
    OpenWith({"C:\\R&D.zel"});
    const std::vector<COLORREF> expected = Painted([](CDC& dc, CRect rc) {
        dc.FillRect(rc, ::GetSysColorBrush(COLOR_WINDOW));
        dc.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
        dc.SetBkMode(TRANSPARENT);
        rc.left += listlayout::kTextIndent;
        dc.DrawText(L"R&D", rc, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    });
    EXPECT_EQ(DrawnItem(0, ODA_DRAWENTIRE, 0), expected);
}

}  // namespace
