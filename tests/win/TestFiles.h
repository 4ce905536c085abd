#pragma once
// Files for the tests: whole files read and written, the test executable's
// own run list, temporary directories, and files held open by another
// program, for tests of what the launcher does with files it cannot read or
// replace.
#include <windows.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "ChildProcess.h"
#include "WinTest.h"
#include "fw/Module.h"
#include "paths/PathRules.h"
#include "runlist/RunList.h"

namespace wintest {

// A path given as std::wstring is opened as it is; one given as std::string is
// read in the code page of the ANSI calls.
inline std::string ReadFileBytes(const std::wstring& path)
{
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::string ReadFileBytes(const std::string& path)
{
    return ReadFileBytes(Widen(path));
}

inline void WriteFileBytes(const std::wstring& path, const std::string& bytes)
{
    std::ofstream out(std::filesystem::path(path), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    WriteFileBytes(Widen(path), bytes);
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
inline ULONGLONG LastWriteTime(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

inline ULONGLONG LastWriteTime(const std::string& path)
{
    return LastWriteTime(Widen(path));
}

// The run list file's bytes, built by the archive's rules: a 32-bit
// count, then each path's length and characters, all little-endian. The
// length takes one byte below 255, else FF and 16 bits, else FF FF FF and 32
// bits. A wide path is marked FF FE FF, its length counts UTF-16 code units
// and its units follow; a single-byte path holds Windows-1252 bytes.
struct StoredPath {
    std::wstring path;
    bool wide;
};

inline std::string LittleEndian(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

inline std::string LengthForm(std::size_t length)
{
    const auto n = static_cast<std::uint32_t>(length);
    return n < 0xFF ? LittleEndian(n, 1) : n < 0xFFFE ? "\xFF" + LittleEndian(n, 2) : "\xFF\xFF\xFF" + LittleEndian(n, 4);
}

inline std::string RunListBytes(const std::vector<StoredPath>& paths)
{
    std::string bytes = LittleEndian(static_cast<std::uint32_t>(paths.size()), 4);
    for (const StoredPath& p : paths) {
        if (!p.wide) {
            const std::string text = Narrow(p.path, 1252);
            bytes += LengthForm(text.size()) + text;
            continue;
        }
        bytes += "\xFF\xFE\xFF" + LengthForm(p.path.size());
        for (wchar_t unit : p.path)
            bytes += LittleEndian(unit, 2);
    }
    return bytes;
}

// A list of both forms: a path the code page holds, one of 300 UTF-16 code
// units (a surrogate pair among them) and one of several scripts; the names
// the list shows for them.
inline const std::vector<StoredPath> kBothForms = {
    {L"C:\\Scènes\\café.zel", false},
    {L"C:\\Scènes\\" + std::wstring(139, L'長') + L'\\' + std::wstring(139, L'長') + L"\\🎬 fin.zel", true},
    {L"C:\\Scènes\\Łódź\\東京 花.zel", true},
};
inline const std::vector<std::wstring> kBothFormsNames = {L"café", L"🎬 fin", L"東京 花"};

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
    // Any name a path may hold, the folders on its way made.
    std::wstring WideFile(const std::wstring& name) const
    {
        const std::filesystem::path file = m_path / name;
        std::error_code ignored;
        std::filesystem::create_directories(file.parent_path(), ignored);
        return file.wstring();
    }

    // The same, holding `text`.
    std::wstring WideFile(const std::wstring& name, const std::string& text) const
    {
        const std::wstring file = WideFile(name);
        std::ofstream(std::filesystem::path(file), std::ios::binary) << text;
        return file;
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
          m_process("\"" + Narrow(SiblingPath(Widen(ExePath()), L"holdfile", L"exe")) + "\" \"" + file + "\" \"" + m_ready + "\" \"" +
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
