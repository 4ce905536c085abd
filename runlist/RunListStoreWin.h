#pragma once
// The run list store over a real file. A save never leaves a half-written
// file: the bytes go to a temporary file beside the target, which then
// replaces the target in one rename.
#include "runlist/RunList.h"

#include <windows.h>

#include <string>
#include <utility>

class RunListStoreWin : public IRunListStore {
public:
    // path: the file's full path (any length; no fixed buffers are involved).
    explicit RunListStoreWin(std::wstring path) : m_path(std::move(path)) {}

    ReadResult Read(std::string& bytes) override;
    using IRunListStore::Write;
    bool Write(IByteSource& bytes) override;
    // Written as the file is, to "<path>.damaged".
    bool KeepDamagedCopy(std::string_view bytes) override;

    const std::wstring& Path() const { return m_path; }
    // The temporary file a save of this process writes: "<path>.<pid>.tmp".
    std::wstring TempPath() const;

protected:
    // Writes one chunk to the open temporary file. A test overrides it to fail
    // part-way, as a full disk would.
    virtual bool WriteChunk(HANDLE file, const char* data, DWORD size);

private:
    // Writes the temporary file and renames it over target.
    bool WriteReplacing(const std::wstring& target, IByteSource& bytes);
    bool WriteTempFile(const std::wstring& tempPath, IByteSource& bytes);

    std::wstring m_path;
};

// Deletes the temporary files that saves of processes no longer running left
// beside path (a save that crashed before its rename). Called at start-up.
void RemoveLeftoverTempFiles(const std::wstring& path);
