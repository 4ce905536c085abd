#include "runlist/RunList.h"

#include "runlist/DefaultEntries.h"
#include "runlist/PathRules.h"
#include "runlist/RunListFile.h"

#include <vector>

namespace {

// Spare room for entries added later (the table also grows by this step).
constexpr int kSpareEntries = PathTable::kDefaultGrowBy;

RunListLoadResult LoadExisting(IRunListTarget& list, const std::string& bytes)
{
    RunListContents contents = ParseRunList(bytes);
    const int count = static_cast<int>(contents.paths.size());
    list.Paths().SetSize(count + kSpareEntries, PathTable::kDefaultGrowBy);
    for (int i = 0; i < count; ++i) {
        std::string& path = contents.paths[static_cast<std::size_t>(i)];
        list.InsertItem(-1, DisplayName(path));
        list.Paths().SetAt(i, std::move(path));
    }
    const auto outcome = contents.IsDamaged() ? RunListOutcome::Damaged : RunListOutcome::Loaded;
    return {outcome, count};
}

RunListLoadResult CreateDefault(IRunListTarget& list, IRunListStore& store, std::string_view exePath)
{
    std::vector<std::string> paths;
    for (int i = 0; i < kDefaultEntryCount; ++i)
        paths.push_back(DefaultEntryPath(exePath, i));
    if (!store.Write(SerializeRunList(paths)))
        return {RunListOutcome::CreateFailed, 0};

    list.Paths().SetSize(kDefaultEntryCount + kSpareEntries, PathTable::kDefaultGrowBy);
    for (int i = 0; i < kDefaultEntryCount; ++i) {
        list.InsertItem(i, kDefaultEntries[static_cast<std::size_t>(i)].name);
        list.Paths().SetAt(i, std::move(paths[static_cast<std::size_t>(i)]));
    }
    return {RunListOutcome::Created, kDefaultEntryCount};
}

}  // namespace

bool RunListLoadResult::MaySave() const
{
    return outcome != RunListOutcome::Unreadable && outcome != RunListOutcome::NoExePath;
}

std::string RunListLoadResult::Message() const
{
    switch (outcome) {
    case RunListOutcome::Loaded:
    case RunListOutcome::Created: return {};
    case RunListOutcome::Damaged: return kRunListDamagedText + std::to_string(entryCount) + ".";
    case RunListOutcome::CreateFailed:
    case RunListOutcome::Unreadable:
    case RunListOutcome::NoExePath: return kRunListErrorText;
    }
    return kRunListErrorText;
}

std::string RunListFilePath(std::string_view exePath)
{
    return exePath.empty() ? std::string() : SiblingPath(exePath, "_zelrunlist", "dat");
}

RunListLoadResult LoadRunList(IRunListTarget& list, IRunListStore& store, std::string_view exePath)
{
    if (exePath.empty())
        return {RunListOutcome::NoExePath, 0};
    std::string bytes;
    switch (store.Read(bytes)) {
    case IRunListStore::ReadResult::Ok: return LoadExisting(list, bytes);
    case IRunListStore::ReadResult::Missing: return CreateDefault(list, store, exePath);
    case IRunListStore::ReadResult::Unreadable: return {RunListOutcome::Unreadable, 0};
    }
    return {RunListOutcome::Unreadable, 0};
}

bool SaveRunList(const IRunListTarget& list, IRunListStore& store)
{
    const PathTable& table = list.Paths();
    return store.Write(SerializeRunList(list.GetCount(), [&table](int i) { return std::string_view(table.GetAt(i)); }));
}
