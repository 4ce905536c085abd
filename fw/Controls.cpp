#include "fw/Controls.h"

#include <commctrl.h>

int CListBox::AddString(const std::string& text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::InsertString(int nIndex, const std::string& text)
{
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.c_str())));
}

// The text is read from the list box's own window procedure, below the
// subclasses of the window, none of which answers for it: every item painted
// reads its text, and under Wine each pass through a subclass chain costs wine
// server round trips (two messages cost about a quarter of a millisecond).
std::string CListBox::GetText(int nIndex) const
{
    const auto listProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(m_hWnd, GCLP_WNDPROC));
    const LRESULT len = ::CallWindowProcA(listProc, m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex), 0);
    if (len == LB_ERR)
        return {};
    std::string text(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got = ::CallWindowProcA(listProc, m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
                                          reinterpret_cast<LPARAM>(text.data()));
    text.resize(got == LB_ERR ? 0 : static_cast<size_t>(got));
    return text;
}

CRect CListBox::GetItemRect(int nIndex) const
{
    CRect rc;
    SendMessage(LB_GETITEMRECT, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(&rc));
    return rc;
}

BOOL CListBox::OnChildNotify(UINT message, WPARAM, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_DRAWITEM:
        DrawItem(reinterpret_cast<DRAWITEMSTRUCT*>(lParam));
        break;
    case WM_MEASUREITEM:
        MeasureItem(reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
        break;
    default:
        return FALSE;
    }
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

int CDragListBox::ItemFromPt(POINT pt, BOOL bAutoScroll) const
{
    return ::LBItemFromPt(m_hWnd, pt, bAutoScroll);
}

void CDragListBox::PreSubclassWindow()
{
    ::MakeDragList(m_hWnd);
    CListBox::PreSubclassWindow();
}

BOOL CDragListBox::BeginDrag(CPoint pt)
{
    DrawInsert(ItemFromPt(pt, FALSE));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

UINT CDragListBox::Dragging(CPoint)
{
    return DL_STOPCURSOR;
}

void CDragListBox::Dropped(int, CPoint)
{
    DrawInsert(-1);
}

void CDragListBox::DrawInsert(int nItem)
{
    m_nLast = nItem;
}
