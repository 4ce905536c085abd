// Undo and redo: the history's steps applied through the list's entry
// changes (the list box first, then the entries), and the touched entry shown
// to the user.
#include "listctrl/ListBoxEx.h"

#include <algorithm>

#include "fw/Keyboard.h"

// The list as the history's steps see it.
class CListBoxEx::StepTarget : public IListSteps {
public:
    explicit StepTarget(CListBoxEx& list) : m_list(list) {}
    void InsertEntry(int nIndex, const ListEntry& entry) override { m_list.InsertEntry(nIndex, entry); }
    void RemoveEntry(int nIndex) override { m_list.RemoveEntry(nIndex); }
    void MoveEntry(int nFrom, int nTo) override { m_list.MoveEntry(nFrom, nTo); }
    void SetEntry(int nIndex, const ListEntry& entry) override { m_list.SetEntry(nIndex, entry); }

private:
    CListBoxEx& m_list;
};

bool CListBoxEx::Undo()
{
    return TravelHistory(&ListHistory::Undo);
}

bool CListBoxEx::Redo()
{
    return TravelHistory(&ListHistory::Redo);
}

// One step back or forward, never while an edit is open (its entry may be the
// one the step touches); the touched entry is shown.
bool CListBoxEx::TravelHistory(HistoryTravel travel)
{
    if (IsEditing())
        return false;
    StepTarget steps(*this);
    const std::optional<TouchedEntry> touched = (m_entries.History().*travel)(steps);
    if (touched)
        ShowTouched(*touched);
    return touched.has_value();
}

void CListBoxEx::OnHistoryKey(UINT nChar)
{
    if (!IsCtrlChord())
        return;
    if (nChar == 'Z' && !IsKeyDown(VK_SHIFT))
        Undo();
    else
        Redo();
}

// An entry that is there again is selected and made the focus item, as a click
// on it would; after a removal the selection is what the list box's deletion
// left, as after the command itself, and the place the entry left is shown.
void CListBoxEx::ShowTouched(const TouchedEntry& touched)
{
    if (touched.bPresent) {
        SetCurSel(touched.nIndex);
        m_nFocusItem = touched.nIndex;
    }
    EnsureVisible(touched.nIndex < GetCount() ? touched.nIndex : GetCount() - 1);
}

// Scrolls as little as it takes for the item to show whole.
void CListBoxEx::EnsureVisible(int nIndex)
{
    const int nItemHeight = static_cast<int>(SendMessage(LB_GETITEMHEIGHT));
    if (nIndex < 0 || nItemHeight <= 0)
        return;
    const int nRows = std::max(1, GetClientRect().Height() / nItemHeight);
    const int nTop = GetTopIndex();
    if (nIndex < nTop)
        SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex));
    else if (nIndex >= nTop + nRows)
        SendMessage(LB_SETTOPINDEX, static_cast<WPARAM>(nIndex - nRows + 1));
}
