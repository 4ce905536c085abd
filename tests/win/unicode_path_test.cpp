// Paths the code page of the ANSI calls cannot hold, and paths longer than its
// old limit, from the run list file through the list to the player and back:
// read from the file, picked with "...", dropped, and the launcher's own
// install folder.
#include <gtest/gtest.h>

#include <cstdint>
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

// The run list file's bytes, built here by the archive's rules: a 32-bit
// count, then each path's length and characters, all little-endian. The
// length takes one byte below 255, else FF and 16 bits, else FF FF FF and 32
// bits. A wide path is marked FF FE FF, its length counts UTF-16 code units
// and its units follow; a single-byte path holds Windows-1252 bytes.
struct StoredPath {
    std::wstring path;
    bool wide;
};

std::string LittleEndian(std::uint32_t value, int bytes)
{
    std::string out;
    for (int i = 0; i < bytes; ++i)
        out += static_cast<char>((value >> (8 * i)) & 0xFF);
    return out;
}

std::string LengthForm(std::size_t length)
{
    const auto n = static_cast<std::uint32_t>(length);
    return n < 0xFF ? LittleEndian(n, 1) : n < 0xFFFE ? "\xFF" + LittleEndian(n, 2) : "\xFF\xFF\xFF" + LittleEndian(n, 4);
}

std::string RunListBytes(const std::vector<StoredPath>& paths)
{
    std::string bytes = LittleEndian(static_cast<std::uint32_t>(paths.size()), 4);
    for (const StoredPath& p : paths) {
        if (!p.wide) {
            const std::string text = Narrow(p.path, 1252);
            bytes += LengthForm(text.size()) + text;
            continue;
        }
        bytes += "\xFF\xFE\xFF" + LengthForm(p.path.size());
        for (wchar_t unit : p.path)
            bytes += LittleEndian(unit, 2);
    }
    return bytes;
}

const std::wstring kCafe = L"C:\\Scènes\\café.zel";
const std::wstring kTokyo = L"C:\\Scènes\\Łódź\\東京 花.zel";
// 300 UTF-16 code units, one character of them a surrogate pair.
const std::wstring kLong = L"C:\\Scènes\\" + std::wstring(139, L'長') + L'\\' + std::wstring(139, L'長') + L"\\🎬 fin.zel";

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

// The launcher installed with the recording player as its zelrun.exe, each
// start of the player recorded; and the launcher's real dialog in this process.
class UnicodePathTest : public RunDialogTest {
protected:
    void TearDown() override
    {
        m_launcher.reset();
        SetEnvironmentVariableA(kRecordFileVariable, nullptr);
        RunDialogTest::TearDown();
    }

    void Install(const std::wstring& bin, const std::string& runList)
    {
        m_bin = bin;
        ASSERT_EQ(InstallLauncher(m_bin), m_bin + L"\\NimbrelRun.exe");
        ASSERT_TRUE(CopyFileW(Widen(BesideTests(kRecordingPlayerName)).c_str(), Player().c_str(), FALSE));
        WriteFileBytes(InstalledRunList(), runList);
        DeleteFileA(m_temp.File("starts.txt").c_str());
        SetEnvironmentVariableA(kRecordFileVariable, m_temp.File("starts.txt").c_str());
    }
    // Starts it, double-clicks each entry it shows in turn, and ends it; the
    // names it showed.
    W PlayEachAndClose()
    {
        m_launcher = std::make_unique<RunningLauncher>(m_bin + L"\\NimbrelRun.exe");
        EXPECT_TRUE(m_launcher->Ready());
        const W names = m_launcher->WideTexts();
        for (std::size_t i = 0; i < names.size(); ++i) {
            PostDoubleClick(m_launcher->List(), m_launcher->ItemCenter(static_cast<int>(i)));
            EXPECT_TRUE(WaitUntil([&] { return StartedScenes().size() == i + 1; })) << "entry " << i;
        }
        m_launcher->PostClose();
        EXPECT_TRUE(m_launcher->Process().Ended(kPatienceMs));
        return names;
    }
    // The scene of each start, in order, from the exact command line
    // `"<player>" "<scene>"` (a start on any other line is shown whole).
    W StartedScenes() const
    {
        W scenes;
        const std::wstring head = L'"' + Player() + L"\" \"";
        for (const PlayerStart& start : ReadPlayerStarts(m_temp.File("starts.txt"))) {
            const std::wstring line = Widen(start.commandLine, CP_UTF8);
            const bool exact = line.size() > head.size() && line.compare(0, head.size(), head) == 0 && line.back() == L'"';
            scenes.push_back(exact ? line.substr(head.size(), line.size() - head.size() - 1) : line);
        }
        return scenes;
    }
    // Every message box the launcher showed, answered.
    std::vector<std::string> MessageBoxes() const { return m_boxes.Texts(); }

    std::wstring Player() const { return m_bin + L"\\zelrun.exe"; }
    std::wstring InstalledRunList() const { return m_bin + L"\\_zelrunlist.dat"; }

    // The in-process dialog saves a one-entry list to the launcher beside
    // the tests; that file installed, the entry is played.
    void ExpectSavedAndPlayed(const StoredPath& scene, const std::wstring& name)
    {
        EXPECT_EQ(ListItemWideText(List(), 1), name);
        CloseWithCloseBox();
        const std::string saved = ReadFileBytes(RunListPath());
        EXPECT_EQ(saved, RunListBytes({{L"C:\\a.zel", false}, scene}));
        Install(m_temp.WideFile(L"bin"), saved);
        EXPECT_EQ(PlayEachAndClose(), (W{L"a", name}));
        EXPECT_EQ(StartedScenes(), (W{L"C:\\a.zel", scene.path}));
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
    std::wstring m_bin;
    std::unique_ptr<RunningLauncher> m_launcher;

private:
    const WindowAnswerer m_boxes{
        [](HWND h) { return ProcessOf(h) != GetCurrentProcessId() && GetDlgItem(h, 0xFFFF) != nullptr; }, IDOK};
};

TEST_F(UnicodePathTest, BothStringFormsShowTheirNamesPlayTheirExactPathsAndAreWrittenBackAsTheyWere)
{
    ASSERT_EQ(kLong.size(), 300u);
    const std::vector<StoredPath> paths = {{kCafe, false}, {kLong, true}, {kTokyo, true}};
    const std::string bytes = RunListBytes(paths);
    Install(m_temp.WideFile(L"bin"), bytes);

    EXPECT_EQ(PlayEachAndClose(), (W{L"café", L"🎬 fin", L"東京 花"}));
    EXPECT_EQ(StartedScenes(), (W{kCafe, kLong, kTokyo}));
    EXPECT_EQ(MessageBoxes(), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(InstalledRunList()), bytes) << "the file is written back byte for byte";
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
    const std::string bytes = RunListBytes({{kCafe, false}});
    Install(m_temp.WideFile(L"李 Tools\\bin"), bytes);
    EXPECT_EQ(PlayEachAndClose(), W{L"café"});
    EXPECT_EQ(StartedScenes(), W{kCafe});
    EXPECT_EQ(MessageBoxes(), std::vector<std::string>{});
    EXPECT_EQ(ReadFileBytes(InstalledRunList()), bytes);
}

}  // namespace
