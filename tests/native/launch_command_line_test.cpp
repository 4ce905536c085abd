#include "launch/CommandLine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using launch::BuildCommandLine;
using Args = std::vector<std::string>;

// What the player's C runtime makes of a command line.
struct Parsed {
    Args argv;
    bool quotePairInsideQuotes = false;   // `""` while quoted: Windows and Wine differ
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// argv[0]: quotes toggle, backslashes are plain characters, unquoted blanks end it.
size_t ParseProgramName(const std::string& line, Parsed& out)
{
    std::string arg;
    bool quoted = false;
    size_t i = 0;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else
            arg += line[i];
    }
    out.argv.push_back(arg);
    return i;
}

// The later arguments: 2n backslashes + quote give n backslashes and toggle
// quoting; 2n+1 backslashes + quote give n backslashes and a literal quote;
// other backslashes are literal.
void ParseArguments(const std::string& line, size_t i, Parsed& out)
{
    for (;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size())
            return;
        std::string arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == '\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == '"') {
                arg.append(backslashes / 2, '\\');
                if (backslashes % 2 == 1) {
                    arg += '"';
                } else {
                    if (quoted && i + 1 < line.size() && line[i + 1] == '"')
                        out.quotePairInsideQuotes = true;
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            arg.append(backslashes, '\\');
            if (i < line.size() && (quoted || !IsBlank(line[i])))
                arg += line[i++];
        }
        out.argv.push_back(arg);
    }
}

Parsed Parse(const std::string& line)
{
    Parsed out;
    ParseArguments(line, ParseProgramName(line, out), out);
    return out;
}

std::string PlainShape(const std::string& player, const std::string& scene)
{
    return '"' + player + "\" \"" + scene + '"';
}

const char kPlayer[] = R"(C:\Apps\Run\bin\zelrun.exe)";

// The parser must read lines the way the runtime was seen to read them.
TEST(RuntimeArgumentModel, AgreesWithTheObservedRuntime)
{
    EXPECT_EQ(Parse(R"("p" "C:\dir\" next)").argv, (Args{"p", R"(C:\dir" next)"}));
    EXPECT_EQ(Parse(R"("p" "C:\dir\\" next)").argv, (Args{"p", R"(C:\dir\)", "next"}));
    EXPECT_EQ(Parse(R"("C:\a b\" "x")").argv, (Args{R"(C:\a b\)", "x"}));
    EXPECT_EQ(Parse(R"(p a\\\"b "" c\d)").argv, (Args{"p", R"(a\"b)", "", R"(c\d)"}));
    EXPECT_TRUE(Parse(R"(p "a""b")").quotePairInsideQuotes);
}

TEST(BuildCommandLine, OrdinaryPathsGiveThePlainQuotedForm)
{
    const std::vector<std::pair<std::string, std::string>> cases = {
        {kPlayer, R"(C:\Apps\Run\shaders\dx9\animation\blend\blend.zel)"},
        {R"(C:\Program Files\Run\zelrun.exe)", R"(D:\my scenes\a b.zel)"},
        {kPlayer, R"(\\server\share\x\y.zel)"},
        {kPlayer, "C:\\tab\there\\a.zel"},
        {kPlayer, "relative\\ with  spaces \\ inside "},
        {kPlayer, ""},
    };
    for (const auto& [player, scene] : cases) {
        EXPECT_EQ(BuildCommandLine(player, scene), PlainShape(player, scene)) << scene;
        EXPECT_EQ(Parse(BuildCommandLine(player, scene)).argv, (Args{player, scene})) << scene;
    }
}

TEST(BuildCommandLine, EmptySceneEndsInASpaceAndTwoQuotes)
{
    EXPECT_EQ(BuildCommandLine(kPlayer, ""), std::string("\"") + kPlayer + "\" \"\"");
}

TEST(BuildCommandLine, BackslashesAndQuotesAreEscapedOnlyWhereTheRuntimeNeedsIt)
{
    EXPECT_EQ(launch::QuoteArgument(R"(C:\dir\)"), R"("C:\dir\\")");
    EXPECT_EQ(launch::QuoteArgument(R"(C:\dir\\)"), R"("C:\dir\\\\")");
    EXPECT_EQ(launch::QuoteArgument(R"(a"b)"), R"("a\"b")");
    EXPECT_EQ(launch::QuoteArgument(R"(a\"b)"), R"("a\\\"b")");
    EXPECT_EQ(launch::QuoteArgument(R"(a\\b)"), R"("a\\b")");
    EXPECT_EQ(launch::QuoteArgument(R"(")"), R"("\"")");
}

TEST(BuildCommandLine, PlayerPathsWithSpacesOrATrailingBackslashComeBackWhole)
{
    for (const std::string player : {R"(C:\Run Dir\bin\zelrun.exe)", R"(C:\odd\)", R"(C:\a\\b)"}) {
        const Parsed parsed = Parse(BuildCommandLine(player, R"(C:\s\)"));
        EXPECT_EQ(parsed.argv, (Args{player, R"(C:\s\)"})) << player;
    }
}

// Every scene path up to six characters over an alphabet of the characters the
// runtime treats specially comes back as one argument, unchanged.
TEST(BuildCommandLine, EveryShortPathOfSpecialCharactersComesBackExactly)
{
    const std::string alphabet = "a \t\\\"";
    std::vector<std::string> scenes = {""};
    for (size_t from = 0; scenes.back().size() < 6;) {
        const size_t to = scenes.size();
        for (size_t k = from; k < to; ++k)
            for (char c : alphabet)
                scenes.push_back(scenes[k] + c);
        from = to;
    }
    for (const std::string& scene : scenes) {
        const std::string line = BuildCommandLine(kPlayer, scene);
        const Parsed parsed = Parse(line);
        ASSERT_EQ(parsed.argv, (Args{kPlayer, scene})) << line;
        ASSERT_FALSE(parsed.quotePairInsideQuotes) << line;
        const bool plain = scene.find('"') == std::string::npos &&
                           (scene.empty() || scene.back() != '\\');
        ASSERT_EQ(line == PlainShape(kPlayer, scene), plain) << line;
    }
}

}  // namespace
