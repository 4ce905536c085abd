#include "runlist/DefaultEntries.h"
#include "paths/PathRules.h"
#include "runlist/RunList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const wchar_t kExe[] = L"C:\\Apps\\Run\\bin\\launch.exe";

TEST(PathRules, SplitPathFollowsTheRuntimeRulesWithoutLimits)
{
    const std::wstring longDir = L"\\" + std::wstring(300, 'd') + L"\\";
    const struct { std::wstring path; PathParts parts; } cases[] = {
        {L"C:\\Scenes\\blend.zel", {L"C:", L"\\Scenes\\", L"blend", L".zel"}},
        {L"D:\\x\\name.old.zel", {L"D:", L"\\x\\", L"name.old", L".zel"}},
        {L"C:\\a.b\\noext", {L"C:", L"\\a.b\\", L"noext", L""}},
        {L"C:\\x\\.zel", {L"C:", L"\\x\\", L"", L".zel"}},
        {L"C:\\dir\\", {L"C:", L"\\dir\\", L"", L""}},
        {L"scene", {L"", L"", L"scene", L""}},
        {L"a/b\\c/d.e", {L"", L"a/b\\c/", L"d", L".e"}},
        {L"file.", {L"", L"", L"file", L"."}},
        {L"1:x", {L"1:", L"", L"x", L""}},
        {L"C:" + longDir + L"t.zel", {L"C:", longDir, L"t", L".zel"}},
    };
    for (const auto& c : cases) {
        const PathParts parts = SplitPath(c.path);
        EXPECT_EQ(parts.drive, c.parts.drive) << c.path;
        EXPECT_EQ(parts.dir, c.parts.dir) << c.path;
        EXPECT_EQ(parts.fname, c.parts.fname) << c.path;
        EXPECT_EQ(parts.ext, c.parts.ext) << c.path;
    }
}

TEST(PathRules, DisplayNameIsTheFileTitleCutTo255)
{
    EXPECT_EQ(DisplayName(L"C:\\Scenes\\blend.zel"), L"blend");
    EXPECT_EQ(DisplayName(L"D:\\x\\name.old.zel"), L"name.old");
    EXPECT_EQ(DisplayName(L"C:\\a.b\\noext"), L"noext");
    EXPECT_EQ(DisplayName(L"C:\\x\\.zel"), L"");
    EXPECT_EQ(DisplayName(L"C:\\dir\\"), L"");
    EXPECT_EQ(DisplayName(L"scene"), L"scene");
    const std::wstring title = std::wstring(255, 'a') + L"bcd";
    EXPECT_EQ(DisplayName(L"C:\\s\\" + title + L".zel"), std::wstring(255, 'a'));
    // A character outside the basic plane is two code units: never cut in half.
    const std::wstring astral = std::wstring(254, L'a') + L"\xD83D\xDE00";
    EXPECT_EQ(DisplayName(L"C:\\s\\" + astral + L"b.zel"), std::wstring(254, L'a'));
    EXPECT_EQ(DisplayName(L"C:\\s\\" + std::wstring(253, L'a') + L"\xD83D\xDE00.zel"),
              std::wstring(253, L'a') + L"\xD83D\xDE00");
    // Each code unit is one character: none of a CJK name is a separator.
    EXPECT_EQ(DisplayName(L"C:\\\u5834\\\u8868\u5834\u9762.zel"), L"\u8868\u5834\u9762");
}

TEST(PathRules, MakePathAddsOnlyTheMissingSeparators)
{
    EXPECT_EQ(MakePath(L"C:", L"\\dir", L"f", L"zel"), L"C:\\dir\\f.zel");
    EXPECT_EQ(MakePath(L"Cx", L"dir/", L"f", L".zel"), L"C:dir/f.zel");
    EXPECT_EQ(MakePath(L"", L"d\\", L"f", L""), L"d\\f");
    EXPECT_EQ(MakePath(L"", L"", L"", L"dat"), L".dat");
}

TEST(PathRules, BaseDirectoryIsTheParentOfTheExecutablesDirectory)
{
    EXPECT_EQ(BaseDirectory(kExe), L"\\Apps\\Run\\");
    EXPECT_EQ(BaseDirectory(L"C:/Apps/bin/launch.exe"), L"/Apps/");
    EXPECT_EQ(BaseDirectory(L"C:\\launch.exe"), L"");
    EXPECT_EQ(BaseDirectory(L"launch.exe"), L"");
}

TEST(PathRules, FilesBesideTheExecutable)
{
    EXPECT_EQ(RunListFilePath(kExe), L"C:\\Apps\\Run\\bin\\_zelrunlist.dat");
    EXPECT_EQ(RunListFilePath(L"C:\\launch.exe"), L"C:\\_zelrunlist.dat");
    EXPECT_EQ(RunListFilePath(L""), L"");
    EXPECT_EQ(SiblingPath(kExe, L"zelrun", L"exe"), L"C:\\Apps\\Run\\bin\\zelrun.exe");
}

TEST(DefaultEntries, PathsLieUnderTheBaseDirectory)
{
    EXPECT_EQ(DefaultEntryPath(kExe, 0), L"C:\\Apps\\Run\\shaders\\dx9\\animation\\blend\\blend.zel");
    EXPECT_EQ(DefaultEntryPath(L"C:\\launch.exe", 0), L"C:shaders\\dx9\\animation\\blend\\blend.zel");
    EXPECT_EQ(DefaultEntryPath(kExe, 13), L"C:\\Apps\\Run\\shaders\\dx9\\video\\movie_plane_rotate.zel");
    for (int i = 0; i < kDefaultEntryCount; ++i)
        EXPECT_EQ(DisplayName(DefaultEntryPath(kExe, i)), kDefaultEntries[static_cast<std::size_t>(i)].name);
}

}  // namespace
