// Replays the run list fuzzer's corpus through the reader, without libFuzzer.
#include "fuzz/RunListReaderCheck.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

std::string ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool StartsWith(const std::string& s, const char* prefix)
{
    return s.rfind(prefix, 0) == 0;
}

TEST(RunListCorpus, EveryFileKeepsTheReadersPromises)
{
    const fs::path dir = fs::path(NIMBREL_SOURCE_DIR) / "fuzz" / "corpus" / "runlist";
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = ReadBytes(entry.path());
        ++files;
        EXPECT_EQ(CheckRunListBytes(bytes), "") << name;
        const bool damaged = ParseRunList(bytes).IsDamaged();
        if (StartsWith(name, "ok-") || StartsWith(name, "damaged-")) {
            EXPECT_EQ(damaged, StartsWith(name, "damaged-")) << name;
        }
    }
    EXPECT_GE(files, 20);
}

}  // namespace
