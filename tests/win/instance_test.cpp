// One launcher per run list file: a second start on the same file brings the
// running launcher to the front and ends without touching the file or showing
// a window of its own; launchers of other folders run side by side.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <string>
#include <thread>

#include "InstalledLauncher.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "fw/SingleInstance.h"
#include "runlist/RunListFile.h"

using namespace wintest;

namespace {

std::wstring UpperCase(std::wstring text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](wchar_t c) { return std::towupper(c); });
    return text;
}

// Up to the longest path the system allows (32,767 characters; kernel object
// names are shorter, and compared with case).
TEST(SingleInstanceTest, AStartWithAKeyHeldWhateverItsCaseAndLengthIsNotFirst)
{
    constexpr wchar_t kProgram[] = L"NimbrelRunXPTest";
    const std::wstring name = L"\\_zelrunlist.dat";
    for (const std::wstring& key : {L"C:\\Games" + name, L"C:\\\u0141\u00f3d\u017a\\\u6771\u4eac" + name,
                                    L"C:\\" + std::wstring(32767 - 3 - name.size(), L'x') + name}) {
        const CSingleInstance first(kProgram, key);
        EXPECT_TRUE(first.IsFirst());
        // A mutex is held by its thread: the later starts are other threads.
        std::thread([&] {
            EXPECT_FALSE(CSingleInstance(kProgram, UpperCase(key)).IsFirst()) << key.size();
            EXPECT_TRUE(CSingleInstance(kProgram, key + L"2").IsFirst()) << key.size();
        }).join();
    }
}

TEST(SingleInstanceTest, ASecondLauncherOnTheSameListBringsTheFirstToTheFrontAndEnds)
{
    const TempDir temp;
    const std::string exe = InstallLauncher(temp.File("bin"));
    ASSERT_FALSE(exe.empty());
    const std::string runList = RunListFilePath(exe);
    WriteFileBytes(runList, SerializeRunList({"C:\\a.zel"}));
    const RunningLauncher first(exe);
    ASSERT_TRUE(first.Ready());
    ShowWindow(first.Dialog(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(first.Dialog()));
    const std::string bytes = ReadFileBytes(runList);
    const ULONGLONG written = LastWriteTime(runList);

    const ChildProcess second('"' + Narrow(UpperCase(Widen(exe))) + '"');
    ASSERT_TRUE(second.Started());
    ASSERT_TRUE(second.Ended(kPatienceMs)) << "a second launcher runs";
    EXPECT_EQ(second.ExitCode(), 0u);
    EXPECT_TRUE(WaitUntil([&] { return !IsIconic(first.Dialog()); })) << "still minimised";
    EXPECT_EQ(GetForegroundWindow(), first.Dialog());
    EXPECT_EQ(ReadFileBytes(runList), bytes);
    EXPECT_EQ(LastWriteTime(runList), written);

    const RunningLauncher beside(InstallLauncher(temp.File("other")));
    EXPECT_TRUE(beside.Ready()) << "a launcher of another folder runs";
    for (const RunningLauncher* launcher : {&first, &beside}) {
        launcher->PostClose();
        EXPECT_TRUE(launcher->Process().Ended(kPatienceMs));
    }
}

}  // namespace
