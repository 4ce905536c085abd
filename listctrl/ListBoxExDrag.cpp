#include "listctrl/ListBoxEx.h"

// IN PROGRESS: drag-and-drop reordering is being built.
BOOL CListBoxEx::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == DragListMessage()) {
        *pResult = 0;
        return TRUE;
    }
    return CDragListBox::OnChildNotify(message, wParam, lParam, pResult);
}
void CListBoxEx::DrawInsert(int nIndex) { m_nLast = nIndex; }
void CListBoxEx::DrawInsertMark(int) {}
UINT CListBoxEx::Dragging(CPoint pt) { return CDragListBox::Dragging(pt); }
void CListBoxEx::CancelDrag(CPoint pt) { CDragListBox::CancelDrag(pt); }
void CListBoxEx::Dropped(int nSrcIndex, CPoint pt) { CDragListBox::Dropped(nSrcIndex, pt); }
