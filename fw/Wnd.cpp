#include "fw/Wnd.h"

#include "fw/Accessible.h"
#include "fw/App.h"

#include <commctrl.h>

#include <cstdint>
#include <new>
#include <unordered_map>
#include <utility>

namespace {

// A bound window: its object (null once the object let go while another
// procedure lay above ours) and the procedure ours replaced.
struct Binding {
    CWnd* pWnd = nullptr;
    WNDPROC pfnSuper = nullptr;
};

// The bindings of this thread's windows. A window's messages are handled on
// the thread that created it, so the map needs no lock, and finding an object
// never leaves the process (a window property is kept by the window server
// under Wine, a round trip for every message).
thread_local std::unordered_map<HWND, Binding> t_bindings;

// The object a CreateEx call is creating; read by the creation hook on this
// thread only while that call runs.
thread_local CWnd* t_pWndInit = nullptr;

}  // namespace

UINT DragListMessage()
{
    // mingw-w64's headers lack the name macro: register the literal.
    static const UINT message = ::RegisterWindowMessageW(L"commctrl_DragListMsg");
    return message;
}

bool IsRecordOfThisThread(LPARAM lParam, std::size_t size)
{
    // A send from another thread (or process) is told apart by the system; a
    // posted message looks like one of our own sends, so the record's place
    // decides: between this frame and the stack's base lie only the frames of
    // the calls that led here, the sender's among them.
    if (::InSendMessageEx(nullptr) != ISMEX_NOSEND)
        return false;
    // The committed pages from this frame up to the stack's base form one
    // region of the address space.
    void* const pHere = __builtin_frame_address(0);
    MEMORY_BASIC_INFORMATION region{};
    if (::VirtualQuery(pHere, &region, sizeof region) != sizeof region)
        return false;
    const auto here = reinterpret_cast<std::uintptr_t>(pHere);
    const auto base = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
    const auto record = static_cast<std::uintptr_t>(lParam);
    return record >= here && record < base && size <= base - record;
}

WNDPROC ClassWindowProc(HWND hWnd)
{
    return reinterpret_cast<WNDPROC>(::GetClassLongPtrW(hWnd, GCLP_WNDPROC));
}

LRESULT CallClassWindowProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(ClassWindowProc(hWnd), hWnd, message, wParam, lParam);
}

// Out of line, with the destructor: they alone see the accessible object's type.
CWnd::CWnd() = default;

CWnd::~CWnd()
{
    // A window that outlives its object must not reach it any more.
    if (m_hWnd != nullptr)
        Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    const auto found = t_bindings.find(hWnd);
    return found != t_bindings.end() ? found->second.pWnd : nullptr;
}

void CWnd::Attach(HWND hWnd)
{
    m_hWnd = hWnd;
    Binding& binding = t_bindings[hWnd];
    // A window whose last object could not take our procedure out still has
    // it, below another: the new object takes the binding over.
    if (binding.pfnSuper == nullptr)
        binding.pfnSuper = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::WndProc)));
    binding.pWnd = this;
    m_pfnSuper = binding.pfnSuper;
}

void CWnd::Detach()
{
    ReleaseAccessibleObject();
    // Our procedure can only be taken out while it is the window's own; when
    // another was put above it since, it stays and passes every message on.
    const auto found = t_bindings.find(m_hWnd);
    if (found != t_bindings.end()) {
        if (::GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&CWnd::WndProc)) {
            ::SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
            t_bindings.erase(found);
        } else {
            found->second.pWnd = nullptr;
        }
    }
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
        try {
            pWnd->Attach(reinterpret_cast<HWND>(wParam));
        } catch (...) {
            pWnd->m_hWnd = nullptr;
            return 1;   // no room to bind it: the window is not made
        }
    }
    return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
}

CWnd::CreationScope::CreationScope(CWnd* pWnd)
    : m_hHook(::SetWindowsHookExW(WH_CBT, CreationHook, nullptr, ::GetCurrentThreadId()))
{
    t_pWndInit = pWnd;
}

CWnd::CreationScope::~CreationScope()
{
    t_pWndInit = nullptr;
    ::UnhookWindowsHookEx(m_hHook);
}

BOOL CWnd::PreCreateWindow(CREATESTRUCTW&)
{
    return TRUE;
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    CREATESTRUCTW cs{};
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
    cs.hInstance = ::GetModuleHandleW(nullptr);
    if (m_hWnd != nullptr || !PreCreateWindow(cs))
        return FALSE;

    HWND hWnd;
    {
        CreationScope scope(this);
        hWnd = ::CreateWindowExW(cs.dwExStyle, cs.lpszClass, cs.lpszName, static_cast<DWORD>(cs.style),
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
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_currentMsg.message, m_currentMsg.wParam,
                             m_currentMsg.lParam);
}

LRESULT CWnd::DefaultWith(WPARAM wParam, LPARAM lParam)
{
    return ::CallWindowProcW(m_pfnSuper, m_hWnd, m_currentMsg.message, wParam, lParam);
}

LRESULT CALLBACK CWnd::WndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    const auto found = t_bindings.find(hWnd);
    if (found == t_bindings.end())
        return ::DefWindowProcW(hWnd, message, wParam, lParam);   // never bound: cannot happen
    CWnd* pWnd = found->second.pWnd;
    if (pWnd == nullptr) {
        const WNDPROC pfnSuper = found->second.pfnSuper;
        if (message == WM_NCDESTROY)
            t_bindings.erase(found);
        return ::CallWindowProcW(pfnSuper, hWnd, message, wParam, lParam);
    }
    // Handlers can re-enter (a send inside a send): each level has its message.
    const MSG saved = pWnd->m_currentMsg;
    pWnd->m_currentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    const DWORD pos = ::GetMessagePos();
    pWnd->m_currentMsg.pt = {static_cast<short>(LOWORD(pos)), static_cast<short>(HIWORD(pos))};
    pWnd->m_currentMsg.time = static_cast<DWORD>(::GetMessageTime());
    const LRESULT result = pWnd->HandleMessage(message, wParam, lParam);
    pWnd->m_currentMsg = saved;
    if (message == WM_NCDESTROY) {
        pWnd->Detach();
        t_bindings.erase(hWnd);   // the window is gone, whatever lay above us
        pWnd->PostNcDestroy();
    }
    return result;
}

namespace {

// The answer to a message whose handler failed, which leaves the window in a
// state it can go on from: one whose creation failed is not made, one whose
// painting failed is not asked to paint again at once.
LRESULT AnswerAfterFailure(HWND hWnd, UINT message)
{
    switch (message) {
    case WM_NCCREATE: return FALSE;
    case WM_CREATE: return -1;
    case WM_PAINT:
        ::ValidateRect(hWnd, nullptr);
        return 0;
    default: return 0;
    }
}

}  // namespace

// No exception leaves a window procedure: it would cross the system's frames,
// which cannot pass it on, and end the program.
LRESULT CWnd::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    const char* pszFailure = nullptr;
    try {
        return WindowProc(message, wParam, lParam);
    } catch (const std::bad_alloc&) {
        pszFailure = kOutOfMemoryText;
    } catch (...) {
        pszFailure = kUnexpectedErrorText;
    }
    const LRESULT result = AnswerAfterFailure(m_hWnd, message);
    AfxReportFailure(pszFailure);
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
        if (message == DragListMessage()) {
            // Read only when it is the drag list's own report; anything else
            // is answered 0 (no drag) without being read.
            const auto* pInfo = RecordOfThisThread<DRAGLISTINFO>(lParam);
            if (pInfo == nullptr) {
                *pResult = 0;
                return TRUE;
            }
            return ReflectChildNotify(pInfo->hWnd, message, wParam, lParam, pResult);
        }
        return FALSE;
    }
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // A notification's record is read only when one of this thread's controls
    // sent it: what another process or thread sends is answered 0 unread.
    if (message == WM_NOTIFY && RecordOfThisThread<NMHDR>(lParam) == nullptr)
        return 0;
    LRESULT result = 0;
    if (ReflectNotification(message, wParam, lParam, &result))
        return result;
    if (message == WM_NOTIFY && OnNotify(wParam, lParam, &result))
        return result;
    if (message == WM_GETOBJECT)
        return OnGetObject(wParam, lParam);
    return Default();
}

// An object that cannot be handed out now (no accessibility scope) is not
// kept: the next request tries again.
LRESULT CWnd::OnGetObject(WPARAM wParam, LPARAM lParam)
{
    if (static_cast<LONG>(lParam) == OBJID_CLIENT) {
        if (!m_pAccessible)
            m_pAccessible.Attach(CreateAccessibleObject());
        if (m_pAccessible && !m_pAccessible->IsConnected())
            m_pAccessible.Release();
        const LRESULT result = m_pAccessible ? m_pAccessible->Lresult(wParam) : 0;
        if (result > 0)
            return result;
    }
    return Default();
}

void CWnd::ReleaseAccessibleObject()
{
    if (m_pAccessible)
        m_pAccessible->Disconnect();
    m_pAccessible.Release();
}

CRect CWnd::GetClientRect() const
{
    CRect rc;
    ::GetClientRect(m_hWnd, &rc);
    return rc;
}

static BOOL ModifyLong(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const DWORD old = static_cast<DWORD>(::GetWindowLongPtrW(hWnd, nIndex));
    const DWORD wanted = (old & ~dwRemove) | dwAdd;
    if (wanted == old)
        return FALSE;
    ::SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(wanted));
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

std::wstring CWnd::GetWindowText() const
{
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hWnd)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(m_hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}
