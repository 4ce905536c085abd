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

// The text is read from the list box's own window procedure: no procedure over
// it answers for the text, and every item painted reads its text.
std::string CListBox::GetText(int nIndex) const
{
    const LRESULT len = CallClassWindowProc(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
    if (len == LB_ERR)
        return {};
    std::string text(static_cast<size_t>(len) + 1, '\0');
    const LRESULT got = CallClassWindowProc(m_hWnd, LB_GETTEXT, static_cast<WPARAM>(nIndex),
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

// Called when a drag begins: the marker goes to the gap above the item pressed.
BOOL CDragListBox::BeginDrag(CPoint pt)
{
    DrawInsert(ItemFromPt(pt, FALSE));
    return TRUE;
}

// Called when the drag is cancelled (Escape, right button).
void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

// Called as the pointer moves during the drag and on the drag list's timer:
// the marker follows the item under the pointer and disappears off the items;
// a pointer held just above or below the list scrolls it.
UINT CDragListBox::Dragging(CPoint pt)
{
    const int nItem = ItemFromPt(pt, FALSE);
    DrawInsert(nItem);
    ItemFromPt(pt, TRUE);
    return nItem == -1 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

// Called when the button is released; the base only takes the marker away.
void CDragListBox::Dropped(int, CPoint)
{
    DrawInsert(-1);
}

// Without a picture of its own the list only remembers where the marker is.
void CDragListBox::DrawInsert(int nItem)
{
    m_nLast = nItem;
}
