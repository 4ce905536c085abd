// The full path on hover: one tool over the list's client area, whose text the
// tooltip asks for each time it shows: the path of the entry under the pointer,
// from the path table (never from the disk). The pointer moving to another
// entry pops the tip, so the tooltip shows it again for the new entry once the
// pointer rests; a change of the entries under a shown tip brings its text up
// to date.
#include "listctrl/ListBoxEx.h"

#include <commctrl.h>

#include <vector>

namespace {

constexpr UINT_PTR kPathTool = 1;
// At 96 DPI, scaled for others: a longer path wraps onto further lines
// instead of running off the screen.
constexpr int kPathTipMaxWidth = 400;

// Posted to the list itself when a shown tip may have been left over another
// entry. It is handled once the change is complete, when the path table
// agrees with the items again, and before the list repaints.
UINT PathTipRefreshMessage()
{
    static const UINT message = ::RegisterWindowMessageA("NimbrelRun_PathTipRefresh");
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

// The text in UTF-16, with its terminating null. (A vector: std::wstring would
// bring the library's wide strings into the program, 36 KB of it.)
std::vector<wchar_t> Widen(const std::string& text)
{
    const int nChars = ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, nullptr, 0);
    std::vector<wchar_t> wide(static_cast<std::size_t>(nChars > 0 ? nChars : 1), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    return wide;
}

}  // namespace

// Without the tooltip the list works as before, only without the tip.
void CListBoxEx::CreatePathTip()
{
    // The text is a path, shown as it is: no '&' turns into an underline.
    if (m_pathTip.m_hWnd != nullptr || !m_pathTip.Create(this, TTS_NOPREFIX))
        return;
    m_pathTip.AddTool(this, LPSTR_TEXTCALLBACK, GetClientRect(), kPathTool);
    SetPathTipWidth();
    m_pathTip.Activate(TRUE);
}

void CListBoxEx::SetPathTipWidth()
{
    m_pathTip.SetMaxTipWidth(Scaled(kPathTipMaxWidth));
}

bool CListBoxEx::OnPathTipMessage(UINT message, WPARAM, LPARAM lParam, LRESULT& result)
{
    if (m_pathTip.m_hWnd == nullptr)
        return false;
    if (message == PathTipRefreshMessage()) {
        m_bTipRefreshPosted = false;
        RefreshPathTip();
        result = 0;
        return true;
    }
    switch (message) {
    case WM_MOUSEMOVE: {
        // Popped here, the tip shows again for the new entry once the pointer
        // rests on it: the tooltip, seeing the move after us (it watches an
        // attached list from below our procedure), starts its delay again.
        const int nItem = PathTipItemAt(CPoint(lParam));
        if (nItem != m_nTipItem) {
            m_nTipItem = nItem;
            m_pathTip.Pop();
        }
        break;
    }
    case WM_SIZE:
        m_pathTip.SetToolRect(this, kPathTool, GetClientRect());
        break;
    default:
        if (MayMoveEntries(message) && !m_bTipRefreshPosted && m_pathTip.IsWindowVisible())
            m_bTipRefreshPosted = ::PostMessageA(m_hWnd, PathTipRefreshMessage(), 0, 0) != FALSE;
        break;
    }
    return false;
}

int CListBoxEx::PathTipItemAt(CPoint point) const
{
    if (IsEditing() || ::GetCapture() == m_hWnd)
        return -1;
    return ItemFromClientPoint(point);
}

int CListBoxEx::PathTipItemUnderCursor() const
{
    CPoint point;
    ::GetCursorPos(&point);
    ScreenToClient(&point);
    return PathTipItemAt(point);
}

void CListBoxEx::RefreshPathTip()
{
    if (!m_pathTip.IsWindowVisible())
        return;
    m_nTipItem = PathTipItemUnderCursor();
    if (m_nTipItem == -1)
        m_pathTip.Pop();
    else if (m_arrPaths.GetAt(m_nTipItem) != m_strTipText)
        m_pathTip.UpdateTipText(LPSTR_TEXTCALLBACK, this, kPathTool);   // asks for the text again
}

// The tooltip asks for the text as the list's window answered its query: in
// ANSI, or in Unicode when the drag list's subclass answered for an attached
// list. An empty text shows no tip.
BOOL CListBoxEx::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* pHdr = reinterpret_cast<const NMHDR*>(lParam);
    const bool bAnsi = pHdr->code == TTN_NEEDTEXTA;
    if (pHdr->hwndFrom != m_pathTip.m_hWnd || (!bAnsi && pHdr->code != TTN_NEEDTEXTW))
        return CDragListBox::OnNotify(wParam, lParam, pResult);
    const int nItem = PathTipItemUnderCursor();
    m_strTipText = nItem == -1 ? std::string() : m_arrPaths.GetAt(nItem);
    if (bAnsi) {
        reinterpret_cast<NMTTDISPINFOA*>(lParam)->lpszText = m_strTipText.data();
    } else {
        m_wideTipText = Widen(m_strTipText);
        reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = m_wideTipText.data();
    }
    *pResult = 0;
    return TRUE;
}
