// The mixed run list the benchmarks load: if its bytes were off, the launcher
// would report the file as damaged and the benchmark would measure nothing.
#include "bench/BenchData.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf16LE(const std::u16string& text)
{
    std::string bytes;
    for (const char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    return bytes;
}

TEST(MixedBenchList, HoldsEveryTenthEntryInTheWideFormBetweenSingleByteOnes)
{
    const bench::MixedRunList list = bench::MakeMixedRunList(20);
    const std::string ninth = "C:\\Scenes\\dx9\\set_000\\scene_000008.zel";
    const std::u16string tenth = u"C:\\Scenes\\dx9\\set_000\\\u0141\u00f3d\u017a \u6771\u4eac_000009.zel";
    const std::string eleventh = "C:\\Scenes\\dx9\\set_000\\scene_000010.zel";
    const std::string around = char(ninth.size()) + ninth + "\xFF\xFE\xFF" + char(tenth.size()) + Utf16LE(tenth) +
                               char(eleventh.size()) + eleventh;

    EXPECT_EQ(list.file.substr(0, 4), std::string("\x14\0\0\0", 4));
    const std::size_t singleByteEntry = 1 + ninth.size();
    EXPECT_EQ(list.file.substr(4 + 8 * singleByteEntry, around.size()), around);
    EXPECT_EQ(list.file.size(), 4 + 18 * singleByteEntry + 2 * (4 + 2 * tenth.size()));
}

TEST(MixedBenchList, NamesEachEntryInUtf8AsTheListShowsIt)
{
    const bench::MixedRunList list = bench::MakeMixedRunList(11);
    EXPECT_EQ(list.nameLines.substr(list.nameLines.find("scene_000008\n")),
              "scene_000008\n\xC5\x81\xC3\xB3" "d\xC5\xBA \xE6\x9D\xB1\xE4\xBA\xAC_000009\nscene_000010\n");
}

}  // namespace
