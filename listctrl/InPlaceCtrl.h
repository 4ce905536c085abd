#pragma once
// The edit box and the "..." browse button laid over a list item while it is
// edited. Neither knows its parent's class: each reports Enter or Escape, the
// click and the loss of focus by sending the registered message
// InPlaceCtrlMessage() to its parent with an InPlaceNotify record; a non-zero
// reply asks the sender to hide itself. Both are created hidden and shown only
// at a rectangle.
#include "fw/Controls.h"

enum InPlaceNotifyCode : int { IPN_KEY = 1, IPN_BUTTON = 2, IPN_KILLFOCUS = 3 };

// Built on the sender's stack; valid only while the send lasts.
struct InPlaceNotify {
    HWND hwndFrom;      // the sending control
    int nCode;          // IPN_KEY, IPN_BUTTON or IPN_KILLFOCUS
    UINT_PTR nParam;    // the key (VK_F4 for a browse key); the button's id; the window gaining the focus or 0
    int x;              // cursor position in screen coordinates when the
    int y;              // triggering message was posted
};
#if !defined(_WIN64)
static_assert(sizeof(InPlaceNotify) == 20, "five 32-bit fields on 32-bit Windows");
#endif

// The number of the registered message "ipc_CtrlMsg".
UINT InPlaceCtrlMessage();

// What the edit and the button share: the parent they report to, creation,
// hiding, the report itself and the report of a lost focus.
template <class TBase>
class CInPlaceCtrl : public TBase {
public:
    // Hides a visible control and hands the focus to the parent (unless the
    // focus is leaving for another top-level window); a hidden one is left
    // alone and the focus stays where it is.
    void Hide();
    // Moves and sizes the control, shown or not, without changing its order.
    void MoveTo(const CRect& rect);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    int OnCreate(CREATESTRUCTW* pCS);
    void OnKillFocus(HWND hNewWnd);

    // Shows the hidden control at rect (parent's client coordinates) on top of
    // its siblings, not yet drawn. False, and nothing done, when it is visible
    // already or rect is empty.
    bool ShowHiddenAt(const CRect& rect);
    // Sends a record from this control to the parent; the parent's reply.
    LRESULT Notify(int nCode, UINT_PTR nParam, POINT pt) const;
    // Whether a loss of focus of the visible control is reported.
    virtual bool ReportsFocusLoss() const { return true; }

    HWND m_hWndParent = nullptr;   // set at creation
    // While a loss of focus to another top-level window is reported.
    bool m_bFocusLeavesWindow = false;
};

extern template class CInPlaceCtrl<CEdit>;
extern template class CInPlaceCtrl<CButton>;

class CInPlaceEdit : public CInPlaceCtrl<CEdit> {
public:
    // Shows the hidden edit at rect with its whole text selected, and focuses it.
    void ShowAt(CRect rect);
    // The left margin inside the border (2 pixels until set), at once and for
    // every later showing.
    void SetLeftMargin(int nMargin);
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // Enter and Escape are reported and consumed, whatever the reply; so are
    // F4 and Alt+Down, the combo box's keys for its list, reported as F4: the
    // parent runs the browse button.
    BOOL PreTranslateMessage(MSG* pMsg) override;

private:
    int m_nLeftMargin = 2;
};

class CInPlaceButton : public CInPlaceCtrl<CButton> {
public:
    // Shows the hidden button at rect; the focus stays where it is.
    void ShowAt(CRect rect);
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // Escape is reported and consumed; the button stays whatever the reply.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    void OnClicked();
    bool ReportsFocusLoss() const override { return !m_bBusy; }

    BOOL m_bBusy = FALSE;   // TRUE while the click is being reported
};
