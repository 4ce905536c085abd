#include "runlist/RunList.h"

#include "runlist/DefaultEntries.h"
#include "paths/PathRules.h"
#include "runlist/RunListFile.h"

#include <new>
#include <vector>

namespace {

RunListLoadResult LoadExisting(IRunListTarget& list, const std::string& bytes, const ICodePage& codePage)
{
    RunListContents contents = ParseRunList(bytes, codePage);
    const int count = static_cast<int>(contents.paths.size());
    if (!list.TakeEntries(std::move(contents.paths)))
        return {RunListOutcome::ListFull, 0};
    if (contents.damage == RunListDamage::TooLarge)
        return {RunListOutcome::TooLarge, count};
    const auto outcome = contents.IsDamaged() ? RunListOutcome::Damaged : RunListOutcome::Loaded;
    return {outcome, count};
}

RunListLoadResult CreateDefault(IRunListTarget& list, IRunListStore& store, std::wstring_view exePath,
                                const ICodePage& codePage)
{
    std::vector<std::wstring> paths;
    for (int i = 0; i < kDefaultEntryCount; ++i)
        paths.push_back(DefaultEntryPath(exePath, i));
    if (!store.Write(SerializeRunList(paths, codePage)))
        return {RunListOutcome::CreateFailed, 0};
    // Each default entry's name is its path's file title.
    if (!list.TakeEntries(std::move(paths)))
        return {RunListOutcome::ListFull, 0};
    return {RunListOutcome::Created, kDefaultEntryCount};
}

}  // namespace

RunListSaveRule RunListLoadResult::SaveRule() const
{
    switch (outcome) {
    case RunListOutcome::Loaded:
    case RunListOutcome::Created:
    case RunListOutcome::CreateFailed: return RunListSaveRule::Always;
    case RunListOutcome::Damaged: return RunListSaveRule::OnceChanged;
    case RunListOutcome::Unreadable:
    case RunListOutcome::NoExePath:
    case RunListOutcome::ListFull:
    case RunListOutcome::TooLarge: return RunListSaveRule::Never;
    }
    return RunListSaveRule::Never;
}

std::string RunListLoadResult::Message() const
{
    switch (outcome) {
    case RunListOutcome::Loaded:
    case RunListOutcome::Created: return {};
    case RunListOutcome::Damaged:
        return kRunListDamagedText + std::to_string(entryCount) + "." + kRunListDamagedCopyText;
    case RunListOutcome::TooLarge: return kRunListDamagedText + std::to_string(entryCount) + ".";
    case RunListOutcome::CreateFailed:
    case RunListOutcome::Unreadable:
    case RunListOutcome::NoExePath:
    case RunListOutcome::ListFull: return kRunListErrorText;
    }
    return kRunListErrorText;
}

std::wstring RunListFilePath(std::wstring_view exePath)
{
    return exePath.empty() ? std::wstring() : SiblingPath(exePath, L"_zelrunlist", L"dat");
}

RunListLoadResult LoadRunList(IRunListTarget& list, IRunListStore& store, std::wstring_view exePath,
                              const ICodePage& codePage)
{
    if (exePath.empty())
        return {RunListOutcome::NoExePath, 0};
    // Memory running out while the file is read or the list filled ends the
    // load as a damage does: the file is not saved over. (Running out in the
    // parse keeps the entries read before.)
    try {
        std::string bytes;
        switch (store.Read(bytes)) {
        case IRunListStore::ReadResult::Ok: return LoadExisting(list, bytes, codePage);
        case IRunListStore::ReadResult::Missing: return CreateDefault(list, store, exePath, codePage);
        case IRunListStore::ReadResult::Unreadable: return {RunListOutcome::Unreadable, 0};
        }
    } catch (const std::bad_alloc&) {
        // The list takes its entries whole or not at all: it is empty.
        return {RunListOutcome::TooLarge, 0};
    }
    return {RunListOutcome::Unreadable, 0};
}

namespace {

// The entries' paths, as the writers read them.
auto EntryPathAt(const EntryList& entries)
{
    return [&entries](int i) { return std::wstring_view(entries.PathAt(i)); };
}

}  // namespace

std::string RunListBytes(const EntryList& entries, const ICodePage& codePage)
{
    return SerializeRunList(entries.GetCount(), EntryPathAt(entries), codePage);
}

// The bytes go to the store in pieces straight from the path table.
bool SaveRunList(const EntryList& entries, IRunListStore& store, const ICodePage& codePage)
{
    RunListStream stream(entries.GetCount(), EntryPathAt(entries), codePage);
    return store.Write(stream);
}

// A file gone since the load leaves nothing to keep; one that cannot be read
// now is not written over.
bool SaveRunListOverDamaged(const EntryList& entries, IRunListStore& store, const ICodePage& codePage)
{
    std::string damaged;
    switch (store.Read(damaged)) {
    case IRunListStore::ReadResult::Ok:
        if (!store.KeepDamagedCopy(damaged))
            return false;
        break;
    case IRunListStore::ReadResult::Missing: break;
    case IRunListStore::ReadResult::Unreadable: return false;
    }
    return SaveRunList(entries, store, codePage);
}
