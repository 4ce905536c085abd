#include "fw/ToolTipCtrl.h"

CToolTipCtrl::~CToolTipCtrl()
{
    // Usually gone already: the owner's top-level window destroys it.
    CWnd::DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle)
{
    INITCOMMONCONTROLSEX icc{sizeof(INITCOMMONCONTROLSEX), ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&icc);
    const CRect rc(CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT);
    return CreateEx(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | dwStyle, rc, pParentWnd, 0);
}

TTTOOLINFOW CToolTipCtrl::ToolInfo(CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti{};
    ti.cbSize = kToolInfoSize;
    ti.hwnd = pWnd->m_hWnd;
    ti.uId = nIDTool;
    return ti;
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCWSTR lpszText, const RECT& rc, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIDTool);
    ti.rect = rc;
    ti.lpszText = const_cast<LPWSTR>(lpszText);   // the record is read only
    return static_cast<BOOL>(SendMessage(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::RelayEvent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP: {
        // The message as it came from the queue: its time and screen point too.
        const DWORD pos = ::GetMessagePos();
        const POINT pt{static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
        MSG msg{hWnd, message, wParam, lParam, static_cast<DWORD>(::GetMessageTime()), pt};
        SendMessage(TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
        break;
    }
    default:
        break;
    }
}

void CToolTipCtrl::RelayPointer(HWND hWnd)
{
    POINT pt{};
    ::GetCursorPos(&pt);
    ::ScreenToClient(hWnd, &pt);
    RelayEvent(hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(pt.x, pt.y));
}

bool CToolTipSchedule::IsDue(HWND hWnd, UINT message, WPARAM wParam)
{
    if (message == WM_MOUSEMOVE && !m_bScheduled)
        m_bScheduled = ::SetTimer(hWnd, kTimerId, 0, nullptr) != 0;
    if (message != WM_TIMER || wParam != kTimerId)
        return false;
    ::KillTimer(hWnd, kTimerId);
    return true;
}

void CToolTipCtrl::SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, const RECT& rc)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIDTool);
    ti.rect = rc;
    SendMessage(TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::Activate(BOOL bActivate)
{
    SendMessage(TTM_ACTIVATE, static_cast<WPARAM>(bActivate));
}

void CToolTipCtrl::Pop()
{
    SendMessage(TTM_POP);
}

void CToolTipCtrl::UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool)
{
    TTTOOLINFOW ti = ToolInfo(pWnd, nIDTool);
    ti.lpszText = const_cast<LPWSTR>(lpszText);   // the record is read only
    SendMessage(TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&ti));
}

int CToolTipCtrl::SetMaxTipWidth(int iWidth)
{
    return static_cast<int>(SendMessage(TTM_SETMAXTIPWIDTH, 0, static_cast<LPARAM>(iWidth)));
}

int CToolTipCtrl::GetToolCount() const
{
    return static_cast<int>(SendMessage(TTM_GETTOOLCOUNT));
}

BOOL CToolTipCtrl::GetToolInfo(TTTOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const
{
    ti = ToolInfo(pWnd, nIDTool);
    return static_cast<BOOL>(SendMessage(TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&ti)));
}
