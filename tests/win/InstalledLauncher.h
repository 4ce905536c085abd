#pragma once
// The launcher as a user runs it: NimbrelRun.exe copied into a directory of
// its own, started there, and its dialog and list reached from outside.
#include <windows.h>

#include <filesystem>
#include <string>

#include "ChildProcess.h"
#include "WinTest.h"
#include "fw/Types.h"

namespace wintest {

inline constexpr char kLauncherCaption[] = "Nimbrel Run XP";
inline constexpr int kLauncherListId = 1000;
inline constexpr int kLauncherStripId = 1009;

// Polls until done() holds, for at most patienceMs.
template <typename Done>
bool WaitUntil(Done done, DWORD patienceMs = kPatienceMs)
{
    for (DWORD waited = 0; waited < patienceMs; waited += 20, Sleep(20)) {
        if (done())
            return true;
    }
    return done();
}

// Copies the launcher built beside the tests into dir (created with its
// parents). Returns the copy's path, or empty when it could not be copied.
inline std::string InstallLauncher(const std::string& dir)
{
    std::error_code ignored;
    std::filesystem::create_directories(dir, ignored);
    const std::string exe = dir + "\\NimbrelRun.exe";
    return CopyFileA(BesideTests(NIMBREL_LAUNCHER_FROM_TESTS).c_str(), exe.c_str(), FALSE) ? exe : std::string();
}

// A launcher started from its path; ended by force if a failed test leaves it
// running.
class RunningLauncher {
public:
    // Waits until its dialog is shown. The dialog's window has its caption
    // before its controls are made and its list is loaded; it is shown only
    // once both are done.
    explicit RunningLauncher(const std::string& exe)
        : m_process('"' + exe + '"'),
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
    // Asks it to end as the user would; it saves its list on the way out.
    void PostClose() const { PostMessageA(m_dialog, WM_CLOSE, 0, 0); }

private:
    ChildProcess m_process;
    HWND m_dialog;
    HWND m_list;
};

}  // namespace wintest
