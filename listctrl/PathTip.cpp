// One tool over the list's client area, whose text the tooltip asks for each
// time it shows. The pointer moving to another entry pops the tip, so the
// tooltip shows it again for the new entry once the pointer rests; a change
// of the entries under a shown tip brings its text up to date.
#include "listctrl/PathTip.h"

#include "listctrl/ListBoxEx.h"
#include "listctrl/ListLayout.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr UINT_PTR kPathTool = 1;

// Posted to the list itself when a shown tip may have been left over another
// entry. It is handled once the change is complete, when the entries
// agree with the items again, and before the list repaints.
UINT PathTipRefreshMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"NimbrelRun_PathTipRefresh");
    return message;
}

// Messages after which another entry may lie under the pointer: entries
// added, removed or replaced, the list scrolled, or its items' height changed.
bool MayMoveEntries(UINT message)
{
    switch (message) {
    case LB_ADDSTRING:
    case LB_INSERTSTRING:
    case LB_DELETESTRING:
    case LB_RESETCONTENT:
    case LB_SETTOPINDEX:
    case LB_SETITEMHEIGHT:
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_KEYDOWN:   // the list box scrolls to the caret without a message
        return true;
    default:
        return false;
    }
}

}  // namespace

void CPathTip::Create()
{
    // The text is a path, shown as it is: no '&' turns into an underline.
    if (m_tip.m_hWnd != nullptr || m_list.m_hWnd == nullptr || !m_tip.Create(&m_list, TTS_NOPREFIX))
        return;
    m_tip.AddTool(&m_list, LPSTR_TEXTCALLBACKW, m_list.GetClientRect(), kPathTool);
    UpdateWidth();
    m_tip.Activate(TRUE);
}

// The pointer came before the tooltip: it is shown where the pointer is.
void CPathTip::CreateForPointer()
{
    if (m_tip.m_hWnd != nullptr)
        return;
    Create();
    m_nItem = ItemUnderCursor();
    m_tip.RelayPointer(m_list);
}

void CPathTip::UpdateWidth()
{
    if (m_tip.m_hWnd == nullptr)
        return;   // made at its width when it is made
    m_tip.SetMaxTipWidth(dpi::Scale(listlayout::kPathTipMaxWidth, m_list.GetDpi()));
}

bool CPathTip::OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    if (m_schedule.IsDue(m_list, message, wParam)) {
        CreateForPointer();
        result = 0;
        return true;
    }
    if (m_tip.m_hWnd == nullptr)
        return false;
    if (message == PathTipRefreshMessage()) {
        m_bRefreshPosted = false;
        Refresh();
        result = 0;
        return true;
    }
    switch (message) {
    case WM_MOUSEMOVE: {
        // Popped here, the tip shows again for the new entry once the pointer
        // rests on it: the tooltip, shown the move after this, starts its
        // delay again.
        const int nItem = ItemAt(CPoint(lParam));
        if (nItem != m_nItem) {
            m_nItem = nItem;
            m_tip.Pop();
        }
        break;
    }
    case WM_SIZE:
        m_tip.SetToolRect(&m_list, kPathTool, m_list.GetClientRect());
        break;
    default:
        if (MayMoveEntries(message) && !m_bRefreshPosted && m_tip.IsWindowVisible())
            m_bRefreshPosted = ::PostMessageW(m_list, PathTipRefreshMessage(), 0, 0) != FALSE;
        break;
    }
    m_tip.RelayEvent(m_list, message, wParam, lParam);
    return false;
}

int CPathTip::ItemAt(CPoint point) const
{
    if (m_list.IsEditing() || ::GetCapture() == m_list.m_hWnd)
        return -1;
    return m_list.ItemFromClientPoint(point);
}

int CPathTip::ItemUnderCursor() const
{
    CPoint point;
    ::GetCursorPos(&point);
    m_list.ScreenToClient(&point);
    return ItemAt(point);
}

void CPathTip::Refresh()
{
    if (!m_tip.IsWindowVisible())
        return;
    m_nItem = ItemUnderCursor();
    if (m_nItem == -1)
        m_tip.Pop();
    else if (m_list.Entries().PathAt(m_nItem) != m_strText)
        m_tip.UpdateTipText(LPSTR_TEXTCALLBACKW, &m_list, kPathTool);   // asks for the text again
}

// The tooltip asks for the text in Unicode, as the list's window answered
// its query. An empty text shows no tip.
bool CPathTip::OnNotify(LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    if (pHdr->hwndFrom != m_tip.m_hWnd || pHdr->code != TTN_NEEDTEXTW)
        return false;
    const int nItem = ItemUnderCursor();
    m_strText = nItem == -1 ? std::wstring() : m_list.Entries().PathAt(nItem);
    reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = m_strText.data();
    *pResult = 0;
    return true;
}
