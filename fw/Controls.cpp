#include "fw/Controls.h"

#include <commctrl.h>

int CListBox::AddString(const std::wstring& text)
{
    return static_cast<int>(SendMessage(LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

int CListBox::InsertString(int nIndex, const std::wstring& text)
{
    return static_cast<int>(
        SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(nIndex), reinterpret_cast<LPARAM>(text.c_str())));
}

// The text is read from the list box's own window procedure: no procedure over
// it answers for the text, and every item painted reads its text.
std::wstring CListBox::GetText(int nIndex) const
{
    const LRESULT len = CallClassWindowProc(m_hWnd, LB_GETTEXTLEN, static_cast<WPARAM>(nIndex));
    if (len == LB_ERR)
        return {};
    std::wstring text(static_cast<size_t>(len) + 1, L'\0');
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

BOOL CDragListBox::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    static const UINT dragListMessage = DragListMessage();
    if (message != dragListMessage)
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    const auto* pInfo = RecordOfThisThread<DRAGLISTINFO>(lParam);
    const LRESULT result =
        pInfo != nullptr && pInfo->hWnd == m_hWnd ? OnDragReport(pInfo->uNotification, pInfo->ptCursor) : 0;
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

LRESULT CDragListBox::OnDragReport(UINT nNotification, POINT ptCursor)
{
    const CPoint pt = DragReportPoint(ptCursor);
    switch (nNotification) {
    case DL_BEGINDRAG: return BeginDrag(pt);
    case DL_DRAGGING: return Dragging(pt);
    case DL_DROPPED: Dropped(GetCurSel(), pt); return 0;
    case DL_CANCELDRAG: CancelDrag(pt); return 0;
    default: return 0;
    }
}

// The drag list reports where the cursor is when it sends the report, while
// the list box selects, and the list hit-tests, at the position in the mouse
// message being handled. Those disagree whenever the cursor has moved since
// the message was posted (input posted by another process, Wine taking in
// the X pointer late): a click on item 1 was then dropped at the item under
// the cursor, below item 2. A report made for a mouse message takes that
// message's position; only the drag list's timer reports the cursor's.
CPoint CDragListBox::DragReportPoint(POINT ptCursor) const
{
    const MSG& msg = *GetCurrentMessage();
    switch (msg.message) {
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP: {
        CPoint pt(msg.lParam);
        ClientToScreen(&pt);
        return pt;
    }
    default:
        return CPoint(ptCursor.x, ptCursor.y);
    }
}

// The marker goes to the gap above the item pressed.
BOOL CDragListBox::BeginDrag(CPoint pt)
{
    DrawInsert(ItemFromPt(pt, FALSE));
    return TRUE;
}

void CDragListBox::CancelDrag(CPoint)
{
    DrawInsert(-1);
}

// The marker follows the item under the pointer and disappears off the items;
// a pointer held just above or below the list scrolls it.
UINT CDragListBox::Dragging(CPoint pt)
{
    const int nItem = ItemFromPt(pt, FALSE);
    DrawInsert(nItem);
    ItemFromPt(pt, TRUE);
    return nItem == -1 ? DL_STOPCURSOR : DL_MOVECURSOR;
}

// The base only takes the marker away.
void CDragListBox::Dropped(int, CPoint)
{
    DrawInsert(-1);
}

// Without a picture of its own the list only remembers where the marker is.
void CDragListBox::DrawInsert(int nItem)
{
    m_nLast = nItem;
}
