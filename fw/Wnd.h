#pragma once
// CWnd: one C++ object bound to one window for the window's life.
//
// Binding: a window created through CreateEx is bound by a creation hook before
// its first message (WM_NCCREATE); an existing window (a dialog control) is bound
// by SubclassWindow. Both put our window procedure in the window's place and
// keep the one it replaced; a map of the thread's windows finds the object.
// Dispatch: every message reaches the virtual WindowProc, where a class switches
// to its named handlers; Default() passes the message being handled on to the
// window's previous procedure. Notifications from child controls are reflected
// to the child object's OnChildNotify first. A handler that throws (out of
// memory) does not end the program: the user is told, and the window goes on.
#include <cstddef>
#include <string>

#include "fw/ComPtr.h"
#include "fw/Types.h"

class CAccessibleBase;

class CWnd {
public:
    CWnd();
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND m_hWnd = nullptr;
    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // The object bound to a window, or null for a window we do not own.
    static CWnd* FromHandlePermanent(HWND hWnd);

    // Binding and creation.
    BOOL SubclassWindow(HWND hWnd);
    BOOL SubclassDlgItem(UINT nID, CWnd* pParent);
    BOOL CreateEx(DWORD dwExStyle, LPCWSTR lpszClassName, LPCWSTR lpszWindowName, DWORD dwStyle,
                  const RECT& rect, CWnd* pParentWnd, UINT nID);
    virtual BOOL DestroyWindow();
    // Ends the binding: the window goes back to its previous procedure and its
    // messages no longer reach the object. Returns the window.
    HWND UnsubclassWindow();

    // Overridables.
    virtual void PreSubclassWindow() {}
    virtual BOOL PreCreateWindow(CREATESTRUCTW& cs);
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called with a notification this window sent to its parent; TRUE when handled.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual void PostNcDestroy() {}
    // Shows help for a context. No help file belongs to the framework: the
    // default shows nothing, a window with help of its own overrides it.
    virtual void WinHelp(DWORD_PTR /*dwData*/, UINT /*nCmd*/) {}
    // The resource the window's help context is numbered after (0: none).
    virtual UINT GetHelpID() const { return 0; }
    // The accessible object of the client area (fw/Accessible.h), made on the
    // first WM_GETOBJECT that asks for it, with one reference that the window
    // keeps until it is destroyed or its binding ends; then the object is
    // disconnected. Null, the default, leaves every request to the system.
    virtual CAccessibleBase* CreateAccessibleObject() { return nullptr; }

    // The message being handled, passed on to the window's previous procedure.
    LRESULT Default();
    // The same message passed on with other parameters (a press moved to
    // where its item now lies).
    LRESULT DefaultWith(WPARAM wParam, LPARAM lParam);
    const MSG* GetCurrentMessage() const { return &m_currentMsg; }

    // Thin helpers over the window functions the classes use.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(m_hWnd, message, wParam, lParam);
    }
    CRect GetClientRect() const;
    void ClientToScreen(POINT* pt) const { ::ClientToScreen(m_hWnd, pt); }
    void ScreenToClient(POINT* pt) const { ::ScreenToClient(m_hWnd, pt); }
    BOOL ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    BOOL ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags = 0);
    DWORD GetStyle() const { return static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)); }
    std::wstring GetWindowText() const;
    void SetWindowText(const std::wstring& text) { ::SetWindowTextW(m_hWnd, text.c_str()); }
    HWND SetFocus() { return ::SetFocus(m_hWnd); }
    BOOL IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
    void Invalidate(BOOL bErase = TRUE) { ::InvalidateRect(m_hWnd, nullptr, bErase); }
    void UpdateWindow() { ::UpdateWindow(m_hWnd); }
    HWND GetParent() const { return ::GetParent(m_hWnd); }

protected:
    // While it lives, the next window this thread creates is bound to the
    // object before its first message.
    class CreationScope {
    public:
        explicit CreationScope(CWnd* pWnd);
        ~CreationScope();
        CreationScope(const CreationScope&) = delete;
        CreationScope& operator=(const CreationScope&) = delete;
    private:
        HHOOK m_hHook;
    };

    // Reflects a child's notification to the child object; TRUE when it took it.
    BOOL ReflectChildNotify(HWND hWndChild, UINT message, WPARAM wParam, LPARAM lParam,
                            LRESULT* pResult);
    // Disconnects and lets go of the accessible object. A class whose object
    // asks its members calls this first in its destructor, before they go.
    void ReleaseAccessibleObject();

private:
    static LRESULT CALLBACK WndProc(HWND, UINT, WPARAM, LPARAM);
    // WindowProc, whose failure is reported to the user and answered as the
    // message allows, never passed on to the system.
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK CreationHook(int nCode, WPARAM wParam, LPARAM lParam);
    void Attach(HWND hWnd);
    void Detach();
    BOOL ReflectNotification(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    LRESULT OnGetObject(WPARAM wParam, LPARAM lParam);

    MSG m_currentMsg{};
    WNDPROC m_pfnSuper = nullptr;   // the procedure ours replaced
    CComPtr<CAccessibleBase> m_pAccessible;
};

// The registered message with which a drag list reports to its parent.
UINT DragListMessage();

// Whether the lParam of the message being handled may be read as a record of
// size bytes that its sender built on its stack: the message was sent from
// this thread (not posted, not from another thread or process) and the record
// lies in the live part of this thread's stack. Registered messages, and
// WM_NOTIFY or WM_DPICHANGED, can come from any process, whose pointers mean
// nothing here.
bool IsRecordOfThisThread(LPARAM lParam, std::size_t size);
template <class TRecord>
const TRecord* RecordOfThisThread(LPARAM lParam)
{
    return IsRecordOfThisThread(lParam, sizeof(TRecord)) ? reinterpret_cast<const TRecord*>(lParam) : nullptr;
}

// The message handled by the window class's own procedure, below every
// procedure put over the window (our binding, the drag list's subclass). For
// what none of those takes part in, such as reading or inserting a list item:
// under Wine each pass through a common-controls subclass costs wine server
// round trips.
LRESULT CallClassWindowProc(HWND hWnd, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
// The procedure CallClassWindowProc calls, looked up once for many messages.
WNDPROC ClassWindowProc(HWND hWnd);
