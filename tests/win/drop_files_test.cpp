// Files dropped on the list from the shell become entries.
#include <gtest/gtest.h>

#include <filesystem>

#include "RunDialogTest.h"

using namespace wintest;

namespace {

using DropFilesTest = RunDialogTest;

TEST_F(DropFilesTest, DroppedFilesAreAppendedInOrderAndFoldersSkipped)
{
    TempDir dir;
    const std::string scene = dir.File("dropped scene.zel");
    WriteFileBytes(scene, "scene");
    const std::string folder = dir.File("a folder");
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string longPath = "C:\\" + std::string(290, 'd') + "\\deep.zel";
    ASSERT_EQ(longPath.size(), 302u);

    OpenWith({"C:\\first.zel"});
    EXPECT_TRUE(::GetWindowLongA(List(), GWL_EXSTYLE) & WS_EX_ACCEPTFILES);
    Drop({scene, folder, longPath});
    EXPECT_EQ(EntriesOf(List()), (Entries{{"first", "dropped scene", "deep"}, {"C:\\first.zel", scene, longPath}}));
    CloseWithCloseBox();
    EXPECT_EQ(SavedPaths(), (V{"C:\\first.zel", scene, longPath}));
}

TEST_F(DropFilesTest, ADropWhileAnEntryIsEditedIsIgnored)
{
    OpenWith({"C:\\first.zel"});
    List().BeginEdit(0);
    Pump(*m_dlg);
    ASSERT_TRUE(List().IsEditing());
    Drop({"C:\\other.zel"});
    EXPECT_EQ(List().GetCount(), 1);
    EXPECT_TRUE(List().IsEditing());
}

// One drop of several files is one step: Ctrl+Z takes them all out, Ctrl+Y
// puts them all back.
TEST_F(DropFilesTest, ADropIsUndoneAndRedoneAsAWhole)
{
    OpenWith({"C:\\first.zel"});
    Drop({"C:\\d\\one.zel", "C:\\d\\two.zel", "C:\\d\\three.zel"});
    ASSERT_EQ(List().GetCount(), 4);
    Chord(List(), 'Z', {VK_CONTROL});
    EXPECT_EQ(EntriesOf(List()), (Entries{{"first"}, {"C:\\first.zel"}}));
    Chord(List(), 'Y', {VK_CONTROL});
    EXPECT_EQ(EntriesOf(List()),
              (Entries{{"first", "one", "two", "three"},
                       {"C:\\first.zel", "C:\\d\\one.zel", "C:\\d\\two.zel", "C:\\d\\three.zel"}}));
    EXPECT_EQ(List().GetCurSel(), 1);
}

TEST_F(DropFilesTest, ManyDroppedFilesGrowThePathTable)
{
    OpenWith({});
    ASSERT_EQ(List().Paths().GetSize(), 32);
    const V files = NumberedPaths(40, "C:\\scenes\\s");
    Drop(files);
    EXPECT_EQ(PathHead(List()), files);
    EXPECT_EQ(Narrow(List().GetText(39)), "s39");
}

// A dropped path on a network share is taken as a file without asking the
// share, which, unreachable, would hold the window for the network's timeout:
// even a folder there is added. Wine keeps a share \\host\share as the folder
// dosdevices\unc\host\share of its prefix, where the test makes one.
TEST_F(DropFilesTest, APathOnANetworkShareIsAddedWithoutAskingTheShare)
{
    char prefix[MAX_PATH] = {};
    if (::GetEnvironmentVariableA("WINEPREFIX", prefix, MAX_PATH) == 0)
        GTEST_SKIP() << "the share is made in Wine's prefix";
    const std::string host = std::string("Z:") + prefix + "\\dosdevices\\unc\\nimbrel-test-host";
    std::error_code ignored;
    std::filesystem::create_directories(host + "\\share\\folder", ignored);
    const std::string folder = "\\\\nimbrel-test-host\\share\\folder";
    const DWORD attributes = ::GetFileAttributesA(folder.c_str());
    ASSERT_TRUE(attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0);

    OpenWith({});
    Drop({folder});
    EXPECT_EQ(PathHead(List()), V{folder});
    std::filesystem::remove_all(host, ignored);
}

}  // namespace
