#pragma once
// What must hold for any bytes found in a run list file. The fuzzer and the
// corpus replay test both run it: it returns the broken property, or an empty
// string when all hold.
#include "runlist/MemoryRunList.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"

#include <string>
#include <string_view>

inline std::string CheckRunListBytes(std::string_view bytes)
{
    const RunListContents contents = ParseRunList(bytes);
    // Each string takes at least its length byte after the 4-byte count.
    if (contents.paths.size() > bytes.size())
        return "more entries than bytes";
    const RunListContents again = ParseRunList(SerializeRunList(contents.paths));
    if (again.IsDamaged() || again.paths != contents.paths)
        return "the entries read do not survive a write and a read";

    MemoryRunListTarget list;
    MemoryRunListStore store{std::string(bytes)};
    const RunListLoadResult result = LoadRunList(list, store, "C:\\Run\\bin\\launch.exe");
    const int count = static_cast<int>(contents.paths.size());
    const RunListOutcome expected = contents.IsDamaged() ? RunListOutcome::Damaged : RunListOutcome::Loaded;
    if (result.outcome != expected || result.entryCount != count)
        return "the load outcome does not match the contents";
    if (list.entries.GetCount() != count || list.entries.Paths().GetSize() != count + 32)
        return "the list or its path table has the wrong size";
    if (list.TablePaths(count) != contents.paths)
        return "the path table does not hold the entries in file order";
    if (store.writes != 0)
        return "loading an existing file wrote to it";
    return {};
}
