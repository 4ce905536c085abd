#pragma once
// Files for the tests: whole files read and written, the test executable's
// own run list, temporary directories, and files held open by another
// program, for tests of what the launcher does with files it cannot read or
// replace.
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "WideText.h"
#include "WinTest.h"
#include "fw/Module.h"
#include "paths/PathRules.h"
#include "runlist/RunList.h"

namespace wintest {

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
    return Narrow(fw::GetModulePath().value_or(std::wstring()));
}

// The run list file beside the test executable, which the dialog reads and writes.
inline std::string RunListPath()
{
    return Narrow(RunListFilePath(Widen(ExePath())));
}

inline bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// When the file was last written (zero when it is not there): a save replaces
// it, and so changes it, even with the same bytes.
inline ULONGLONG LastWriteTime(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// A fresh directory under the system's temporary directory, removed with
// everything in it at the end of the test.
class TempDir {
public:
    TempDir()
    {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 ("nimbrel_runlist_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial));
        std::filesystem::create_directory(m_path);
    }
    ~TempDir()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

// holdfile.exe, started beside the tests, holding a file open without sharing
// until released or until maxMs have passed.
class HeldFile {
public:
    HeldFile(const TempDir& dir, const std::string& file, DWORD maxMs = 30000)
        : m_release(dir.File("release" + std::to_string(++s_serial) + ".marker"))
    {
        const std::string ready = dir.File("ready" + std::to_string(s_serial) + ".marker");
        std::string commandLine = "\"" + Narrow(SiblingPath(Widen(ExePath()), L"holdfile", L"exe")) +
                                  "\" \"" + file + "\" \"" + ready + "\" \"" + m_release + "\" " +
                                  std::to_string(maxMs);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_process))
            return;
        CloseHandle(m_process.hThread);
        m_holding = WaitUntil([&ready] { return Exists(ready); }, 5000);
    }
    ~HeldFile()
    {
        if (!m_process.hProcess)
            return;
        CloseHandle(CreateFileA(m_release.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
        if (WaitForSingleObject(m_process.hProcess, 10000) != WAIT_OBJECT_0)
            TerminateProcess(m_process.hProcess, 1);
        CloseHandle(m_process.hProcess);
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Holding() const { return m_holding; }
    DWORD Pid() const { return m_process.dwProcessId; }
    bool WaitForExit() const { return WaitForSingleObject(m_process.hProcess, 10000) == WAIT_OBJECT_0; }

private:
    static inline int s_serial = 0;
    std::string m_release;
    PROCESS_INFORMATION m_process{};
    bool m_holding = false;
};

}  // namespace wintest
