#include "entries/EntryList.h"

#include <utility>

#include "entries/MoveElement.h"
#include "paths/PathRules.h"

const std::wstring& EntryList::Empty()
{
    static const std::wstring empty;
    return empty;
}

std::wstring_view EntryList::NameAt(int nIndex) const
{
    if (!Contains(nIndex))
        return {};
    const std::optional<std::wstring>& name = m_names[static_cast<std::size_t>(nIndex)];
    return name ? std::wstring_view(*name) : DisplayNameIn(PathAt(nIndex));
}

std::optional<std::wstring> EntryList::OwnName(int nIndex, std::wstring name) const
{
    if (name == DisplayNameIn(PathAt(nIndex)))
        return std::nullopt;
    return name;
}

void EntryList::Load(std::vector<std::wstring> paths)
{
    // The names go first and come back last: when memory runs out on the way,
    // the list holds no entry, as its list box then shows none.
    const std::size_t nCount = paths.size();
    m_names.clear();
    m_arrPaths.Assign(std::move(paths), kSpareEntries);
    m_names.resize(nCount);
}

void EntryList::Insert(int nIndex, ListEntry entry)
{
    const int nOldCount = GetCount();
    if (nIndex < 0 || nIndex > nOldCount)
        return;
    m_names.insert(m_names.begin() + nIndex, std::nullopt);
    // The element is written even when the path is empty: a new last entry
    // never inherits what a removed entry left behind there.
    m_arrPaths.InsertShift(nIndex, nOldCount, std::move(entry.path));
    SetName(nIndex, std::move(entry.name));
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
        m_names[static_cast<std::size_t>(nIndex)] = OwnName(nIndex, std::move(name));
}

// The name stays as it was, though it was the old path's file title.
void EntryList::SetPath(int nIndex, std::wstring path)
{
    Set(nIndex, {std::wstring(NameAt(nIndex)), std::move(path)});
}

void EntryList::Set(int nIndex, ListEntry entry)
{
    if (!Contains(nIndex))
        return;
    m_arrPaths.SetAt(nIndex, std::move(entry.path));
    SetName(nIndex, std::move(entry.name));
}
