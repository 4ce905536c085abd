// The in-place controls under a parent that records their reports, and lists
// with their own hooks, edit style and file dialog answer, each inside a real
// dialog driven through its modal loop.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "ListState.h"
#include "WinTest.h"
#include "app/resource.h"

using namespace wintest;

// Reports compare by sender, code and parameter; the cursor position is not checked.
static bool operator==(const InPlaceNotify& a, const InPlaceNotify& b)
{
    return a.hwndFrom == b.hwndFrom && a.nCode == b.nCode && a.nParam == b.nParam;
}

static void PrintTo(const InPlaceNotify& n, std::ostream* os)
{
    *os << "{from " << n.hwndFrom << ", code " << n.nCode << ", param " << n.nParam << "}";
}

namespace {

// The launcher's dialog template with a list of the test's choosing.
template <class TList>
class HostDialog : public CDialog {
public:
    HostDialog() : CDialog(IDD_RUN_DIALOG) {}
    TList m_list;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Control(pDX, IDC_RUNLIST, m_list); }
};

template <class TList, class TInput>
class HostedTest : public ::testing::Test, public TInput {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dlg.Create());
        ::SetForegroundWindow(m_dlg);
        Pump(m_dlg);
    }
    void TearDown() override { m_dlg.FinishModal(); }
    CDialog& Driven() override { return m_dlg; }

    HostDialog<TList> m_dlg;
};

InPlaceNotify Note(HWND hFrom, int nCode, UINT_PTR nParam)
{
    return {hFrom, nCode, nParam, 0, 0};
}

UINT_PTR Handle(HWND hWnd)
{
    return reinterpret_cast<UINT_PTR>(hWnd);
}

// A parent that records the controls' reports and answers each with m_reply.
class RecordingParent : public CWnd {
public:
    LRESULT m_reply = 0;
    std::vector<InPlaceNotify> m_notes;
    std::function<void(const InPlaceNotify&)> m_onNote;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message != InPlaceCtrlMessage())
            return CWnd::WindowProc(message, wParam, lParam);
        const InPlaceNotify note = *reinterpret_cast<const InPlaceNotify*>(lParam);
        m_notes.push_back(note);
        if (m_onNote)
            m_onNote(note);
        return m_reply;
    }
};

class InPlaceControlTest : public HostedTest<CListBox, DialogInput> {
protected:
    void SetUp() override
    {
        HostedTest::SetUp();
        ASSERT_TRUE(m_parent.CreateEx(0, L"STATIC", L"", WS_CHILD | WS_VISIBLE, CRect(10, 40, 190, 140), &m_dlg, 3000));
        ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_BORDER, CRect(), &m_parent, 1));
        ASSERT_TRUE(m_button.Create(L"...", WS_CHILD, CRect(), &m_parent, 2));
        m_edit.SetWindowText(L"abc");
    }
    void ShowBoth()
    {
        m_edit.ShowAt(kEditRect);
        m_button.ShowAt(kButtonRect);
        Pump(m_dlg);
    }

    const CRect kEditRect{5, 5, 100, 25};
    const CRect kButtonRect{100, 5, 125, 25};
    RecordingParent m_parent;
    CInPlaceEdit m_edit;
    CInPlaceButton m_button;
};

TEST_F(InPlaceControlTest, EnterAndEscapeInTheEditAreConsumedEvenWhenTheParentRefuses)
{
    ShowBoth();
    ASSERT_EQ(::GetFocus(), m_edit.m_hWnd);
    Press(m_edit, VK_RETURN);
    Press(m_edit, VK_ESCAPE);
    EXPECT_FALSE(m_dlg.HasEnded());
    EXPECT_TRUE(m_edit.IsWindowVisible());
    EXPECT_EQ(Narrow(m_edit.GetWindowText()), "abc");   // no line break went in
    EXPECT_EQ(m_parent.m_notes, (std::vector<InPlaceNotify>{Note(m_edit, IPN_KEY, VK_RETURN),
                                                            Note(m_edit, IPN_KEY, VK_ESCAPE)}));

    // A consenting parent lets the edit hide and gets the focus back.
    m_parent.m_reply = 1;
    Press(m_edit, VK_RETURN);
    EXPECT_FALSE(m_edit.IsWindowVisible());
    EXPECT_EQ(::GetFocus(), m_parent.m_hWnd);
    EXPECT_FALSE(m_dlg.HasEnded());
}

TEST_F(InPlaceControlTest, EscapeOnTheButtonIsReportedAndConsumedButNeverHidesIt)
{
    ShowBoth();
    m_button.SetFocus();
    m_parent.m_notes.clear();
    m_parent.m_reply = 1;
    Press(m_button, VK_ESCAPE);
    EXPECT_EQ(m_parent.m_notes, std::vector<InPlaceNotify>{Note(m_button, IPN_KEY, VK_ESCAPE)});
    EXPECT_TRUE(m_button.IsWindowVisible());
    EXPECT_FALSE(m_dlg.HasEnded());
}

TEST_F(InPlaceControlTest, AClickOnTheButtonFirstReportsTheEditsFocusLossThenTheClick)
{
    ShowBoth();
    // Taking the focus from the button while its click is handled, as a file
    // dialog would, reports no loss of focus.
    m_parent.m_onNote = [](const InPlaceNotify& n) {
        if (n.nCode == IPN_BUTTON)
            ::SetFocus(::GetParent(n.hwndFrom));
    };
    ClickCenter(m_button);
    EXPECT_EQ(m_parent.m_notes, (std::vector<InPlaceNotify>{Note(m_edit, IPN_KILLFOCUS, Handle(m_button)),
                                                            Note(m_button, IPN_BUTTON, 2)}));

    // Outside the click the button reports it; a loss to no window names none.
    m_parent.m_notes.clear();
    m_button.SetFocus();
    m_parent.SetFocus();
    m_edit.SetFocus();
    ::SetFocus(nullptr);
    EXPECT_EQ(m_parent.m_notes, (std::vector<InPlaceNotify>{Note(m_button, IPN_KILLFOCUS, Handle(m_parent)),
                                                            Note(m_edit, IPN_KILLFOCUS, 0)}));
    EXPECT_TRUE(m_edit.IsWindowVisible());   // reply 0: both stay
}

TEST_F(InPlaceControlTest, ShowAtAndHideActOnlyFromTheOtherState)
{
    m_edit.ShowAt(CRect(5, 5, 5, 25));   // empty: stays hidden
    EXPECT_FALSE(m_edit.IsWindowVisible());
    m_button.ShowAt(kButtonRect);
    EXPECT_NE(::GetFocus(), m_button.m_hWnd);

    m_edit.ShowAt(kEditRect);
    EXPECT_EQ(RectInParent(m_edit), kEditRect);
    EXPECT_EQ(LOWORD(m_edit.SendMessage(EM_GETMARGINS)), 2);
    EXPECT_EQ(::GetFocus(), m_edit.m_hWnd);
    m_edit.SetSel(1, 1);
    m_edit.ShowAt(CRect(0, 0, 50, 50));   // visible: neither moved nor selected again
    EXPECT_EQ(RectInParent(m_edit), kEditRect);
    EXPECT_EQ(m_edit.SendMessage(EM_GETSEL), MAKELRESULT(1, 1));

    m_edit.Hide();
    EXPECT_EQ(::GetFocus(), m_parent.m_hWnd);
    m_button.SetFocus();
    m_edit.Hide();   // hidden already: the focus stays
    EXPECT_EQ(::GetFocus(), m_button.m_hWnd);

    // Inside a hidden dialog the controls count as hidden and report nothing.
    m_edit.ShowAt(kEditRect);
    m_parent.m_notes.clear();
    ::ShowWindow(m_dlg, SW_HIDE);
    ::SetFocus(nullptr);
    EXPECT_TRUE(m_parent.m_notes.empty());
}

// A list with hooks, edit style and file dialog answer set by the test.
class TestList : public CRunListBox {
public:
    BOOL m_bCanEdit = TRUE;
    BOOL m_bAccept = TRUE;
    std::vector<int> m_canEditAsked;
    std::optional<std::string> m_chosenFile;
    int m_fileDialogs = 0;

    void SetEditStyle(DWORD dwStyle) { m_edit.m_dwEditStyle = dwStyle; }
    void SetEditable(BOOL bEditable) { m_bEditable = bEditable; }
    void Fill(const V& names)
    {
        for (const std::string& name : names)
            AppendEntry({Widen(name), Widen("C:\\" + name + ".zel")});
    }
    BOOL CanEdit(int nIndex) override
    {
        m_canEditAsked.push_back(nIndex);
        return m_bCanEdit;
    }
    BOOL AcceptEdit(int, BOOL) override { return m_bAccept; }

protected:
    std::optional<std::wstring> RunOpenFileDialog() override
    {
        ++m_fileDialogs;
        return Widen(m_chosenFile);
    }
};

class InPlaceListTest : public HostedTest<TestList, ListInput> {
protected:
    TestList& List() { return m_dlg.m_list; }
    CListBoxEx& DrivenList() override { return List(); }
};

TEST_F(InPlaceListTest, WithoutTheBrowseBitTheEditEndsFiveBeforeTheRightEdgeAndNoButtonShows)
{
    List().SetEditStyle(0);
    List().Fill({"a", "b"});
    EditByF2(1);
    ASSERT_EQ(List().GetEditItem(), 1);
    EXPECT_EQ(RectInParent(Edit()), InPlaceRectsOver(List().GetItemRect(1), 96, false).edit);
    EXPECT_FALSE(Button().IsWindowVisible());
}

TEST_F(InPlaceListTest, CanEditRefusingOrEditingSwitchedOffBlocksF2AndARightClick)
{
    List().Fill({"a", "b"});
    List().m_bCanEdit = FALSE;
    EditByF2(1);
    RightClickItem(0);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(List().m_canEditAsked, (std::vector<int>{1, 0}));

    List().m_bCanEdit = TRUE;
    List().SetEditable(FALSE);
    Press(List(), VK_F2);
    RightClickItem(0);
    BeginNew();
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(List().GetCount(), 2);
}

TEST_F(InPlaceListTest, ANewEntryIsAppendedAtTheEndWithoutAskingCanEdit)
{
    List().Fill({"a", "b"});
    List().m_bCanEdit = FALSE;
    List().BeginEdit(7);   // any index past the end: the new entry is at the end
    Pump(m_dlg);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", ""}));
    EXPECT_EQ(List().GetEditItem(), 2);
    EXPECT_TRUE(List().m_canEditAsked.empty());
    BeginNew();   // an edit is under way: nothing more is appended
    EXPECT_EQ(List().GetCount(), 3);
    Type("c");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
}

TEST_F(InPlaceListTest, WhenAcceptEditRefusesTheOldTextStaysAndTheEditStillEnds)
{
    List().Fill({"a", "b"});
    List().m_bAccept = FALSE;
    EditByF2(0, "typed", VK_RETURN);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
}

TEST_F(InPlaceListTest, AChosenFileNamesTheEditAndSetsThePathAtOnce)
{
    List().Fill({"a", "b"});
    List().m_chosenFile = "D:\\scenes\\water.v2.zel";
    EditByF2(0);
    ClickCenter(Button());
    EXPECT_EQ(List().m_fileDialogs, 1);
    EXPECT_EQ(List().GetEditItem(), 0);
    EXPECT_EQ(Narrow(Edit().GetWindowText()), "water.v2");
    EXPECT_EQ(::GetFocus(), Edit().m_hWnd);
    EXPECT_EQ(Narrow(List().Paths().GetAt(0)), "D:\\scenes\\water.v2.zel");
    EXPECT_EQ(Narrow(List().GetText(0)), "a");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"water.v2", "b"}));

    // Escape keeps the old name but not the old path.
    EditByF2(1);
    ClickCenter(Button());
    Press(Edit(), VK_ESCAPE);
    EXPECT_EQ(ItemTexts(List()), (V{"water.v2", "b"}));
    EXPECT_EQ(PathHead(List()), (V{"D:\\scenes\\water.v2.zel", "D:\\scenes\\water.v2.zel"}));

    // On a new entry Escape leaves it nameless with the chosen path.
    BeginNew();
    ClickCenter(Button());
    Press(Edit(), VK_ESCAPE);
    EXPECT_EQ(ItemTexts(List()), (V{"water.v2", "b", ""}));
    EXPECT_EQ(Narrow(List().Paths().GetAt(2)), "D:\\scenes\\water.v2.zel");
}

TEST_F(InPlaceListTest, ACancelledFileDialogChangesNothing)
{
    List().Fill({"a"});
    EditByF2(0, "typed");
    ClickCenter(Button());
    EXPECT_EQ(List().m_fileDialogs, 1);
    EXPECT_EQ(List().GetEditItem(), 0);
    EXPECT_EQ(Narrow(Edit().GetWindowText()), "typed");
    EXPECT_EQ(Narrow(List().Paths().GetAt(0)), "C:\\a.zel");
    EXPECT_EQ(Narrow(List().GetText(0)), "a");
}

TEST_F(InPlaceListTest, EntriesAddedBeyondThePathTableGrowIt)
{
    ASSERT_EQ(List().Paths().GetSize(), 0);   // a list never loaded has no room yet
    for (int i = 0; i < 4; ++i) {
        List().m_chosenFile = "C:\\s" + std::to_string(i) + ".zel";
        BeginNew();
        ClickCenter(Button());
        Press(Edit(), VK_RETURN);
    }
    ASSERT_EQ(List().GetCount(), 4);
    EXPECT_GE(List().Paths().GetSize(), 4);
    EXPECT_EQ(ItemTexts(List()), (V{"s0", "s1", "s2", "s3"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\s0.zel", "C:\\s1.zel", "C:\\s2.zel", "C:\\s3.zel"}));
}

}  // namespace
