#include "fw/Dialog.h"

#include "fw/App.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl)
{
    if (rControl.m_hWnd == nullptr)
        rControl.SubclassDlgItem(static_cast<UINT>(nIDC), pDX->m_pDlgWnd);
}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_nIDTemplate(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

static INT_PTR CALLBACK PlainDialogProc(HWND, UINT, WPARAM, LPARAM)
{
    return FALSE;   // everything is handled in the dialog object's WindowProc
}

BOOL CDialog::Create()
{
    m_nModalResult = -1;
    {
        CreationScope scope(this);
        ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(m_nIDTemplate), ParentHandle(),
                             PlainDialogProc, 0);
    }
    if (m_hWnd == nullptr)
        return FALSE;
    m_bParentDisabled = ParentHandle() != nullptr && !::EnableWindow(ParentHandle(), FALSE);
    m_bInModalLoop = true;
    ::ShowWindow(m_hWnd, SW_SHOWNORMAL);
    return TRUE;
}

INT_PTR CDialog::DoModal()
{
    if (!Create())
        return -1;
    RunModalLoop();
    FinishModal();
    return m_nModalResult;
}

void CDialog::FinishModal()
{
    if (m_hWnd == nullptr)
        return;
    // Hidden first, so nothing of the closing dialog shows; then destroyed
    // through the virtual DestroyWindow, where a dialog does its last work.
    ::SetWindowPos(m_hWnd, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (m_bParentDisabled) {
        ::EnableWindow(ParentHandle(), TRUE);
        ::SetActiveWindow(ParentHandle());
        m_bParentDisabled = false;
    }
    m_bInModalLoop = false;
    DestroyWindow();
}

void CDialog::RunModalLoop()
{
    MSG msg;
    while (m_bInModalLoop && m_hWnd != nullptr) {
        const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
        if (got == -1)
            break;
        if (got == 0) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));   // for the loop outside
            break;
        }
        ProcessMessage(msg);
    }
}

void CDialog::ProcessMessage(MSG& msg)
{
    if (!PreTranslateThroughParents(msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool CDialog::PreTranslateThroughParents(MSG& msg)
{
    for (HWND h = msg.hwnd; h != nullptr; h = ::GetParent(h)) {
        CWnd* pWnd = FromHandlePermanent(h);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(&msg))
            return true;
        if (h == m_hWnd)
            return false;
    }
    return PreTranslateMessage(&msg) != FALSE;
}

static bool IsPlainF1(const MSG& msg)
{
    return msg.message == WM_KEYDOWN && msg.wParam == VK_F1 && ::GetKeyState(VK_SHIFT) >= 0 &&
           ::GetKeyState(VK_CONTROL) >= 0;
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (IsPlainF1(*pMsg) && (pMsg->hwnd == m_hWnd || ::IsChild(m_hWnd, pMsg->hwnd))) {
        SendMessage(WM_COMMAND, ID_HELP);
        return TRUE;
    }
    return ::IsDialogMessageW(m_hWnd, pMsg);
}

void CDialog::EndDialog(int nResult)
{
    m_nModalResult = nResult;
    m_bInModalLoop = false;
    ::PostMessageW(m_hWnd, WM_NULL, 0, 0);   // wake the loop
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate)
{
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

BOOL CDialog::OnInitDialog()
{
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::OnOK()
{
    if (UpdateData(TRUE))
        EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

void CDialog::CenterIfAtOrigin()
{
    // A template placed at 0, 0 asks for the usual modal dialog place: centred
    // on the work area of its monitor.
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    if (rc.left != 0 || rc.top != 0 || (GetStyle() & WS_CHILD) != 0)
        return;
    MONITORINFO mi{};
    mi.cbSize = sizeof(mi);
    ::GetMonitorInfoW(::MonitorFromWindow(m_hWnd, MONITOR_DEFAULTTOPRIMARY), &mi);
    const RECT& work = mi.rcWork;
    const int x = work.left + ((work.right - work.left) - (rc.right - rc.left)) / 2;
    const int y = work.top + ((work.bottom - work.top) - (rc.bottom - rc.top)) / 2;
    ::SetWindowPos(m_hWnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: {
        const BOOL bSetFocus = OnInitDialog();
        CenterIfAtOrigin();
        return bSetFocus;
    }
    case WM_COMMAND:
        if (lParam == 0 || ::GetDlgCtrlID(reinterpret_cast<HWND>(lParam)) == LOWORD(wParam)) {
            if (LOWORD(wParam) == IDOK && HIWORD(wParam) == 0) {
                OnOK();
                return 0;
            }
            if (LOWORD(wParam) == IDCANCEL && HIWORD(wParam) == 0) {
                OnCancel();
                return 0;
            }
        }
        // A command no control sent (F1's Help) goes on to the application.
        if (lParam == 0 && AfxGetApp() != nullptr && AfxGetApp()->OnCmdMsg(LOWORD(wParam)))
            return 0;
        break;
    default:
        break;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
