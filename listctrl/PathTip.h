#pragma once
// The full path of the entry under the resting pointer, in a tooltip over the
// list's client area. The text is asked for each time the tip shows: the
// entry's path from the list's entries, never from the disk.
#include <string>
#include <vector>

#include "fw/ToolTipCtrl.h"

class CListBoxEx;

class CPathTip {
public:
    explicit CPathTip(CListBoxEx& list) : m_list(list) {}
    CPathTip(const CPathTip&) = delete;
    CPathTip& operator=(const CPathTip&) = delete;

    // Makes the tooltip once the list's window exists: when the pointer has
    // come over the list (CToolTipSchedule), or when the control is asked
    // for. Without the tooltip the list works as before, only without the tip.
    void Create();
    // The wrapping width for the list's DPI.
    void UpdateWidth();
    // Hides a shown tip (an edit is about to cover its entry).
    void Pop()
    {
        if (m_tip.m_hWnd != nullptr)
            m_tip.Pop();
    }
    // What the tip does with a list message before the list handles it; true
    // when that was all (result is the answer). The tooltip is shown the
    // list's mouse messages here.
    bool OnListMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // Answers the tooltip's request for its text; false for any other
    // notification.
    bool OnNotify(LPARAM lParam, LRESULT* pResult);

    CToolTipCtrl& Control()
    {
        Create();
        return m_tip;
    }

private:
    // The entry whose path the tip shows for a point in client coordinates:
    // -1 off the items, while a button holds the list (a press, a drag) and
    // while an edit is open.
    int ItemAt(CPoint point) const;
    int ItemUnderCursor() const;
    void CreateForPointer();
    // Brings a shown tip up to the entry now under the pointer, or hides it.
    void Refresh();

    CListBoxEx& m_list;
    CToolTipCtrl m_tip;
    CToolTipSchedule m_schedule;
    // The text last handed to the tip, which reads it after the notification.
    std::wstring m_strText;
    int m_nItem = -1;   // the entry under the pointer at its last move
    bool m_bRefreshPosted = false;
};
