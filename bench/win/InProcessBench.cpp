// The launcher's real dialog in this process.
//
// Growth: with 10,000 and with 100,000 entries, times the run list's load
// (until the list is painted), its save, a thousand deletions of the first
// entry and a thousand moves of the first entry down. Ten times the entries
// may cost about ten times as much; a step whose cost grows faster than the
// list shows in the ratio. The deletions and moves run with the dialog hidden:
// shown, each one also redraws the list's scroll bar at once, which costs the
// same at any length and under Wine takes far longer than the list's own work.
// What one deletion and one move cost with the dialog shown is measured apart,
// on a hundred of each. Undo and redo: the thousand moves undone and redone,
// then a thousand deletions of the first entry again, undone and redone,
// against the plain operations.
//
// Mixed list: the load and save of 100,000 entries of which one in ten is
// stored in the wide form, the save beside the same raw write.
//
// Platform costs: what one list box message costs on this machine, sent to a
// plain list box, to one subclassed through the common controls, and to the
// launcher's list; one window property lookup; and the first touch of fresh
// memory of the run list's size. They explain where the launcher's time goes
// under Wine.
//
// Usage: bench_inprocess <results file> [runs]
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstring>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchResults.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "app/RunDlg.h"
#include "bench/BenchData.h"
#include "runlist/RunListFile.h"
#include "runlist/RunListWin.h"

namespace {

constexpr int kDefaultRuns = 11;
constexpr int kOperations = 1000;
constexpr int kShownOperations = 100;
constexpr int kMessages = 2000;

template <typename Work>
double TimeMs(CListBoxEx& list, Work work)
{
    const bench::Stopwatch watch;
    work();
    ::UpdateWindow(list);   // what the operations left to paint is part of them
    return watch.ElapsedMs();
}

template <typename Work>
double MicrosecondsEach(Work work)
{
    const bench::Stopwatch watch;
    for (int i = 0; i < kMessages; ++i)
        work();
    return 1000.0 * watch.ElapsedMs() / kMessages;
}

LRESULT CALLBACK PassOn(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR)
{
    return ::DefSubclassProc(hWnd, message, wParam, lParam);
}

// Fresh memory from the system, filled once: what a new buffer of that size
// costs before anything is written into it.
double FirstTouchMs(std::size_t size)
{
    const bench::Stopwatch watch;
    void* memory = ::VirtualAlloc(nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    if (memory != nullptr) {
        std::memset(memory, 1, size);
        ::VirtualFree(memory, 0, MEM_RELEASE);
    }
    return watch.ElapsedMs();
}

// The dialog opened over an empty run list, its first messages handled.
bool OpenOverEmptyRunList(CRunDlg& dlg)
{
    wintest::WriteFileBytes(wintest::RunListPath(), SerializeRunList({}));
    if (!dlg.Create())
        return false;
    wintest::Pump(dlg);
    return true;
}

// The save's yardstick: the same bytes, already in memory, written as the store
// writes them with nothing to derive: one WriteFile to a temporary file beside
// the target, a flush and a rename over the target.
bool RawWrite(const std::string& path, const std::string& bytes)
{
    const std::string tempPath = path + ".raw.tmp";
    const HANDLE file = ::CreateFileA(tempPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && ::FlushFileBuffers(file);
    return ::CloseHandle(file) && ok &&
           ::MoveFileExA(tempPath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}

void Close(CRunDlg& dlg)
{
    dlg.EndDialog(IDCANCEL);
    dlg.FinishModal();
}

// Messages to a hidden list box of the dialog's own, plain, then subclassed,
// and to the launcher's list; fresh memory of the small and the large file's
// size.
bool MeasurePlatformCosts(std::size_t largeFileSize, bench::Results& results)
{
    CRunDlg dlg;
    if (!OpenOverEmptyRunList(dlg))
        return false;
    const HWND plain = ::CreateWindowExA(0, "ListBox", "", WS_CHILD | LBS_HASSTRINGS | LBS_OWNERDRAWFIXED, 0, 0,
                                         10, 10, dlg, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    const auto count = [](HWND hWnd) { return [hWnd] { ::SendMessageA(hWnd, LB_GETCOUNT, 0, 0); }; };
    results.Add("wine.message_plain_list", MicrosecondsEach(count(plain)), "us");
    ::SetWindowSubclass(plain, PassOn, 1, 0);
    results.Add("wine.message_subclassed_list", MicrosecondsEach(count(plain)), "us");
    results.Add("wine.message_launcher_list", MicrosecondsEach(count(dlg.m_list)), "us");
    ::SetPropA(plain, "Nimbrel.Bench", plain);
    results.Add("wine.window_property_lookup", MicrosecondsEach([plain] { ::GetPropA(plain, "Nimbrel.Bench"); }), "us");
    ::RemovePropA(plain, "Nimbrel.Bench");
    results.Add("wine.object_lookup", MicrosecondsEach([&dlg] { CWnd::FromHandlePermanent(dlg.m_list); }), "us");
    ::RemoveWindowSubclass(plain, PassOn, 1);
    ::DestroyWindow(plain);
    results.Add("wine.first_touch_small_file", FirstTouchMs(largeFileSize / 10));
    results.Add("wine.first_touch_large_file", FirstTouchMs(largeFileSize));
    Close(dlg);
    return true;
}

// The load of `bytes` (until the list is painted) and its save, with the
// save's yardstick beside it, the yardstick first when rawWriteFirst. Names
// what went wrong in `failure` when the list does not hold count entries, the
// save wrote other bytes or the raw write failed.
struct LoadAndSave {
    double loadMs = 0;
    double saveMs = 0;
    double rawWriteMs = 0;
    const char* failure = nullptr;
};

LoadAndSave TimeLoadAndSave(CRunDlg& dlg, int count, const std::string& bytes, bool rawWriteFirst)
{
    wintest::WriteFileBytes(wintest::RunListPath(), bytes);
    LoadAndSave times;
    times.loadMs = TimeMs(dlg.m_list, [&] { dlg.LoadList(); });
    const bool loaded = dlg.m_list.GetCount() == count;
    bool rawWritten = true;
    const auto rawWrite = [&] {
        const bench::Stopwatch watch;
        rawWritten = RawWrite(wintest::RunListPath(), bytes);
        times.rawWriteMs = watch.ElapsedMs();
    };
    if (rawWriteFirst)
        rawWrite();
    times.saveMs = TimeMs(dlg.m_list, [&] { dlg.SaveList(); });
    const bool saved = wintest::ReadFileBytes(wintest::RunListPath()) == bytes;
    if (!rawWriteFirst)
        rawWrite();
    times.failure = !loaded ? "not all loaded" : !saved ? "saved other bytes" : !rawWritten ? "the raw write failed"
                                                                                            : nullptr;
    return times;
}

// One dialog: opened over an empty run list, then loaded with `bytes` as the
// dialog's own start loads them. The save and its yardstick run side by side,
// the yardstick first in every other run. False when the list does not hold
// count entries or the save wrote other bytes.
bool MeasureGrowth(int count, const std::string& bytes, bool rawWriteFirst, bench::Results* results)
{
    CRunDlg dlg;
    if (!OpenOverEmptyRunList(dlg))
        return false;
    CRunListBox& list = dlg.m_list;
    const LoadAndSave loadAndSave = TimeLoadAndSave(dlg, count, bytes, rawWriteFirst);
    const auto deleteFirst = [&list](int times) {
        for (int i = 0; i < times; ++i)
            list.DeleteEntry(0);
    };
    const auto moveFirstDown = [&list](int times) {
        for (int i = 0; i < times; ++i)
            list.MoveDown(0);
    };
    const double shownDeleteMs = TimeMs(list, [&] { deleteFirst(kShownOperations); }) / kShownOperations;
    const double shownMoveMs = TimeMs(list, [&] { moveFirstDown(kShownOperations); }) / kShownOperations;
    ::ShowWindow(dlg, SW_HIDE);
    const double deleteMs = TimeMs(list, [&] { deleteFirst(kOperations); });
    const double moveMs = TimeMs(list, [&] { moveFirstDown(kOperations); });
    // The history now holds the thousand moves: undone, redone; then a
    // thousand deletions again, undone and redone.
    const auto undo = [&list](int times) {
        for (int i = 0; i < times; ++i)
            list.Undo();
    };
    const auto redo = [&list](int times) {
        for (int i = 0; i < times; ++i)
            list.Redo();
    };
    const double undoMoveMs = TimeMs(list, [&] { undo(kOperations); });
    const double redoMoveMs = TimeMs(list, [&] { redo(kOperations); });
    const double deleteAgainMs = TimeMs(list, [&] { deleteFirst(kOperations); });
    const auto paths = [&list] {
        std::vector<std::wstring> out;
        for (int i = 0; i < list.Entries().GetCount(); ++i)
            out.push_back(list.Entries().PathAt(i));
        return out;
    };
    const std::vector<std::wstring> afterDeletes = paths();
    const double undoDeleteMs = TimeMs(list, [&] { undo(kOperations); });
    const bool undone = list.GetCount() == count - kShownOperations - kOperations;
    const double redoDeleteMs = TimeMs(list, [&] { redo(kOperations); });
    const bool redone = paths() == afterDeletes;
    Close(dlg);
    if (!undone || !redone) {
        std::fprintf(stderr, "%d entries: undo or redo left another list\n", count);
        return false;
    }
    if (loadAndSave.failure != nullptr) {
        std::fprintf(stderr, "%d entries: %s\n", count, loadAndSave.failure);
        return false;
    }
    if (results != nullptr) {
        const std::string size = "." + std::to_string(count);
        results->Add("growth.load" + size, loadAndSave.loadMs);
        results->Add("growth.save" + size, loadAndSave.saveMs);
        results->Add("save.raw_write" + size, loadAndSave.rawWriteMs);
        results->Add("growth.delete_first_x1000" + size, deleteMs);
        results->Add("growth.move_first_down_x1000" + size, moveMs);
        results->Add("shown.delete_first" + size, shownDeleteMs);
        results->Add("shown.move_first_down" + size, shownMoveMs);
        results->Add("undo.delete_first_x1000" + size, deleteAgainMs);
        results->Add("undo.undo_delete_first_x1000" + size, undoDeleteMs);
        results->Add("undo.redo_delete_first_x1000" + size, redoDeleteMs);
        results->Add("undo.move_first_down_x1000" + size, moveMs);
        results->Add("undo.undo_move_first_down_x1000" + size, undoMoveMs);
        results->Add("undo.redo_move_first_down_x1000" + size, redoMoveMs);
    }
    return true;
}

// The load and save of a list that holds wide entries among single-byte ones,
// in a dialog of its own.
bool MeasureMixed(const std::string& bytes, bool rawWriteFirst, bench::Results* results)
{
    CRunDlg dlg;
    if (!OpenOverEmptyRunList(dlg))
        return false;
    const LoadAndSave loadAndSave = TimeLoadAndSave(dlg, bench::kLargeCount, bytes, rawWriteFirst);
    Close(dlg);
    if (loadAndSave.failure != nullptr) {
        std::fprintf(stderr, "mixed list of %d entries: %s\n", bench::kLargeCount, loadAndSave.failure);
        return false;
    }
    if (results != nullptr) {
        results->Add("mixed.load", loadAndSave.loadMs);
        results->Add("mixed.save", loadAndSave.saveMs);
        results->Add("mixed.raw_write", loadAndSave.rawWriteMs);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_inprocess <results file> [runs]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::atoi(argv[2]) : kDefaultRuns;
    const std::string small = SerializeRunList(bench::ScenePaths(bench::kSmallCount));
    const std::string large = SerializeRunList(bench::ScenePaths(bench::kLargeCount));
    const std::string mixed = bench::MakeMixedRunList(bench::kLargeCount).file;
    // A reader that took the file for damaged would stop the load on its
    // message box, and this program with it.
    if (ParseRunList(mixed).IsDamaged()) {
        std::fprintf(stderr, "the mixed list of %d entries reads as damaged\n", bench::kLargeCount);
        return 1;
    }

    bench::Results results;
    bool ok = true;
    // The first round warms the caches and is not counted.
    for (int run = -1; ok && run < runs; ++run) {
        bench::Results* record = run < 0 ? nullptr : &results;
        const bool rawWriteFirst = run % 2 == 0;
        ok = MeasureGrowth(bench::kSmallCount, small, rawWriteFirst, record) &&
             MeasureGrowth(bench::kLargeCount, large, rawWriteFirst, record) &&
             MeasureMixed(mixed, rawWriteFirst, record) &&
             (record == nullptr || MeasurePlatformCosts(large.size(), *record));
    }
    ::DeleteFileA(wintest::RunListPath().c_str());
    return ok && results.Write(argv[1]) ? 0 : 1;
}
