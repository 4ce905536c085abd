// Reordering by drag-and-drop: the list answers the drag list's reports, draws
// the insertion marker and moves the dropped entry with its path. While an
// entry is edited in place or moving is off, every report is answered 0: no
// drag begins, no marker moves and a drop moves nothing.
#include "listctrl/ListBoxEx.h"

#include <commctrl.h>

#include "dpi/PixelRect.h"
#include "fw/Gdi.h"
#include "listctrl/DropArithmetic.h"
#include "listctrl/ListLayout.h"

// Only a press on an item begins a drag; the marker appears with the first
// move.
BOOL CListBoxEx::BeginDrag(CPoint pt)
{
    return IsDragAllowed() && !m_bPressMovedRows && ItemFromPt(pt, FALSE) != -1;
}

void CListBoxEx::CancelDrag(CPoint pt)
{
    if (IsDragAllowed())
        CDragListBox::CancelDrag(pt);
}

UINT CListBoxEx::Dragging(CPoint pt)
{
    return IsDragAllowed() ? CDragListBox::Dragging(pt) : 0;
}

// The entry goes into the gap above the item under the pointer, and its path
// moves with it.
void CListBoxEx::Dropped(int nSrcIndex, CPoint pt)
{
    if (!IsDragAllowed())
        return;
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

// Inverted with the halftone brush inside the client area.
void CListBoxEx::DrawInsertMark(int nIndex)
{
    if (nIndex == -1)
        return;
    const CRect rcClient = GetClientRect();
    const CRgn clip(::CreateRectRgnIndirect(&rcClient));
    CClientDC dc(m_hWnd);
    dc.SelectClipRgn(clip);
    const CSelectObject brush(dc, CDC::GetHalftoneBrush());
    for (const PixelRect& rc : listlayout::InsertMarkRects(PixelRectOf(GetItemRect(nIndex)), m_nDpi))
        dc.PatBlt(rc.left, rc.top, rc.Width(), rc.Height(), PATINVERT);
}
