#include "runlist/DefaultEntries.h"
#include "paths/PathRules.h"
#include "runlist/RunList.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char kExe[] = "C:\\Apps\\Run\\bin\\launch.exe";

TEST(PathRules, SplitPathFollowsTheRuntimeRulesWithoutLimits)
{
    const std::string longDir = "\\" + std::string(300, 'd') + "\\";
    const struct { std::string path; PathParts parts; } cases[] = {
        {"C:\\Scenes\\blend.zel", {"C:", "\\Scenes\\", "blend", ".zel"}},
        {"D:\\x\\name.old.zel", {"D:", "\\x\\", "name.old", ".zel"}},
        {"C:\\a.b\\noext", {"C:", "\\a.b\\", "noext", ""}},
        {"C:\\x\\.zel", {"C:", "\\x\\", "", ".zel"}},
        {"C:\\dir\\", {"C:", "\\dir\\", "", ""}},
        {"scene", {"", "", "scene", ""}},
        {"a/b\\c/d.e", {"", "a/b\\c/", "d", ".e"}},
        {"file.", {"", "", "file", "."}},
        {"1:x", {"1:", "", "x", ""}},
        {"C:" + longDir + "t.zel", {"C:", longDir, "t", ".zel"}},
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
    EXPECT_EQ(DisplayName("C:\\Scenes\\blend.zel"), "blend");
    EXPECT_EQ(DisplayName("D:\\x\\name.old.zel"), "name.old");
    EXPECT_EQ(DisplayName("C:\\a.b\\noext"), "noext");
    EXPECT_EQ(DisplayName("C:\\x\\.zel"), "");
    EXPECT_EQ(DisplayName("C:\\dir\\"), "");
    EXPECT_EQ(DisplayName("scene"), "scene");
    const std::string title = std::string(255, 'a') + "bcd";
    EXPECT_EQ(DisplayName("C:\\s\\" + title + ".zel"), std::string(255, 'a'));
}

TEST(PathRules, MakePathAddsOnlyTheMissingSeparators)
{
    EXPECT_EQ(MakePath("C:", "\\dir", "f", "zel"), "C:\\dir\\f.zel");
    EXPECT_EQ(MakePath("Cx", "dir/", "f", ".zel"), "C:dir/f.zel");
    EXPECT_EQ(MakePath("", "d\\", "f", ""), "d\\f");
    EXPECT_EQ(MakePath("", "", "", "dat"), ".dat");
}

TEST(PathRules, BaseDirectoryIsTheParentOfTheExecutablesDirectory)
{
    EXPECT_EQ(BaseDirectory(kExe), "\\Apps\\Run\\");
    EXPECT_EQ(BaseDirectory("C:/Apps/bin/launch.exe"), "/Apps/");
    EXPECT_EQ(BaseDirectory("C:\\launch.exe"), "");
    EXPECT_EQ(BaseDirectory("launch.exe"), "");
}

TEST(PathRules, FilesBesideTheExecutable)
{
    EXPECT_EQ(RunListFilePath(kExe), "C:\\Apps\\Run\\bin\\_zelrunlist.dat");
    EXPECT_EQ(RunListFilePath("C:\\launch.exe"), "C:\\_zelrunlist.dat");
    EXPECT_EQ(RunListFilePath(""), "");
    EXPECT_EQ(SiblingPath(kExe, "zelrun", "exe"), "C:\\Apps\\Run\\bin\\zelrun.exe");
}

TEST(DefaultEntries, PathsLieUnderTheBaseDirectory)
{
    EXPECT_EQ(DefaultEntryPath(kExe, 0), "C:\\Apps\\Run\\shaders\\dx9\\animation\\blend\\blend.zel");
    EXPECT_EQ(DefaultEntryPath("C:\\launch.exe", 0), "C:shaders\\dx9\\animation\\blend\\blend.zel");
    EXPECT_EQ(DefaultEntryPath(kExe, 13), "C:\\Apps\\Run\\shaders\\dx9\\video\\movie_plane_rotate.zel");
    for (int i = 0; i < kDefaultEntryCount; ++i)
        EXPECT_EQ(DisplayName(DefaultEntryPath(kExe, i)), kDefaultEntries[static_cast<std::size_t>(i)].name);
}

}  // namespace
