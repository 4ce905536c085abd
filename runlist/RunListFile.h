#pragma once
// The run list file's layout: a 4-byte little-endian signed count, then that
// many full paths in the archive string encoding. No header or trailer; bytes
// after the count-th string are ignored.
#include "runlist/ArchiveString.h"

#include <algorithm>
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

// The same layout for count paths read through pathAt(0 .. count-1), a
// std::string_view of each (the same every time it is asked): the exact size
// is summed first, then every path is written straight into one buffer of
// that size, so a long list is neither copied path by path nor regrown. A
// negative count writes an empty list.
template <class PathAt>
std::string SerializeRunList(int count, const PathAt& pathAt)
{
    count = std::max(count, 0);
    std::size_t size = kArchiveInt32Size;
    for (int i = 0; i < count; ++i)
        size += ArchiveStringSize(std::string_view(pathAt(i)).size());
    std::string bytes(size, '\0');
    char* out = PutArchiveInt32(&bytes[0], count);
    for (int i = 0; i < count; ++i)
        out = PutArchiveString(out, pathAt(i));
    return bytes;
}

