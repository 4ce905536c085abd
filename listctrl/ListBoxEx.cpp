#include "listctrl/ListBoxEx.h"

#include <commctrl.h>

#include "fw/Dpi.h"
#include "fw/Gdi.h"
#include "listctrl/InPlaceCtrl.h"

CListBoxEx::CListBoxEx() = default;

// The in-place controls go first (their windows are the list's children), then
// the path table.
CListBoxEx::~CListBoxEx()
{
    m_pEdit.reset();
    m_pButton.reset();
}

BOOL CListBoxEx::PreCreateWindow(CREATESTRUCTA& cs)
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
    m_nDpi = GetWindowDpi(m_hWnd);
    // A list in a dialog template measured its items while the dialog was being
    // created, before this object was attached: measure again now, so the
    // height is always the one MeasureItem gives.
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    MeasureItem(&mis);
    SetItemHeight(0, mis.itemHeight);
    CreateInPlaceControls();
}

LRESULT CListBoxEx::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam));
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
    default:
        if (message == InPlaceCtrlMessage())
            return OnCtrlMsg(wParam, lParam);
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
    rcText.left += Scaled(kTextIndent);

    const bool bSelected = (pDIS->itemState & ODS_SELECTED) != 0;
    dc.FillRect(rcItem, ::GetSysColorBrush(bSelected ? COLOR_ACTIVECAPTION : COLOR_WINDOW));
    const COLORREF oldColor = dc.SetTextColor(::GetSysColor(bSelected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    dc.SetBkMode(TRANSPARENT);
    dc.DrawText(GetText(static_cast<int>(pDIS->itemID)), rcText, DT_SINGLELINE | DT_VCENTER);
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
    const TEXTMETRICA tm = dc.GetTextMetrics();
    const int nHeight = dpi::Rescale(tm.tmHeight + tm.tmExternalLeading, m_nDpi, GetSystemDpi());
    pMIS->itemHeight = static_cast<UINT>(nHeight);
}

// The focus item is the one last pressed on; F2 and Delete act on it.
void CListBoxEx::OnLButtonDown(UINT, CPoint point)
{
    const int nItem = ItemFromClientPoint(point);
    if (nItem != -1)
        m_nFocusItem = nItem;
    Default();
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

void CListBoxEx::ReplaceItem(int nIndex, const std::string& text, DWORD_PTR data)
{
    // Redrawing is off while the item is taken out and put back, so it is never
    // drawn in between.
    SendMessage(WM_SETREDRAW, FALSE);
    DeleteString(nIndex);
    InsertString(nIndex, text);
    SetItemData(nIndex, data);
    SendMessage(WM_SETREDRAW, TRUE);
}

void CListBoxEx::SetItemText(int nIndex, const std::string& text)
{
    ReplaceItem(nIndex, text, GetItemData(nIndex));
}

void CListBoxEx::SwapItems(int nFirst, int nSecond)
{
    const int nCount = GetCount();
    if (nFirst == nSecond || nFirst < 0 || nSecond < 0 || nFirst >= nCount || nSecond >= nCount)
        return;
    const int nLow = nFirst < nSecond ? nFirst : nSecond;
    const int nHigh = nFirst < nSecond ? nSecond : nFirst;
    const std::string lowText = GetText(nLow);
    const std::string highText = GetText(nHigh);
    const DWORD_PTR lowData = GetItemData(nLow);
    const DWORD_PTR highData = GetItemData(nHigh);
    ReplaceItem(nLow, highText, highData);
    ReplaceItem(nHigh, lowText, lowData);
    m_arrPaths.Swap(nLow, nHigh);
}

void CListBoxEx::MoveUp(int nIndex)
{
    if (nIndex <= 0 || nIndex >= GetCount())
        return;
    SwapItems(nIndex, nIndex - 1);
    SetCurSel(nIndex - 1);
}

void CListBoxEx::MoveDown(int nIndex)
{
    if (nIndex < 0 || nIndex + 1 >= GetCount())
        return;
    SwapItems(nIndex, nIndex + 1);
    SetCurSel(nIndex + 1);
}

void CListBoxEx::DeleteEntry(int nIndex)
{
    if (nIndex == -1 || DeleteString(nIndex) == LB_ERR)
        return;
    m_arrPaths.RemoveShift(nIndex, GetCount());
}
