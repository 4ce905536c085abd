#include "listctrl/InPlaceCtrl.h"

UINT InPlaceCtrlMessage()
{
    static const UINT message = ::RegisterWindowMessageA("ipc_CtrlMsg");
    return message;
}

// IN PROGRESS: the in-place controls are being built; until then they exist
// but never show.
LRESULT CInPlaceCtrl::Notify(HWND hwndFrom, int nCode, UINT_PTR nParam, POINT pt) const
{
    InPlaceNotify record{hwndFrom, nCode, nParam, pt.x, pt.y};
    return ::SendMessageA(m_hWndParent, InPlaceCtrlMessage(), 0, reinterpret_cast<LPARAM>(&record));
}
void CInPlaceEdit::ShowAt(CRect) {}
void CInPlaceEdit::Hide() {}
BOOL CInPlaceEdit::PreCreateWindow(CREATESTRUCTA& cs) { cs.style |= WS_CHILD; return TRUE; }
BOOL CInPlaceEdit::PreTranslateMessage(MSG*) { return FALSE; }
LRESULT CInPlaceEdit::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return CEdit::WindowProc(message, wParam, lParam); }
void CInPlaceButton::ShowAt(CRect) {}
void CInPlaceButton::Hide() {}
BOOL CInPlaceButton::PreCreateWindow(CREATESTRUCTA& cs) { cs.style |= WS_CHILD; return TRUE; }
BOOL CInPlaceButton::PreTranslateMessage(MSG*) { return FALSE; }
BOOL CInPlaceButton::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return FALSE; }
LRESULT CInPlaceButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return CButton::WindowProc(message, wParam, lParam); }
