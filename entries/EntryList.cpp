#include "entries/EntryList.h"

#include <utility>

#include "entries/MoveElement.h"

const std::wstring& EntryList::Empty()
{
    static const std::wstring empty;
    return empty;
}

const std::wstring& EntryList::NameAt(int nIndex) const
{
    return Contains(nIndex) ? m_names[static_cast<std::size_t>(nIndex)] : Empty();
}

void EntryList::Load(std::vector<ListEntry> entries)
{
    const int nCount = static_cast<int>(entries.size());
    m_names.clear();
    m_names.reserve(entries.size());
    m_arrPaths.SetSize(nCount + kSpareEntries, PathTable::kDefaultGrowBy);
    for (int i = 0; i < nCount; ++i) {
        ListEntry& entry = entries[static_cast<std::size_t>(i)];
        m_names.push_back(std::move(entry.name));
        m_arrPaths.SetAt(i, std::move(entry.path));
    }
}

void EntryList::Insert(int nIndex, ListEntry entry)
{
    const int nOldCount = GetCount();
    if (nIndex < 0 || nIndex > nOldCount)
        return;
    m_names.insert(m_names.begin() + nIndex, std::move(entry.name));
    // The element is written even when the path is empty: a new last entry
    // never inherits what a removed entry left behind there.
    m_arrPaths.InsertShift(nIndex, nOldCount, std::move(entry.path));
}

void EntryList::Remove(int nIndex)
{
    if (!Contains(nIndex))
        return;
    m_names.erase(m_names.begin() + nIndex);
    m_arrPaths.RemoveShift(nIndex, GetCount());
}

void EntryList::Move(int nFrom, int nTo)
{
    if (!Contains(nFrom) || !Contains(nTo) || nFrom == nTo)
        return;
    MoveElement(m_names, nFrom, nTo);
    m_arrPaths.EnsureSize(GetCount());   // the list may have outgrown the table
    m_arrPaths.Move(nFrom, nTo);
}

void EntryList::Swap(int nFirst, int nSecond)
{
    if (!Contains(nFirst) || !Contains(nSecond))
        return;
    std::swap(m_names[static_cast<std::size_t>(nFirst)], m_names[static_cast<std::size_t>(nSecond)]);
    m_arrPaths.Swap(nFirst, nSecond);
}

void EntryList::SetName(int nIndex, std::wstring name)
{
    if (Contains(nIndex))
        m_names[static_cast<std::size_t>(nIndex)] = std::move(name);
}

void EntryList::SetPath(int nIndex, std::wstring path)
{
    if (Contains(nIndex))
        m_arrPaths.SetAt(nIndex, std::move(path));
}

void EntryList::Set(int nIndex, ListEntry entry)
{
    SetName(nIndex, std::move(entry.name));
    SetPath(nIndex, std::move(entry.path));
}
