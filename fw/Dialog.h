#pragma once
// A modal dialog built on a dialog template, with a message loop of its own.
#include "fw/Wnd.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* pDlgWnd, BOOL bSaveAndValidate)
        : m_pDlgWnd(pDlgWnd), m_bSaveAndValidate(bSaveAndValidate) {}
    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
};

// Attaches dialog control nIDC to rControl on the first exchange; later
// exchanges find it attached and change nothing.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);

    // Creates the dialog, runs it until EndDialog and destroys it (through the
    // virtual DestroyWindow, after hiding it). Returns the EndDialog result, -1
    // when the dialog could not be created.
    INT_PTR DoModal();
    void EndDialog(int nResult);

    // The pieces DoModal is made of, for a caller that runs the loop itself
    // (tests): create the dialog modeless, look at and dispatch one queued
    // message as the modal loop does, and finish a dialog that has ended.
    BOOL Create();
    void ProcessMessage(MSG& msg);
    bool HasEnded() const { return !m_bInModalLoop; }
    void FinishModal();
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    virtual BOOL OnInitDialog();
    virtual void OnOK();
    virtual void OnCancel();
    // F1 sends ID_HELP to the dialog; then the dialog manager's keys.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    UINT GetHelpID() const override { return m_nIDTemplate; }

protected:
    virtual void DoDataExchange(CDataExchange*) {}
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RunModalLoop();
    HWND ParentHandle() const { return m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr; }
    // The order in which a queued message is looked at: the PreTranslateMessage
    // of the window it is for, then of each parent up to this dialog (whose own
    // PreTranslateMessage is the dialog manager's keyboard handling); only a
    // message none of them took is translated and dispatched.
    bool PreTranslateThroughParents(MSG& msg);
    void CenterIfAtOrigin();

    UINT m_nIDTemplate;
    CWnd* m_pParentWnd;
    bool m_bInModalLoop = false;
    bool m_bParentDisabled = false;
    int m_nModalResult = -1;
};
