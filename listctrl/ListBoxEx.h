#pragma once
// The editable list of scene entries: an owner-drawn drag list whose items show
// display names while the path table holds, at the same index, each entry's
// full path. Entries are edited in place (an edit box and a browse button laid
// over the item), reordered by keys, by the tool strip and by dragging, and a
// double-click starts the player on the entry under the pointer. The pointer
// resting on an entry shows its full path in a tooltip.
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "dpi/DpiScale.h"
#include "fw/Controls.h"
#include "fw/ToolTipCtrl.h"
#include "listctrl/ListHistory.h"
#include "listctrl/PathTable.h"

class CInPlaceEdit;
class CInPlaceButton;

class CListBoxEx : public CDragListBox {
public:
    // The extra window styles every list of this class gets, created or attached.
    static constexpr DWORD kListStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL |
                                         LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT |
                                         LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                                         LBS_OWNERDRAWFIXED | LBS_NOTIFY;
    // Bit of m_dwEditStyle that also asks for the browse button.
    static constexpr DWORD kBrowseStyle = 0x4000;
    static constexpr int kTextIndent = 8;

    CListBoxEx();
    ~CListBoxEx() override;

    // Entry operations; the path table moves in step with the items.
    // Each changes the items whole or, when the list box cannot take an item,
    // not at all (false).
    bool ReplaceItem(int nIndex, const std::string& text, DWORD_PTR data);
    bool SetItemText(int nIndex, const std::string& text);
    void SwapItems(int nFirst, int nSecond);
    void MoveUp(int nIndex);
    void MoveDown(int nIndex);
    void DeleteEntry(int nIndex);

    // The undo history: Ctrl+Z undoes the last change to the entries, Ctrl+Y
    // and Ctrl+Shift+Z redo it. The touched entry is selected, becomes the
    // focus item and is scrolled into view (after a removal, its place is).
    // False, and nothing done, while an edit is under way or when there is
    // nothing to undo (redo).
    bool Undo();
    bool Redo();
    const ListHistory& History() const { return m_history; }

    // The entry operations the history's steps are applied with; unlike the
    // commands above they record nothing and select nothing.
    int InsertEntry(int nIndex, const std::string& text, std::string path);
    bool RemoveEntry(int nIndex);
    bool MoveEntry(int nFrom, int nTo);
    void SetEntry(int nIndex, const std::string& text, std::string path);

    // In-place editing.
    void BeginEdit(int nIndex);   // -1: the focus item; past the end: a new entry
    virtual void BeginEditNew();   // what the strip's New runs
    void EndEdit(BOOL bCancel);
    // Ends an edit under way as the focus leaving it would (the dialog closing).
    void EndEditAsFocusLoss();
    void SetEditText(const std::string& strText);
    void CreateInPlaceControls();
    bool IsEditing() const { return m_nEditItem != -1; }

    // Customisation hooks, permissive by default.
    virtual BOOL CanEdit(int nIndex);
    virtual BOOL AcceptEdit(int nIndex, BOOL bCancel);
    virtual void Browse(int nIndex);

    // Starts the player with a complete command line; tells the user on failure.
    BOOL Launch(std::string strCmdLine);

    // The DPI the list's figures and item height are made for: the window's
    // own when attached or created, then what SetDpi was told.
    int GetDpi() const { return m_nDpi; }
    // Remakes the item height, the in-place controls' font and margins and an
    // edit's rectangles for a new DPI; the caller has given the list its new
    // size and font.
    void SetDpi(int nDpi);

    PathTable& Paths() { return m_arrPaths; }
    const PathTable& Paths() const { return m_arrPaths; }
    int GetFocusItem() const { return m_nFocusItem; }
    int GetEditItem() const { return m_nEditItem; }
    CInPlaceEdit* GetInPlaceEdit() const { return m_pEdit.get(); }
    CInPlaceButton* GetInPlaceButton() const { return m_pButton.get(); }
    // The tooltip that shows the full path of the entry under the pointer.
    const CToolTipCtrl& GetPathTip() const { return m_pathTip; }

    // Framework overrides.
    void PreSubclassWindow() override;
    BOOL PreCreateWindow(CREATESTRUCTA& cs) override;
    // Screen readers hear each entry's full path as its description
    // (ListBoxExAccessible.cpp).
    CAccessibleBase* CreateAccessibleObject() override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DrawItem(DRAWITEMSTRUCT* pDIS) override;
    void MeasureItem(MEASUREITEMSTRUCT* pMIS) override;
    void DrawInsert(int nIndex) override;
    void Dropped(int nSrcIndex, CPoint pt) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers.
    int OnCreate(CREATESTRUCTA* pCS);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    LRESULT OnCtrlMsg(WPARAM wParam, LPARAM lParam);

    // Inverts the insertion marker at the top edge of an item.
    void DrawInsertMark(int nIndex);
    // A 96-DPI pixel figure at the list's DPI.
    int Scaled(int f) const { return dpi::Scale(f, m_nDpi); }
    // The point of a drag report, in screen coordinates (see the definition).
    CPoint DragReportPoint(POINT ptCursor) const;
    // m_rcEdit and m_rcButton over item nItem.
    void ComputeEditRects(int nItem);
    // The item under a point in client coordinates, or -1.
    int ItemFromClientPoint(CPoint point) const;
    int ResolveEditIndex(int nIndex);
    // Inserts an item with its data; its index, or -1 when the list refused it.
    int InsertItem(int nIndex, const std::string& text, DWORD_PTR data);
    // Moves the item at nFrom (text and data) so that it ends at nTo.
    bool MoveItem(int nFrom, int nTo);
    int AppendNewEntry() { return AppendEntry(std::string(), std::string()); }
    // Appends an item with its path (the table grows as needed); its index, or
    // -1 when the list refused it.
    int AppendEntry(const std::string& text, std::string path);
    bool IsInPlaceControl(HWND hWnd) const;
    // A change just made by one of the list's commands.
    void RecordStep(ListStep step) { m_history.Record(std::move(step)); }
    ListEntry EntryAt(int nIndex) const { return {GetText(nIndex), m_arrPaths.GetAt(nIndex)}; }
    // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z (not with Alt: with AltGr they type characters).
    void OnHistoryKey(UINT nChar);
    using HistoryTravel = std::optional<TouchedEntry> (ListHistory::*)(IListSteps&);
    bool TravelHistory(HistoryTravel travel);
    void ShowTouched(const TouchedEntry& touched);
    void EnsureVisible(int nIndex);

    // The full path on hover (ListBoxExTip.cpp).
    void CreatePathTip();
    // What the path tip does with a message before the list handles it; true
    // when that was all (result is the answer).
    bool OnPathTipMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
    // The entry whose path the tip shows for a point in client coordinates:
    // -1 off the items, while a button holds the list (a press, a drag) and
    // while an edit is open.
    int PathTipItemAt(CPoint point) const;
    int PathTipItemUnderCursor() const;
    void SetPathTipWidth();
    // Brings a shown tip up to the entry now under the pointer, or hides it.
    void RefreshPathTip();

    PROCESS_INFORMATION m_procInfo{};
    PathTable m_arrPaths;
    DWORD m_dwEditStyle = kBrowseStyle;
    std::unique_ptr<CInPlaceEdit> m_pEdit;
    CRect m_rcEdit;
    std::unique_ptr<CInPlaceButton> m_pButton;
    CRect m_rcButton;
    int m_nFocusItem = -1;
    int m_nEditItem = -1;
    EditStart m_editStart;   // the edited entry as the edit found it
    ListHistory m_history;
    BOOL m_bEditable = TRUE;
    BOOL m_bMovable = TRUE;
    // While a press that ended an edit is handed on: the rows under the
    // pointer have moved, so that press selects but begins no drag.
    bool m_bPressMovedRows = false;
    int m_nDpi = dpi::kDefaultDpi;
    CToolTipCtrl m_pathTip;
    // The text last handed to the tip, which reads it after the notification.
    std::string m_strTipText;
    std::vector<wchar_t> m_wideTipText;
    int m_nTipItem = -1;   // the path tip's entry at the pointer's last move
    bool m_bTipRefreshPosted = false;
};
