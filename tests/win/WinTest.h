#pragma once
// What the window tests share: pumping a dialog's messages the way its modal
// loop does, waiting for what another thread or process does, answering the
// dialogs a test opens, real input messages and the pixels on the screen.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <iterator>
#include <mutex>
#include <ostream>
#include <string>
#include <thread>
#include <vector>

#include "fw/Dialog.h"
#include "fw/Gdi.h"
#include "fw/Wnd.h"
#include "WideText.h"

// Rectangles in test failures read as "(left, top)-(right, bottom)".
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ")-(" << rc.right << ", " << rc.bottom << ")";
}

namespace wintest {

// How long a test waits for another thread or process before it fails.
inline constexpr DWORD kPatienceMs = 10000;

// The system's own timer message (caret blink, mouse tracking). A button of
// common controls 6 tracks the pointer resting on it with one every 10 ms under
// Wine, so it never counts as work: the queue would never look idle.
inline constexpr UINT kSystemTimerMessage = 0x0118;

// Looks at and dispatches queued messages until the queue stays empty for a
// moment or ended() holds.
template <class Dispatch, class Ended>
void PumpWith(Dispatch dispatch, Ended ended, int idleMs)
{
    auto lastWork = std::chrono::steady_clock::now();
    while (!ended() && std::chrono::steady_clock::now() - lastWork < std::chrono::milliseconds(idleMs)) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dispatch(msg);
            if (msg.message != kSystemTimerMessage)
                lastWork = std::chrono::steady_clock::now();
        } else {
            ::Sleep(1);
        }
    }
}

// As the dialog's modal loop would, until the queue is idle or the dialog ends.
inline void Pump(CDialog& dlg, int idleMs = 30)
{
    PumpWith([&dlg](MSG& msg) { dlg.ProcessMessage(msg); }, [&dlg] { return dlg.HasEnded(); }, idleMs);
}

// A window-less thread's messages (for controls without a dialog).
inline void PumpThread(int idleMs = 30)
{
    const auto dispatch = [](MSG& msg) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    };
    PumpWith(dispatch, [] { return false; }, idleMs);
}

// Polls done(), meanwhile running `between` (by default a short sleep), until
// it holds or patienceMs have passed; whether it held.
template <class Done>
bool WaitUntil(Done done, DWORD patienceMs = kPatienceMs, const std::function<void()>& between = nullptr)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        between ? between() : ::Sleep(20);
    return done();
}

// Pumps the dialog's messages until done() holds or patienceMs have passed.
template <class Done>
bool PumpUntil(CDialog& dlg, Done done, int patienceMs)
{
    return WaitUntil(done, static_cast<DWORD>(patienceMs), [&dlg] { Pump(dlg, 10); });
}

// Answers, from a thread of its own, every shown top-level window that
// `wanted` picks by posting it the command `answer`, and records each one's
// text (a message box's) and owner, so a test sees what the user was shown.
class WindowAnswerer {
public:
    // typed: texts typed in turn into a file dialog's name box, each taken
    // with Open (a folder goes into it, a file opens it), instead of the
    // answer. whileUp runs first, from the watching thread, while the window
    // is up.
    WindowAnswerer(std::function<bool(HWND)> wanted, UINT answer, std::vector<std::wstring> typed = {},
                   std::function<void()> whileUp = {})
        : m_wanted(std::move(wanted)), m_answer(answer), m_typed(std::move(typed)), m_whileUp(std::move(whileUp)),
          m_thread([this] { Watch(); })
    {
    }
    ~WindowAnswerer()
    {
        m_stop = true;
        m_thread.join();
    }
    WindowAnswerer(const WindowAnswerer&) = delete;
    WindowAnswerer& operator=(const WindowAnswerer&) = delete;

    std::vector<std::string> Texts() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_texts;
    }
    // The owner window of each, in the same order.
    std::vector<HWND> Owners() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_owners;
    }
    int Answered() const { return static_cast<int>(Owners().size()); }

private:
    static constexpr int kFileNameBox = 1148;

    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<WindowAnswerer*>(lParam);
        if (!::IsWindowVisible(hWnd) || !self->m_wanted(hWnd))
            return TRUE;
        char text[1024] = {};
        ::GetWindowTextA(::GetDlgItem(hWnd, 0xFFFF), text, sizeof text);   // a message box's text
        {
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_texts.emplace_back(text);
            self->m_owners.push_back(::GetWindow(hWnd, GW_OWNER));
        }
        if (self->m_whileUp)
            self->m_whileUp();
        for (const std::wstring& typed : self->m_typed) {
            ::SetDlgItemTextW(hWnd, kFileNameBox, typed.c_str());
            ::SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
        }
        if (self->m_typed.empty())
            ::PostMessageA(hWnd, WM_COMMAND, self->m_answer, 0);
        ::ShowWindow(hWnd, SW_HIDE);   // not seen twice while it closes
        return TRUE;
    }
    void Watch()
    {
        while (!m_stop) {
            ::EnumWindows(Visit, reinterpret_cast<LPARAM>(this));
            ::Sleep(20);
        }
    }

    const std::function<bool(HWND)> m_wanted;
    const UINT m_answer;
    const std::vector<std::wstring> m_typed;
    const std::function<void()> m_whileUp;
    mutable std::mutex m_mutex;
    std::vector<std::string> m_texts;
    std::vector<HWND> m_owners;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};

inline DWORD ProcessOf(HWND hWnd)
{
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hWnd, &pid);
    return pid;
}

// Answers every message box a process (by default this one) shows with OK.
class MessageBoxWatcher : public WindowAnswerer {
public:
    explicit MessageBoxWatcher(DWORD pid = ::GetCurrentProcessId())
        : WindowAnswerer([pid](HWND h) { return ProcessOf(h) == pid && ::GetDlgItem(h, 0xFFFF) != nullptr; }, IDOK)
    {
    }
};

// Cancels every system dialog (a file dialog) opened over the owner window,
// or answers it by typing each of typed into its file name box in turn.
class DialogCanceller : public WindowAnswerer {
public:
    explicit DialogCanceller(HWND hOwner, std::vector<std::wstring> typed = {}, std::function<void()> whileUp = {})
        : WindowAnswerer([hOwner](HWND h) { return ::GetWindow(h, GW_OWNER) == hOwner && ClassName(h) == "#32770"; },
                         IDCANCEL, std::move(typed), std::move(whileUp))
    {
    }

private:
    static std::string ClassName(HWND hWnd)
    {
        char name[16] = {};
        ::GetClassNameA(hWnd, name, sizeof name);
        return name;
    }
};

// Real input, posted to the window's queue so it takes the modal loop's path.
inline void PostKey(HWND hWnd, UINT vk, bool bAlt = false)
{
    const UINT scan = ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    LPARAM lParam = 1 | (static_cast<LPARAM>(scan) << 16);
    if (bAlt)
        lParam |= LPARAM(1) << 29;   // the context code: Alt is held
    ::PostMessageA(hWnd, bAlt ? WM_SYSKEYDOWN : WM_KEYDOWN, vk, lParam);
    ::PostMessageA(hWnd, bAlt ? WM_SYSKEYUP : WM_KEYUP, vk,
                   lParam | (LPARAM(1) << 30) | (LPARAM(1) << 31));
}

// Keys held down for this thread while it handles the keys posted meanwhile:
// a posted key changes no key state, so Ctrl or Shift is held this way.
class HeldKeys {
public:
    explicit HeldKeys(const std::vector<UINT>& keys)
    {
        ::GetKeyboardState(m_saved);
        BYTE state[256];
        std::copy(std::begin(m_saved), std::end(m_saved), std::begin(state));
        for (UINT vk : keys)
            state[vk] |= 0x80;
        ::SetKeyboardState(state);
    }
    ~HeldKeys() { ::SetKeyboardState(m_saved); }
    HeldKeys(const HeldKeys&) = delete;
    HeldKeys& operator=(const HeldKeys&) = delete;

private:
    BYTE m_saved[256]{};
};

// Typed characters, as the keyboard's translation would post them.
inline void PostChars(HWND hWnd, const std::string& text)
{
    for (char c : text)
        ::PostMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline POINT Center(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

inline CRect ClientRect(HWND hWnd)
{
    CRect rc;
    ::GetClientRect(hWnd, &rc);
    return rc;
}

inline POINT OnScreen(HWND hWnd, POINT client)
{
    ::ClientToScreen(hWnd, &client);
    return client;
}

// A child window's rectangle in its parent's client coordinates.
inline CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

// The keyboard focus of the thread (of any process) that owns the window.
inline HWND FocusOfThread(HWND hWnd)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    ::GetGUIThreadInfo(::GetWindowThreadProcessId(hWnd, nullptr), &info);
    return info.hwndFocus;
}

inline std::string WindowText(HWND hWnd)
{
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(hWnd)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(hWnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Moves the real cursor and waits until it stays there. Wine takes in the X
// server's pointer events late (when the thread next looks at its queue or
// takes the capture); on a process's first move they can put the cursor back
// where the X pointer was. So the queue is looked at, the cursor put back
// where it must be, until it has held for holdMs.
inline void PlaceCursor(POINT screen, int holdMs = 150)
{
    using clock = std::chrono::steady_clock;
    const auto deadline = clock::now() + std::chrono::seconds(2);
    auto heldSince = clock::now();
    ::SetCursorPos(screen.x, screen.y);
    while (clock::now() - heldSince < std::chrono::milliseconds(holdMs) && clock::now() < deadline) {
        MSG msg;
        ::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE);
        POINT now{};
        ::GetCursorPos(&now);
        if (now.x != screen.x || now.y != screen.y) {
            ::SetCursorPos(screen.x, screen.y);
            heldSince = clock::now();
        }
        ::Sleep(5);
    }
}

// A press and release at one place, without moving the real cursor: the
// window takes the place from the message.
inline void PostPress(HWND hWnd, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                      WPARAM keys = MK_LBUTTON)
{
    ::PostMessageA(hWnd, down, keys, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hWnd, up, 0, MAKELPARAM(pt.x, pt.y));
}

// The same with the real cursor placed there first: the drag list reads the
// real cursor, not the message.
inline void PostClick(HWND hWnd, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                      WPARAM keys = MK_LBUTTON)
{
    PlaceCursor(OnScreen(hWnd, pt));
    PostPress(hWnd, pt, down, up, keys);
}

// What a real double-click brings: a press and release, then the
// double-click and its release.
inline void PostDoubleClick(HWND hWnd, POINT pt)
{
    PostClick(hWnd, pt);
    PostClick(hWnd, pt, WM_LBUTTONDBLCLK, WM_LBUTTONUP);
}

// A drag with the left button from one point of the window to another. The
// drag list reads the real cursor, so it is placed (and seen to stay) before
// each message, and settle() lets each message be handled before the next.
template <class Settle>
void PostDrag(HWND hWnd, POINT from, POINT to, Settle settle)
{
    const auto post = [&](UINT message, WPARAM keys, POINT pt) {
        PlaceCursor(OnScreen(hWnd, pt), 10);
        ::PostMessageA(hWnd, message, keys, MAKELPARAM(pt.x, pt.y));
        settle();
    };
    post(WM_LBUTTONDOWN, MK_LBUTTON, from);
    post(WM_MOUSEMOVE, MK_LBUTTON, {from.x, (from.y + to.y) / 2});
    post(WM_MOUSEMOVE, MK_LBUTTON, to);
    post(WM_LBUTTONUP, 0, to);
}

// Real mouse input through the system's input queue, at a point on the
// screen: the pointer moves there, then the buttons in flags (for example
// MOUSEEVENTF_LEFTDOWN) act. The caller pumps the messages.
inline void SendMouseAt(POINT screen, DWORD flags = 0)
{
    const int cx = ::GetSystemMetrics(SM_CXSCREEN);
    const int cy = ::GetSystemMetrics(SM_CYSCREEN);
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Normalised coordinates, rounded up so they map back to the same pixel.
    input.mi.dx = static_cast<LONG>((static_cast<LONGLONG>(screen.x) * 65536 + cx - 1) / cx);
    input.mi.dy = static_cast<LONG>((static_cast<LONGLONG>(screen.y) * 65536 + cy - 1) / cy);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | flags;
    ::SendInput(1, &input, sizeof input);
}

// Real keys through the system's input queue, to whatever window has the
// keyboard focus: the keys pressed in order, then released in reverse
// (SendKeys({VK_CONTROL, VK_RETURN}) is Ctrl+Enter).
inline void SendKeys(const std::vector<WORD>& keys)
{
    std::vector<INPUT> inputs;
    for (WORD vk : keys) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = vk;
        inputs.push_back(input);
    }
    for (auto it = keys.rbegin(); it != keys.rend(); ++it) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = *it;
        input.ki.dwFlags = KEYEVENTF_KEYUP;
        inputs.push_back(input);
    }
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The clipboard's text in a format (CF_UNICODETEXT read as ASCII, '?' for
// any other character); "" when it holds none.
inline std::string ClipboardText(UINT nFormat)
{
    std::string text;
    if (!::OpenClipboard(nullptr))
        return "(clipboard not open)";
    if (const HANDLE hData = ::GetClipboardData(nFormat)) {
        if (nFormat == CF_UNICODETEXT) {
            const auto* p = static_cast<const wchar_t*>(::GlobalLock(hData));
            for (; p != nullptr && *p != L'\0'; ++p)
                text += *p < 128 ? static_cast<char>(*p) : '?';
        } else if (const auto* p = static_cast<const char*>(::GlobalLock(hData))) {
            text = p;
        }
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    return text;
}

inline void EmptyTheClipboard()
{
    if (::OpenClipboard(nullptr)) {
        ::EmptyClipboard();
        ::CloseClipboard();
    }
}

// Input to a dialog's windows, each handled before the call returns.
class DialogInput {
public:
    void Press(HWND hWnd, UINT vk, bool bAlt = false)
    {
        PostKey(hWnd, vk, bAlt);
        Pump(Driven());
    }
    // A key pressed with others held (Ctrl+Z: Chord(list, 'Z', {VK_CONTROL})).
    void Chord(HWND hWnd, UINT vk, const std::vector<UINT>& held)
    {
        const HeldKeys keys(held);
        Press(hWnd, vk);
    }
    void Type(HWND hWnd, const std::string& text)
    {
        PostChars(hWnd, text);
        Pump(Driven());
    }
    void Click(HWND hWnd, POINT pt)
    {
        PostClick(hWnd, pt);
        Pump(Driven());
    }
    void RightClick(HWND hWnd, POINT pt)
    {
        PostClick(hWnd, pt, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        Pump(Driven());
    }
    void ClickCenter(HWND hWnd) { Click(hWnd, Center(ClientRect(hWnd))); }
    // Real mouse input at a point on the screen (see SendMouseAt).
    void MouseAt(POINT screen, DWORD flags = 0, int idleMs = 30)
    {
        SendMouseAt(screen, flags);
        Pump(Driven(), idleMs);
    }

protected:
    virtual CDialog& Driven() = 0;
    ~DialogInput() = default;
};

// The pixels of a window as they are on the screen, each a COLORREF: the
// client area, or with bWhole the whole window including its edge.
struct Pixels {
    int w = 0;
    int h = 0;
    std::vector<COLORREF> rgb;
    COLORREF At(int x, int y) const { return rgb[static_cast<size_t>(y * w + x)]; }
    bool operator==(const Pixels& o) const { return w == o.w && h == o.h && rgb == o.rgb; }
};

inline Pixels Capture(HWND hWnd, bool bWhole = false)
{
    CRect rc;
    bWhole ? ::GetWindowRect(hWnd, &rc) : ::GetClientRect(hWnd, &rc);
    Pixels px{rc.Width(), rc.Height(), {}};
    const HDC hSource = bWhole ? ::GetWindowDC(hWnd) : ::GetDC(hWnd);
    {
        CMemoryDC mem(hSource);
        BITMAPINFO bi{};
        bi.bmiHeader = {sizeof(BITMAPINFOHEADER), px.w, -px.h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};   // top row first
        void* pBits = nullptr;
        CBitmap bitmap(::CreateDIBSection(hSource, &bi, DIB_RGB_COLORS, &pBits, nullptr, 0));
        CSelectObject select(mem, bitmap);
        ::BitBlt(mem, 0, 0, px.w, px.h, hSource, 0, 0, SRCCOPY);
        ::GdiFlush();
        for (int i = 0; i < px.w * px.h; ++i) {
            const auto* p = static_cast<const BYTE*>(pBits) + 4 * i;
            px.rgb.push_back(RGB(p[2], p[1], p[0]));
        }
    }
    ::ReleaseDC(hWnd, hSource);
    return px;
}

}  // namespace wintest
