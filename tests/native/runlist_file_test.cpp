#include "runlist/RunListFile.h"
#include "tests/native/RunListIo.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::wstring>;

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(RunListFile, SerializeWritesTheCountThenTheStrings)
{
    EXPECT_EQ(SerializeRunList({}), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(SerializeRunList({L"2010", L""}),
              Bytes({2, 0, 0, 0, 0x04, 0x32, 0x30, 0x31, 0x30, 0x00}));
}

TEST(RunListFile, SerializeThroughAnAccessorWritesTheSameBytes)
{
    const Paths paths = {L"C:\\Scenes\\blend.zel", L"", std::wstring(300, L'x'), L"C:\\\u6771\u4EAC.zel"};
    EXPECT_EQ(SerializeRunList(4, [&paths](int i) { return std::wstring_view(paths[static_cast<std::size_t>(i)]); },
                               TestCodePage()),
              SerializeRunList(paths));
    // A list box that is gone answers its count with -1.
    EXPECT_EQ(SerializeRunList(-1, [](int) { return std::wstring_view(L"never read"); }, TestCodePage()),
              Bytes({0, 0, 0, 0}));
}

TEST(RunListFile, EveryLengthFormRoundTrips)
{
    Paths paths;
    for (std::size_t n : {0u, 254u, 255u, 65533u, 65534u, 70000u})
        paths.emplace_back(n, static_cast<wchar_t>(L'a' + paths.size()));
    const std::string bytes = SerializeRunList(paths);
    // Sized in advance: one byte too many would end the file in a stray byte.
    EXPECT_EQ(bytes.size(), 4u + (1 + 1 + 3 + 3 + 7 + 7) + (254 + 255 + 65533 + 65534 + 70000));
    const RunListContents contents = ParseRunList(bytes);
    EXPECT_FALSE(contents.IsDamaged());
    EXPECT_EQ(contents.paths, paths);
    EXPECT_EQ(SerializeRunList(contents.paths), bytes);
}

TEST(RunListFile, AListLongerThanTheWritersBufferRoundTrips)
{
    // Paths of every short length, so that the buffer's pieces end at every
    // kind of boundary: mid-list, before a long form, before a long path.
    Paths paths;
    for (std::size_t i = 0; i < 3000; ++i)
        paths.emplace_back(i % 300, static_cast<wchar_t>(i % 7 == 0 ? 0x4E00 + i : L'a' + i % 26));
    paths.emplace_back(100000, L'z');
    paths.emplace_back(70000, L'\u00DF');
    paths.emplace_back(70000, L'\u0141');
    paths.emplace_back(L"C:\\last.zel");
    EXPECT_EQ(ParseRunList(SerializeRunList(paths)).paths, paths);
}

TEST(RunListFile, BytesAfterTheLastStringAreIgnored)
{
    const RunListContents contents = ParseRunList(SerializeRunList({L"a", L"b"}) + "\x05tail");
    EXPECT_FALSE(contents.IsDamaged());
    EXPECT_EQ(contents.paths, (Paths{L"a", L"b"}));
}

// A path the code page holds goes in the single-byte form, byte for byte; any
// other in the wide form; the reader takes both in any order.
TEST(RunListFile, CodePagePathsStaySingleByteAndOthersGoWide)
{
    const std::wstring wide = L"C:\\Sc\u00E8nes\\\u0141\u00F3d\u017A\\\u6771\u4EAC \u82B1.zel";
    const std::wstring cafe = L"C:\\Sc\u00E8nes\\caf\u00E9.zel";
    const std::wstring euro = L"C:\\\u20AC.zel";
    std::string expected = Bytes({3, 0, 0, 0}) + "\x12" "C:\\Sc\xE8nes\\caf\xE9.zel";
    WriteArchiveWideString(expected, wide);
    expected += "\x08" "C:\\\x80.zel";
    const Paths paths{cafe, wide, euro};
    EXPECT_EQ(SerializeRunList(paths), expected);
    const RunListContents contents = ParseRunList(expected);
    EXPECT_FALSE(contents.IsDamaged());
    EXPECT_EQ(contents.paths, paths);
    // The same paths all in the wide form, as a Unicode program writes them.
    std::string allWide = Bytes({3, 0, 0, 0});
    for (const std::wstring& path : paths)
        WriteArchiveWideString(allWide, path);
    EXPECT_EQ(ParseRunList(allWide).paths, paths);
}

// Every byte value of the code page reads and writes back unchanged, so every
// file the launcher wrote before keeps its bytes.
TEST(RunListFile, EverySingleByteFileWritesBackByteForByte)
{
    std::string everyByte;
    for (int byte = 1; byte < 256; ++byte)
        everyByte += static_cast<char>(byte);
    std::string bytes = Bytes({2, 0, 0, 0});
    WriteArchiveString(bytes, everyByte);
    WriteArchiveString(bytes, std::string(300, '\x81'));
    EXPECT_EQ(SerializeRunList(ParseRunList(bytes).paths), bytes);
}

TEST(RunListFile, DamageKeepsTheEntriesBeforeIt)
{
    const std::string two = Bytes({2, 0, 0, 0});
    const std::string one = Bytes({1, 0, 0, 0});
    const struct { const char* what; std::string bytes; RunListDamage damage; Paths paths; } cases[] = {
        {"empty file", "", RunListDamage::ShortCount, {}},
        {"three bytes", Bytes({1, 0, 0}), RunListDamage::ShortCount, {}},
        {"count -1", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x01}) + "a", RunListDamage::NegativeCount, {}},
        {"count 0x7FFFFFFF", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x01}) + "a", RunListDamage::MissingEntries, {L"a"}},
        {"count 0x7FFFFFFF alone", Bytes({0xFF, 0xFF, 0xFF, 0x7F}), RunListDamage::MissingEntries, {}},
        {"string past the end", two + "\x01" "a" "\x05" "ab", RunListDamage::TruncatedString, {L"a"}},
        {"length cut", two + "\x01" "a" "\xFF\x10", RunListDamage::TruncatedString, {L"a"}},
        {"2 GB length", one + Bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80}) + "x",
         RunListDamage::TruncatedString, {}},
        {"wide marker twice", one + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00}),
         RunListDamage::UnpairedMarker, {}},
        {"wide marker at the end", two + "\x01" "a" + Bytes({0xFF, 0xFE, 0xFF}), RunListDamage::TruncatedString, {L"a"}},
        {"wide string past the end", two + "\x01" "a" + Bytes({0xFF, 0xFE, 0xFF, 0x02, 0x41, 0x00, 0x42}),
         RunListDamage::TruncatedString, {L"a"}},
        {"wide word length cut", one + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x10}), RunListDamage::TruncatedString, {}},
        {"wide 2 G units", one + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80, 0x41, 0x00}),
         RunListDamage::TruncatedString, {}},
        {"wide 64-bit length", two + "\x01" "a" + Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}),
         RunListDamage::HugeLength, {L"a"}},
        {"64-bit length", two + "\x01" "a" + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}) + "b",
         RunListDamage::HugeLength, {L"a"}},
    };
    for (const auto& c : cases) {
        const RunListContents contents = ParseRunList(c.bytes);
        EXPECT_EQ(contents.damage, c.damage) << c.what;
        EXPECT_EQ(contents.paths, c.paths) << c.what;
    }
}

}  // namespace
