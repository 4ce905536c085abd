#include "launch/CommandLine.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

using launch::BuildCommandLine;
using Args = std::vector<std::wstring>;

// What the player's C runtime makes of a command line.
struct Parsed {
    Args argv;
    bool quotePairInsideQuotes = false;   // `L""` while quoted: Windows and Wine differ
};

bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

// argv[0]: quotes toggle, backslashes are plain characters, unquoted blanks end it.
size_t ParseProgramName(const std::wstring& line, Parsed& out)
{
    std::wstring arg;
    bool quoted = false;
    size_t i = 0;
    for (; i < line.size() && (quoted || !IsBlank(line[i])); ++i) {
        if (line[i] == L'"')
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
void ParseArguments(const std::wstring& line, size_t i, Parsed& out)
{
    for (;;) {
        while (i < line.size() && IsBlank(line[i]))
            ++i;
        if (i == line.size())
            return;
        std::wstring arg;
        bool quoted = false;
        while (i < line.size() && (quoted || !IsBlank(line[i]))) {
            size_t backslashes = 0;
            while (i < line.size() && line[i] == L'\\') {
                ++backslashes;
                ++i;
            }
            if (i < line.size() && line[i] == L'"') {
                arg.append(backslashes / 2, L'\\');
                if (backslashes % 2 == 1) {
                    arg += L'"';
                } else {
                    if (quoted && i + 1 < line.size() && line[i + 1] == L'"')
                        out.quotePairInsideQuotes = true;
                    quoted = !quoted;
                }
                ++i;
                continue;
            }
            arg.append(backslashes, L'\\');
            if (i < line.size() && (quoted || !IsBlank(line[i])))
                arg += line[i++];
        }
        out.argv.push_back(arg);
    }
}

Parsed Parse(const std::wstring& line)
{
    Parsed out;
    ParseArguments(line, ParseProgramName(line, out), out);
    return out;
}

std::wstring PlainShape(const std::wstring& player, const std::wstring& scene)
{
    return L'"' + player + L"\" \"" + scene + L'"';
}

const wchar_t kPlayer[] = LR"(C:\Apps\Run\bin\zelrun.exe)";

// The parser must read lines the way the runtime was seen to read them.
TEST(RuntimeArgumentModel, AgreesWithTheObservedRuntime)
{
    EXPECT_EQ(Parse(LR"("p" "C:\dir\" next)").argv, (Args{L"p", LR"(C:\dir" next)"}));
    EXPECT_EQ(Parse(LR"("p" "C:\dir\\" next)").argv, (Args{L"p", LR"(C:\dir\)", L"next"}));
    EXPECT_EQ(Parse(LR"("C:\a b\" "x")").argv, (Args{LR"(C:\a b\)", L"x"}));
    EXPECT_EQ(Parse(LR"(p a\\\"b "" c\d)").argv, (Args{L"p", LR"(a\"b)", L"", LR"(c\d)"}));
    EXPECT_TRUE(Parse(LR"(p "a""b")").quotePairInsideQuotes);
}

TEST(BuildCommandLine, OrdinaryPathsGiveThePlainQuotedForm)
{
    const std::vector<std::pair<std::wstring, std::wstring>> cases = {
        {kPlayer, LR"(C:\Apps\Run\shaders\dx9\animation\blend\blend.zel)"},
        {LR"(C:\Program Files\Run\zelrun.exe)", LR"(D:\my scenes\a b.zel)"},
        {kPlayer, LR"(\\server\share\x\y.zel)"},
        {kPlayer, L"C:\\tab\there\\a.zel"},
        {kPlayer, L"relative\\ with  spaces \\ inside "},
        {kPlayer, L""},
    };
    for (const auto& [player, scene] : cases) {
        EXPECT_EQ(BuildCommandLine(player, scene), PlainShape(player, scene)) << scene;
        EXPECT_EQ(Parse(BuildCommandLine(player, scene)).argv, (Args{player, scene})) << scene;
    }
}

TEST(BuildCommandLine, EmptySceneEndsInASpaceAndTwoQuotes)
{
    EXPECT_EQ(BuildCommandLine(kPlayer, L""), std::wstring(L"\"") + kPlayer + L"\" \"\"");
}

TEST(BuildCommandLine, BackslashesAndQuotesAreEscapedOnlyWhereTheRuntimeNeedsIt)
{
    EXPECT_EQ(launch::QuoteArgument(LR"(C:\dir\)"), LR"("C:\dir\\")");
    EXPECT_EQ(launch::QuoteArgument(LR"(C:\dir\\)"), LR"("C:\dir\\\\")");
    EXPECT_EQ(launch::QuoteArgument(LR"(a"b)"), LR"("a\"b")");
    EXPECT_EQ(launch::QuoteArgument(LR"(a\"b)"), LR"("a\\\"b")");
    EXPECT_EQ(launch::QuoteArgument(LR"(a\\b)"), LR"("a\\b")");
    EXPECT_EQ(launch::QuoteArgument(LR"(")"), LR"("\"")");
}

TEST(BuildCommandLine, PlayerPathsWithSpacesOrATrailingBackslashComeBackWhole)
{
    for (const std::wstring player : {LR"(C:\Run Dir\bin\zelrun.exe)", LR"(C:\odd\)", LR"(C:\a\\b)"}) {
        const Parsed parsed = Parse(BuildCommandLine(player, LR"(C:\s\)"));
        EXPECT_EQ(parsed.argv, (Args{player, LR"(C:\s\)"})) << player;
    }
}

// Every scene path up to six characters over an alphabet of the characters the
// runtime treats specially comes back as one argument, unchanged.
TEST(BuildCommandLine, EveryShortPathOfSpecialCharactersComesBackExactly)
{
    const std::wstring alphabet = L"a \t\\\"";
    std::vector<std::wstring> scenes = {L""};
    for (size_t from = 0; scenes.back().size() < 6;) {
        const size_t to = scenes.size();
        for (size_t k = from; k < to; ++k)
            for (wchar_t c : alphabet)
                scenes.push_back(scenes[k] + c);
        from = to;
    }
    for (const std::wstring& scene : scenes) {
        const std::wstring line = BuildCommandLine(kPlayer, scene);
        const Parsed parsed = Parse(line);
        ASSERT_EQ(parsed.argv, (Args{kPlayer, scene})) << line;
        ASSERT_FALSE(parsed.quotePairInsideQuotes) << line;
        const bool plain = scene.find(L'"') == std::wstring::npos &&
                           (scene.empty() || scene.back() != L'\\');
        ASSERT_EQ(line == PlainShape(kPlayer, scene), plain) << line;
    }
}

// Windows starts no command line of 32,767 code units or more (its null
// included): the longest scene path that still fits is launched whole.
TEST(BuildCommandLine, LinesPastWindowsLimitAreRefused)
{
    const std::wstring quotesAndSpace = L"\"\" \"\"";
    const std::size_t room = launch::kMaxCommandLineLength - 1 - quotesAndSpace.size() - std::wcslen(kPlayer);
    const std::wstring longest = L"C:\\" + std::wstring(room - 3, L'\u6771');
    EXPECT_TRUE(launch::FitsCommandLineLimit(BuildCommandLine(kPlayer, longest)));
    EXPECT_FALSE(launch::FitsCommandLineLimit(BuildCommandLine(kPlayer, longest + L'x')));
}

}  // namespace
