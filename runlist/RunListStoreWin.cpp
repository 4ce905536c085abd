#include "runlist/RunListStoreWin.h"

#include "paths/PathRules.h"

#include <algorithm>
#include <cwchar>
#include <iterator>

namespace {

// A run list of this size is no run list; it is left alone rather than loaded.
constexpr std::size_t kMaxFileSize = 64u << 20;
constexpr DWORD kChunkSize = 1u << 20;
// Another program (a virus scanner, an indexer, a sync client) may hold the
// file for a moment: the read's open and the save's rename are retried for
// about a second before they give up.
constexpr int kHeldFileAttempts = 20;
constexpr DWORD kHeldFileRetryDelayMs = 50;
constexpr wchar_t kTempSuffix[] = L".tmp";

// Owns a kernel handle; both null and INVALID_HANDLE_VALUE mean none.
class UniqueHandle {
public:
    explicit UniqueHandle(HANDLE h) : m_h(h == INVALID_HANDLE_VALUE ? nullptr : h) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    explicit operator bool() const { return m_h != nullptr; }
    HANDLE Get() const { return m_h; }
    bool Close()
    {
        const bool ok = m_h == nullptr || CloseHandle(m_h);
        m_h = nullptr;
        return ok;
    }

private:
    HANDLE m_h;
};

class UniqueFind {
public:
    UniqueFind(const std::wstring& pattern, WIN32_FIND_DATAW& data)
        : m_h(FindFirstFileW(pattern.c_str(), &data)) {}
    ~UniqueFind()
    {
        if (m_h != INVALID_HANDLE_VALUE)
            FindClose(m_h);
    }
    UniqueFind(const UniqueFind&) = delete;
    UniqueFind& operator=(const UniqueFind&) = delete;

    explicit operator bool() const { return m_h != INVALID_HANDLE_VALUE; }
    bool Next(WIN32_FIND_DATAW& data) { return FindNextFileW(m_h, &data) != FALSE; }

private:
    HANDLE m_h;
};

bool ReadAll(HANDLE file, std::string& bytes)
{
    bytes.clear();
    // One read of the size the file has now and one byte more, so its end shows
    // at once: a run list of a few hundred bytes costs no large zeroed buffer,
    // and a long one is not copied at every chunk. A file that grows meanwhile
    // is read on in chunks.
    LARGE_INTEGER size{};
    std::size_t room = kChunkSize;
    if (GetFileSizeEx(file, &size) && size.QuadPart >= 0)
        room = std::min(static_cast<std::size_t>(size.QuadPart), kMaxFileSize) + 1;
    for (;;) {
        const std::size_t used = bytes.size();
        if (used > kMaxFileSize)
            return false;
        bytes.resize(used + room);
        DWORD got = 0;
        if (!ReadFile(file, &bytes[used], static_cast<DWORD>(room), &got, nullptr))
            return false;
        bytes.resize(used + got);
        if (got < room)
            return true;   // a file read comes back short only at its end
        room = kChunkSize;
    }
}

// A rename over a file that another program has open fails with either error.
bool IsHeldByAnotherProgram(DWORD error)
{
    return error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
}

// An open for reading is refused with access denied for good (no right to the
// file): only a sharing violation may pass.
bool IsSharingViolation(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION;
}

// Tries until attempt() succeeds, while it fails with an error that
// isMomentary(GetLastError()) says may pass. After a failure the last error is
// the last attempt's.
template <class Attempt>
bool RetryWhileHeld(Attempt attempt, bool (*isMomentary)(DWORD))
{
    for (int n = 1;; ++n) {
        if (attempt())
            return true;
        const DWORD error = GetLastError();
        if (n == kHeldFileAttempts || !isMomentary(error))
            return false;
        Sleep(kHeldFileRetryDelayMs);
    }
}

bool RenameOver(const std::wstring& from, const std::wstring& to)
{
    return RetryWhileHeld(
        [&] { return MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH); },
        IsHeldByAnotherProgram);
}

// Other readers (an indexer, a virus scanner) may share the file with us.
HANDLE OpenForReading(const std::wstring& path)
{
    HANDLE file = INVALID_HANDLE_VALUE;
    RetryWhileHeld(
        [&] {
            file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
            return file != INVALID_HANDLE_VALUE;
        },
        IsSharingViolation);
    return file;
}

bool IsRunning(DWORD pid)
{
    if (pid == GetCurrentProcessId())
        return false;  // this process is starting, not saving
    UniqueHandle process(OpenProcess(SYNCHRONIZE, FALSE, pid));
    if (!process)
        return GetLastError() == ERROR_ACCESS_DENIED;  // someone else's, alive
    return WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT;
}

// The process id in a name that matched "<target name>.*.tmp" (the find
// pattern), or false when what stands for the star is no process id.
bool ParseTempPid(const std::wstring& name, const std::wstring& targetName, DWORD& pid)
{
    const std::size_t first = targetName.size() + 1;
    const std::size_t suffix = std::size(kTempSuffix) - 1;
    if (name.size() <= first + suffix)
        return false;
    const std::wstring digits = name.substr(first, name.size() - first - suffix);
    if (digits.size() > 10 || digits.find_first_not_of(L"0123456789") != std::wstring::npos)
        return false;
    const unsigned long long value = std::wcstoull(digits.c_str(), nullptr, 10);
    if (value > MAXDWORD)
        return false;
    pid = static_cast<DWORD>(value);
    return true;
}

}  // namespace

IRunListStore::ReadResult RunListStoreWin::Read(std::string& bytes)
{
    UniqueHandle file(OpenForReading(m_path));
    if (!file) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? ReadResult::Missing
                                                                             : ReadResult::Unreadable;
    }
    return ReadAll(file.Get(), bytes) ? ReadResult::Ok : ReadResult::Unreadable;
}

bool RunListStoreWin::Write(IByteSource& bytes)
{
    return WriteReplacing(m_path, bytes);
}

bool RunListStoreWin::KeepDamagedCopy(std::string_view bytes)
{
    StringByteSource source(bytes);
    return WriteReplacing(m_path + kRunListDamagedCopySuffix, source);
}

bool RunListStoreWin::WriteReplacing(const std::wstring& target, IByteSource& bytes)
{
    const std::wstring tempPath = TempPath();
    if (WriteTempFile(tempPath, bytes) && RenameOver(tempPath, target))
        return true;
    DeleteFileW(tempPath.c_str());
    return false;
}

std::wstring RunListStoreWin::TempPath() const
{
    return m_path + L"." + std::to_wstring(GetCurrentProcessId()) + kTempSuffix;
}

bool RunListStoreWin::WriteChunk(HANDLE file, const char* data, DWORD size)
{
    DWORD written = 0;
    return WriteFile(file, data, size, &written, nullptr) && written == size;
}

bool RunListStoreWin::WriteTempFile(const std::wstring& tempPath, IByteSource& bytes)
{
    UniqueHandle file(CreateFileW(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    for (std::string_view piece = bytes.NextChunk(); !piece.empty(); piece = bytes.NextChunk()) {
        while (!piece.empty()) {
            const DWORD size = static_cast<DWORD>(std::min<std::size_t>(piece.size(), kChunkSize));
            if (!WriteChunk(file.Get(), piece.data(), size))
                return false;
            piece.remove_prefix(size);
        }
    }
    // The rename must not be able to reach the disk before the data does.
    return FlushFileBuffers(file.Get()) && file.Close();
}

void RemoveLeftoverTempFiles(const std::wstring& path)
{
    const PathParts parts = SplitPath(path);
    const std::wstring targetName = parts.fname + parts.ext;
    WIN32_FIND_DATAW data{};
    UniqueFind find(path + L".*" + kTempSuffix, data);
    if (!find)
        return;
    do {
        DWORD pid = 0;
        if (ParseTempPid(data.cFileName, targetName, pid) && !IsRunning(pid))
            DeleteFileW(MakePath(parts.drive, parts.dir, data.cFileName, L"").c_str());
    } while (find.Next(data));
}
