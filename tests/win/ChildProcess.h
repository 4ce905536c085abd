#pragma once
// Programs the Windows tests start: found beside the test executable, started
// the way the launcher starts the player, and their top-level windows.
#include <windows.h>
#include <winternl.h>

#include <string>

#include "fw/UniqueHandle.h"
#include "WideText.h"
#include "WinTest.h"
#include "fw/Module.h"
#include "launch/CommandLine.h"

namespace wintest {

inline std::string FullPath(const std::string& path)
{
    char full[MAX_PATH];
    const DWORD n = GetFullPathNameA(path.c_str(), MAX_PATH, full, nullptr);
    return n > 0 && n < MAX_PATH ? std::string(full, n) : path;
}

// A file beside the test executable, given relative to its directory.
inline std::string BesideTests(const std::string& relative)
{
    const std::string self = Narrow(fw::GetModulePath().value_or(std::wstring()));
    return FullPath(self.substr(0, self.find_last_of('\\') + 1) + relative);
}

// A child process started the way the launcher starts the player; ended by
// force if a failed test leaves it running.
class ChildProcess {
public:
    explicit ChildProcess(const std::string& commandLine) : ChildProcess(Widen(commandLine)) {}
    explicit ChildProcess(std::wstring commandLine)
    {
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = launch::kStartupFlags;
        startup.wShowWindow = launch::kShowCommand;
        PROCESS_INFORMATION info = {};
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, launch::kCreationFlags,
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
inline HWND WaitForFrame(const ChildProcess& child, const std::wstring& caption)
{
    WaitForInputIdle(child.Handle(), kPatienceMs);
    HWND frame = nullptr;
    WaitUntil([&] {
        for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, nullptr, caption.c_str())) != nullptr;)
            frame = ProcessOf(w) == child.Id() ? w : frame;
        return frame != nullptr;
    });
    return frame;
}

inline HWND WaitForFrame(const ChildProcess& child, const std::string& caption)
{
    return WaitForFrame(child, Widen(caption));
}

// The text the player shows, once it shows one: a frame is found by its
// caption from the moment it is created, before the edit that holds the text.
inline std::wstring ShownWideText(HWND frame)
{
    HWND edit = nullptr;
    WaitUntil([&] {
        edit = FindWindowExA(frame, nullptr, "Edit", nullptr);
        return edit != nullptr && SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0) != 0;
    });
    std::wstring wide(static_cast<size_t>(SendMessageW(edit, WM_GETTEXTLENGTH, 0, 0)) + 1, L'\0');
    wide.resize(static_cast<size_t>(SendMessageW(edit, WM_GETTEXT, wide.size(), reinterpret_cast<LPARAM>(wide.data()))));
    return wide;
}

inline std::string ShownText(HWND frame)
{
    return Narrow(ShownWideText(frame));
}

// An item's text in a list box, of this process or another, as UTF-16 (the
// wide message is the one marshalled faithfully across processes).
inline std::wstring ListItemWideText(HWND list, int index)
{
    const auto length = SendMessageW(list, LB_GETTEXTLEN, index, 0);
    if (length < 0)
        return L"";
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    wide.resize(static_cast<size_t>(SendMessageW(list, LB_GETTEXT, index, reinterpret_cast<LPARAM>(wide.data()))));
    return wide;
}

inline std::string ListItemText(HWND list, int index)
{
    return Narrow(ListItemWideText(list, index));
}

inline bool SamePath(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_EQUAL;
}

// A process that someone else started, found by its window; ended by force if
// it is still running when the test lets go of it.
class FoundProcess {
public:
    explicit FoundProcess(DWORD id = 0)
        : m_process(id ? OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE | PROCESS_QUERY_INFORMATION | PROCESS_VM_READ,
                                     FALSE, id)
                       : nullptr)
    {
    }
    ~FoundProcess()
    {
        if (m_process && !Ended(0))
            TerminateProcess(m_process.get(), 1);
    }
    FoundProcess(FoundProcess&&) = default;
    FoundProcess& operator=(FoundProcess&&) = default;

    HANDLE Handle() const { return m_process.get(); }
    bool Ended(DWORD waitMs) const { return WaitForSingleObject(m_process.get(), waitMs) == WAIT_OBJECT_0; }
    std::string ImagePath() const
    {
        char path[MAX_PATH];
        DWORD size = MAX_PATH;
        return m_process && QueryFullProcessImageNameA(m_process.get(), 0, path, &size) ? std::string(path, size) : "";
    }

private:
    UniqueHandle m_process;
};

// The command line another process was started with, read from its process
// parameters. For a 32-bit process started by a 64-bit one the process block
// reported is its 64-bit one, laid out as this program's own.
inline std::string ProcessCommandLine(HANDLE process)
{
    using Query = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const FARPROC proc = GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess");
    PROCESS_BASIC_INFORMATION info{};
    // Through the generic function type, which any function pointer converts to.
    if (proc == nullptr || reinterpret_cast<Query>(reinterpret_cast<void (*)()>(proc))(
                               process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0)
        return "";
    const auto read = [process](const void* from, void* to, SIZE_T size) {
        SIZE_T got = 0;
        return ReadProcessMemory(process, from, to, size, &got) && got == size;
    };
    PEB peb{};
    RTL_USER_PROCESS_PARAMETERS parameters{};
    if (!read(info.PebBaseAddress, &peb, sizeof peb) ||
        !read(peb.ProcessParameters, &parameters, sizeof parameters))
        return "";
    std::wstring line(parameters.CommandLine.Length / sizeof(WCHAR), L'\0');
    return read(parameters.CommandLine.Buffer, line.data(), parameters.CommandLine.Length) ? Narrow(line) : "";
}

// The top-level window captioned `caption` of a process started from `image`
// by someone else, once it is there; the process is handed to `started`.
inline HWND WaitForWindowOf(const std::string& image, const std::string& caption, FoundProcess& started)
{
    HWND frame = nullptr;
    WaitUntil([&] {
        for (HWND w = nullptr; frame == nullptr && (w = FindWindowExA(nullptr, w, nullptr, caption.c_str()));) {
            FoundProcess candidate(ProcessOf(w));
            if (SamePath(candidate.ImagePath(), image)) {
                started = std::move(candidate);
                frame = w;
            }
        }
        return frame != nullptr;
    });
    return frame;
}

}  // namespace wintest
