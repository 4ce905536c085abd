#include "runlist/RunList.h"

#include "runlist/DefaultEntries.h"
#include "runlist/PathRules.h"
#include "runlist/RunListFile.h"

#include <new>
#include <vector>

namespace {

// Spare room for entries added later (the table also grows by this step).
constexpr int kSpareEntries = PathTable::kDefaultGrowBy;

// Fills the empty list with the entries nameAt(i) and their paths, whole: when
// the list refuses an item, it is emptied again and false returned.
template <class NameAt>
bool FillList(IRunListTarget& list, std::vector<std::string>& paths, NameAt nameAt)
{
    const int count = static_cast<int>(paths.size());
    list.Paths().SetSize(count + kSpareEntries, PathTable::kDefaultGrowBy);
    for (int i = 0; i < count; ++i) {
        std::string& path = paths[static_cast<std::size_t>(i)];
        if (!list.InsertItem(-1, nameAt(i, path))) {
            list.RemoveAllItems();
            list.Paths().SetSize(kSpareEntries, PathTable::kDefaultGrowBy);
            return false;
        }
        list.Paths().SetAt(i, std::move(path));
    }
    return true;
}

RunListLoadResult LoadExisting(IRunListTarget& list, const std::string& bytes)
{
    RunListContents contents = ParseRunList(bytes);
    const int count = static_cast<int>(contents.paths.size());
    if (!FillList(list, contents.paths, [](int, const std::string& path) { return DisplayName(path); }))
        return {RunListOutcome::ListFull, 0};
    if (contents.damage == RunListDamage::TooLarge)
        return {RunListOutcome::TooLarge, count};
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
    const auto defaultName = [](int i, const std::string&) {
        return std::string(kDefaultEntries[static_cast<std::size_t>(i)].name);
    };
    if (!FillList(list, paths, defaultName))
        return {RunListOutcome::ListFull, 0};
    return {RunListOutcome::Created, kDefaultEntryCount};
}

}  // namespace

bool RunListLoadResult::MaySave() const
{
    return outcome != RunListOutcome::Unreadable && outcome != RunListOutcome::NoExePath &&
           outcome != RunListOutcome::ListFull && outcome != RunListOutcome::TooLarge;
}

std::string RunListLoadResult::Message() const
{
    switch (outcome) {
    case RunListOutcome::Loaded:
    case RunListOutcome::Created: return {};
    case RunListOutcome::Damaged:
    case RunListOutcome::TooLarge: return kRunListDamagedText + std::to_string(entryCount) + ".";
    case RunListOutcome::CreateFailed:
    case RunListOutcome::Unreadable:
    case RunListOutcome::NoExePath:
    case RunListOutcome::ListFull: return kRunListErrorText;
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
    // Memory running out while the file is read or the list filled ends the
    // load as a damage does, with the entries that fit.
    try {
        std::string bytes;
        switch (store.Read(bytes)) {
        case IRunListStore::ReadResult::Ok: return LoadExisting(list, bytes);
        case IRunListStore::ReadResult::Missing: return CreateDefault(list, store, exePath);
        case IRunListStore::ReadResult::Unreadable: return {RunListOutcome::Unreadable, 0};
        }
    } catch (const std::bad_alloc&) {
        return {RunListOutcome::TooLarge, list.GetCount()};
    }
    return {RunListOutcome::Unreadable, 0};
}

namespace {

// Element i of the list's path table, as the writers read the paths.
auto TablePathAt(const IRunListTarget& list)
{
    const PathTable& table = list.Paths();
    return [&table](int i) { return std::string_view(table.GetAt(i)); };
}

}  // namespace

std::string RunListBytes(const IRunListTarget& list)
{
    return SerializeRunList(list.GetCount(), TablePathAt(list));
}

// The bytes go to the store in pieces straight from the path table.
bool SaveRunList(const IRunListTarget& list, IRunListStore& store)
{
    RunListStream stream(list.GetCount(), TablePathAt(list));
    return store.Write(stream);
}
