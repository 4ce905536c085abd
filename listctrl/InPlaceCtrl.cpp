#include "listctrl/InPlaceCtrl.h"

namespace {

// Hidden at once, without moving, sizing, reordering or drawing.
constexpr UINT kHideFlags = SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_HIDEWINDOW;
// Shown and placed on top of the siblings; drawn once fully set up.
constexpr UINT kShowFlags = SWP_SHOWWINDOW | SWP_NOREDRAW;

bool IsEnterOrEscape(WPARAM vk)
{
    return vk == VK_RETURN || vk == VK_ESCAPE;
}

// F4 alone (Alt+F4 closes the window) or Alt+Down.
bool IsBrowseKey(const MSG& msg)
{
    if (msg.message == WM_KEYDOWN)
        return msg.wParam == VK_F4;
    return msg.message == WM_SYSKEYDOWN && msg.wParam == VK_DOWN && (HIWORD(msg.lParam) & KF_ALTDOWN) != 0;
}

}  // namespace

UINT InPlaceCtrlMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"ipc_CtrlMsg");
    return message;
}

template <class TBase>
LRESULT CInPlaceCtrl<TBase>::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_KILLFOCUS:
        OnKillFocus(reinterpret_cast<HWND>(wParam));
        return 0;
    default:
        return TBase::WindowProc(message, wParam, lParam);
    }
}

template <class TBase>
int CInPlaceCtrl<TBase>::OnCreate(CREATESTRUCTW* pCS)
{
    if (this->Default() == -1)
        return -1;
    m_hWndParent = pCS->hwndParent;
    return 0;
}

// Reported only while the control is shown (its parents included), so neither
// a hidden control nor one in a closing dialog ends an edit.
template <class TBase>
void CInPlaceCtrl<TBase>::OnKillFocus(HWND hNewWnd)
{
    // Leaving for another top-level window (another program's, whose handle
    // does not come, or the help window F1 opens), the focus is not taken back.
    m_bFocusLeavesWindow =
        hNewWnd == nullptr || ::GetAncestor(hNewWnd, GA_ROOT) != ::GetAncestor(this->m_hWnd, GA_ROOT);
    if (this->IsWindowVisible() && ReportsFocusLoss() &&
        Notify(IPN_KILLFOCUS, reinterpret_cast<UINT_PTR>(hNewWnd), this->GetCurrentMessage()->pt) != 0)
        Hide();
    m_bFocusLeavesWindow = false;
    this->Default();
}

// The control is invisible before the focus moves, so its own loss of focus
// during SetFocus finds it hidden and reports nothing a second time. An edit
// that ends because the focus left for another top-level window does not take
// the focus back from there.
template <class TBase>
void CInPlaceCtrl<TBase>::Hide()
{
    if (!this->IsWindowVisible())
        return;
    ::SetWindowPos(this->m_hWnd, nullptr, 0, 0, 0, 0, kHideFlags);
    if (!m_bFocusLeavesWindow)
        ::SetFocus(m_hWndParent);
}

template <class TBase>
void CInPlaceCtrl<TBase>::MoveTo(const CRect& rect)
{
    ::SetWindowPos(this->m_hWnd, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
}

template <class TBase>
bool CInPlaceCtrl<TBase>::ShowHiddenAt(const CRect& rect)
{
    if (this->IsWindowVisible() || rect.IsRectEmpty())
        return false;
    ::SetWindowPos(this->m_hWnd, HWND_TOP, rect.left, rect.top, rect.Width(), rect.Height(), kShowFlags);
    return true;
}

template <class TBase>
LRESULT CInPlaceCtrl<TBase>::Notify(int nCode, UINT_PTR nParam, POINT pt) const
{
    InPlaceNotify record{this->m_hWnd, nCode, nParam, pt.x, pt.y};
    return ::SendMessageW(m_hWndParent, InPlaceCtrlMessage(), 0, reinterpret_cast<LPARAM>(&record));
}

template class CInPlaceCtrl<CEdit>;
template class CInPlaceCtrl<CButton>;

void CInPlaceEdit::ShowAt(CRect rect)
{
    if (!ShowHiddenAt(rect))
        return;
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(m_nLeftMargin, 0));
    SetSel(0, -1);
    SendMessage(EM_SCROLLCARET);
    Invalidate(TRUE);
    SetFocus();
}

void CInPlaceEdit::SetLeftMargin(int nMargin)
{
    m_nLeftMargin = nMargin;
    SendMessage(EM_SETMARGINS, EC_LEFTMARGIN, MAKELPARAM(m_nLeftMargin, 0));
}

BOOL CInPlaceEdit::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= WS_CHILD | ES_MULTILINE | ES_AUTOHSCROLL | ES_NOHIDESEL | ES_WANTRETURN;
    return CEdit::PreCreateWindow(cs);
}

// Seen before the dialog's keyboard handling, so Enter and Escape end the edit
// and never the dialog. A refused key (reply 0) leaves the edit as it is.
BOOL CInPlaceEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && IsEnterOrEscape(pMsg->wParam)) {
        if (Notify(IPN_KEY, pMsg->wParam, pMsg->pt) != 0)
            Hide();
        return TRUE;
    }
    if (IsBrowseKey(*pMsg)) {
        Notify(IPN_KEY, VK_F4, pMsg->pt);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

void CInPlaceButton::ShowAt(CRect rect)
{
    if (ShowHiddenAt(rect))
        Invalidate(TRUE);
}

BOOL CInPlaceButton::PreCreateWindow(CREATESTRUCTW& cs)
{
    cs.style |= WS_CHILD;
    return CButton::PreCreateWindow(cs);
}

// Enter is left to the dialog, like on any push button.
BOOL CInPlaceButton::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE) {
        Notify(IPN_KEY, VK_ESCAPE, pMsg->pt);
        return TRUE;
    }
    return CButton::PreTranslateMessage(pMsg);
}

// The button's own click comes back from the parent; the parent gets no command.
BOOL CInPlaceButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_COMMAND || HIWORD(wParam) != BN_CLICKED)
        return CButton::OnChildNotify(message, wParam, lParam, pResult);
    OnClicked();
    if (pResult != nullptr)
        *pResult = 0;
    return TRUE;
}

// While the parent handles the click it may open a modal window (the file
// dialog) that takes the focus; being busy keeps that from ending the edit.
void CInPlaceButton::OnClicked()
{
    const DWORD pos = ::GetMessagePos();
    const POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    const auto nID = static_cast<UINT_PTR>(::GetWindowLongW(m_hWnd, GWL_ID));
    m_bBusy = TRUE;
    Notify(IPN_BUTTON, nID, pt);
    m_bBusy = FALSE;
}
