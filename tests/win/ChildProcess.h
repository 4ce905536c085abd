#pragma once
// Programs the Windows tests start: found beside the test executable, started
// the way the launcher starts the player, and their top-level windows.
#include <windows.h>

#include <string>

#include "UniqueHandle.h"
#include "fw/Module.h"
#include "launch/CommandLine.h"

namespace wintest {

inline constexpr DWORD kPatienceMs = 10000;

inline std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

// A file beside the test executable, given relative to its directory.
inline std::string BesideTests(const std::string& relative)
{
    const std::string self = fw::GetModulePath().value_or("");
    return FullPath(self.substr(0, self.find_last_of('\\') + 1) + relative);
}

// A child process started the way the launcher starts the player; ended by
// force if a failed test leaves it running.
class ChildProcess {
public:
    explicit ChildProcess(std::string commandLine)
    {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = launch::kStartupFlags;
        startup.wShowWindow = launch::kShowCommand;
        PROCESS_INFORMATION info = {};
        if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, launch::kCreationFlags,
                           nullptr, nullptr, &startup, &info)) {
            CloseHandle(info.hThread);
            m_process.reset(info.hProcess);
            m_id = info.dwProcessId;
        }
    }
    ~ChildProcess()
    {
        if (m_process && !Ended())
            TerminateProcess(m_process.get(), 1);
    }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    HANDLE Handle() const { return m_process.get(); }
    bool Ended(DWORD waitMs = 0) const { return WaitForSingleObject(m_process.get(), waitMs) == WAIT_OBJECT_0; }
    DWORD ExitCode() const
    {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(m_process.get(), &code);
        return code;
    }

private:
    UniqueHandle m_process;
    DWORD m_id = 0;
};

// The top-level window of the child with this caption, once it is there.
inline HWND WaitForFrame(const ChildProcess& child, const std::string& caption)
{
    WaitForInputIdle(child.Handle(), kPatienceMs);
    for (DWORD waited = 0; waited < kPatienceMs; waited += 50, Sleep(50)) {
        for (HWND w = nullptr; (w = FindWindowExA(nullptr, w, nullptr, caption.c_str())) != nullptr;) {
            DWORD owner = 0;
            GetWindowThreadProcessId(w, &owner);
            if (owner == child.Id())
                return w;
        }
    }
    return nullptr;
}

// The text the player shows. Across processes the wide message is the one
// that is marshalled faithfully.
inline std::string ShownText(HWND frame)
{
    HWND edit = FindWindowExA(frame, nullptr, "Edit", nullptr);
    const auto length = SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(SendMessageW(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()))));
    std::string text(wide.size() * 2 + 1, '\0');
    text.resize(static_cast<size_t>(WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                        text.data(), static_cast<int>(text.size()), nullptr, nullptr)));
    return text;
}

}  // namespace wintest
