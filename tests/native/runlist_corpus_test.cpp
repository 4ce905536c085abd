// Replays the run list fuzzer's corpus through the reader, without libFuzzer.
#include "fuzz/RunListReaderCheck.h"
#include "runlist/DefaultEntries.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

namespace fs = std::filesystem;

fs::path CorpusDir()
{
    return fs::path(NIMBREL_SOURCE_DIR) / "fuzz" / "corpus" / "runlist";
}

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
    int files = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(CorpusDir())) {
        const std::string name = entry.path().filename().string();
        const std::string bytes = ReadBytes(entry.path());
        ++files;
        EXPECT_EQ(CheckRunListBytes(bytes), "") << name;
        const Windows1252CodePage codePage;
        const bool damaged = ParseRunList(bytes, codePage).IsDamaged();
        if (StartsWith(name, "ok-") || StartsWith(name, "damaged-")) {
            EXPECT_EQ(damaged, StartsWith(name, "damaged-")) << name;
        }
        // The seeds of the launcher's own files are exactly what its writer
        // writes, so every length form is seeded as it really occurs.
        if (StartsWith(name, "ok-") && !StartsWith(name, "ok-unusual-")) {
            EXPECT_EQ(SerializeRunList(ParseRunList(bytes, codePage).paths, codePage), bytes) << name;
        }
    }
    EXPECT_GE(files, 20);
}

TEST(RunListCorpus, TheDefaultsSeedIsTheFileAFirstStartCreates)
{
    std::vector<std::wstring> defaults;
    for (int i = 0; i < kDefaultEntryCount; ++i)
        defaults.push_back(DefaultEntryPath(L"C:\\Apps\\Run\\bin\\NimbrelRun.exe", i));
    EXPECT_EQ(ReadBytes(CorpusDir() / "ok-defaults"), SerializeRunList(defaults, Windows1252CodePage()));
}

}  // namespace
