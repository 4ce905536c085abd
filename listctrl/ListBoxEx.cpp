#include "listctrl/ListBoxEx.h"

#include <commctrl.h>

#include "fw/Dpi.h"
#include "fw/Gdi.h"
#include "launch/Launch.h"
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListLayout.h"
#include "paths/PathRules.h"

#include <new>
#include <string_view>
#include <utility>
#include <vector>

namespace {

// Appends the names of the paths' entries (their file titles) to an empty
// list box; false at the first it refuses. Each item goes straight into the
// list box's own window procedure: the procedures over it take no part in
// inserting, and under Wine 100,000 entries took 14 s through them and 0.3 s
// past them. The list box is told the count first, so that it can make room
// for all at once (a hint: when it cannot, the items are still inserted one
// by one).
bool AppendNames(HWND hList, const std::vector<std::wstring>& paths)
{
    const WNDPROC listProc = ClassWindowProc(hList);
    std::vector<std::wstring_view> names;
    names.reserve(paths.size());
    std::size_t nTextBytes = 0;
    for (const std::wstring& path : paths) {
        names.push_back(DisplayNameIn(path));
        nTextBytes += (names.back().size() + 1) * sizeof(wchar_t);
    }
    ::CallWindowProcW(listProc, hList, LB_INITSTORAGE, paths.size(), static_cast<LPARAM>(nTextBytes));
    std::wstring name;   // one buffer for every name: each is copied by the list box
    for (const std::wstring_view title : names) {
        name.assign(title);
        if (::CallWindowProcW(listProc, hList, LB_INSERTSTRING, static_cast<WPARAM>(-1),
                              reinterpret_cast<LPARAM>(name.c_str())) < 0)
            return false;
    }
    return true;
}

}  // namespace

CListBoxEx::CListBoxEx() = default;

// The accessible object goes first (it reads the entries); the path tip,
// the in-place controls and then the entries follow as members.
CListBoxEx::~CListBoxEx()
{
    ReleaseAccessibleObject();
}

BOOL CListBoxEx::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= static_cast<LONG>(kListStyles);
    cs.dwExStyle |= WS_EX_CLIENTEDGE;
    return CDragListBox::PreCreateWindow(cs);
}

void CListBoxEx::PreSubclassWindow()
{
    ModifyStyle(0, kListStyles, SWP_SHOWWINDOW);
    ModifyStyleEx(0, WS_EX_CLIENTEDGE, SWP_SHOWWINDOW);
    CDragListBox::PreSubclassWindow();
    // A list in a dialog template measured its items while the dialog was being
    // created, before this object was attached: measure again now, so the
    // height is always the one MeasureItem gives.
    AttachParts();
    RemeasureItems();
}

void CListBoxEx::AttachParts()
{
    m_nDpi = GetWindowDpi(m_hWnd);
    CreateInPlaceControls();
}

void CListBoxEx::RemeasureItems()
{
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    MeasureItem(&mis);
    SetItemHeight(0, mis.itemHeight);
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (m_pathTip.OnListMessage(message, wParam, lParam, result))
        return result;
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_SYSKEYDOWN:
        OnSysKeyDown(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_LBUTTONDOWN:
        OnLButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
        return 0;
    case WM_LBUTTONDBLCLK:
        OnLButtonDblClk(static_cast<UINT>(wParam), CPoint(lParam));
        return 0;
    case WM_RBUTTONDOWN:
        OnRButtonDown(static_cast<UINT>(wParam), CPoint(lParam));
        return 0;
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
        // Scrolling would move the rows under an open edit box: the edit ends
        // first, as a loss of focus ends it.
        EndEditAsFocusLoss();
        return CDragListBox::WindowProc(message, wParam, lParam);
    case LB_SETCURSEL:
        return OnSetCurSel();
    case WM_CONTEXTMENU:
        return OnContextMenu(CPoint(lParam));
    default:
        if (message == InPlaceCtrlMessage())
            return OnCtrlMsg(wParam, lParam);
        if (message == LaunchMessage())
            return OnLaunchMessage(wParam);
        return CDragListBox::WindowProc(message, wParam, lParam);
    }
}

int CListBoxEx::ItemFromClientPoint(CPoint point) const
{
    ClientToScreen(&point);
    return ItemFromPt(point, FALSE);
}

// Called for every item the list paints: a selected item shows the active
// caption colour with a focus frame; focus changes alone are not drawn.
void CListBoxEx::DrawItem(DRAWITEMSTRUCT* pDIS)
{
    if (static_cast<int>(pDIS->itemID) == -1)
        return;
    if (pDIS->itemAction != ODA_DRAWENTIRE && pDIS->itemAction != ODA_SELECT)
        return;
    CDC dc(pDIS->hDC);
    const CRect rcItem(pDIS->rcItem);
    CRect rcText = rcItem;
    rcText.left += Scaled(listlayout::kTextIndent);

    const bool bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    dc.FillRect(rcItem, ::GetSysColorBrush(bSelected ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    const COLORREF oldColor = dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    // A name is shown as typed: an "&" in it marks no mnemonic.
    dc.DrawText(m_entries.NameAt(static_cast<int>(pDIS->itemID)), rcText, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    if (bSelected) {
        dc.SetTextColor(oldColor);
        // One dotted frame per pixel of the scaled line width, each inside the last.
        CRect rcFocus = rcItem;
        for (int i = 0; i < Scaled(1); ++i, ::InflateRect(&rcFocus, -1, -1))
            dc.DrawFocusRect(rcFocus);
    }
}

// All items share the height of the default font of the list's DC. That font
// is made for the system's DPI: on a monitor of another DPI the height scales.
void CListBoxEx::MeasureItem(MEASUREITEMSTRUCT* pMIS)
{
    CClientDC dc(m_hWnd);
    const TEXTMETRICW tm = dc.GetTextMetrics();
    const int nHeight = dpi::Rescale(tm.tmHeight + tm.tmExternalLeading, m_nDpi, GetSystemDpi());
    pMIS->itemHeight = static_cast<UINT>(nHeight);
}

// The entry pressed on becomes the focus item (as any selected entry does). An edit
// under way ends before the press is handled, as the focus coming to the list
// would end it; when that removes the emptied entry, the entry pressed on has
// moved and the press follows it (a press on the removed entry itself only
// takes the focus). Such a press begins no drag: its release, where the
// pointer still is, would lie over another row and move the entry there.
void CListBoxEx::OnLButtonDown(UINT, CPoint point)
{
    m_followedPress.reset();
    int nItem = ItemFromClientPoint(point);
    bool bRowsMoved = false;
    if (IsEditing()) {
        const int nEdited = GetEditItem();
        const int nCount = GetCount();
        const int nOffset = nItem != -1 ? point.y - GetItemRect(nItem).top : 0;
        EndEditAsFocusLoss();
        bRowsMoved = GetCount() < nCount;
        if (nItem != -1 && bRowsMoved) {
            if (nItem == nEdited) {
                m_followedPress = FollowedPress{-1, point};
                SetFocus();
                return;
            }
            if (nItem > nEdited)
                --nItem;
            point.y = GetItemRect(nItem).top + nOffset;
        }
    }
    if (bRowsMoved)
        m_followedPress = FollowedPress{nItem, point};
    if (nItem != -1)
        m_nFocusItem = nItem;
    m_bPressMovedRows = bRowsMoved;
    DefaultWith(GetCurrentMessage()->wParam, MAKELPARAM(point.x, point.y));
    m_bPressMovedRows = false;
}

// Called on a double-click: the entry under the pointer (not the selection) is
// played. Where there is no entry nothing is started and nothing is said. When
// its first press ended an edit and the rows moved, the double-click goes
// where that press went: to the entry it landed on, or nowhere.
void CListBoxEx::OnLButtonDblClk(UINT, CPoint point)
{
    const std::optional<FollowedPress> followed = std::exchange(m_followedPress, std::nullopt);
    if (followed && followed->nItem == -1)
        return;
    if (followed)
        point = followed->point;
    DefaultWith(GetCurrentMessage()->wParam, MAKELPARAM(point.x, point.y));
    LaunchEntry(ItemFromClientPoint(point));
}

void CListBoxEx::LaunchEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const std::optional<std::wstring> commandLine = launch::PlayerCommandLine(m_entries.PathAt(nIndex));
    if (!commandLine) {
        launch::ReportLaunchFailure(m_hWnd);
        return;
    }
    Launch(*commandLine);
}

BOOL CListBoxEx::Launch(std::wstring strCmdLine)
{
    if (m_fnStartProgram)
        return m_fnStartProgram(strCmdLine);
    return launch::StartProgram(std::move(strCmdLine), m_hWnd, m_procInfo);
}

void CListBoxEx::OnKeyDown(UINT nChar, UINT, UINT)
{
    Default();
    switch (nChar) {
    case VK_F2:
        if (m_nFocusItem != -1 && m_bEditable && CanEdit(m_nFocusItem))
            BeginEdit(m_nFocusItem);
        break;
    case VK_DELETE:
        if (m_nFocusItem != -1)
            DeleteEntry(m_nFocusItem);
        break;
    case VK_INSERT:   // the strip's New, for the keyboard
        if (!IsEditing())
            BeginEditNew();
        break;
    case 'Z':
    case 'Y':
        OnHistoryKey(nChar);
        break;
    case 'C':
        OnCopyKey();
        break;
    default:
        break;
    }
}

// Alt+Left/Up moves the selected entry up, Alt+Right/Down down. The Alt state
// is read from the key's flags, so F10 (which also arrives here) moves nothing.
void CListBoxEx::OnSysKeyDown(UINT nChar, UINT, UINT nFlags)
{
    if ((nFlags & KF_ALTDOWN) != 0 && m_bMovable) {
        switch (nChar) {
        case VK_LEFT:
        case VK_UP:
            MoveUp(GetCurSel());
            break;
        case VK_RIGHT:
        case VK_DOWN:
            MoveDown(GetCurSel());
            break;
        default:
            break;
        }
    }
    Default();
}

bool CListBoxEx::LoadEntries(std::vector<std::wstring> paths)
{
    // A large list is filled without repainting after every item.
    SendMessage(WM_SETREDRAW, FALSE);
    if (GetCount() > 0)
        SendMessage(LB_RESETCONTENT);
    const bool bTaken = AppendNames(m_hWnd, paths);
    if (!bTaken) {
        SendMessage(LB_RESETCONTENT);
        paths.clear();
    }
    try {
        m_entries.Load(std::move(paths));
    } catch (const std::bad_alloc&) {
        // The items shown must be the entries held: none, as the load says.
        SendMessage(LB_RESETCONTENT);
        SendMessage(WM_SETREDRAW, TRUE);
        throw;
    }
    SendMessage(WM_SETREDRAW, TRUE);
    // Turning redrawing back on does not recompute the scroll bar everywhere
    // (Wine's list box keeps it hidden); a frame change does.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    Invalidate();
    return bTaken;
}

// Every change of items below inserts before it deletes: an insert is what can
// fail (the list box out of memory), and when it does nothing has changed yet.
int CListBoxEx::InsertItem(int nIndex, const std::wstring& text, DWORD_PTR data)
{
    const int nNew = InsertString(nIndex, text);
    if (nNew < 0)
        return -1;
    SetItemData(nNew, data);
    return nNew;
}

bool CListBoxEx::ReplaceItem(int nIndex, const std::wstring& text, DWORD_PTR data)
{
    // Redrawing is off while the item is doubled, so it is never drawn twice.
    SendMessage(WM_SETREDRAW, FALSE);
    const bool bDone = InsertItem(nIndex, text, data) != -1;
    if (bDone) {
        DeleteString(nIndex + 1);
        m_entries.SetName(nIndex, text);
    }
    SendMessage(WM_SETREDRAW, TRUE);
    return bDone;
}

bool CListBoxEx::SetItemText(int nIndex, const std::wstring& text)
{
    return ReplaceItem(nIndex, text, GetItemData(nIndex));
}

bool CListBoxEx::MoveItem(int nFrom, int nTo)
{
    // Inserted where it lands once the original is gone, which lies above it
    // or below it.
    const int nInsertAt = nTo > nFrom ? nTo + 1 : nTo;
    if (InsertItem(nInsertAt, std::wstring(m_entries.NameAt(nFrom)), GetItemData(nFrom)) == -1)
        return false;
    DeleteString(nTo > nFrom ? nFrom : nFrom + 1);
    return true;
}

// Both copies go in before either original goes: the high one above the low
// one (which moves to nLow + 1, the high one to nHigh + 1), the low one after
// the high one.
bool CListBoxEx::SwapListItems(int nLow, int nHigh)
{
    const DWORD_PTR lowData = GetItemData(nLow);
    if (InsertItem(nLow, std::wstring(m_entries.NameAt(nHigh)), GetItemData(nHigh)) == -1)
        return false;
    if (InsertItem(nHigh + 2, std::wstring(m_entries.NameAt(nLow)), lowData) == -1) {
        DeleteString(nLow);
        return false;
    }
    DeleteString(nHigh + 1);
    DeleteString(nLow + 1);
    return true;
}

void CListBoxEx::SwapItems(int nFirst, int nSecond)
{
    const int nCount = GetCount();
    if (nFirst == nSecond || nFirst < 0 || nSecond < 0 || nFirst >= nCount || nSecond >= nCount)
        return;
    const int nLow = nFirst < nSecond ? nFirst : nSecond;
    const int nHigh = nFirst < nSecond ? nSecond : nFirst;
    SendMessage(WM_SETREDRAW, FALSE);
    if (SwapListItems(nLow, nHigh))
        m_entries.Swap(nLow, nHigh);
    SendMessage(WM_SETREDRAW, TRUE);
}

void CListBoxEx::MoveUp(int nIndex)
{
    if (nIndex <= 0 || nIndex >= GetCount())
        return;
    SwapItems(nIndex, nIndex - 1);
    SetCurSel(nIndex - 1);
    RecordStep(EntryMoved{nIndex, nIndex - 1});
}

void CListBoxEx::MoveDown(int nIndex)
{
    if (nIndex < 0 || nIndex + 1 >= GetCount())
        return;
    SwapItems(nIndex, nIndex + 1);
    SetCurSel(nIndex + 1);
    RecordStep(EntryMoved{nIndex, nIndex + 1});
}

void CListBoxEx::DeleteEntry(int nIndex)
{
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    ListEntry entry = m_entries.At(nIndex);
    if (RemoveEntry(nIndex))
        RecordStep(EntryRemoved{nIndex, std::move(entry)});
}

int CListBoxEx::AppendEntry(ListEntry entry)
{
    return InsertEntry(GetCount(), std::move(entry));
}

int CListBoxEx::InsertEntry(int nIndex, ListEntry entry)
{
    const int nNew = InsertItem(nIndex, entry.name, 0);
    if (nNew != -1) {
        m_entries.Insert(nNew, std::move(entry));
        FollowSelection();   // an entry above the selected one moved it down
    }
    return nNew;
}

bool CListBoxEx::RemoveEntry(int nIndex)
{
    if (nIndex == -1 || DeleteString(nIndex) == LB_ERR)
        return false;
    m_entries.Remove(nIndex);
    FollowSelection();   // a selection below the entry moved up; a removed one is gone
    return true;
}

// The entry is put back at nTo before its old place goes, so a list box that
// cannot take it leaves everything as it was; its path moves with it.
bool CListBoxEx::MoveEntry(int nFrom, int nTo)
{
    if (!MoveItem(nFrom, nTo))
        return false;
    m_entries.Move(nFrom, nTo);
    FollowSelection();
    return true;
}

bool CListBoxEx::SetEntry(int nIndex, ListEntry entry)
{
    if (!SetItemText(nIndex, entry.name))
        return false;
    m_entries.SetPath(nIndex, std::move(entry.path));
    return true;
}

// The path tip asks for its text; other notifications go on as usual.
BOOL CListBoxEx::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return m_pathTip.OnNotify(lParam, pResult) || CDragListBox::OnNotify(wParam, lParam, pResult);
}
