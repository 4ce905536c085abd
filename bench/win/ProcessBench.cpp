// Starts the installed launcher and the yardstick program (MinimalRunDialog,
// plain and with the common controls loaded) side by side, as a user starts
// them, and times each from the process start until its dialog shows the
// expected entries, painted and idle, and from the close request until the
// process has saved and ended.
//
// Usage: bench_process <results file> [runs [scenario]]
//
// Scenarios: a start over the fourteen default entries, a first start, and
// 100,000 entries, all single-byte or one in ten wide.
//
// NIMBREL_BENCH_VARIANT names a second launcher build to time beside the
// first, as "variant" (to weigh a change against the same noise).
//
// Every program runs from its own directory under the temporary directory,
// with the run list file prepared beside it before every start. Each round
// starts every program once, in an order that rotates from round to round, so
// a change in the machine's load falls on all of them.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "BenchResults.h"
#include "ChildProcess.h"
#include "TestFiles.h"
#include "fw/UniqueHandle.h"
#include "WinTest.h"
#include "app/resource.h"
#include "bench/BenchData.h"
#include "runlist/DefaultEntries.h"
#include "runlist/RunListFile.h"

namespace {

constexpr DWORD kPatienceMs = 30000;
constexpr int kDefaultRuns = 11;
constexpr char kCaption[] = "Nimbrel Run XP";
constexpr char kDialogClass[] = "#32770";

// One program copied into a directory of its own.
struct Installed {
    std::string name;  // "launcher", "minimal" or "minimal_comctl": the middle part of result names
    std::filesystem::path dir;
    std::filesystem::path exe;

    std::string RunList() const { return (dir / "_zelrunlist.dat").string(); }
    std::string Names() const { return (dir / "names.txt").string(); }
    bool IsYardstick() const { return name.rfind("minimal", 0) == 0; }
};

// What a start finds beside the program and what its list must then show.
struct Scenario {
    const char* name;
    int count;                 // entries the list shows once loaded
    const std::string* file;   // the run list file's bytes, or none for a first start
    const std::string* names;  // the yardstick's names.txt (UTF-8), or none for the default names
};

struct Timings {
    double showMs;   // process start until shown, painted and idle
    double closeMs;  // close request until the process has ended
};

std::optional<Installed> Install(const std::filesystem::path& root, const std::string& name,
                                 const std::string& exe)
{
    Installed program{name, root / name / "bin", {}};
    program.exe = program.dir / std::filesystem::path(exe).filename();
    std::error_code error;
    std::filesystem::create_directories(program.dir, error);
    if (error || !::CopyFileA(exe.c_str(), program.exe.string().c_str(), FALSE))
        return std::nullopt;
    return program;
}

void PlaceFile(const std::string& path, const std::string* bytes)
{
    if (bytes != nullptr)
        wintest::WriteFileBytes(path, *bytes);
    else
        ::DeleteFileA(path.c_str());
}

HWND FindDialog(DWORD pid)
{
    for (HWND w = nullptr; (w = ::FindWindowExA(nullptr, w, kDialogClass, kCaption)) != nullptr;) {
        DWORD owner = 0;
        ::GetWindowThreadProcessId(w, &owner);
        if (owner == pid)
            return w;
    }
    return nullptr;
}

int ListCount(HWND dlg)
{
    DWORD_PTR count = 0;
    if (!::SendMessageTimeoutA(::GetDlgItem(dlg, IDC_RUNLIST), LB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG,
                               kPatienceMs, &count))
        return -1;
    return static_cast<int>(count);
}

BOOL CALLBACK FindUnpainted(HWND child, LPARAM lParam)
{
    if (::GetUpdateRect(child, nullptr, FALSE)) {
        *reinterpret_cast<bool*>(lParam) = true;
        return FALSE;
    }
    return TRUE;
}

bool HasPendingPaint(HWND dlg)
{
    bool pending = ::GetUpdateRect(dlg, nullptr, FALSE) != FALSE;
    if (!pending)
        ::EnumChildWindows(dlg, FindUnpainted, reinterpret_cast<LPARAM>(&pending));
    return pending;
}

// The program's dialog once it is visible, holds `count` entries, has nothing
// left to paint and its process waits for input; null when that never comes.
HWND WaitUntilShown(HANDLE process, DWORD pid, int count)
{
    ::WaitForInputIdle(process, kPatienceMs);
    const bench::Stopwatch waited;
    while (waited.ElapsedMs() < kPatienceMs) {
        if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0)
            return nullptr;
        const HWND dlg = FindDialog(pid);
        if (dlg != nullptr && ::IsWindowVisible(dlg) && ListCount(dlg) == count &&
            ::WaitForInputIdle(process, kPatienceMs) == 0 && !HasPendingPaint(dlg))
            return dlg;
        ::Sleep(1);
    }
    return nullptr;
}

std::optional<Timings> RunOnce(const Installed& program, int count)
{
    std::string commandLine = "\"" + program.exe.string() + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    const bench::Stopwatch start;
    if (!::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          program.dir.string().c_str(), &startup, &info))
        return std::nullopt;
    const UniqueHandle process(info.hProcess);
    const UniqueHandle thread(info.hThread);
    const HWND dlg = WaitUntilShown(info.hProcess, info.dwProcessId, count);
    const double showMs = start.ElapsedMs();
    if (dlg == nullptr) {
        ::TerminateProcess(info.hProcess, 1);
        return std::nullopt;
    }
    const bench::Stopwatch close;
    ::PostMessageA(dlg, WM_CLOSE, 0, 0);
    if (::WaitForSingleObject(info.hProcess, kPatienceMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(info.hProcess, 1);
        return std::nullopt;
    }
    return Timings{showMs, close.ElapsedMs()};
}

// One start and close of one program; false when it failed or saved other
// bytes than it was given.
bool Measure(const Installed& program, const Scenario& scenario, bench::Results* results)
{
    PlaceFile(program.RunList(), scenario.file);
    PlaceFile(program.Names(), program.IsYardstick() ? scenario.names : nullptr);
    const auto failed = [&](const char* then) {
        std::fprintf(stderr, "%s: %s did not show %d entries or did not end%s\n", scenario.name,
                     program.name.c_str(), scenario.count, then);
    };
    std::optional<Timings> timings = RunOnce(program, scenario.count);
    if (!timings) {
        // Under Wine a start can fail where every other succeeds (seen once
        // in a whole run): one more try before the run is given up.
        failed("; once more");
        timings = RunOnce(program, scenario.count);
    }
    if (!timings) {
        failed("");
        return false;
    }
    if (scenario.file != nullptr && wintest::ReadFileBytes(program.RunList()) != *scenario.file) {
        std::fprintf(stderr, "%s: %s saved other bytes than it loaded\n", scenario.name, program.name.c_str());
        return false;
    }
    if (results != nullptr) {
        const std::string prefix = std::string(scenario.name) + "." + program.name;
        results->Add(prefix + ".show", timings->showMs);
        results->Add(prefix + ".close", timings->closeMs);
    }
    return true;
}

// A first round that is not counted (files and code into the cache), then
// `runs` counted rounds.
bool MeasureScenario(const Scenario& scenario, const std::vector<Installed>& programs, int runs,
                     bench::Results& results)
{
    const std::size_t n = programs.size();
    for (int run = -1; run < runs; ++run) {
        bench::Results* record = run < 0 ? nullptr : &results;
        for (std::size_t i = 0; i < n; ++i) {
            const std::size_t first = static_cast<std::size_t>(run + 1) % n;
            if (!Measure(programs[(first + i) % n], scenario, record))
                return false;
        }
    }
    return true;
}

std::string DefaultEntriesFile(const std::string& exePath)
{
    std::vector<std::string> paths;
    for (int i = 0; i < kDefaultEntryCount; ++i)
        paths.push_back(DefaultEntryPath(exePath, i));
    return SerializeRunList(paths);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_process <results file> [runs [scenario]]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : kDefaultRuns;
    // One scenario alone, named as in the results (start, first_start, ...).
    const std::string only = argc > 3 ? argv[3] : "";
    const std::filesystem::path root =
        std::filesystem::temp_directory_path() / ("nimbrel_bench_" + std::to_string(::GetCurrentProcessId()));
    std::vector<Installed> programs;
    const std::pair<const char*, std::string> sources[] = {
        {"launcher", wintest::BesideTests(NIMBREL_LAUNCHER_FROM_BENCH)},
        {"minimal", wintest::BesideTests("bench_minimal.exe")},
        {"minimal_comctl", wintest::BesideTests("bench_minimal_comctl.exe")},
    };
    for (const auto& [name, exe] : sources) {
        std::optional<Installed> program = Install(root, name, exe);
        if (!program) {
            std::fprintf(stderr, "cannot install %s under %s\n", exe.c_str(), root.string().c_str());
            return 1;
        }
        programs.push_back(*program);
    }
    if (const char* variant = std::getenv("NIMBREL_BENCH_VARIANT")) {
        std::optional<Installed> program = Install(root, "variant", variant);
        if (!program)
            return 1;
        programs.push_back(*program);
    }

    const std::string defaults = DefaultEntriesFile(programs.front().exe.string());
    const std::vector<std::string> paths = bench::ScenePaths(bench::kLargeCount);
    const std::string large = SerializeRunList(paths);
    const std::string names = bench::DisplayNameLines(paths);
    const bench::MixedRunList mixed = bench::MakeMixedRunList(bench::kLargeCount);
    const Scenario scenarios[] = {
        {"start", kDefaultEntryCount, &defaults, nullptr},
        {"first_start", kDefaultEntryCount, nullptr, nullptr},
        {"large", bench::kLargeCount, &large, &names},
        {"mixed", bench::kLargeCount, &mixed.file, &mixed.nameLines},
    };

    bench::Results results;
    bool ok = true;
    for (const Scenario& scenario : scenarios) {
        if (only.empty() || only == scenario.name)
            ok = ok && MeasureScenario(scenario, programs, runs, results);
    }
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
    return ok && results.Write(argv[1]) ? 0 : 1;
}
