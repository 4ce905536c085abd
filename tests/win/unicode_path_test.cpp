// Paths the code page of the ANSI calls cannot hold, and paths longer than its
// old limit, from the run list file through the list to the player and back:
// read from the file, picked with "...", dropped, and the launcher's own
// install folder.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "InstalledLauncher.h"
#include "RecordingPlayer.h"
#include "RunDialogTest.h"
#include "TestFiles.h"

using namespace wintest;
using W = std::vector<std::wstring>;

namespace {

// Scene files the tests make: one the code page holds, and one it does not.
struct SceneFile {
    const wchar_t* name;   // under the test's folder
    const wchar_t* shown;
    bool wide;
};
const SceneFile kSceneFiles[] = {
    {L"Scènes\\café.zel", L"café", false},
    {L"Scènes\\Łódź\\東京 花.zel", L"東京 花", true},
};

// The launcher installed and played through the recording player, and the
// launcher's real dialog in this process.
class UnicodePathTest : public RunDialogTest {
protected:
    void TearDown() override
    {
        m_plays.reset();
        RunDialogTest::TearDown();
    }

    void Install(const std::wstring& bin, const std::string& runList)
    {
        m_plays.reset();   // before the next one sets the record file
        ASSERT_EQ(InstallLauncher(bin), bin + L"\\NimbrelRun.exe");
        m_plays = std::make_unique<RecordedPlays>(bin, m_temp.File("starts.txt"));
        ASSERT_TRUE(m_plays->PlayerReady());
        WriteFileBytes(m_plays->RunList(), runList);
    }

    // The in-process dialog saves a one-entry list to the launcher beside
    // the tests; that file installed, the entry is played.
    void ExpectSavedAndPlayed(const StoredPath& scene, const std::wstring& name)
    {
        EXPECT_EQ(ListItemWideText(List(), 1), name);
        CloseWithCloseBox();
        const std::string saved = ReadFileBytes(RunListPath());
        EXPECT_EQ(saved, RunListBytes({{L"C:\\a.zel", false}, scene}));
        Install(m_temp.WideFile(L"bin"), saved);
        EXPECT_EQ(m_plays->PlayEachAndClose(), (W{L"a", name}));
        EXPECT_EQ(m_plays->StartedScenes(), (W{L"C:\\a.zel", scene.path}));
    }

    // Each scene file made, added to the list of the dialog in this process
    // by add(its path), saved and played.
    void AddEachSceneFile(const std::function<void(const std::wstring&)>& add)
    {
        for (const SceneFile& file : kSceneFiles) {
            SCOPED_TRACE(Narrow(file.name, CP_UTF8));
            const TempDir folder;
            const std::wstring scene = folder.WideFile(file.name);
            WriteFileBytes(scene, "scene");
            OpenWith({"C:\\a.zel"});
            add(scene);
            ExpectSavedAndPlayed({scene, file.wide}, file.shown);
        }
    }

    TempDir m_temp;
    std::unique_ptr<RecordedPlays> m_plays;
};

TEST_F(UnicodePathTest, BothStringFormsShowTheirNamesPlayTheirExactPathsAndAreWrittenBackAsTheyWere)
{
    ASSERT_EQ(kBothForms[1].path.size(), 300u);
    Install(m_temp.WideFile(L"bin"), RunListBytes(kBothForms));
    ExpectBothFormsShownPlayedAndKept(*m_plays);
}

TEST_F(UnicodePathTest, AFilePickedWithTheBrowseButtonIsSavedInItsFormAndPlayedExactly)
{
    AddEachSceneFile([this](const std::wstring& scene) {
        BeginNew();
        ASSERT_EQ(BrowseTo(scene), 1);
        Press(Edit(), VK_RETURN);
    });
}

TEST_F(UnicodePathTest, ADroppedFileIsSavedInItsFormAndPlayedExactly)
{
    AddEachSceneFile([this](const std::wstring& scene) { Drop(W{scene}); });
}

TEST_F(UnicodePathTest, InstalledInAFolderOutsideTheCodePageItFindsItsListAndItsPlayer)
{
    const std::string bytes = RunListBytes({kBothForms[0]});
    Install(m_temp.WideFile(L"李 Tools\\bin"), bytes);
    EXPECT_EQ(m_plays->PlayEachAndClose(), W{kBothFormsNames[0]});
    EXPECT_EQ(m_plays->StartedScenes(), W{kBothForms[0].path});
    EXPECT_EQ(m_plays->MessageBoxes(), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(m_plays->RunList()), bytes);
}

}  // namespace
