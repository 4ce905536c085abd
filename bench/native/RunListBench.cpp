// The portable run list reader and writer on 100,000 entries, in MB/s of file
// bytes, beside the yardstick they are compared with: reading the same file
// into memory.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "bench/BenchData.h"
#include "runlist/MemoryRunList.h"
#include "paths/PathRules.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"
#include "runlist/Windows1252CodePage.h"

namespace {

constexpr wchar_t kExePath[] = L"C:\\Apps\\Run\\bin\\NimbrelRun.exe";

// The ANSI code page of a Western system.
const Windows1252CodePage kCodePage;

const std::vector<std::wstring>& Paths()
{
    static const std::vector<std::wstring> paths = [] {
        std::vector<std::wstring> wide;
        for (const std::string& path : bench::ScenePaths(bench::kLargeCount))
            wide.emplace_back(path.begin(), path.end());   // ASCII
        return wide;
    }();
    return paths;
}

const std::string& FileBytes()
{
    static const std::string bytes = SerializeRunList(Paths(), kCodePage);
    return bytes;
}

std::string ReadWhole(const std::string& path)
{
    std::string bytes;
    std::FILE* in = std::fopen(path.c_str(), "rb");
    if (in == nullptr)
        return bytes;
    std::fseek(in, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(in)));
    std::fseek(in, 0, SEEK_SET);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), in));
    std::fclose(in);
    return bytes;
}

bool WriteWhole(const std::string& path, IByteSource& bytes)
{
    std::FILE* out = std::fopen(path.c_str(), "wb");
    if (out == nullptr)
        return false;
    bool written = true;
    for (std::string_view piece = bytes.NextChunk(); written && !piece.empty(); piece = bytes.NextChunk())
        written = std::fwrite(piece.data(), 1, piece.size(), out) == piece.size();
    return std::fclose(out) == 0 && written;
}

bool WriteWhole(const std::string& path, const std::string& bytes)
{
    StringByteSource source(bytes);
    return WriteWhole(path, source);
}

// The run list store over a plain file, without the Windows store's temporary
// file and rename: what is measured is the reader and the writer.
class PlainFileStore : public IRunListStore {
public:
    explicit PlainFileStore(std::string path) : m_path(std::move(path)) {}
    ReadResult Read(std::string& bytes) override
    {
        bytes = ReadWhole(m_path);
        return bytes.empty() ? ReadResult::Missing : ReadResult::Ok;
    }
    using IRunListStore::Write;
    bool Write(IByteSource& bytes) override { return WriteWhole(m_path, bytes); }
    bool KeepDamagedCopy(std::string_view bytes) override
    {
        StringByteSource source(bytes);
        return WriteWhole(m_path + ".damaged", source);
    }

private:
    std::string m_path;
};

// A file of this process in the temporary directory.
std::string TempFile(const char* name)
{
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name)).string();
}

const std::string& OutputFile()
{
    static const std::string path = TempFile("_nimbrel_bench_out.dat");
    return path;
}

// The run list written once to the temporary directory; the file system's
// cache holds it for every read.
const std::string& FileOnDisk()
{
    static const std::string path = [] {
        const std::string file = TempFile("_nimbrel_bench_in.dat");
        WriteWhole(file, FileBytes());
        return file;
    }();
    return path;
}

void CountBytes(benchmark::State& state)
{
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(FileBytes().size()));
}

// The yardstick: the file's bytes from the cache into a string.
void BM_ReadFileIntoMemory(benchmark::State& state)
{
    const std::string& path = FileOnDisk();
    for (auto _ : state)
        benchmark::DoNotOptimize(ReadWhole(path));
    CountBytes(state);
}
BENCHMARK(BM_ReadFileIntoMemory);

// The yardstick of the writer: the bytes from memory into a file.
void BM_WriteFileFromMemory(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(WriteWhole(OutputFile(), FileBytes()));
    CountBytes(state);
}
BENCHMARK(BM_WriteFileFromMemory);

// The reader alone: bytes to paths.
void BM_ParseRunList(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ParseRunList(FileBytes(), kCodePage));
    CountBytes(state);
}
BENCHMARK(BM_ParseRunList);

// The writer alone: paths to bytes.
void BM_SerializeRunList(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(SerializeRunList(Paths(), kCodePage));
    CountBytes(state);
}
BENCHMARK(BM_SerializeRunList);

// The display names the list box is filled with: each path's file title.
void BM_DisplayNames(benchmark::State& state)
{
    for (auto _ : state) {
        for (const std::wstring& path : Paths())
            benchmark::DoNotOptimize(DisplayName(path));
    }
    CountBytes(state);
}
BENCHMARK(BM_DisplayNames);

// The whole portable load from the file: read, parse, and hand the paths to
// the entries of an in-memory list (named after their file titles).
void BM_LoadRunListFromFile(benchmark::State& state)
{
    PlainFileStore store(FileOnDisk());
    for (auto _ : state) {
        MemoryRunListTarget list;
        LoadRunList(list, store, kExePath, kCodePage);
        benchmark::DoNotOptimize(list.entries.NameAt(0).data());
    }
    CountBytes(state);
}
BENCHMARK(BM_LoadRunListFromFile);

// The whole portable save: the path table's elements to the file.
void BM_SaveRunListToFile(benchmark::State& state)
{
    MemoryRunListStore source(FileBytes());
    MemoryRunListTarget list;
    LoadRunList(list, source, kExePath, kCodePage);
    PlainFileStore store(OutputFile());
    for (auto _ : state)
        benchmark::DoNotOptimize(SaveRunList(list.entries, store, kCodePage));
    CountBytes(state);
}
BENCHMARK(BM_SaveRunListToFile);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::remove(FileOnDisk().c_str());
    std::remove(OutputFile().c_str());
    return 0;
}
