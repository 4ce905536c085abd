// The launcher as a user runs it, installed in a directory whose name holds
// spaces: double-clicks on its list start the player that lies beside it.
#include <gtest/gtest.h>

#include <memory>

#include "InstalledLauncher.h"
#include "RecordingPlayer.h"
#include "TestFiles.h"
#include "runlist/RunListFile.h"

using namespace wintest;
using V = std::vector<std::string>;

namespace {

constexpr char kLaunchErrorText[] = "Can't Execute the Program!";

// NimbrelRun.exe copied into <temp>\nimbrel install dir\bin with a run list,
// and with the recording player as its zelrun.exe when the test wants one.
// Every start of the player is recorded in one file.
class LaunchTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        m_launcher.reset();
        SetEnvironmentVariableA(kRecordFileVariable, nullptr);
    }

    // Installs the launcher with the run list (and the player) and starts it;
    // a failed copy leaves it to fail to start.
    void Start(const V& paths, bool withPlayer)
    {
        m_bin = m_temp.File("nimbrel install dir\\bin");
        EXPECT_EQ(InstallLauncher(m_bin), Launcher());
        if (withPlayer) {
            EXPECT_TRUE(CopyFileA(BesideTests(kRecordingPlayerName).c_str(), Player().c_str(), FALSE));
        }
        WriteFileBytes(RunListFilePath(Launcher()), SerializeRunList(paths));
        SetEnvironmentVariableA(kRecordFileVariable, RecordFile().c_str());
        m_launcher = std::make_unique<RunningLauncher>(Launcher());
        ASSERT_TRUE(m_launcher->Ready());
        m_list = m_launcher->List();
    }
    // Ends the launcher as the user would; it saves its list on the way out.
    void Close()
    {
        m_launcher->PostClose();
        ASSERT_TRUE(m_launcher->Process().Ended(kPatienceMs));
        EXPECT_EQ(m_launcher->Process().ExitCode(), 0u);
    }

    std::string Launcher() const { return m_bin + "\\NimbrelRun.exe"; }
    std::string Player() const { return m_bin + "\\zelrun.exe"; }
    std::string RecordFile() const { return m_temp.File("starts.txt"); }
    std::vector<PlayerStart> Starts() const { return ReadPlayerStarts(RecordFile()); }

    CRect ItemRect(int i) const
    {
        const CRect rc = m_launcher->ItemRect(i);
        EXPECT_FALSE(rc.IsRectEmpty()) << "item " << i;
        return rc;
    }
    void DoubleClickItem(int i) { PostDoubleClick(m_list, Center(ItemRect(i))); }
    // Real keys go to the launcher once its list has the keyboard focus.
    void PressKeys(const std::vector<WORD>& keys)
    {
        SetForegroundWindow(m_launcher->Dialog());
        ASSERT_TRUE(WaitUntil([this] { return FocusOfThread(m_list) == m_list; }));
        SendKeys(keys);
        m_launcher->Settle(1);
    }

    TempDir m_temp;
    std::string m_bin;
    std::unique_ptr<RunningLauncher> m_launcher;
    HWND m_list = nullptr;
};

TEST_F(LaunchTest, EachDoubleClickStartsThePlayerBesideTheLauncherOnTheEntryUnderThePointer)
{
    const V paths = {"C:\\scenes\\blend.zel", "C:\\my scenes\\two  spaces.zel", "D:\\third.zel"};
    Start(paths, true);
    DoubleClickItem(1);
    ASSERT_TRUE(WaitUntil([&] { return Starts().size() == 1; }));
    DoubleClickItem(2);
    ASSERT_TRUE(WaitUntil([&] { return Starts().size() == 2; }));

    const std::vector<PlayerStart> starts = Starts();
    for (int i : {0, 1}) {
        const std::string& scene = paths[i + 1];
        EXPECT_EQ(starts[i].commandLine, '"' + Player() + "\" \"" + scene + '"');
        EXPECT_EQ(starts[i].argv, (V{Player(), scene}));
    }
    EXPECT_FALSE(m_launcher->Process().Ended()) << "the launcher stays open";
    Close();
}

// The first press of the double-click ends an emptied edit, whose entry goes:
// the rows below move up under the pointer, and the double-click still plays
// the entry the press landed on.
TEST_F(LaunchTest, ADoubleClickWhosePressEndsAnEmptiedEditPlaysTheEntryPressedOn)
{
    Start({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel"}, true);
    const POINT onC = m_launcher->ItemCenter(2);
    PostClick(m_list, m_launcher->ItemCenter(0), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    ASSERT_TRUE(WaitUntil([&] { return m_launcher->VisibleEdit() != nullptr; }));
    PostChars(m_launcher->VisibleEdit(), "\b");
    PostDoubleClick(m_list, onC);
    ASSERT_TRUE(WaitUntil([&] { return Starts().size() == 1; }));
    EXPECT_EQ(Starts()[0].argv, (V{Player(), "C:\\c.zel"}));
    EXPECT_EQ(m_launcher->Texts(), (V{"b", "c", "d"}));
    Close();
}

// Ctrl+Enter starts the highlighted entry exactly as a double-click on it does.
TEST_F(LaunchTest, CtrlEnterStartsTheEntryTheArrowKeysHighlighted)
{
    const V paths = {"C:\\scenes\\blend.zel", "C:\\my scenes\\two  spaces.zel", "D:\\third.zel"};
    Start(paths, true);
    PressKeys({VK_DOWN});   // the first key highlights the first entry
    PressKeys({VK_DOWN});
    PressKeys({VK_CONTROL, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return Starts().size() == 1; }));
    EXPECT_EQ(Starts()[0].commandLine, '"' + Player() + "\" \"" + paths[1] + '"');
    EXPECT_FALSE(m_launcher->Process().Ended()) << "Enter with Ctrl does not end the dialog";
    Close();
}

TEST_F(LaunchTest, WithoutThePlayerEachAttemptIsToldOnceAndNothingElseChanges)
{
    const V paths = {"C:\\a.zel", "C:\\b.zel"};
    Start(paths, false);
    MessageBoxWatcher boxes(m_launcher->Process().Id());
    // Below the last entry there is nothing to start and nothing to say; the
    // entry's double-click after it is the one the user is told about.
    const CRect last = ItemRect(1);
    PostDoubleClick(m_list, {Center(last).x, last.bottom + last.Height()});
    DoubleClickItem(1);
    ASSERT_TRUE(WaitUntil([&] { return !boxes.Texts().empty(); }));
    // Ctrl+Enter on the entry the double-click selected tells the same. (The
    // box closed, the focus need not come back to the list: a click on that
    // entry gives it back.)
    PostClick(m_list, Center(ItemRect(1)));
    PressKeys({VK_CONTROL, VK_RETURN});
    ASSERT_TRUE(WaitUntil([&] { return boxes.Texts().size() == 2; }));

    EXPECT_EQ(SendMessageA(m_list, LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(m_list, LB_GETCURSEL, 0, 0), 1);
    Close();
    EXPECT_EQ(boxes.Texts(), (V{kLaunchErrorText, kLaunchErrorText}));
    EXPECT_EQ(ReadFileBytes(RunListFilePath(Launcher())), SerializeRunList(paths));
}

// A command line Windows would cut is refused whole, never started cut.
TEST_F(LaunchTest, AnEntryPastWindowsCommandLineLimitIsToldAndNotStarted)
{
    const V paths = {"C:\\" + std::string(32760, 's') + ".zel", "C:\\b.zel"};
    Start(paths, true);
    MessageBoxWatcher boxes(m_launcher->Process().Id());
    DoubleClickItem(0);
    ASSERT_TRUE(WaitUntil([&] { return !boxes.Texts().empty(); }));
    DoubleClickItem(1);
    ASSERT_TRUE(WaitUntil([&] { return Starts().size() == 1; }));
    Close();
    EXPECT_EQ(boxes.Texts(), V{kLaunchErrorText});
    EXPECT_EQ(Starts()[0].argv, (V{Player(), paths[1]}));
}

}  // namespace
