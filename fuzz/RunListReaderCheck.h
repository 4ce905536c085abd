#pragma once
// What must hold for any bytes found in a run list file. The fuzzer and the
// corpus replay test both run it: it returns the broken property, or an empty
// string when all hold.
#include "runlist/MemoryRunList.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"
#include "runlist/Windows1252CodePage.h"

#include <string>
#include <string_view>

inline std::string CheckRunListBytes(std::string_view bytes)
{
    const Windows1252CodePage codePage;
    const RunListContents contents = ParseRunList(bytes, codePage);
    // Each string takes at least its length byte after the 4-byte count.
    if (contents.paths.size() > bytes.size())
        return "more entries than bytes";
    const std::string written = SerializeRunList(contents.paths, codePage);
    const RunListContents again = ParseRunList(written, codePage);
    if (again.IsDamaged() || again.paths != contents.paths)
        return "the entries read do not survive a write and a read";
    // Every path the code page holds goes back in the single-byte form, so a
    // written file writes back byte for byte.
    if (SerializeRunList(again.paths, codePage) != written)
        return "a written file does not write back byte for byte";

    MemoryRunListTarget list;
    MemoryRunListStore store{std::string(bytes)};
    const RunListLoadResult result = LoadRunList(list, store, L"C:\\Run\\bin\\launch.exe", codePage);
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
