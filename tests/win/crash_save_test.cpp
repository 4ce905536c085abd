// The installed launcher killed at random moments while it saves a large run
// list: the file is always exactly the old list or the new one, and the
// temporary files of killed saves do not pile up. And killed after the end of
// the session was announced, as the system ends it at a log-off: the list is
// saved by then.
#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>

#include "InstalledLauncher.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "runlist/RunListFile.h"

using namespace wintest;
using Clock = std::chrono::steady_clock;
using Ms = std::chrono::duration<double, std::milli>;

namespace {

constexpr int kEntries = 20000;
// Each kill needs a fresh launcher that loads all the entries (about half a
// second under Wine here): the suite kills 200 times; the long run (CTest
// label "long") sets NIMBREL_CRASH_KILLS higher.
constexpr int kDefaultKills = 200;

int KillCount()
{
    const char* kills = std::getenv("NIMBREL_CRASH_KILLS");
    return kills != nullptr && std::atoi(kills) > 0 ? std::atoi(kills) : kDefaultKills;
}

std::vector<std::string> LargeList()
{
    std::vector<std::string> paths;
    for (int i = 0; i < kEntries; ++i) {
        // Paths of different lengths, so no two entries line up alike.
        paths.push_back("C:\\Scenes\\library " + std::to_string(i % 97) + "\\scene " + std::to_string(i) +
                        std::string(static_cast<std::size_t>(i % 41), 'x') + ".zel");
    }
    return paths;
}

int TempFileCount(const std::string& runList)
{
    WIN32_FIND_DATAA data{};
    const HANDLE find = FindFirstFileA((runList + ".*.tmp").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE)
        return 0;
    int count = 0;
    do {
        ++count;
    } while (FindNextFileA(find, &data));
    FindClose(find);
    return count;
}

long long FileSize(const std::string& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return -1;
    return (static_cast<long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

double Since(Clock::time_point start)
{
    return Ms(Clock::now() - start).count();
}

// Sleep's granularity is coarser than a save's steps.
void SpinUntil(Clock::time_point deadline)
{
    while (Clock::now() < deadline) {
    }
}

Clock::time_point After(Clock::time_point start, double ms)
{
    return start + std::chrono::microseconds(static_cast<long long>(ms * 1000));
}

// How long after the close was asked for the save's temporary file appeared
// and the file was replaced.
struct SaveTimes {
    double tempSeen = -1;
    double replaced = -1;
};

// When a kill comes: a time after the close while the list is being prepared,
// or a time after the temporary file appeared while it is written, flushed
// and renamed.
struct KillMoment {
    bool fromTempFile = false;
    double delayMs = 0;
};

// What the kills left behind.
struct KillOutcomes {
    int beforeSave = 0;     // the old list, no temporary file
    int duringWrite = 0;    // the old list and the killed save's temporary file
    int afterRename = 0;    // the new list
};

class CrashSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_exe = InstallLauncher(m_temp.File("bin"));
        ASSERT_FALSE(m_exe.empty());
        m_runList = RunListFilePath(m_exe);
        std::vector<std::string> paths = LargeList();
        m_oldBytes = SerializeRunList(paths);
        paths.erase(paths.begin());
        m_newBytes = SerializeRunList(paths);
    }

    // Starts the launcher on the old list and deletes its first entry, so
    // that the save at close rewrites every byte after the count.
    std::unique_ptr<RunningLauncher> StartAndChange()
    {
        WriteFileBytes(m_runList, m_oldBytes);
        auto launcher = std::make_unique<RunningLauncher>(m_exe);
        if (launcher->Ready()) {
            PostClick(launcher->List(), launcher->ItemCenter(0));
            PostKey(launcher->List(), VK_DELETE);
        }
        return launcher;
    }
    std::string TempPathOf(const RunningLauncher& launcher) const
    {
        return m_runList + "." + std::to_string(launcher.Process().Id()) + ".tmp";
    }
    bool Replaced() const { return FileSize(m_runList) == static_cast<long long>(m_newBytes.size()); }

    // Asks the launcher to close and waits for its save's temporary file (or
    // for the replaced file, should the poll miss it).
    Clock::time_point CloseAndWatchForTempFile(const RunningLauncher& launcher, SaveTimes& times) const
    {
        const std::string temp = TempPathOf(launcher);
        const Clock::time_point start = Clock::now();
        launcher.PostClose();
        while (!Exists(temp) && !Replaced() && Since(start) < kPatienceMs) {
        }
        times.tempSeen = Exists(temp) ? Since(start) : -1;
        return start;
    }

    // One save watched to the rename, to learn where its steps lie in time.
    SaveTimes WatchSave()
    {
        SaveTimes times;
        const std::unique_ptr<RunningLauncher> launcher = StartAndChange();
        if (!launcher->Ready())
            return times;
        const Clock::time_point start = CloseAndWatchForTempFile(*launcher, times);
        while (!Replaced() && Since(start) < kPatienceMs) {
        }
        if (Replaced())
            times.replaced = Since(start);
        return times;
    }

    // A third of the kills come while the list is being prepared, the rest
    // after the temporary file appeared. A write takes from a few to some tens
    // of milliseconds here (the flush varies most), so those delays are spread
    // evenly over orders of magnitude, from 50 us to four times the watched
    // write: whatever this write takes, kills meet it and the rename.
    KillMoment PickMoment(std::mt19937& random) const
    {
        std::uniform_real_distribution<double> unit(0, 1);
        if (unit(random) < 1.0 / 3)
            return {false, unit(random) * m_times.tempSeen};
        const double shortest = 0.05;
        const double longest = std::max(4 * (m_times.replaced - m_times.tempSeen), 1.0);
        return {true, shortest * std::pow(longest / shortest, unit(random))};
    }

    // Starts a launcher, changes its list, kills it at the moment and checks
    // what it left.
    void KillOnce(int kill, const KillMoment& moment, KillOutcomes& outcomes)
    {
        const std::unique_ptr<RunningLauncher> launcher = StartAndChange();
        ASSERT_TRUE(launcher->Ready()) << "start " << kill;
        ASSERT_EQ(TempFileCount(m_runList), 0) << "the start removes what the last kill left, kill " << kill;
        const std::string temp = TempPathOf(*launcher);
        if (moment.fromTempFile) {
            SaveTimes seen;
            const Clock::time_point start = CloseAndWatchForTempFile(*launcher, seen);
            SpinUntil(After(start, std::max(seen.tempSeen, 0.0) + moment.delayMs));
        } else {
            const Clock::time_point start = Clock::now();
            launcher->PostClose();
            SpinUntil(After(start, moment.delayMs));
        }
        TerminateProcess(launcher->Process().Handle(), 1);
        ASSERT_TRUE(launcher->Process().Ended(kPatienceMs));

        const std::string bytes = ReadFileBytes(m_runList);
        const bool isOld = bytes == m_oldBytes;
        ASSERT_TRUE(isOld || bytes == m_newBytes) << "kill " << kill << " left " << bytes.size()
                                                  << " bytes, neither list";
        ASSERT_LE(TempFileCount(m_runList), 1) << "kill " << kill;
        if (!isOld)
            ++outcomes.afterRename;
        else if (Exists(temp))
            ++outcomes.duringWrite;
        else
            ++outcomes.beforeSave;
    }

    TempDir m_temp;
    std::string m_exe;
    std::string m_runList;
    std::string m_oldBytes;
    std::string m_newBytes;
    SaveTimes m_times;
};

TEST_F(CrashSaveTest, KilledAnywhereInItsSaveTheFileIsTheOldOrTheNewListAndNoTemporaryFilesPileUp)
{
    const Clock::time_point testStart = Clock::now();
    // A poll descheduled on a busy machine can miss the temporary file of a
    // short save: the watch is tried again.
    for (int attempt = 0; attempt < 5 && m_times.tempSeen < 0; ++attempt)
        m_times = WatchSave();
    ASSERT_GE(m_times.tempSeen, 0) << "the watched save wrote a temporary file";
    ASSERT_GE(m_times.replaced, 0) << "the watched save replaced the file";
    ASSERT_EQ(ReadFileBytes(m_runList), m_newBytes);

    const int kills = KillCount();
    std::mt19937 random(20240601);
    KillOutcomes outcomes;
    for (int kill = 0; kill < kills && !HasFatalFailure(); ++kill)
        KillOnce(kill, PickMoment(random), outcomes);
    if (HasFatalFailure())
        return;

    // A clean run after the last kill: its start removes the last leftover,
    // and its close leaves the new list and no temporary file.
    const std::unique_ptr<RunningLauncher> last = StartAndChange();
    ASSERT_TRUE(last->Ready());
    EXPECT_EQ(TempFileCount(m_runList), 0);
    last->PostClose();
    ASSERT_TRUE(last->Process().Ended(6 * kPatienceMs));
    EXPECT_EQ(last->Process().ExitCode(), 0u);
    EXPECT_EQ(ReadFileBytes(m_runList), m_newBytes);
    EXPECT_EQ(TempFileCount(m_runList), 0);

    std::cout << "save of " << kEntries << " entries: temporary file " << m_times.tempSeen
              << " ms after the close, file replaced at " << m_times.replaced << " ms\n"
              << kills << " kills: " << outcomes.beforeSave << " before the save, " << outcomes.duringWrite
              << " while the temporary file was written, " << outcomes.afterRename << " after the rename; "
              << Since(testStart) / 1000 << " s in all\n";
    // The kills met the save at every step.
    EXPECT_GT(outcomes.beforeSave, 0);
    EXPECT_GT(outcomes.duringWrite, 0);
    EXPECT_GT(outcomes.afterRename, 0);
}

// The system ends the process soon after the launcher has answered the end of
// the session. Should it close itself after all, it has nothing left to save.
TEST(SessionEndTest, TheListIsSavedBeforeTheSessionEndsWithAnOpenEditEndedAsAFocusLossEnds)
{
    TempDir temp;
    const std::string exe = InstallLauncher(temp.File("bin"));
    ASSERT_FALSE(exe.empty());
    const std::string runList = RunListFilePath(exe);
    for (const bool bKilled : {true, false}) {
        WriteFileBytes(runList, SerializeRunList({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));
        RunningLauncher launcher(exe);
        ASSERT_TRUE(launcher.Ready());
        PostClick(launcher.List(), launcher.ItemCenter(0));
        PostKey(launcher.List(), VK_DELETE);
        PostKey(launcher.List(), VK_INSERT);   // a new entry, its edit open and empty
        launcher.Settle(6);
        ASSERT_NE(launcher.VisibleEdit(), nullptr);

        EXPECT_EQ(SendMessageA(launcher.Dialog(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
        SendMessageA(launcher.Dialog(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
        const ULONGLONG saved = LastWriteTime(runList);
        if (bKilled)
            TerminateProcess(launcher.Process().Handle(), 1);
        else
            launcher.PostClose();
        ASSERT_TRUE(launcher.Process().Ended(kPatienceMs));
        const char* const how = bKilled ? "killed" : "closed";
        EXPECT_EQ(ParseRunList(ReadFileBytes(runList)).paths, (std::vector<std::string>{"C:\\b.zel", "C:\\c.zel"}))
            << how;
        EXPECT_EQ(LastWriteTime(runList), saved) << how << ": saved once";
    }
}

}  // namespace
