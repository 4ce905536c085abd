#pragma once
// The list's entries, in list order: each entry's display name and, at the
// same index of the path table, its full path; with the history of the
// changes made to them. The one owner of the entries: the list control shows
// them, the run list file stores their paths, undo and redo replay their
// changes, and every reader (painting, the path tip, screen readers, the
// launch) asks here. An entry named after its path's file title, as every
// loaded entry is, holds no name of its own: its name is that part of its path.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "entries/ListHistory.h"
#include "entries/PathTable.h"

class EntryList {
public:
    // Room the load leaves beyond the loaded entries for entries added later;
    // the table also grows by this step.
    static constexpr int kSpareEntries = PathTable::kDefaultGrowBy;

    int GetCount() const { return static_cast<int>(m_names.size()); }
    bool Contains(int nIndex) const { return nIndex >= 0 && nIndex < GetCount(); }
    // The entry's name and path; empty strings for an index that names none.
    std::wstring_view NameAt(int nIndex) const;
    const std::wstring& PathAt(int nIndex) const { return Contains(nIndex) ? m_arrPaths.GetAt(nIndex) : Empty(); }
    ListEntry At(int nIndex) const { return {std::wstring(NameAt(nIndex)), PathAt(nIndex)}; }
    // The path table itself, spare elements included.
    const PathTable& Paths() const { return m_arrPaths; }

    // Replaces every entry with one per path, named after the path's file
    // title; the table holds them and kSpareEntries more.
    void Load(std::vector<std::wstring> paths);
    // Each change below keeps the names and the table aligned; an index
    // outside the list changes nothing (Insert takes 0 .. count).
    void Insert(int nIndex, ListEntry entry);
    void Remove(int nIndex);
    // The entry at nFrom goes to nTo; those between shift toward nFrom.
    void Move(int nFrom, int nTo);
    void Swap(int nFirst, int nSecond);
    void SetName(int nIndex, std::wstring name);
    // A path browsed for the entry: its name follows only when the edit that
    // browsed it is accepted.
    void SetPath(int nIndex, std::wstring path);
    void Set(int nIndex, ListEntry entry);

    ListHistory& History() { return m_history; }
    const ListHistory& History() const { return m_history; }

private:
    static const std::wstring& Empty();
    // What entry nIndex keeps of name: nothing when it is the file title of
    // the entry's path.
    std::optional<std::wstring> OwnName(int nIndex, std::wstring name) const;

    std::vector<std::optional<std::wstring>> m_names;
    PathTable m_arrPaths;
    ListHistory m_history;
};
