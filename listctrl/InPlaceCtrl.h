#pragma once
// The edit box and the "..." browse button laid over a list item while it is
// edited. Neither knows its parent's class: each reports Enter or Escape, the
// click and the loss of focus by sending the registered message
// InPlaceCtrlMessage() to its parent with an InPlaceNotify record; a non-zero
// reply asks the sender to hide itself.
#include "fw/Controls.h"

enum InPlaceNotifyCode : int { IPN_KEY = 1, IPN_BUTTON = 2, IPN_KILLFOCUS = 3 };

struct InPlaceNotify {
    HWND hwndFrom;      // the sending control
    int nCode;          // IPN_KEY, IPN_BUTTON or IPN_KILLFOCUS
    UINT_PTR nParam;    // the key; the button's id; the window gaining the focus
    int x;              // cursor position in screen coordinates when the
    int y;              // triggering message was posted
};
#if !defined(_WIN64)
static_assert(sizeof(InPlaceNotify) == 20, "five 32-bit fields on 32-bit Windows");
#endif

// The number of the registered message "ipc_CtrlMsg".
UINT InPlaceCtrlMessage();

// What the edit and the button share: the parent they report to, showing,
// hiding and the report itself.
class CInPlaceCtrl {
public:
    HWND m_hWndParent = nullptr;

protected:
    LRESULT Notify(HWND hwndFrom, int nCode, UINT_PTR nParam, POINT pt) const;
};

class CInPlaceEdit : public CEdit, public CInPlaceCtrl {
public:
    void ShowAt(CRect rect);
    void Hide();
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTA* pCS);
    void OnKillFocus(HWND hNewWnd);
};

class CInPlaceButton : public CButton, public CInPlaceCtrl {
public:
    void ShowAt(CRect rect);
    void Hide();
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTA* pCS);
    void OnKillFocus(HWND hNewWnd);
    void OnClicked();

    BOOL m_bBusy = FALSE;
};
