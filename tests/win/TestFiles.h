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

#include "ChildProcess.h"
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
    return fw::GetModulePath().value_or(std::string());
}

// The run list file beside the test executable, which the dialog reads and writes.
inline std::string RunListPath()
{
    return RunListFilePath(ExePath());
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

// A fresh directory under the system's temporary directory, its name
// beginning with stem, removed with everything in it at the end of the test.
class TempDir {
public:
    explicit TempDir(const std::string& stem = "nimbrel_runlist")
    {
        static int serial = 0;
        m_path = std::filesystem::temp_directory_path() /
                 (stem + "_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++serial));
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

    // A file at `relative` holding `text`, its folders made first.
    std::wstring WideFile(const std::wstring& relative, const std::string& text) const
    {
        const std::filesystem::path path = m_path / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
        return path.wstring();
    }

private:
    std::filesystem::path m_path;
};

// holdfile.exe, started beside the tests, holding a file open without sharing
// until released or until maxMs have passed.
class HeldFile {
public:
    HeldFile(const TempDir& dir, const std::string& file, DWORD maxMs = 30000)
        : m_release(dir.File("release" + std::to_string(++s_serial) + ".marker")),
          m_ready(dir.File("ready" + std::to_string(s_serial) + ".marker")),
          m_process("\"" + SiblingPath(ExePath(), "holdfile", "exe") + "\" \"" + file + "\" \"" + m_ready + "\" \"" +
                    m_release + "\" " + std::to_string(maxMs)),
          m_holding(m_process.Started() && WaitUntil([this] { return Exists(m_ready); }, 5000))
    {
    }
    // Released; still holding after 10 s, it is ended by force.
    ~HeldFile()
    {
        if (m_process.Started()) {
            CloseHandle(CreateFileA(m_release.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
            m_process.Ended(10000);
        }
    }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;

    bool Holding() const { return m_holding; }
    DWORD Pid() const { return m_process.Id(); }
    bool WaitForExit() const { return m_process.Ended(10000); }

private:
    static inline int s_serial = 0;
    const std::string m_release;
    const std::string m_ready;
    const ChildProcess m_process;
    const bool m_holding;
};

}  // namespace wintest
