#pragma once
// The run list file's layout: a 4-byte little-endian signed count, then that
// many full paths in the archive string encoding. No header or trailer; bytes
// after the count-th string are ignored.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

enum class RunListDamage {
    None,
    ShortCount,       // fewer than 4 bytes: no count
    NegativeCount,
    MissingEntries,   // the data ends at a string boundary before count strings
    TruncatedString,  // a string's length or characters run past the end
    WideString,       // a wide string marker, which this file never holds
    HugeLength,       // a string announces a 64-bit length
};

struct RunListContents {
    std::vector<std::string> paths;  // the paths read, up to the damage if any
    RunListDamage damage = RunListDamage::None;

    bool IsDamaged() const { return damage != RunListDamage::None; }
};

// Never allocates from the stored count or lengths beyond the bytes present.
RunListContents ParseRunList(std::string_view bytes);

std::string SerializeRunList(const std::vector<std::string>& paths);
// The same layout for count paths read through pathAt(0 .. count-1): a long
// list is written without copying every path first. A negative count writes
// an empty list.
std::string SerializeRunList(int count, const std::function<std::string_view(int)>& pathAt);

