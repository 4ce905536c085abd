// The 32-bit launcher as a user gets it: the i686 package, unpacked into a
// folder whose path has spaces, started and driven from this 64-bit program.
// Where this machine cannot run 32-bit programs the tests say why and skip.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "InstalledLauncher.h"
#include "TestFiles.h"
#include "runlist/DefaultEntries.h"
#include "paths/PathRules.h"
#include "runlist/RunListFile.h"

using namespace wintest;
using V = std::vector<std::string>;

namespace {

// The unpacked i686 package (tests/package/package32_unpack.sh), or instead
// of it the reason why this machine cannot run it.
const std::string kPackageDir = BesideTests(NIMBREL_PACKAGE32_FROM_TESTS);

class Package32Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        const std::string cannotRun = ReadFileBytes(kPackageDir + "\\skipped.txt");
        if (!cannotRun.empty())
            GTEST_SKIP() << cannotRun;
        std::error_code error;
        std::filesystem::copy(kPackageDir + "\\Nimbrel Run XP", m_root, std::filesystem::copy_options::recursive,
                              error);
        ASSERT_FALSE(error) << "the i686 package is not unpacked in " << kPackageDir << ": " << error.message();
        ASSERT_TRUE(Exists(Launcher()));
    }

    std::string Launcher() const { return m_root + "\\bin\\NimbrelRun.exe"; }
    std::string Player() const { return m_root + "\\bin\\zelrun.exe"; }
    std::string RunList() const { return RunListFilePath(Launcher()); }

    // Each posts a press and a release to the launcher's list and waits until
    // both are taken.
    static void Press(const RunningLauncher& launcher, UINT vk, bool alt = false)
    {
        PostKey(launcher.List(), vk, alt);
        launcher.Settle(2);
    }
    static void Click(const RunningLauncher& launcher, int i)
    {
        PostClick(launcher.List(), launcher.ItemCenter(i));
        launcher.Settle(2);
    }
    // The list shows `names` once what was posted to it is taken.
    static void ExpectTexts(const RunningLauncher& launcher, const V& names, const char* after)
    {
        WaitUntil([&] { return launcher.Texts() == names; });
        EXPECT_EQ(launcher.Texts(), names) << after;
    }
    static void Close(const RunningLauncher& launcher)
    {
        ASSERT_TRUE(launcher.Process().Ended(kPatienceMs)) << "the launcher closes";
        EXPECT_EQ(launcher.Process().ExitCode(), 0u);
    }

    TempDir m_temp;
    const std::string m_root = m_temp.File("Nimbrel Run XP");
};

// Entry i moved to the gap above entry j, as a drag of i onto j moves it.
template <typename T>
void MoveAbove(std::vector<T>& items, std::size_t i, std::size_t j)
{
    T moved = std::move(items[i]);
    items.erase(items.begin() + static_cast<std::ptrdiff_t>(i));
    items.insert(items.begin() + static_cast<std::ptrdiff_t>(j > i ? j - 1 : j), std::move(moved));
}

TEST_F(Package32Test, FirstStartWritesTheDefaultsEditsAreSavedAtTheCloseAndADoubleClickPlaysTheScene)
{
    const RunningLauncher launcher(Launcher());
    ASSERT_TRUE(launcher.Ready());
    V paths;
    V names;
    for (int i = 0; i < kDefaultEntryCount; ++i) {
        paths.push_back(DefaultEntryPath(Launcher(), i));
        names.push_back(Narrow(kDefaultEntries[static_cast<std::size_t>(i)].name));
    }
    EXPECT_EQ(ReadFileBytes(RunList()), SerializeRunList(paths)) << "the first start writes the fourteen defaults";
    EXPECT_EQ(launcher.Texts(), names);

    Click(launcher, 0);
    Press(launcher, VK_DELETE);
    paths.erase(paths.begin());
    names.erase(names.begin());
    ExpectTexts(launcher, names, "Delete");

    Click(launcher, 2);
    Press(launcher, VK_UP, true);
    std::swap(paths[1], paths[2]);
    std::swap(names[1], names[2]);
    ExpectTexts(launcher, names, "Alt+Up");

    // F2 renames the entry last clicked.
    Click(launcher, 1);
    Press(launcher, VK_F2);
    ASSERT_TRUE(WaitUntil([&] { return launcher.VisibleEdit() != nullptr; })) << "F2 opens the edit";
    const std::string name = "renamed scene";
    PostChars(launcher.VisibleEdit(), name);
    PostKey(launcher.VisibleEdit(), VK_RETURN);
    names[1] = name;
    ExpectTexts(launcher, names, "F2, a name and Enter");

    launcher.Drag(0, 3);
    MoveAbove(paths, 0, 3);
    MoveAbove(names, 0, 3);
    ExpectTexts(launcher, names, "a drag of the first entry onto the fourth");

    // The renamed entry, now first, still plays its own scene, from the package.
    PostDoubleClick(launcher.List(), launcher.ItemCenter(0));
    FoundProcess player;
    HWND frame = WaitForWindowOf(Player(), Narrow(SplitPath(Widen(paths[0])).fname), player);
    ASSERT_NE(frame, nullptr) << "the double-click starts the package's zelrun.exe on " << paths[0];
    const std::string shown = ShownText(frame);
    EXPECT_NE(shown.find("Scene: " + paths[0] + "\r\nFile: found\r\n"), std::string::npos) << shown;
    EXPECT_EQ(shown.find("Ignored"), std::string::npos) << "one argument after the player's own:\n" << shown;
    EXPECT_EQ(ProcessCommandLine(player.Handle()), '"' + Player() + "\" \"" + paths[0] + '"');
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(player.Ended(kPatienceMs));

    Press(launcher, VK_RETURN);
    Close(launcher);
    EXPECT_EQ(ReadFileBytes(RunList()), SerializeRunList(paths)) << "Enter saves";
}

TEST_F(Package32Test, EscapeTheCloseBoxAndAltF4AllSave)
{
    const V paths = {"C:\\scenes\\a.zel", "C:\\my scenes\\b.zel", "D:\\c.zel"};
    struct Way {
        const char* name;
        void (*close)(const RunningLauncher&);
    };
    const Way ways[] = {
        {"Escape", [](const RunningLauncher& l) { PostKey(l.List(), VK_ESCAPE); }},
        {"the close box", [](const RunningLauncher& l) { PostMessageA(l.Dialog(), WM_SYSCOMMAND, SC_CLOSE, 0); }},
        {"Alt+F4", [](const RunningLauncher& l) { PostKey(l.List(), VK_F4, true); }},
    };
    for (const Way& way : ways) {
        WriteFileBytes(RunList(), SerializeRunList(paths));
        const RunningLauncher launcher(Launcher());
        ASSERT_TRUE(launcher.Ready()) << way.name;
        Click(launcher, 0);
        Press(launcher, VK_DELETE);
        way.close(launcher);
        Close(launcher);
        EXPECT_EQ(ReadFileBytes(RunList()), SerializeRunList({paths[1], paths[2]})) << way.name << " saves";
    }
}

// Paths of both string forms, with the package's player replaced by one that
// records how it is started.
TEST_F(Package32Test, PathsOfBothStringFormsShowPlayExactlyAndAreWrittenBackAsTheyWere)
{
    const RecordedPlays plays(Widen(m_root + "\\bin"), m_temp.File("starts.txt"));
    ASSERT_TRUE(plays.PlayerReady());
    ExpectBothFormsShownPlayedAndKept(plays);
}

}  // namespace
