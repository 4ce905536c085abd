#include "runlist/RunListStoreWin.h"

#include "fw/Module.h"
#include "paths/PathRules.h"

#include <gtest/gtest.h>

#include "DiskFullStore.h"
#include "TestFiles.h"
#include "fw/UniqueHandle.h"

#include <string>

using wintest::DiskFullStore;
using wintest::Exists;
using wintest::HeldFile;
using wintest::Narrow;
using wintest::TempDir;
using wintest::Widen;

namespace {

// The fixtures are read and written without the store under test.
const auto ReadBytes = [](const std::string& path) { return wintest::ReadFileBytes(path); };
const auto WriteBytes = [](const std::string& path, const std::string& bytes) { wintest::WriteFileBytes(path, bytes); };

// A run list holding "old list", in a directory of its own.
class RunListStoreWinTest : public ::testing::Test {
protected:
    RunListStoreWinTest() { WriteBytes(path, "old list"); }

    TempDir dir;
    const std::string path = dir.File("_zelrunlist.dat");
};

TEST_F(RunListStoreWinTest, AMissingFileOrDirectoryReadsAsMissing)
{
    ::DeleteFileA(path.c_str());
    std::string bytes;
    EXPECT_EQ(RunListStoreWin(Widen(path)).Read(bytes), IRunListStore::ReadResult::Missing);
    EXPECT_EQ(RunListStoreWin(Widen(dir.File("no\\_zelrunlist.dat"))).Read(bytes), IRunListStore::ReadResult::Missing);
}

TEST_F(RunListStoreWinTest, WriteReplacesTheFileWholeAndLeavesNoTemporaryFile)
{
    RunListStoreWin store(Widen(path));
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
    EXPECT_FALSE(Exists(Narrow(store.TempPath())));
}

TEST_F(RunListStoreWinTest, AFileHeldByAnotherProgramIsNeitherReadNorReplaced)
{
    {
        HeldFile held(dir, path);
        ASSERT_TRUE(held.Holding());
        RunListStoreWin store(Widen(path));
        std::string bytes;
        EXPECT_EQ(store.Read(bytes), IRunListStore::ReadResult::Unreadable);
        EXPECT_FALSE(store.Write("new list"));
        EXPECT_FALSE(Exists(Narrow(store.TempPath())));
    }
    EXPECT_EQ(ReadBytes(path), "old list");
}

TEST_F(RunListStoreWinTest, ABriefHoldIsWaitedOut)
{
    HeldFile held(dir, path, 200);
    ASSERT_TRUE(held.Holding());
    EXPECT_TRUE(RunListStoreWin(Widen(path)).Write("new list"));
    EXPECT_EQ(ReadBytes(path), "new list");
}

// An indexer or a virus scanner reading the file at start does not cost the
// session: another reader shares it, and a brief hold is waited out.
TEST_F(RunListStoreWinTest, TheReadSharesTheFileWithReadersAndWaitsOutABriefHold)
{
    std::string bytes;
    {
        const UniqueHandle reader(OwnHandle(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)));
        ASSERT_TRUE(reader);
        EXPECT_EQ(RunListStoreWin(Widen(path)).Read(bytes), IRunListStore::ReadResult::Ok);
        EXPECT_EQ(bytes, "old list");
    }
    bytes.clear();
    HeldFile held(dir, path, 300);
    ASSERT_TRUE(held.Holding());
    EXPECT_EQ(RunListStoreWin(Widen(path)).Read(bytes), IRunListStore::ReadResult::Ok);
    EXPECT_EQ(bytes, "old list");
}

TEST_F(RunListStoreWinTest, AWriteThatFailsPartWayKeepsTheOldFile)
{
    DiskFullStore store(Widen(path));
    EXPECT_FALSE(store.Write("a new list that does not fit"));
    EXPECT_EQ(ReadBytes(path), "old list");
    EXPECT_FALSE(Exists(Narrow(store.TempPath())));

    const std::string fresh = dir.File("fresh.dat");
    EXPECT_FALSE(DiskFullStore(Widen(fresh)).Write("list"));
    EXPECT_FALSE(Exists(fresh));
}

TEST_F(RunListStoreWinTest, LeftoverTemporaryFilesOfEndedSavesAreRemoved)
{
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

    RemoveLeftoverTempFiles(Widen(path));
    for (const std::string& file : removed)
        EXPECT_FALSE(Exists(file)) << file;
    for (const std::string& file : kept)
        EXPECT_TRUE(Exists(file)) << file;
}

}  // namespace
