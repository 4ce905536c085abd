#include "runlist/RunListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Paths = std::vector<std::string>;

std::string Bytes(std::initializer_list<unsigned char> bytes)
{
    return std::string(bytes.begin(), bytes.end());
}

TEST(RunListFile, SerializeWritesTheCountThenTheStrings)
{
    EXPECT_EQ(SerializeRunList({}), Bytes({0, 0, 0, 0}));
    EXPECT_EQ(SerializeRunList({"2010", ""}),
              Bytes({2, 0, 0, 0, 0x04, 0x32, 0x30, 0x31, 0x30, 0x00}));
}

TEST(RunListFile, SerializeThroughAnAccessorWritesTheSameBytes)
{
    const Paths paths = {"C:\\Scenes\\blend.zel", "", std::string(300, 'x')};
    EXPECT_EQ(SerializeRunList(3, [&paths](int i) { return std::string_view(paths[static_cast<std::size_t>(i)]); }),
              SerializeRunList(paths));
    // A list box that is gone answers its count with -1.
    EXPECT_EQ(SerializeRunList(-1, [](int) { return std::string_view("never read"); }), Bytes({0, 0, 0, 0}));
}

TEST(RunListFile, EveryLengthFormRoundTrips)
{
    Paths paths;
    for (std::size_t n : {0u, 254u, 255u, 65533u, 65534u, 70000u})
        paths.emplace_back(n, static_cast<char>('a' + paths.size()));
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
        paths.emplace_back(i % 300, static_cast<char>('a' + i % 26));
    paths.emplace_back(100000, 'z');
    paths.emplace_back("C:\\last.zel");
    EXPECT_EQ(ParseRunList(SerializeRunList(paths)).paths, paths);
}

TEST(RunListFile, BytesAfterTheLastStringAreIgnored)
{
    const RunListContents contents = ParseRunList(SerializeRunList({"a", "b"}) + "\x05tail");
    EXPECT_FALSE(contents.IsDamaged());
    EXPECT_EQ(contents.paths, (Paths{"a", "b"}));
}

TEST(RunListFile, DamageKeepsTheEntriesBeforeIt)
{
    const std::string two = Bytes({2, 0, 0, 0});
    const std::string one = Bytes({1, 0, 0, 0});
    const struct { const char* what; std::string bytes; RunListDamage damage; Paths paths; } cases[] = {
        {"empty file", "", RunListDamage::ShortCount, {}},
        {"three bytes", Bytes({1, 0, 0}), RunListDamage::ShortCount, {}},
        {"count -1", Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0x01}) + "a", RunListDamage::NegativeCount, {}},
        {"count 0x7FFFFFFF", Bytes({0xFF, 0xFF, 0xFF, 0x7F, 0x01}) + "a", RunListDamage::MissingEntries, {"a"}},
        {"count 0x7FFFFFFF alone", Bytes({0xFF, 0xFF, 0xFF, 0x7F}), RunListDamage::MissingEntries, {}},
        {"string past the end", two + "\x01" "a" "\x05" "ab", RunListDamage::TruncatedString, {"a"}},
        {"length cut", two + "\x01" "a" "\xFF\x10", RunListDamage::TruncatedString, {"a"}},
        {"2 GB length", one + Bytes({0xFF, 0xFF, 0xFF, 0, 0, 0, 0x80}) + "x",
         RunListDamage::TruncatedString, {}},
        {"wide string", one + Bytes({0xFF, 0xFE, 0xFF, 0x01, 0x41, 0x00}), RunListDamage::WideString, {}},
        {"64-bit length", two + "\x01" "a" + Bytes({0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x01}) + "b",
         RunListDamage::HugeLength, {"a"}},
    };
    for (const auto& c : cases) {
        const RunListContents contents = ParseRunList(c.bytes);
        EXPECT_EQ(contents.damage, c.damage) << c.what;
        EXPECT_EQ(contents.paths, c.paths) << c.what;
    }
}

}  // namespace
