#pragma once
// The launcher as a user runs it: NimbrelRun.exe copied into a directory of
// its own, started there, and its dialog and list reached from outside.
#include <windows.h>

#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WinTest.h"
#include "fw/Types.h"

namespace wintest {

inline constexpr char kLauncherCaption[] = "Nimbrel Run XP";
inline constexpr int kLauncherListId = 1000;
inline constexpr int kLauncherStripId = 1009;

// Copies the launcher built beside the tests into dir (created with its
// parents). Returns the copy's path, or empty when it could not be copied.
inline std::wstring InstallLauncher(const std::wstring& dir)
{
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const std::wstring exe = dir + L"\\NimbrelRun.exe";
    return CopyFileW(Widen(BesideTests(NIMBREL_LAUNCHER_FROM_TESTS)).c_str(), exe.c_str(), FALSE) ? exe
                                                                                                 : std::wstring();
}

inline std::string InstallLauncher(const std::string& dir)
{
    return Narrow(InstallLauncher(Widen(dir)));
}

// A launcher started from its path; ended by force if a failed test leaves it
// running.
class RunningLauncher {
public:
    // Waits until its dialog is shown. The dialog's window has its caption
    // before its controls are made and its list is loaded; it is shown only
    // once both are done.
    explicit RunningLauncher(const std::string& exe) : RunningLauncher(Widen(exe)) {}
    explicit RunningLauncher(const std::wstring& exe)
        : m_process(L'"' + exe + L'"'),
          m_dialog(m_process.Started() ? WaitForFrame(m_process, kLauncherCaption) : nullptr),
          m_list(m_dialog != nullptr && WaitUntil([this] { return IsWindowVisible(m_dialog) != FALSE; })
                     ? GetDlgItem(m_dialog, kLauncherListId)
                     : nullptr)
    {
    }

    // Whether its dialog and list were found.
    bool Ready() const { return m_list != nullptr; }
    const ChildProcess& Process() const { return m_process; }
    HWND Dialog() const { return m_dialog; }
    HWND List() const { return m_list; }

    // The list lies in another process: its item rectangles are asked for.
    // Empty for an index without an item.
    CRect ItemRect(int i) const
    {
        CRect rc;
        if (SendMessageA(m_list, LB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&rc)) == LB_ERR)
            return {};
        return rc;
    }
    POINT ItemCenter(int i) const { return Center(ItemRect(i)); }
    std::vector<std::wstring> WideTexts() const
    {
        std::vector<std::wstring> texts;
        const auto count = SendMessageA(m_list, LB_GETCOUNT, 0, 0);
        for (int i = 0; i < count; ++i)
            texts.push_back(ListItemWideText(m_list, i));
        return texts;
    }
    std::vector<std::string> Texts() const
    {
        std::vector<std::string> texts;
        for (const std::wstring& text : WideTexts())
            texts.push_back(Narrow(text));
        return texts;
    }
    // An in-place control of the list ("Edit", "Button"), while one is open.
    HWND VisibleChild(const char* className) const
    {
        HWND child = FindWindowExA(m_list, nullptr, className, nullptr);
        return child != nullptr && IsWindowVisible(child) ? child : nullptr;
    }
    HWND VisibleEdit() const { return VisibleChild("Edit"); }
    int Selection() const { return static_cast<int>(SendMessageA(m_list, LB_GETCURSEL, 0, 0)); }
    // Returns once the launcher has taken the `posted` messages posted to it
    // last. A message sent from another thread is handled when the launcher
    // next looks at its queue, before the posted message it then takes; so
    // each send but the first returns after one more posted message is taken.
    void Settle(int posted) const
    {
        for (int i = 0; i <= posted; ++i)
            SendMessageTimeoutA(m_list, WM_NULL, 0, 0, SMTO_NORMAL, kPatienceMs, nullptr);
    }
    // Drags entry `from` onto entry `to` with the left button, each message
    // taken before the next is posted.
    void Drag(int from, int to) const { PostDrag(m_list, ItemCenter(from), ItemCenter(to), [this] { Settle(1); }); }
    // Asks it to end as the user would; it saves its list on the way out.
    void PostClose() const { PostMessageA(m_dialog, WM_CLOSE, 0, 0); }

private:
    ChildProcess m_process;
    HWND m_dialog;
    HWND m_list;
};

}  // namespace wintest
