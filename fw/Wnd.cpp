#include "fw/Wnd.h"

#include <commctrl.h>

#include <utility>
#include <vector>

namespace {

// The id under which our subclass procedure is installed on every bound window.
constexpr UINT_PTR kSubclassId = 0x4E52;   // "NR"
// The window property that names a bound window's object.
constexpr char kObjectProperty[] = "Nimbrel.CWnd";

// The object a CreateEx call is creating; read by the creation hook on this
// thread only while that call runs.
thread_local CWnd* t_pWndInit = nullptr;

}  // namespace

UINT DragListMessage()
{
    // mingw-w64's headers lack the ANSI name macro: register the literal.
    static const UINT message = ::RegisterWindowMessageA("commctrl_DragListMsg");
    return message;
}

CWnd::~CWnd()
{
    // A window that outlives its object must not reach it any more.
    if (m_hWnd != nullptr)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    return hWnd != nullptr ? static_cast<CWnd*>(::GetPropA(hWnd, kObjectProperty)) : nullptr;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    ::SetPropA(hWnd, kObjectProperty, this);
    ::SetWindowSubclass(hWnd, SubclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

void CWnd::Detach()
{
    ::RemoveWindowSubclass(m_hWnd, SubclassProc, kSubclassId);
    ::RemovePropA(m_hWnd, kObjectProperty);
    m_hWnd = nullptr;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (hWnd == nullptr || m_hWnd != nullptr || FromHandlePermanent(hWnd) != nullptr)
        return FALSE;
    // The object knows its window before PreSubclassWindow, and takes its
    // messages only after: what PreSubclassWindow installs (a drag list) lies
    // below our procedure and sees each message after the object.
    m_hWnd = hWnd;
    PreSubclassWindow();
    Attach(hWnd);
    return TRUE;
}

HWND CWnd::UnsubclassWindow()
{
    const HWND hWnd = m_hWnd;
    if (hWnd != nullptr)
        Detach();
    return hWnd;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    return SubclassWindow(::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)));
}

LRESULT CALLBACK CWnd::CreationHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    if (nCode == HCBT_CREATEWND && t_pWndInit != nullptr) {
        CWnd* pWnd = std::exchange(t_pWndInit, nullptr);
        pWnd->Attach(reinterpret_cast<HWND>(wParam));
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CWnd::CreationScope::CreationScope(CWnd* pWnd)
    : m_hHook(::SetWindowsHookExA(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId()))
{
    t_pWndInit = pWnd;
}

CWnd::CreationScope::~CreationScope()
{
    t_pWndInit = nullptr;
    ::UnhookWindowsHookEx(m_hHook);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTA&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CREATESTRUCTA cs{};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = static_cast<LONG>(dwStyle);
    cs.x = rect.left;
    cs.y = rect.top;
    cs.cx = rect.right - rect.left;
    cs.cy = rect.bottom - rect.top;
    cs.hwndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    cs.hMenu = reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID));
    cs.hInstance = ::GetModuleHandleA(nullptr);
    if (m_hWnd != nullptr || !PreCreateWindow(cs))
        return FALSE;

    HWND hWnd;
    {
        CreationScope scope(this);
        hWnd = ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
                                 cs.x, cs.y, cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance,
                                 nullptr);
    }
    if (hWnd == nullptr && m_hWnd != nullptr)
        Detach();   // creation failed after the hook bound us (OnCreate returned -1)
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    return m_hWnd != nullptr && ::DestroyWindow(m_hWnd);
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

BOOL CWnd::OnNotify(WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

LRESULT CWnd::Default()
{
    return ::DefSubclassProc(m_hWnd, m_currentMsg.message, m_currentMsg.wParam, m_currentMsg.lParam);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR ref)
{
    auto* pWnd = reinterpret_cast<CWnd*>(ref);
    // Handlers can re-enter (a send inside a send): each level has its message.
    const MSG saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const DWORD pos = ::GetMessagePos();
    pWnd->m_currentMsg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    pWnd->m_currentMsg.time = static_cast<DWORD>(::GetMessageTime());
    const LRESULT result = pWnd->WindowProc(message, wParam, lParam);
    pWnd->m_currentMsg = saved;
    if (message == WM_NCDESTROY) {
        pWnd->Detach();
        pWnd->PostNcDestroy();
    }
    return result;
}

BOOL CWnd::ReflectChildNotify(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                              LRESULT* pResult)
{
    CWnd* pChild = FromHandlePermanent(hWndChild);
    return pChild != nullptr && pChild != this &&
           pChild->OnChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_COMMAND:
        return lParam != 0 && ReflectChildNotify(reinterpret_cast<HWND>(lParam), message, wParam, lParam, pResult);
    case WM_NOTIFY:
        return ReflectChildNotify(reinterpret_cast<NMHDR*>(lParam)->hwndFrom, message, wParam, lParam, pResult);
    case WM_DRAWITEM: {
        auto* pDraw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        return pDraw->CtlType != ODT_MENU && ReflectChildNotify(pDraw->hwndItem, message, wParam, lParam, pResult);
    }
    case WM_MEASUREITEM: {
        auto* pMeasure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        return pMeasure->CtlType != ODT_MENU &&
               ReflectChildNotify(::GetDlgItem(m_hWnd, static_cast<int>(pMeasure->CtlID)), message,
                                  wParam, lParam, pResult);
    }
    case WM_DELETEITEM:
        return ReflectChildNotify(reinterpret_cast<DELETEITEMSTRUCT*>(lParam)->hwndItem, message, wParam,
                                  lParam, pResult);
    default:
        if (message == DragListMessage())
            return ReflectChildNotify(reinterpret_cast<DRAGLISTINFO*>(lParam)->hWnd, message, wParam,
                                      lParam, pResult);
        return FALSE;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (ReflectNotification(message, wParam, lParam, &result))
        return result;
    if (message == WM_NOTIFY && OnNotify(wParam, lParam, &result))
        return result;
    return Default();
}

CRect CWnd::GetClientRect() const
{
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

static BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongPtrA(hWnd, nIndex));
    const DWORD wanted = (old & ~dwRemove) | dwAdd;
    if (wanted == old)
        return FALSE;
    ::SetWindowLongPtrA(hWnd, nIndex, static_cast<LONG_PTR>(wanted));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyLong(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

std::string CWnd::GetWindowText() const
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(m_hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}
