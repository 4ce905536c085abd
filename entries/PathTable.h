#pragma once
// The list control's path table: element i is the full path of list item i.
// Every operation that removes or reorders items changes the table in the same
// step, so the alignment holds. The table is sized by the run list load (loaded
// count + a growth step of spare room) and grows by that step whenever an index
// beyond its end is written, so no operation ever indexes past it.
#include <string>
#include <vector>

class PathTable {
public:
    static constexpr int kDefaultGrowBy = 32;

    // Resizes to nNewSize elements; new elements are empty strings.
    void SetSize(int nNewSize, int nGrowBy = kDefaultGrowBy);
    // Holds these paths and nSpare empty elements after them, growing by the
    // default step.
    void Assign(std::vector<std::wstring> paths, int nSpare);
    int GetSize() const { return static_cast<int>(m_paths.size()); }

    // Element i, or an empty string when i lies outside the table.
    const std::wstring& GetAt(int i) const;
    // Sets element i, growing the table in whole steps to reach it.
    void SetAt(int i, std::wstring path);
    // Grows the table in whole steps so that it holds at least nCount elements.
    void EnsureSize(int nCount);

    // After item nIndex was deleted: elements nIndex+1 .. nNewCount move down by
    // one. The element at nNewCount keeps its old value (spare room).
    void RemoveShift(int nIndex, int nNewCount);
    // After an item was inserted at nIndex into a list of nOldCount items:
    // elements nIndex .. nOldCount-1 move up by one and element nIndex becomes
    // path; the table grows as needed.
    void InsertShift(int nIndex, int nOldCount, std::wstring path);
    // Exchanges two elements (both must lie in the table).
    void Swap(int a, int b);
    // The element at nFrom goes to nTo and the elements between shift one place
    // toward nFrom, as when a dragged item is re-inserted at nTo.
    void Move(int nFrom, int nTo);

private:
    bool Contains(int i) const { return i >= 0 && i < GetSize(); }

    std::vector<std::wstring> m_paths;
    int m_nGrowBy = kDefaultGrowBy;
};
