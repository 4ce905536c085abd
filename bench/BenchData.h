#pragma once
// The run lists the benchmarks load and save: many entries whose paths have a
// usual length and depth, the same in every benchmark.
#include <string>
#include <vector>

namespace bench {

inline constexpr int kLargeCount = 100000;
inline constexpr int kSmallCount = 10000;
inline constexpr int kWideEvery = 10;   // one entry in so many of a mixed list is wide

// n full paths: "C:\Scenes\dx9\set_042\scene_042317.zel" and so on.
std::vector<std::string> ScenePaths(int n);

// The display names of paths, one per line: what the yardstick program puts
// into its list without deriving anything.
std::string DisplayNameLines(const std::vector<std::string>& paths);

// A run list file of n entries as ScenePaths gives them, except that every
// kWideEvery-th (from the kWideEvery-th on) is named "Łódź 東京_042319.zel" and
// stored in the wide form, which the ANSI code page cannot spare it.
struct MixedRunList {
    std::string file;       // the run list file's bytes
    std::string nameLines;  // the entries' display names, one per line, in UTF-8
};
MixedRunList MakeMixedRunList(int n);

}  // namespace bench
