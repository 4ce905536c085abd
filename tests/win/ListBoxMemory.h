#pragma once
// A list box whose memory runs out: while an object lives, every list box
// created afterwards answers LB_ERRSPACE to inserts once its allowance is
// spent, as the system's list box does when it cannot grow.
#include <windows.h>

namespace wintest {

class ListBoxMemory {
public:
    // allowance: inserts that still succeed; -1 for no limit (set later).
    explicit ListBoxMemory(int allowance = -1)
    {
        s_nAllowance = allowance;
        s_pfnOriginal = reinterpret_cast<WNDPROC>(SetClassProc(reinterpret_cast<LONG_PTR>(&Refusing)));
    }
    ~ListBoxMemory()
    {
        SetClassProc(reinterpret_cast<LONG_PTR>(s_pfnOriginal));
        s_nAllowance = -1;   // windows made meanwhile keep this procedure
    }
    ListBoxMemory(const ListBoxMemory&) = delete;
    ListBoxMemory& operator=(const ListBoxMemory&) = delete;

    void Allow(int allowance) { s_nAllowance = allowance; }

private:
    static LONG_PTR SetClassProc(LONG_PTR proc)
    {
        const HWND probe = ::CreateWindowExA(0, "ListBox", "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                             ::GetModuleHandleA(nullptr), nullptr);
        const LONG_PTR old = ::SetClassLongPtrA(probe, GCLP_WNDPROC, proc);
        ::DestroyWindow(probe);
        return old;
    }
    static LRESULT CALLBACK Refusing(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == LB_INSERTSTRING || message == LB_ADDSTRING) {
            if (s_nAllowance == 0)
                return LB_ERRSPACE;
            if (s_nAllowance > 0)
                --s_nAllowance;
        }
        return ::CallWindowProcA(s_pfnOriginal, hWnd, message, wParam, lParam);
    }

    static inline WNDPROC s_pfnOriginal = nullptr;
    static inline int s_nAllowance = -1;
};

// While it lives, no edit box can be created on this thread.
class EditCreationRefused {
public:
    EditCreationRefused() : m_hHook(::SetWindowsHookExA(WH_CBT, &Refuse, nullptr, ::GetCurrentThreadId())) {}
    ~EditCreationRefused() { ::UnhookWindowsHookEx(m_hHook); }
    EditCreationRefused(const EditCreationRefused&) = delete;
    EditCreationRefused& operator=(const EditCreationRefused&) = delete;

private:
    static LRESULT CALLBACK Refuse(int nCode, WPARAM wParam, LPARAM lParam)
    {
        if (nCode == HCBT_CREATEWND) {
            char name[16] = {};
            ::GetClassNameA(reinterpret_cast<HWND>(wParam), name, sizeof name);
            if (::lstrcmpiA(name, "Edit") == 0)
                return 1;
        }
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }

    HHOOK m_hHook;
};

}  // namespace wintest
