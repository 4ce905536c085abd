#pragma once
// The editable list of scene entries: an owner-drawn drag list that shows the
// entries of its EntryList (display names as its items; each entry's full
// path at the same index of the path table). Every change goes to the list
// box first, which can refuse it, and then to the entries, so a refusal
// changes nothing anywhere. Entries are edited in place (an edit box and a
// browse button laid over the item), reordered by keys, by the tool strip and
// by dragging, and a double-click starts the player on the entry under the
// pointer. The pointer resting on an entry shows its full path in a tooltip.
// The selected entry is the focus item, which the keys and the keyboard's
// menu of commands act on (ListBoxExCommands.cpp).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "dpi/DpiScale.h"
#include "entries/EntryList.h"
#include "fw/Controls.h"
#include "listctrl/EditSession.h"
#include "listctrl/ListCommands.h"
#include "listctrl/PathTip.h"

class CListBoxEx : public CDragListBox {
public:
    // The extra window styles every list of this class gets, created or attached.
    static constexpr DWORD kListStyles = WS_CHILD | WS_VISIBLE | WS_VSCROLL | LBS_DISABLENOSCROLL |
                                         LBS_EXTENDEDSEL | LBS_WANTKEYBOARDINPUT |
                                         LBS_NOINTEGRALHEIGHT | LBS_HASSTRINGS |
                                         LBS_OWNERDRAWFIXED | LBS_NOTIFY;
    static constexpr DWORD kBrowseStyle = CEditSession::kBrowseStyle;

    CListBoxEx();
    ~CListBoxEx() override;

    // The entries the list shows; they change only through the list.
    const EntryList& Entries() const { return m_entries; }
    const PathTable& Paths() const { return m_entries.Paths(); }
    // Shows an entry for each path, named after its file title, in place of
    // all others (the run list's load); false, and the list left empty, when
    // the list box cannot take them all.
    bool LoadEntries(std::vector<std::wstring> paths);

    // Entry operations. Each changes the entry whole or, when the list box
    // cannot take an item, not at all (false).
    bool ReplaceItem(int nIndex, const std::wstring& text, DWORD_PTR data);
    bool SetItemText(int nIndex, const std::wstring& text);
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
    const ListHistory& History() const { return m_entries.History(); }

    // In-place editing.
    void BeginEdit(int nIndex);   // -1: the focus item; past the end: a new entry
    virtual void BeginEditNew();   // what the strip's New runs
    void EndEdit(BOOL bCancel);
    // Ends an edit under way as the focus leaving it would (the dialog closing).
    void EndEditAsFocusLoss();
    void SetEditText(const std::wstring& strText);
    void CreateInPlaceControls();
    bool IsEditing() const { return m_edit.IsOpen(); }

    // Customisation hooks, permissive by default.
    virtual BOOL CanEdit(int nIndex);
    virtual BOOL AcceptEdit(int nIndex, BOOL bCancel);
    virtual void Browse(int nIndex);

    // Starts the player with a complete command line; tells the user on failure.
    BOOL Launch(std::wstring strCmdLine);
    // Starts the player on an entry's path as a double-click on it does; an
    // index that names no entry starts nothing.
    void LaunchEntry(int nIndex);
    // The same, later: for a caller that must have its answer first (a
    // screen reader's request).
    void PostLaunch(int nIndex) const;
    // Starts the command line in place of the system when set, so a test of
    // the whole dialog sees what would be started without a player.
    std::function<BOOL(const std::wstring&)> m_fnStartProgram;

    // The commands of the keyboard's menu (ListCommands.h), on the focus item.
    listcommands::ListState CommandState();
    void RunCommand(listcommands::Command command);
    // The menu of every command, below the focus entry (the menu key, Shift+F10).
    void ShowCommandMenu();
    // Puts an entry's full path on the clipboard as text; false for an entry
    // without a path, or no entry.
    bool CopyPath(int nIndex);

    // The DPI the list's figures and item height are made for: the window's
    // own when attached or created, then what SetDpi was told.
    int GetDpi() const { return m_nDpi; }
    // Remakes the item height, the in-place controls' font and margins and an
    // edit's rectangles for a new DPI; the caller has given the list its new
    // size and font.
    void SetDpi(int nDpi);

    int GetFocusItem() const { return m_nFocusItem; }
    int GetEditItem() const { return m_edit.m_nEditItem; }
    CInPlaceEdit* GetInPlaceEdit() const { return m_edit.Edit(); }
    CInPlaceButton* GetInPlaceButton() const { return m_edit.Button(); }
    // The tooltip that shows the full path of the entry under the pointer.
    CToolTipCtrl& GetPathTip() { return m_pathTip.Control(); }
    // The item under a point in client coordinates, or -1.
    int ItemFromClientPoint(CPoint point) const;

    // Framework overrides.
    void PreSubclassWindow() override;
    // Ctrl+Enter starts the selected entry, before the dialog takes Enter as
    // its own; the menu key and Shift+F10 open the menu of commands.
    BOOL PreTranslateMessage(MSG* pMsg) override;
    // The list box's own changes of the selection (keys, clicks, typing) move
    // the focus item with it.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL PreCreateWindow(CREATESTRUCTW& cs) override;
    // Screen readers hear each entry's full path as its description
    // (ListBoxExAccessible.cpp).
    CAccessibleBase* CreateAccessibleObject() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    void DrawItem(DRAWITEMSTRUCT* pDIS) override;
    void MeasureItem(MEASUREITEMSTRUCT* pMIS) override;
    // Dragging (ListBoxExDrag.cpp).
    BOOL BeginDrag(CPoint pt) override;
    void CancelDrag(CPoint pt) override;
    UINT Dragging(CPoint pt) override;
    void Dropped(int nSrcIndex, CPoint pt) override;
    void DrawInsert(int nIndex) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers.
    int OnCreate(CREATESTRUCTW* pCS);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSysKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    void OnRButtonDown(UINT nFlags, CPoint point);
    LRESULT OnCtrlMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnSetCurSel();
    LRESULT OnContextMenu(CPoint ptScreen);
    LRESULT OnLaunchMessage(WPARAM nIndex);
    // Posted to the list to start an entry (wParam) later.
    static UINT LaunchMessage();

    // What the list's window needs once it exists, created or attached.
    void AttachParts();
    // The item height MeasureItem gives, set on the list box.
    void RemeasureItems();
    // A 96-DPI pixel figure at the list's DPI.
    int Scaled(int f) const { return dpi::Scale(f, m_nDpi); }
    int ResolveEditIndex(int nIndex);
    // Appends an entry; its index, or -1 when the list box refused it.
    int AppendEntry(ListEntry entry);
    // A change just made by one of the list's commands.
    void RecordStep(ListStep step) { m_entries.History().Record(std::move(step)); }
    // Inverts the insertion marker at the top edge of an item.
    void DrawInsertMark(int nIndex);
    // Whether drag reports are acted on: not while an entry is edited in
    // place or moving is off.
    bool IsDragAllowed() const { return !IsEditing() && m_bMovable; }
    // Ctrl+Z, Ctrl+Y, Ctrl+Shift+Z (not with Alt: with AltGr they type characters).
    void OnHistoryKey(UINT nChar);
    using HistoryTravel = std::optional<TouchedEntry> (ListHistory::*)(IListSteps&);
    bool TravelHistory(HistoryTravel travel);
    void ShowTouched(const TouchedEntry& touched);
    void EnsureVisible(int nIndex);
    // The selected entry, when there is one, becomes the focus item: called
    // after every change that can move the selection.
    void FollowSelection();
    // Ctrl+C: the focus entry's path to the clipboard.
    void OnCopyKey();

    // The entry changes shown in the list box and then made to the entries;
    // they record nothing and select nothing. False (-1), and nothing changed,
    // when the list box refuses.
    int InsertEntry(int nIndex, ListEntry entry);
    bool RemoveEntry(int nIndex);
    bool MoveEntry(int nFrom, int nTo);
    bool SetEntry(int nIndex, ListEntry entry);
    // The same changes in the list box alone.
    int InsertItem(int nIndex, const std::wstring& text, DWORD_PTR data);
    bool MoveItem(int nFrom, int nTo);
    bool SwapListItems(int nLow, int nHigh);

    PROCESS_INFORMATION m_procInfo{};
    EntryList m_entries;
    CEditSession m_edit;
    int m_nFocusItem = -1;
    BOOL m_bEditable = TRUE;
    BOOL m_bMovable = TRUE;
    // While a press that ended an edit is handed on: the rows under the
    // pointer have moved, so that press selects but begins no drag.
    bool m_bPressMovedRows = false;
    // Where the last press was handed on when it ended an edit and so moved
    // the rows (the entry it landed on, -1 for none): the double-click that
    // press begins goes there too, not to the row now under the pointer.
    struct FollowedPress {
        int nItem;
        CPoint point;
    };
    std::optional<FollowedPress> m_followedPress;
    int m_nDpi = dpi::kDefaultDpi;
    CPathTip m_pathTip{*this};

private:
    class StepTarget;
};
