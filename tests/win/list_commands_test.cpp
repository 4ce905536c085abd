// The list's own job by keyboard: the focus item follows the highlight, the
// selected entry starts with Ctrl+Enter, Ctrl+C copies its path, and the menu
// key or Shift+F10 opens a menu of every command at the focus entry.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunDialogTest.h"
#include "launch/Launch.h"
#include "listctrl/InPlaceCtrl.h"

using namespace wintest;

namespace {

const V kPaths = {"C:\\s\\a.zel", "C:\\s\\b.zel", "C:\\s\\c.zel"};

// A menu item as the user sees it.
struct Item {
    std::string text;   // "-" for a separator
    bool bEnabled = true;
    bool bDefault = false;
    bool operator==(const Item& o) const { return text == o.text && bEnabled == o.bEnabled && bDefault == o.bDefault; }
};

void PrintTo(const Item& item, std::ostream* os)
{
    *os << "\"" << item.text << "\"" << (item.bEnabled ? "" : " disabled") << (item.bDefault ? " default" : "");
}

// Reads the pop-up menu this thread tracks once it waits for the user, and
// where it shows, then dismisses it with Escape.
class MenuReader {
public:
    explicit MenuReader(HWND hKeysTo) : m_hKeysTo(hKeysTo)
    {
        s_pReader = this;
        m_hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, Hook, nullptr, ::GetCurrentThreadId());
    }
    ~MenuReader()
    {
        ::UnhookWindowsHookEx(m_hHook);
        s_pReader = nullptr;
    }
    MenuReader(const MenuReader&) = delete;
    MenuReader& operator=(const MenuReader&) = delete;

    int Opened() const { return m_nOpened; }
    const std::vector<Item>& Items() const { return m_items; }
    const CRect& Place() const { return m_rcMenu; }

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (nCode == HC_ACTION && s_pReader != nullptr) {
            if (msg->message == WM_INITMENUPOPUP)
                s_pReader->m_hMenu = reinterpret_cast<HMENU>(msg->wParam);
            else if (msg->message == WM_ENTERIDLE && msg->wParam == MSGF_MENU && s_pReader->m_hMenu != nullptr)
                s_pReader->Read(reinterpret_cast<HWND>(msg->lParam));
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    void Read(HWND hMenuWnd)
    {
        ++m_nOpened;
        m_items.clear();
        const int nDefault = static_cast<int>(::GetMenuDefaultItem(m_hMenu, FALSE, 0));
        for (int i = 0; i < ::GetMenuItemCount(m_hMenu); ++i) {
            char text[64] = {};
            MENUITEMINFOA info{};
            info.cbSize = sizeof info;
            info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING;
            info.dwTypeData = text;
            info.cch = sizeof text;
            ::GetMenuItemInfoA(m_hMenu, static_cast<UINT>(i), TRUE, &info);
            if ((info.fType & MFT_SEPARATOR) != 0)
                m_items.push_back({"-"});
            else
                m_items.push_back({text, (info.fState & MFS_GRAYED) == 0, static_cast<int>(info.wID) == nDefault});
        }
        ::GetWindowRect(hMenuWnd, &m_rcMenu);
        m_hMenu = nullptr;
        PostKey(m_hKeysTo, VK_ESCAPE);
    }

    static inline MenuReader* s_pReader = nullptr;
    HWND m_hKeysTo;
    HHOOK m_hHook = nullptr;
    HMENU m_hMenu = nullptr;
    int m_nOpened = 0;
    std::vector<Item> m_items;
    CRect m_rcMenu;
};

class ListCommandsTest : public RunDialogTest {
protected:
    void OpenRecording(const V& paths)
    {
        OpenWith(paths);
        RecordStarts();
    }
    void Press(UINT vk, const std::vector<UINT>& held = {}, bool bAlt = false)
    {
        const HeldKeys keys(held);
        PostKey(::GetFocus(), vk, bAlt);
        Pump(*m_dlg);
    }
    // The keyboard's menu key, or Shift+F10 (a system key, as F10 always is).
    void OpenMenu(bool bShiftF10 = false)
    {
        if (!bShiftF10) {
            Press(VK_APPS);
            return;
        }
        const HeldKeys shift({VK_SHIFT});
        const LPARAM lParam = 1 | (static_cast<LPARAM>(::MapVirtualKeyA(VK_F10, MAPVK_VK_TO_VSC)) << 16);
        ::PostMessageA(List(), WM_SYSKEYDOWN, VK_F10, lParam);
        ::PostMessageA(List(), WM_SYSKEYUP, VK_F10, lParam | (LPARAM(3) << 30));
        Pump(*m_dlg);
    }
    // Opens the menu and chooses the item by its underlined letter.
    void Choose(char mnemonic)
    {
        PostKey(List(), VK_APPS);
        ::PostMessageA(List(), WM_CHAR, static_cast<WPARAM>(mnemonic), 1);
        Pump(*m_dlg);
    }
    std::string CommandLineOf(int i) { return Narrow(launch::PlayerCommandLine(List().Paths().GetAt(i)).value_or(L"?")); }
};

TEST_F(ListCommandsTest, TheFocusItemFollowsEveryKeyThatMovesTheHighlight)
{
    OpenRecording({"C:\\s\\a.zel", "C:\\s\\b.zel", "C:\\s\\c.zel", "C:\\s\\bb.zel", "C:\\s\\d.zel"});
    struct Step {
        UINT vk;
        int nExpected;
    };
    // The first key highlights the first entry.
    const Step steps[] = {{VK_DOWN, 0}, {VK_END, 4}, {VK_HOME, 0}, {VK_DOWN, 1}, {VK_NEXT, 4}, {VK_UP, 3}, {VK_PRIOR, 0}};
    for (const Step& step : steps) {
        Press(step.vk);
        EXPECT_EQ(List().GetCurSel(), step.nExpected) << step.vk;
        EXPECT_EQ(List().GetFocusItem(), step.nExpected) << step.vk;
    }
    PostChars(List(), "b");   // type-ahead
    Pump(*m_dlg);
    EXPECT_EQ(List().GetFocusItem(), 1);
    // Ctrl+Enter starts the highlighted entry; Enter alone still ends the dialog.
    Press(VK_RETURN, {VK_CONTROL});
    EXPECT_EQ(m_started, V{CommandLineOf(1)});
    EXPECT_FALSE(m_dlg->HasEnded());
    CloseWith(VK_RETURN);
    EXPECT_EQ(m_started.size(), 1u);
}

TEST_F(ListCommandsTest, CtrlCPutsTheFocusEntrysFullPathOnTheClipboard)
{
    EmptyTheClipboard();
    OpenRecording(kPaths);
    Press('C', {VK_CONTROL});   // no focus entry yet: the clipboard stays empty
    EXPECT_EQ(ClipboardText(CF_TEXT), "");
    Press(VK_DOWN);
    Press(VK_END);
    Press('C', {VK_CONTROL});
    EXPECT_EQ(ClipboardText(CF_TEXT), kPaths[2]);
    EXPECT_EQ(ClipboardText(CF_UNICODETEXT), kPaths[2]);
}

TEST_F(ListCommandsTest, TheMenuKeyAndShiftF10OpenEveryCommandBelowTheFocusEntry)
{
    OpenRecording(kPaths);
    ClickItem(2);
    MenuReader menu(List());
    OpenMenu();
    ASSERT_EQ(menu.Opened(), 1);
    const std::vector<Item> expected = {
        {"&Launch\tCtrl+Enter", true, true}, {"-"},
        {"Rena&me\tF2"}, {"&Browse..."}, {"&Copy path\tCtrl+C"}, {"&Delete\tDel"}, {"-"},
        {"Move U&p\tAlt+Up"}, {"Move Do&wn\tAlt+Down", false}, {"-"},
        {"&New\tInsert"}, {"-"},
        {"&Undo\tCtrl+Z", false}, {"&Redo\tCtrl+Y", false},
    };
    EXPECT_EQ(menu.Items(), expected);
    CRect rcItem = List().GetItemRect(2);
    ::MapWindowPoints(List(), nullptr, reinterpret_cast<POINT*>(&rcItem), 2);
    EXPECT_EQ(menu.Place().left, rcItem.left);
    EXPECT_EQ(menu.Place().top, rcItem.bottom);
    EXPECT_FALSE(List().IsEditing()) << "the menu was dismissed";

    OpenMenu(true);
    ASSERT_EQ(menu.Opened(), 2);
    EXPECT_EQ(menu.Items(), expected);

    // Emptied, the list offers only what needs no entry.
    for (int i = 0; i < 3; ++i) {
        ClickItem(0);
        Press(VK_DELETE);
    }
    ASSERT_EQ(List().GetCount(), 0);
    OpenMenu();
    EXPECT_EQ(menu.Items(), (std::vector<Item>{{"&New\tInsert"}, {"-"}, {"&Undo\tCtrl+Z"}, {"&Redo\tCtrl+Y", false}}));
    EXPECT_TRUE(m_started.empty());
}

TEST_F(ListCommandsTest, EachMenuItemRunsItsCommandOnTheFocusEntry)
{
    EmptyTheClipboard();
    OpenRecording(kPaths);
    List().m_fnOpenFileDialog = [] { return std::optional<std::wstring>(L"D:\\new\\browsed.zel"); };
    ClickItem(1);
    struct Step {
        char mnemonic;
        V texts;
        int nSelected;
    };
    const Step steps[] = {
        {'w', {"a", "c", "b"}, 2},   // Move Down
        {'p', {"a", "b", "c"}, 1},   // Move Up
        {'d', {"a", "c"}, -1},       // Delete
        {'u', {"a", "b", "c"}, 1},   // Undo
        {'r', {"a", "c"}, -1},       // Redo
        {'u', {"a", "b", "c"}, 1},
    };
    for (const Step& step : steps) {
        Choose(step.mnemonic);
        EXPECT_EQ(ItemTexts(List()), step.texts) << step.mnemonic;
        EXPECT_EQ(List().GetCurSel(), step.nSelected) << step.mnemonic;
    }
    Choose('l');
    EXPECT_EQ(m_started, V{CommandLineOf(1)});
    Choose('c');
    EXPECT_EQ(ClipboardText(CF_TEXT), kPaths[1]);

    Choose('m');   // Rename
    EXPECT_EQ(List().GetEditItem(), 1);
    Press(VK_ESCAPE);
    Choose('b');   // Browse: the edit opens and the file chosen goes into it
    EXPECT_EQ(List().GetEditItem(), 1);
    EXPECT_EQ(Narrow(List().GetInPlaceEdit()->GetWindowText()), "browsed");
    EXPECT_EQ(Narrow(List().Paths().GetAt(1)), "D:\\new\\browsed.zel");
    Press(VK_ESCAPE);
    Choose('n');   // New
    EXPECT_EQ(List().GetEditItem(), 3);
}

}  // namespace
