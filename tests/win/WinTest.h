#pragma once
// What the window tests share: pumping a dialog's messages the way its modal
// loop does, answering message boxes, real input messages, and the run list
// file beside the test executable.
#include <windows.h>


#include <algorithm>
#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "fw/Dialog.h"
#include "fw/Module.h"
#include "listctrl/ListBoxEx.h"
#include "runlist/RunList.h"

// Rectangles in test failures read as "(left, top)-(right, bottom)".
inline void PrintTo(const CRect& rc, std::ostream* os)
{
    *os << "(" << rc.left << ", " << rc.top << ")-(" << rc.right << ", " << rc.bottom << ")";
}

namespace wintest {

// The system's own timer message (caret blink, mouse tracking). A button of
// common controls 6 tracks the pointer resting on it with one every 10 ms under
// Wine, so it never counts as work: the queue would never look idle.
inline constexpr UINT kSystemTimerMessage = 0x0118;

// Looks at and dispatches queued messages as the dialog's modal loop would,
// until the queue stays empty for a moment or the dialog ends.
inline void Pump(CDialog& dlg, int idleMs = 30)
{
    auto lastWork = std::chrono::steady_clock::now();
    while (!dlg.HasEnded() &&
           std::chrono::steady_clock::now() - lastWork < std::chrono::milliseconds(idleMs)) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            dlg.ProcessMessage(msg);
            if (msg.message != kSystemTimerMessage)
                lastWork = std::chrono::steady_clock::now();
        } else {
            ::Sleep(1);
        }
    }
}

// Pumps the dialog's messages until done() holds or patienceMs have passed;
// whether it held.
template <class Done>
bool PumpUntil(CDialog& dlg, Done done, int patienceMs)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(patienceMs);
    while (!done() && std::chrono::steady_clock::now() < deadline)
        Pump(dlg, 10);
    return done();
}

// Pumps a window-less thread's messages (for controls without a dialog).
inline void PumpThread(int idleMs = 30)
{
    auto lastWork = std::chrono::steady_clock::now();
    while (std::chrono::steady_clock::now() - lastWork < std::chrono::milliseconds(idleMs)) {
        MSG msg;
        if (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
            if (msg.message != kSystemTimerMessage)
                lastWork = std::chrono::steady_clock::now();
        } else {
            ::Sleep(1);
        }
    }
}

// Answers every message box a process (by default this one) shows (OK) and
// records its text, so a test can see what the user would have been told.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD pid = ::GetCurrentProcessId()) : m_pid(pid), m_thread([this] { Watch(); }) {}
    ~MessageBoxWatcher()
    {
        m_stop = true;
        m_thread.join();
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<std::string> Texts() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_texts;
    }
    // The owner window of each box, in the same order.
    std::vector<HWND> Owners() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_owners;
    }

private:
    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<MessageBoxWatcher*>(lParam);
        DWORD pid = 0;
        ::GetWindowThreadProcessId(hWnd, &pid);
        HWND hText = ::GetDlgItem(hWnd, 0xFFFF);   // a message box's text
        if (pid != self->m_pid || hText == nullptr || !::IsWindowVisible(hWnd))
            return TRUE;
        char text[1024] = {};
        ::GetWindowTextA(hText, text, sizeof text);
        {
            std::lock_guard<std::mutex> lock(self->m_mutex);
            self->m_texts.emplace_back(text);
            self->m_owners.push_back(::GetWindow(hWnd, GW_OWNER));
        }
        ::PostMessageA(hWnd, WM_COMMAND, IDOK, 0);
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

    mutable std::mutex m_mutex;
    std::vector<std::string> m_texts;
    std::vector<HWND> m_owners;
    const DWORD m_pid;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
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

// A key pressed with others held (Ctrl+Z: PressChord(dlg, list, 'Z', {VK_CONTROL})).
inline void PressChord(CDialog& dlg, HWND hWnd, UINT vk, const std::vector<UINT>& held)
{
    const HeldKeys keys(held);
    PostKey(hWnd, vk);
    Pump(dlg);
}

inline POINT Center(const RECT& rc)
{
    return {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}

inline POINT ItemCenter(const CListBox& list, int nIndex)
{
    return Center(list.GetItemRect(nIndex));
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

inline void PostClick(HWND hWnd, POINT pt, UINT down = WM_LBUTTONDOWN, UINT up = WM_LBUTTONUP,
                      WPARAM keys = MK_LBUTTON)
{
    POINT screen = pt;
    ::ClientToScreen(hWnd, &screen);
    PlaceCursor(screen);   // the drag list reads the real cursor, not the message
    ::PostMessageA(hWnd, down, keys, MAKELPARAM(pt.x, pt.y));
    ::PostMessageA(hWnd, up, 0, MAKELPARAM(pt.x, pt.y));
}

// Typed characters, as the keyboard's translation would post them.
inline void PostChars(HWND hWnd, const std::string& text)
{
    for (char c : text)
        ::PostMessageA(hWnd, WM_CHAR, static_cast<unsigned char>(c), 1);
}

// A child window's rectangle in its parent's client coordinates.
inline CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
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

inline std::string ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ExePath()
{
    return fw::GetModulePath().value_or(std::string());
}

inline std::string RunListPath()
{
    return RunListFilePath(ExePath());
}

inline std::vector<std::string> ItemTexts(const CListBox& list)
{
    std::vector<std::string> texts;
    for (int i = 0; i < list.GetCount(); ++i)
        texts.push_back(list.GetText(i));
    return texts;
}

inline std::vector<std::string> PathHead(const CListBoxEx& list)
{
    std::vector<std::string> paths;
    for (int i = 0; i < list.GetCount(); ++i)
        paths.push_back(list.Paths().GetAt(i));
    return paths;
}

}  // namespace wintest
