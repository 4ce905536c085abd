#include "entries/PathTable.h"

#include <algorithm>
#include <utility>

#include "entries/MoveElement.h"

void PathTable::SetSize(int nNewSize, int nGrowBy)
{
    m_nGrowBy = nGrowBy > 0 ? nGrowBy : kDefaultGrowBy;
    m_paths.assign(static_cast<size_t>(std::max(nNewSize, 0)), std::wstring());
}

void PathTable::Assign(std::vector<std::wstring> paths, int nSpare)
{
    m_nGrowBy = kDefaultGrowBy;
    m_paths = std::move(paths);
    m_paths.resize(m_paths.size() + static_cast<size_t>(std::max(nSpare, 0)));
}

const std::wstring& PathTable::GetAt(int i) const
{
    static const std::wstring empty;
    return Contains(i) ? m_paths[static_cast<size_t>(i)] : empty;
}

void PathTable::EnsureSize(int nCount)
{
    if (nCount <= GetSize())
        return;
    const int steps = (nCount - GetSize() + m_nGrowBy - 1) / m_nGrowBy;
    m_paths.resize(m_paths.size() + static_cast<size_t>(steps) * static_cast<size_t>(m_nGrowBy));
}

void PathTable::SetAt(int i, std::wstring path)
{
    if (i < 0)
        return;
    EnsureSize(i + 1);
    m_paths[static_cast<size_t>(i)] = std::move(path);
}

void PathTable::RemoveShift(int nIndex, int nNewCount)
{
    const int last = std::min(nNewCount, GetSize() - 1);
    if (nIndex < 0 || nIndex >= last)
        return;
    auto first = m_paths.begin();
    std::move(first + nIndex + 1, first + last, first + nIndex);
    // A copy, not a move: the spare element at `last` keeps the former last path.
    m_paths[static_cast<size_t>(last) - 1] = m_paths[static_cast<size_t>(last)];
}

void PathTable::InsertShift(int nIndex, int nOldCount, std::wstring path)
{
    if (nIndex < 0 || nIndex > nOldCount)
        return;
    EnsureSize(nOldCount + 1);
    auto first = m_paths.begin();
    std::move_backward(first + nIndex, first + nOldCount, first + nOldCount + 1);
    m_paths[static_cast<size_t>(nIndex)] = std::move(path);
}

void PathTable::Swap(int a, int b)
{
    if (Contains(a) && Contains(b))
        std::swap(m_paths[static_cast<size_t>(a)], m_paths[static_cast<size_t>(b)]);
}

void PathTable::Move(int nFrom, int nTo)
{
    if (!Contains(nFrom) || !Contains(nTo) || nFrom == nTo)
        return;
    MoveElement(m_paths, nFrom, nTo);
}
