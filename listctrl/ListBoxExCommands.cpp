// The list's commands for the keyboard and screen readers: Ctrl+Enter and the
// accessible default action start an entry, Ctrl+C copies its path, the menu
// key and Shift+F10 open a menu of every command (ListCommands.h) on the focus
// item, which follows the selection.
#include "listctrl/ListBoxEx.h"

#include "fw/Clipboard.h"
#include "fw/Keyboard.h"
#include "fw/Menu.h"

using listcommands::Command;
using listcommands::CommandInfo;

namespace {

// The keys the list takes before anything else sees them.
enum class OwnKey { None, Launch, Menu, MenuKeyRelease };

// The menu key and Shift+F10 are taken whole (press and release): the
// system's default handling would open a second menu from them or, for F10,
// the window's system menu.
OwnKey OwnKeyOf(const MSG& msg)
{
    const bool bDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    if (bDown && msg.wParam == VK_RETURN && IsCtrlChord())
        return OwnKey::Launch;
    if (bDown && (msg.wParam == VK_APPS || (msg.wParam == VK_F10 && IsKeyDown(VK_SHIFT) && !IsKeyDown(VK_CONTROL))))
        return OwnKey::Menu;
    if ((msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) && msg.wParam == VK_APPS)
        return OwnKey::MenuKeyRelease;
    return OwnKey::None;
}

}  // namespace

UINT CListBoxEx::LaunchMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"NimbrelRun_ListLaunch");
    return message;
}

void CListBoxEx::FollowSelection()
{
    const int nSelected = GetCurSel();
    if (nSelected != -1)
        m_nFocusItem = nSelected;
}

// Every selection the list's commands set goes through here.
LRESULT CListBoxEx::OnSetCurSel()
{
    const LRESULT result = Default();
    FollowSelection();
    return result;
}

BOOL CListBoxEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE)
        FollowSelection();
    return CDragListBox::OnChildNotify(message, wParam, lParam, pResult);
}

// Only keys for the list itself: in the in-place controls Enter ends the edit.
BOOL CListBoxEx::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->hwnd != m_hWnd || IsEditing())
        return CDragListBox::PreTranslateMessage(pMsg);
    switch (OwnKeyOf(*pMsg)) {
    case OwnKey::Launch: LaunchEntry(GetCurSel()); return TRUE;
    case OwnKey::Menu: ShowCommandMenu(); return TRUE;
    case OwnKey::MenuKeyRelease: return TRUE;
    case OwnKey::None: break;
    }
    return CDragListBox::PreTranslateMessage(pMsg);
}

void CListBoxEx::PostLaunch(int nIndex) const
{
    ::PostMessageW(m_hWnd, LaunchMessage(), static_cast<WPARAM>(nIndex), 0);
}

LRESULT CListBoxEx::OnLaunchMessage(WPARAM nIndex)
{
    if (nIndex < static_cast<WPARAM>(GetCount()))
        LaunchEntry(static_cast<int>(nIndex));
    return 0;
}

void CListBoxEx::OnCopyKey()
{
    if (IsCtrlChord() && !IsKeyDown(VK_SHIFT))
        CopyPath(m_nFocusItem);
}

bool CListBoxEx::CopyPath(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount() || m_entries.PathAt(nIndex).empty())
        return false;
    return SetClipboardText(m_hWnd, m_entries.PathAt(nIndex));
}

listcommands::ListState CListBoxEx::CommandState()
{
    listcommands::ListState state;
    state.nFocus = m_nFocusItem;
    state.nCount = GetCount();
    state.bEditingOn = m_bEditable != FALSE;
    state.bBrowsable = (m_edit.m_dwEditStyle & kBrowseStyle) != 0;
    state.bMovable = m_bMovable != FALSE;
    state.bCanUndo = History().UndoCount() > 0;
    state.bCanRedo = History().RedoCount() > 0;
    if (state.HasFocusEntry()) {
        state.bFocusHasPath = !m_entries.PathAt(m_nFocusItem).empty();
        state.bFocusEditable = state.bEditingOn && CanEdit(m_nFocusItem);
    }
    return state;
}

// Each command acts on the focus item as its key does; Browse opens the edit
// and clicks its browse button.
void CListBoxEx::RunCommand(Command command)
{
    const int nFocus = m_nFocusItem;
    switch (command) {
    case Command::Launch: LaunchEntry(nFocus); break;
    case Command::Rename: BeginEdit(nFocus); break;
    case Command::Browse:
        BeginEdit(nFocus);
        m_edit.PressBrowseButton();
        break;
    case Command::CopyPath: CopyPath(nFocus); break;
    case Command::Delete: DeleteEntry(nFocus); break;
    case Command::MoveUp: MoveUp(nFocus); break;
    case Command::MoveDown: MoveDown(nFocus); break;
    case Command::New: BeginEditNew(); break;
    case Command::Undo: Undo(); break;
    case Command::Redo: Redo(); break;
    }
}

// Only the keyboard's request (no point) opens the menu: a right press begins
// an edit, and its release asks for a menu at the pointer.
LRESULT CListBoxEx::OnContextMenu(CPoint ptScreen)
{
    if (ptScreen.x != -1 || ptScreen.y != -1)
        return Default();
    if (!IsEditing())
        ShowCommandMenu();
    return 0;
}

// The menu opens below the focus entry, scrolled into view first, and covers
// none of it; without a focus entry, at the top of the list.
void CListBoxEx::ShowCommandMenu()
{
    const listcommands::ListState state = CommandState();
    CPopupMenu menu;
    for (const CommandInfo& info : listcommands::Commands()) {
        if (!listcommands::IsOffered(info, state))
            continue;
        if (info.bStartsGroup && ::GetMenuItemCount(menu.Get()) > 0)
            menu.AppendSeparator();
        menu.AppendItem(listcommands::MenuId(info.command), listcommands::MenuLabel(info),
                        listcommands::CanAct(info.command, state));
    }
    menu.SetDefaultItem(listcommands::MenuId(Command::Launch));
    CRect rcAt(0, 0, GetClientRect().Width(), 0);
    if (state.HasFocusEntry()) {
        EnsureVisible(state.nFocus);
        rcAt = GetItemRect(state.nFocus);
    }
    ::MapWindowPoints(m_hWnd, nullptr, reinterpret_cast<POINT*>(&rcAt), 2);
    if (const CommandInfo* chosen = listcommands::FindCommand(menu.TrackBeside(m_hWnd, rcAt)))
        RunCommand(chosen->command);
}
