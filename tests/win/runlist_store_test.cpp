#include "runlist/RunListStoreWin.h"

#include "fw/Module.h"
#include "runlist/PathRules.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace {

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The fixtures are read and written without the store under test.
std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
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
        std::string commandLine = "\"" + SiblingPath(fw::GetModulePath().value_or(""), "holdfile", "exe") +
                                  "\" \"" + file + "\" \"" + ready + "\" \"" + m_release + "\" " +
                                  std::to_string(maxMs);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                            &startup, &m_process))
            return;
        CloseHandle(m_process.hThread);
        for (int i = 0; i < 500 && !Exists(ready); ++i)
            Sleep(10);
        m_holding = Exists(ready);
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

// Writes the first half of the first chunk, then fails as a full disk would.
class DiskFullStore : public RunListStoreWin {
public:
    using RunListStoreWin::RunListStoreWin;

protected:
    bool WriteChunk(HANDLE file, const char* data, DWORD size) override
    {
        RunListStoreWin::WriteChunk(file, data, size / 2);
        SetLastError(ERROR_DISK_FULL);
        return false;
    }
};

TEST(RunListStoreWin, AMissingFileOrDirectoryReadsAsMissing)
{
    TempDir dir;
    std::string bytes;
    EXPECT_EQ(RunListStoreWin(dir.File("_zelrunlist.dat")).Read(bytes), IRunListStore::ReadResult::Missing);
    EXPECT_EQ(RunListStoreWin(dir.File("no\\_zelrunlist.dat")).Read(bytes), IRunListStore::ReadResult::Missing);
}

TEST(RunListStoreWin, WriteReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
    RunListStoreWin store(path);
    std::string large(2500000, '\0');   // more than one chunk each way
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<char>(i % 251);

    WriteBytes(path, "a much longer old list");
    ASSERT_TRUE(store.Write(large));
    std::string read;
    EXPECT_EQ(store.Read(read), IRunListStore::ReadResult::Ok);
    EXPECT_EQ(read, large);
    ASSERT_TRUE(store.Write("new"));
    EXPECT_EQ(ReadBytes(path), "new");
    EXPECT_FALSE(Exists(store.TempPath()));
}

TEST(RunListStoreWin, AFileHeldByAnotherProgramIsNeitherReadNorReplaced)
{
    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
    WriteBytes(path, "old list");
    {
        HeldFile held(dir, path);
        ASSERT_TRUE(held.Holding());
        RunListStoreWin store(path);
        std::string bytes;
        EXPECT_EQ(store.Read(bytes), IRunListStore::ReadResult::Unreadable);
        EXPECT_FALSE(store.Write("new list"));
        EXPECT_FALSE(Exists(store.TempPath()));
    }
    EXPECT_EQ(ReadBytes(path), "old list");
}

TEST(RunListStoreWin, ABriefHoldIsWaitedOut)
{
    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
    WriteBytes(path, "old list");
    HeldFile held(dir, path, 200);
    ASSERT_TRUE(held.Holding());
    EXPECT_TRUE(RunListStoreWin(path).Write("new list"));
    EXPECT_EQ(ReadBytes(path), "new list");
}

TEST(RunListStoreWin, AWriteThatFailsPartWayKeepsTheOldFile)
{
    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
    WriteBytes(path, "old list");
    DiskFullStore store(path);
    EXPECT_FALSE(store.Write("a new list that does not fit"));
    EXPECT_EQ(ReadBytes(path), "old list");
    EXPECT_FALSE(Exists(store.TempPath()));

    const std::string fresh = dir.File("fresh.dat");
    EXPECT_FALSE(DiskFullStore(fresh).Write("list"));
    EXPECT_FALSE(Exists(fresh));
}

TEST(RunListStoreWin, LeftoverTemporaryFilesOfEndedSavesAreRemoved)
{
    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
    WriteBytes(path, "list");
    const std::string other = dir.File("other.dat");
    WriteBytes(other, "x");
    HeldFile running(dir, other);
    ASSERT_TRUE(running.Holding());
    DWORD endedPid = 0;
    {
        HeldFile ended(dir, path, 0);
        ASSERT_TRUE(ended.Holding());
        ASSERT_TRUE(ended.WaitForExit());
        endedPid = ended.Pid();
    }
    const auto temp = [&](const std::string& middle) { return path + "." + middle + ".tmp"; };
    const std::string removed[] = {temp(std::to_string(endedPid)), temp(std::to_string(GetCurrentProcessId()))};
    const std::string kept[] = {temp(std::to_string(running.Pid())), temp("12x"), temp(""),
                                dir.File("other.dat.1.tmp"), path};
    for (const std::string& file : removed)
        WriteBytes(file, "t");
    for (const std::string& file : kept)
        WriteBytes(file, "t");

    RemoveLeftoverTempFiles(path);
    for (const std::string& file : removed)
        EXPECT_FALSE(Exists(file)) << file;
    for (const std::string& file : kept)
        EXPECT_TRUE(Exists(file)) << file;
}

}  // namespace
