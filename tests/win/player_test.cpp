// The demonstration player and the command line as the real C runtime reads it.
#include "ChildProcess.h"
#include "RecordingPlayer.h"
#include "TestFiles.h"
#include "launch/CommandLine.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

using namespace wintest;

namespace {

static_assert(launch::kCreationFlags == NORMAL_PRIORITY_CLASS);
static_assert(launch::kStartupFlags == STARTF_USESHOWWINDOW);
static_assert(launch::kShowCommand == SW_SHOW);

std::string Unique(const std::string& stem)
{
    return stem + ' ' + std::to_string(GetCurrentProcessId());
}

const std::string kZelrun = BesideTests(NIMBREL_ZELRUN_FROM_TESTS);

// Starts zelrun on `commandLine`, waits for its window captioned `caption`,
// returns what it shows and closes it as a user would.
template <class Text>
Text RunZelrun(const Text& commandLine, const Text& caption, Text (*shown)(HWND))
{
    ChildProcess player(commandLine);
    EXPECT_TRUE(player.Started());
    HWND frame = player.Started() ? WaitForFrame(player, caption) : nullptr;
    EXPECT_NE(frame, nullptr) << "no window with the scene's title as its caption";
    if (!frame)
        return {};
    const Text text = shown(frame);
    PostMessageA(frame, WM_CLOSE, 0, 0);
    EXPECT_TRUE(player.Ended(kPatienceMs));
    EXPECT_EQ(player.ExitCode(), 0u);
    return text;
}

std::string RunZelrun(const std::string& commandLine, const std::string& caption)
{
    return RunZelrun(commandLine, caption, &ShownText);
}

TEST(ZelrunPlayer, ShowsASceneWhosePathHasSpacesWithItsFirstLines)
{
    const TempDir folder("nimbrel player test");   // a name with spaces
    const std::string title = Unique("demo scene");
    const std::string scene = folder.File(title + ".zel");
    std::ofstream(scene) << "# zel scene\nscene \"demo\"\n  mesh \"cube\"\nend\n";

    const std::string text = RunZelrun(launch::BuildCommandLine(kZelrun, scene), title);
    EXPECT_NE(text.find("Scene: " + scene + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("File: found"), std::string::npos) << text;
    EXPECT_NE(text.find("scene \"demo\"\r\n  mesh \"cube\"\r\nend"), std::string::npos) << text;
    EXPECT_EQ(text.find("Ignored"), std::string::npos) << text;
}

TEST(ZelrunPlayer, SaysWhenTheSceneFileIsMissing)
{
    const std::string title = Unique("missing scene");
    const std::string scene = "C:\\no such folder\\" + title + ".zel";
    const std::string text = RunZelrun(launch::BuildCommandLine(kZelrun, scene), title);
    EXPECT_NE(text.find("Scene: " + scene + "\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("File: not found"), std::string::npos) << text;
}

// Paths the ANSI code page does not hold, and one longer than MAX_PATH, are
// shown whole, found and read.
TEST(ZelrunPlayer, ShowsUnicodeAndLongScenePathsWhole)
{
    const TempDir folder("nimbrel player test");   // a name with spaces
    const std::wstring longName(120, L'n');  // three of them: well over 300 characters
    const struct {
        std::wstring relative;
        std::wstring title;
    } scenes[] = {
        {L"Sc\u00e8nes\\\u0141\u00f3d\u017a\\\u6771\u4eac \u82b1.zel", L"\u6771\u4eac \u82b1"},
        {longName + L"\\" + longName + L"\\" + longName + L".zel", longName},
    };
    for (const auto& [relative, title] : scenes) {
        const std::wstring scene = folder.WideFile(relative, "scene \"wide\"\n");
        const std::wstring commandLine = L'"' + Widen(kZelrun) + L"\" \"" + scene + L'"';
        const std::wstring text = RunZelrun(commandLine, title, &ShownWideText);
        EXPECT_NE(text.find(L"Scene: " + scene + L"\r\nFile: found\r\n"), std::wstring::npos) << scene.size();
        EXPECT_NE(text.find(L"scene \"wide\"\r\n"), std::wstring::npos) << scene.size();
    }
}

TEST(ZelrunPlayer, WithoutASceneShowsHowToUseIt)
{
    const std::string text = RunZelrun('"' + kZelrun + '"', "zelrun");
    EXPECT_NE(text.find("Usage: zelrun.exe"), std::string::npos) << text;
}

// The real runtime (not only our model of it) gives back every stored path as
// the one argument, and the command line reaches the player unchanged.
TEST(PlayerArguments, TheRuntimeGivesBackEveryScenePathExactly)
{
    const TempDir folder("nimbrel player test");   // a name with spaces
    const std::string recordFile = folder.File("starts.txt");
    SetEnvironmentVariableA(kRecordFileVariable, recordFile.c_str());
    const std::string player = BesideTests(kRecordingPlayerName);

    const std::vector<std::string> scenes = {
        R"(C:\Apps\Run\shaders\dx9\animation\blend\blend.zel)",
        R"(C:\my scenes\two  spaces.zel)",
        "",
        R"(C:\dir\)",
        R"(C:\dir\\)",
        R"(say "hi".zel)",
        R"(a\"b)",
        R"(a\\"b\)",
        "\"",
        "tab\there\t",
        R"(\\server\share\x.zel)",
    };
    for (const std::string& scene : scenes) {
        DeleteFileA(recordFile.c_str());
        const std::string line = launch::BuildCommandLine(player, scene);
        ChildProcess child(line);
        ASSERT_TRUE(child.Started()) << line;
        ASSERT_TRUE(child.Ended(kPatienceMs)) << line;
        EXPECT_EQ(child.ExitCode(), 0u) << line;
        const std::vector<PlayerStart> starts = ReadPlayerStarts(recordFile);
        ASSERT_EQ(starts.size(), 1u) << line;
        EXPECT_EQ(starts[0].commandLine, line);
        EXPECT_EQ(starts[0].argv, (std::vector<std::string>{player, scene})) << line;
    }
    SetEnvironmentVariableA(kRecordFileVariable, nullptr);
}

}  // namespace
