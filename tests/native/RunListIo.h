#pragma once
// The run list file's reader and writer as the tests call them: with the
// Windows-1252 code page, the ANSI code page of Wine and of most Western
// systems.
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"
#include "runlist/Windows1252CodePage.h"

inline const ICodePage& TestCodePage()
{
    static const Windows1252CodePage codePage;
    return codePage;
}

inline RunListContents ParseRunList(std::string_view bytes)
{
    return ParseRunList(bytes, TestCodePage());
}

inline std::string SerializeRunList(const std::vector<std::wstring>& paths)
{
    return SerializeRunList(paths, TestCodePage());
}

inline RunListLoadResult LoadRunList(IRunListTarget& list, IRunListStore& store, std::wstring_view exePath)
{
    return LoadRunList(list, store, exePath, TestCodePage());
}

inline bool SaveRunList(const EntryList& entries, IRunListStore& store)
{
    return SaveRunList(entries, store, TestCodePage());
}

inline bool SaveRunListOverDamaged(const EntryList& entries, IRunListStore& store)
{
    return SaveRunListOverDamaged(entries, store, TestCodePage());
}
