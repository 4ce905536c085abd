#!/usr/bin/env python3
"""Writes BENCHMARKS.md from the results bench/run.sh collected.

Usage: report.py RESULTS_DIR ROOT > BENCHMARKS.md

RESULTS_DIR holds machine.txt ("key: value" lines), process.txt and
inprocess.txt (lines "<name> <unit> <sample> ...", from the Windows
benchmarks) and native.json (Google Benchmark's JSON output). Every ratio is a
ratio of medians.
"""
import json
import os
import statistics
import subprocess
import sys

SYSTEM_DLLS = {
    "advapi32.dll", "comctl32.dll", "comdlg32.dll", "gdi32.dll", "kernel32.dll", "msvcrt.dll",
    "ole32.dll", "oleaut32.dll", "shell32.dll", "shlwapi.dll", "user32.dll", "uxtheme.dll",
    "version.dll", "winmm.dll", "ws2_32.dll",
}
SIZE_LIMIT_KB = 390  # the i686 launcher's target, in KiB (1 KB = 1024 bytes)
MIXED = "100,000 entries, one in ten in the wide form (UTF-16, `FF FE FF`)"


def read_series(path):
    series = {}
    with open(path) as f:
        for line in f:
            parts = line.split()
            if len(parts) >= 3:
                series[parts[0]] = (parts[1], [float(v) for v in parts[2:]])
    return series


def read_machine(path):
    machine = {}
    with open(path) as f:
        for line in f:
            key, _, value = line.partition(":")
            machine[key.strip()] = value.strip()
    return machine


class Figures:
    def __init__(self, series):
        self.series = series

    def median(self, name):
        return statistics.median(self.series[name][1])

    def spread(self, name):
        unit, samples = self.series[name]
        unit = "µs" if unit == "us" else unit
        return f"{fmt(statistics.median(samples))} {unit} [{fmt(min(samples))}–{fmt(max(samples))}]"

    def fastest(self, name):
        return min(self.series[name][1])

    def count(self, name):
        return len(self.series[name][1])


def fmt(value):
    if value >= 100:
        return f"{value:,.0f}"
    if value >= 10:
        return f"{value:.1f}"
    return f"{value:.2f}"


def ratio_text(ratio):
    return f"{ratio:.2f}×"


def verdict(ratio, target):
    return "**pass**" if ratio <= target else "**miss**"


def imports(objdump, exe):
    out = subprocess.run([objdump, "-p", exe], capture_output=True, text=True, check=True).stdout
    return sorted(line.split(":", 1)[1].strip() for line in out.splitlines() if "DLL Name:" in line)


def limit_table(proc, grow, sizes):
    # (number, label, figures, series of the launcher, series of the yardstick, target)
    rows = [
        ("1", "Start-up with the 14 default entries (file present)", proc,
         "start.launcher.show", "start.minimal.show", 1.2),
        ("1", "Start-up, first start (creates the file with the 14 entries)", proc,
         "first_start.launcher.show", "first_start.minimal.show", 1.2),
        ("1", "Start-up with the 14 default entries, against the yardstick with the common controls", proc,
         "start.launcher.show", "start.minimal_comctl.show", 1.1),
        ("1", "First start, against the yardstick with the common controls", proc,
         "first_start.launcher.show", "first_start.minimal_comctl.show", 1.1),
        ("2", "100,000 entries: load and show", proc, "large.launcher.show", "large.minimal.show", 1.5),
        ("2", "100,000 entries: load and show, against the yardstick with the common controls", proc,
         "large.launcher.show", "large.minimal_comctl.show", 1.2),
        ("2", "100,000 entries: save at close (close request until the process ended)", proc,
         "large.launcher.close", "large.minimal.close", 2.0),
        ("2", "100,000 entries: save in-process (yardstick: a raw write of the same bytes, one WriteFile, "
         "a flush and a rename)", grow, "growth.save.100000", "save.raw_write.100000", 1.5),
        ("2", f"{MIXED}: load and show", proc, "mixed.launcher.show", "mixed.minimal.show", 1.5),
        ("2", f"{MIXED}: save at close", proc, "mixed.launcher.close", "mixed.minimal.close", 2.0),
        ("2", f"{MIXED}: save in-process (yardstick: a raw write of the same bytes)", grow,
         "mixed.save", "mixed.raw_write", 1.5),
    ]
    for op, label in GROWTH_OPERATIONS:
        rows.append(("3", f"Growth 10,000 → 100,000 entries: {label} (yardstick: the same at 10,000)", grow,
                     f"growth.{op}.100000", f"growth.{op}.10000", 12.0))
    out = ["| # | Measure | Launcher | Yardstick | Ratio | Target | Result | Ratio of the fastest runs |",
           "|---|---|---:|---:|---:|---:|---|---:|"]
    for number, label, figures, mine, theirs, target in rows:
        ratio = figures.median(mine) / figures.median(theirs)
        fastest = figures.fastest(mine) / figures.fastest(theirs)
        out.append(f"| {number} | {label} | {fmt(figures.median(mine))} ms | {fmt(figures.median(theirs))} ms | "
                   f"{ratio_text(ratio)} | ≤ {target:g}× | {verdict(ratio, target)} | {ratio_text(fastest)} |")
    i686 = sizes["i686"]
    out.append(f"| 5 | i686 launcher size | {i686['bytes'] / 1024:.1f} KB | — | — | ≤ {SIZE_LIMIT_KB} KB | "
               f"{'**pass**' if i686['bytes'] <= SIZE_LIMIT_KB * 1024 else '**miss**'} | — |")
    out.append(f"| 5 | i686 launcher imports only system DLLs | {', '.join(i686['imports'])} | — | — | "
               f"system DLLs only | {'**pass**' if i686['system_only'] else '**miss**'} | — |")
    return out


def save_section(grow):
    out = ["| 100,000 entries, median [fastest–slowest] | Save | Raw write | Ratio | Goal | Result | "
           "Ratio of the fastest runs |",
           "|---|---:|---:|---:|---:|---|---:|"]
    for label, save, raw in [("all single-byte", "growth.save.100000", "save.raw_write.100000"),
                             ("one in ten wide", "mixed.save", "mixed.raw_write")]:
        ratio = grow.median(save) / grow.median(raw)
        out.append(f"| {label} | {grow.spread(save)} | {grow.spread(raw)} | {ratio_text(ratio)} | ≤ 1.5× | "
                   f"{verdict(ratio, 1.5)} | {ratio_text(grow.fastest(save) / grow.fastest(raw))} |")
    return out


GROWTH_OPERATIONS = [
    ("load", "load and show"),
    ("save", "save"),
    ("delete_first_x1000", "delete the first entry ×1000"),
    ("move_first_down_x1000", "move the first entry down ×1000"),
]

PROCESS_SCENARIOS = [
    ("start", "Start-up, 14 default entries in the file"),
    ("first_start", "First start (the launcher creates the file)"),
    ("large", "100,000 entries"),
    ("mixed", "100,000 entries, one in ten wide"),
]

PROGRAMS = [
    ("launcher", "Launcher (NimbrelRun.exe)"),
    ("minimal", "Yardstick (bench_minimal.exe)"),
    ("minimal_comctl", "Yardstick + common controls (bench_minimal_comctl.exe)"),
]


def process_section(proc):
    out = ["| Scenario | Program | Shown and idle | Close until ended |", "|---|---|---:|---:|"]
    for scenario, label in PROCESS_SCENARIOS:
        for program, name in PROGRAMS:
            out.append(f"| {label} | {name} | {proc.spread(f'{scenario}.{program}.show')} | "
                       f"{proc.spread(f'{scenario}.{program}.close')} |")
    start_mc = proc.median("start.minimal_comctl.show")
    start_m = proc.median("start.minimal.show")
    start_l = proc.median("start.launcher.show")
    out += [
        "",
        f"At start-up the yardstick with the common controls (which the launcher needs for its drag list, its "
        f"tooltips and its window subclassing) took {fmt(start_mc)} ms against {fmt(start_m)} ms without them "
        f"({ratio_text(start_mc / start_m)}); the launcher took {fmt(start_l)} ms, {fmt(start_l - start_mc)} ms "
        f"more than the yardstick with the common controls ({ratio_text(start_l / start_mc)}).",
    ]
    return out


def growth_section(grow):
    out = ["| Operation | 10,000 entries | 100,000 entries | Ratio | Target | Result | Per operation at 100,000 |",
           "|---|---:|---:|---:|---:|---|---:|"]
    for op, label in GROWTH_OPERATIONS:
        small = grow.median(f"growth.{op}.10000")
        large = grow.median(f"growth.{op}.100000")
        # a thousand operations in `large` ms: as many µs each
        per = f"{fmt(large)} µs" if op.endswith("x1000") else "—"
        out.append(f"| {label} | {grow.spread(f'growth.{op}.10000')} | {grow.spread(f'growth.{op}.100000')} | "
                   f"{ratio_text(large / small)} | ≤ 12× | {verdict(large / small, 12.0)} | {per} |")
    out += ["", "With the dialog shown (what a user's key press costs), per operation, from 100 of each:", "",
            "| Operation | 10,000 entries | 100,000 entries |", "|---|---:|---:|"]
    for op, label in [("delete_first", "delete the first entry"), ("move_first_down", "move the first entry down")]:
        out.append(f"| {label} | {grow.spread(f'shown.{op}.10000')} | {grow.spread(f'shown.{op}.100000')} |")
    return out


UNDO_OPERATIONS = [
    ("delete_first_x1000", "undo_delete_first_x1000", "redo_delete_first_x1000", "delete the first entry ×1000"),
    ("move_first_down_x1000", "undo_move_first_down_x1000", "redo_move_first_down_x1000",
     "move the first entry down ×1000"),
]


def undo_section(grow):
    out = ["| Operation, 100,000 entries | Plain | Undo | Redo | Undo / plain | Redo / plain |",
           "|---|---:|---:|---:|---:|---:|"]
    for plain, undo, redo, label in UNDO_OPERATIONS:
        p, u, r = (grow.median(f"undo.{op}.100000") for op in (plain, undo, redo))
        out.append(f"| {label} | {grow.spread(f'undo.{plain}.100000')} | {grow.spread(f'undo.{undo}.100000')} | "
                   f"{grow.spread(f'undo.{redo}.100000')} | {ratio_text(u / p)} | {ratio_text(r / p)} |")
    out += ["", "At 10,000 entries, for the growth of each:", "",
            "| Operation | 10,000 entries | 100,000 entries | Ratio |", "|---|---:|---:|---:|"]
    for _, undo, redo, label in UNDO_OPERATIONS:
        for op, what in ((undo, "undo"), (redo, "redo")):
            small = grow.median(f"undo.{op}.10000")
            large = grow.median(f"undo.{op}.100000")
            out.append(f"| {what}: {label} | {grow.spread(f'undo.{op}.10000')} | "
                       f"{grow.spread(f'undo.{op}.100000')} | {ratio_text(large / small)} |")
    return out


def costs_section(grow):
    rows = [
        ("wine.message_plain_list", "LB_GETCOUNT to a plain list box"),
        ("wine.message_subclassed_list", "the same list box with one common-controls subclass"),
        ("wine.message_launcher_list", "the launcher's list (our binding and the drag list)"),
        ("wine.window_property_lookup", "one window property lookup (GetProp)"),
        ("wine.object_lookup", "our binding's lookup of a window's object (FromHandlePermanent)"),
        ("wine.first_touch_small_file", "fresh memory of the 10,000-entry file's size (0.39 MB), allocated and filled"),
        ("wine.first_touch_large_file", "fresh memory of the 100,000-entry file's size (3.9 MB), allocated and filled"),
    ]
    out = ["| What | Cost, median [fastest–slowest] |", "|---|---:|"]
    for name, label in rows:
        out.append(f"| {label} | {grow.spread(name)} |")
    return out


def native_section(path):
    with open(path) as f:
        data = json.load(f)
    medians = {}
    for b in data["benchmarks"]:
        if b.get("aggregate_name") == "median":
            medians[b["run_name"]] = b["bytes_per_second"] / 1e6
    read = medians["BM_ReadFileIntoMemory"]
    write = medians["BM_WriteFileFromMemory"]
    labels = [
        ("BM_ReadFileIntoMemory", "yardstick: read the file into memory", read),
        ("BM_ParseRunList", "reader: bytes to paths", read),
        ("BM_DisplayNames", "display names of all paths", read),
        ("BM_LoadRunListFromFile", "whole portable load: read, parse, and the entries (the paths; names are their file titles)", read),
        ("BM_WriteFileFromMemory", "yardstick: write the bytes to a file", write),
        ("BM_SerializeRunList", "writer: paths to bytes", write),
        ("BM_SaveRunListToFile", "whole portable save: path table to the file", write),
    ]
    out = ["| Benchmark | What | MB/s (median) | Against the yardstick |", "|---|---|---:|---:|"]
    for name, label, yardstick in labels:
        speed = medians[name]
        out.append(f"| `{name}` | {label} | {speed:,.0f} | {speed / yardstick:.3f} of it |")
    context = data.get("context", {})
    out += ["", f"{context.get('num_cpus', '?')} CPUs at {context.get('mhz_per_cpu', '?')} MHz. MB/s of file "
            f"bytes per CPU second, median of the repetitions; 100,000 entries with paths like "
            f"`C:\\Scenes\\dx9\\set_042\\scene_042317.zel`."]
    return out


def sizes_of(root):
    sizes = {}
    for arch, build, objdump in [("i686", "win32", "i686-w64-mingw32-objdump"),
                                 ("x86_64", "win64", "x86_64-w64-mingw32-objdump")]:
        exe = os.path.join(root, "build", build, "app", "NimbrelRun.exe")
        dlls = imports(objdump, exe)
        sizes[arch] = {
            "bytes": os.path.getsize(exe),
            "imports": dlls,
            "system_only": all(d.lower() in SYSTEM_DLLS for d in dlls),
        }
    return sizes


def sizes_section(sizes):
    out = ["| Build | NimbrelRun.exe | Imports | Only system DLLs | Target | Result |", "|---|---:|---|---|---|---|"]
    for arch in ("i686", "x86_64"):
        s = sizes[arch]
        kb = s["bytes"] / 1024
        if arch == "i686":
            target = f"≤ {SIZE_LIMIT_KB} KB, system DLLs only"
            result = "**pass**" if s["bytes"] <= SIZE_LIMIT_KB * 1024 and s["system_only"] else "**miss**"
        else:
            target, result = "—", "—"
        out.append(f"| {arch} release | {s['bytes']:,} bytes ({kb:.1f} KB) | {', '.join(s['imports'])} | "
                   f"{'yes' if s['system_only'] else 'no'} | {target} | {result} |")
    return out


def main():
    results, root = sys.argv[1], sys.argv[2]
    machine = read_machine(os.path.join(results, "machine.txt"))
    proc = Figures(read_series(os.path.join(results, "process.txt")))
    grow = Figures(read_series(os.path.join(results, "inprocess.txt")))
    sizes = sizes_of(root)
    runs = grow.count("growth.save.100000")
    process_runs = proc.count("start.launcher.show")

    lines = [
        "# Benchmarks",
        "",
        f"Written by `bash bench/run.sh` on {machine.get('date', '?')} from commit {machine.get('commit', '?')}; "
        "every figure below comes from that one run. Each figure is the median of "
        f"{runs} counted runs ({process_runs} for the programs started as processes, whose times move most "
        "with the machine's load; a first, uncounted run warms the caches), with the fastest and slowest run in "
        "brackets; every ratio is a ratio of medians, and a result says whether that ratio meets its target. "
        "The launcher and the yardsticks run side by side, in an order that rotates from run to run, so a "
        "change in the machine's load falls on all of them. The ratio of the fastest runs (least disturbed by "
        "other work) is given beside it.",
        "",
        "## Machine",
        "",
        "| | |",
        "|---|---|",
        f"| CPU | {machine.get('cpu', '?')} |",
        f"| Cores (nproc) | {machine.get('nproc', '?')} |",
        f"| Wine | {machine.get('wine', '?')}, virtual X display (Xvfb), one Wine desktop window |",
        f"| Load average (1, 5, 15 min) before | {machine.get('load_before', '?')} |",
        f"| after the native benchmarks | {machine.get('load_native', '?')} |",
        f"| after the process benchmarks | {machine.get('load_process', '?')} |",
        f"| after the in-process benchmarks | {machine.get('load_inprocess', '?')} |",
        "",
        "Other engineers' builds and tests share the two cores, so absolute times move with the load, and "
        "so do the start-up and load ratios: the launcher waits for the wine server far more often than the "
        "yardstick (see the platform costs below), and on a busy machine every such wait grows. "
        f"{machine.get('load_wait', '')}",
        "",
        "## Against the limit",
        "",
        "The yardstick is `bench/win/MinimalRunDialog.cpp`, built in this tree: the launcher's own dialog "
        "template (app/RunApp.rc) with a plain owner-drawn list, filled with the same display names "
        "(LB_ADDSTRING, redrawing off; for 100,000 entries read from a prepared UTF-8 file of names, converted in "
        "one call) and writing the "
        "same run list bytes back with one WriteFile when its dialog is destroyed. It derives and checks nothing.",
        "",
    ]
    lines += limit_table(proc, grow, sizes)
    lines += [
        "",
        "## 1, 2: start-up, load and save as processes (x86_64, under Wine)",
        "",
        "`bench/win/ProcessBench.cpp` copies each program into a directory of its own, prepares the run list "
        "file beside it and starts it with CreateProcess. *Shown and idle*: from just before CreateProcess until "
        "the dialog is visible, its list answers LB_GETCOUNT with the expected count, WaitForInputIdle "
        "returns and no window of the dialog has anything left to paint. *Close until ended*: from posting "
        "WM_CLOSE until the process handle is signalled (the launcher saves in DestroyWindow; the file is "
        "checked to hold the bytes it was given). Times in ms, median [fastest–slowest].",
        "",
    ]
    lines += process_section(proc)
    lines += [
        "",
        "## 3: growth, in-process (x86_64, under Wine)",
        "",
        "`bench/win/InProcessBench.cpp` opens the real dialog (CRunDlg) modeless over an empty run list, "
        "writes a run list of 10,000 or 100,000 entries and times `LoadRunList` (then painting), `SaveRunList`, "
        "`DeleteEntry(0)` ×1000 and `MoveDown(0)` ×1000. The deletions and moves run with the dialog "
        "hidden: shown, each also redraws the list's scroll bar at once, which costs the same at any length "
        "and under Wine far more than the list's own work (see the second table). The list box's own deletion "
        "and insertion move its item array, and DeleteEntry shifts the path table, so a deletion near the top "
        "is O(n); the ratios show that no step is worse than that.",
        "",
    ]
    lines += growth_section(grow)
    lines += [
        "",
        "### Undo and redo",
        "",
        "In the same program, after the growth measures with the dialog hidden: the thousand moves of the first "
        "entry down undone (`Undo()` ×1000) and redone (`Redo()` ×1000), then a thousand deletions of the first "
        "entry again, undone and redone; each is checked to give back the list it should. A step keeps only "
        "what it touched, so undoing a deletion is one insertion at the top (the list box and the path table "
        "shift their arrays, O(n) as the deletion is) and undoing a move is one move.",
        "",
    ]
    lines += undo_section(grow)
    lines += [
        "",
        "### The save against a raw write",
        "",
        "In the same program, right after the load of 100,000 entries: `SaveRunList` of the list (the store's "
        "temporary file, flush and rename) beside its yardstick, the same bytes, already in memory, written "
        "with one WriteFile to a temporary file, FlushFileBuffers and MoveFileEx over the target (`RawWrite`). "
        "The two run side by side in every run, the yardstick first in every other one. The same is measured "
        "for a list of 100,000 entries of which every tenth is stored in the wide form (a path with "
        "characters outside the ANSI code page, `Łódź 東京_000009.zel`), in a dialog of its own.",
        "",
    ]
    lines += save_section(grow)
    lines += [
        "",
        "### What the platform costs under Wine on this machine",
        "",
        "Measured in the same program: messages and lookups 2,000 each, µs per one. Window properties live "
        "in the wine server, so every lookup is a round trip to it; the common controls' subclassing looks one "
        "up for every message and for every pass to the next procedure. Our binding finds a window's object "
        "in a map of the thread's windows, which never leaves the process; the launcher's list still has the "
        "drag list's subclass. Fresh memory: VirtualAlloc and one "
        "memset, as a new buffer of that size costs when it is first written.",
        "",
    ]
    lines += costs_section(grow)
    lines += [
        "",
        "## 4: the portable reader and writer, natively",
        "",
        "`bench/native/RunListBench.cpp` (Google Benchmark, `bench` preset: g++ -O3, no sanitizers), "
        f"{runs} repetitions. The read yardstick reads the file from the page cache into a string; the write "
        "yardstick writes the bytes to a file. Debian's Google Benchmark library reports itself as built "
        "without optimisation; that concerns its timing loop, not the code measured.",
        "",
    ]
    lines += native_section(os.path.join(results, "native.json"))
    lines += [
        "",
        "## 5: executable sizes (release builds as the presets give them)",
        "",
    ]
    lines += sizes_section(sizes)
    findings = os.path.join(root, "bench", "FINDINGS.md")
    if os.path.exists(findings):
        with open(findings) as f:
            lines += ["", f.read().rstrip()]
    print("\n".join(lines))


if __name__ == "__main__":
    main()
