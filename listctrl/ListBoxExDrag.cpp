// Reordering by drag-and-drop: the list answers the drag list's reports, draws
// the insertion marker and moves the dropped entry with its path.
#include "listctrl/ListBoxEx.h"

#include <commctrl.h>

#include "fw/Gdi.h"
#include "listctrl/DropArithmetic.h"

namespace {

// Registered once during static initialisation, before the dialog exists.
const UINT kDragListMsg = DragListMessage();

}  // namespace

// Drag reports come here from the parent; everything else goes to the list
// box's own handling, owner-draw included. While an entry is edited in place
// or moving is off, every report is answered 0: no drag begins, no marker
// moves and a drop moves nothing.
BOOL CListBoxEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != kDragListMsg)
        return CListBox::OnChildNotify(message, wParam, lParam, pResult);
    LRESULT result = 0;
    const auto* pInfo = RecordOfThisThread<DRAGLISTINFO>(lParam);
    if (pInfo != nullptr && pInfo->hWnd == m_hWnd && m_nEditItem == -1 && m_bMovable) {
        const CPoint pt = DragReportPoint(pInfo->ptCursor);
        switch (pInfo->uNotification) {
        case DL_BEGINDRAG:
            // Only a press on an item begins a drag; the marker appears with
            // the first move.
            result = !m_bPressMovedRows && ItemFromPt(pt, FALSE) != -1;
            break;
        case DL_DRAGGING:
            result = Dragging(pt);
            break;
        case DL_DROPPED:
            Dropped(GetCurSel(), pt);
            break;
        case DL_CANCELDRAG:
            CancelDrag(pt);
            break;
        default:
            break;
        }
    }
    if (pResult != nullptr)
        *pResult = result;
    return TRUE;
}

// The drag list reports where the cursor is when it sends the report, while
// the list box selects, and the list hit-tests, at the position in the mouse
// message being handled. Those disagree whenever the cursor has moved since
// the message was posted (input posted by another process, Wine taking in
// the X pointer late): a click on item 1 was then dropped at the item under
// the cursor, below item 2. A report made for a mouse message takes that
// message's position; only the drag list's timer reports the cursor's.
CPoint CListBoxEx::DragReportPoint(POINT ptCursor) const
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

// The entry goes into the gap above the item under the pointer, and its path
// moves with it, so the path table stays aligned with the items.
void CListBoxEx::Dropped(int nSrcIndex, CPoint pt)
{
    CDragListBox::Dropped(nSrcIndex, pt);
    const int nTo = DropIndex(nSrcIndex, ItemFromPt(pt, TRUE), GetCount());
    if (nTo == -1)
        return;
    if (!MoveEntry(nSrcIndex, nTo))
        return;   // the list box could not take the item: nothing moved
    SetCurSel(nTo);
    RecordStep(EntryMoved{nSrcIndex, nTo});
}

// The marker is drawn by inversion: inverting the old one erases it, and
// nothing is redrawn while the pointer stays over the same item.
void CListBoxEx::DrawInsert(int nIndex)
{
    if (nIndex != m_nLast) {
        DrawInsertMark(m_nLast);
        DrawInsertMark(nIndex);
    }
    CDragListBox::DrawInsert(nIndex);
}

// A bar across the item's top edge with a tick at each end, inverted with the
// halftone brush inside the client area. The three pieces do not overlap, so
// drawing the marker twice leaves the list as it was.
void CListBoxEx::DrawInsertMark(int nIndex)
{
    if (nIndex == -1)
        return;
    const CRect rcClient = GetClientRect();
    const CRgn clip(::CreateRectRgnIndirect(&rcClient));
    CClientDC dc(m_hWnd);
    dc.SelectClipRgn(clip);
    const CRect rc = GetItemRect(nIndex);
    const CSelectObject brush(dc, CDC::GetHalftoneBrush());
    const int nTickInset = Scaled(2), nTickWidth = Scaled(3), nBarInset = nTickInset + nTickWidth;
    dc.PatBlt(rc.left + nBarInset, rc.top - Scaled(2), rc.Width() - 2 * nBarInset, Scaled(4), PATINVERT);
    dc.PatBlt(rc.left + nTickInset, rc.top - Scaled(6), nTickWidth, Scaled(12), PATINVERT);
    dc.PatBlt(rc.right - nBarInset, rc.top - Scaled(6), nTickWidth, Scaled(12), PATINVERT);
}
