#pragma once
// What the launcher's list should do, stated plainly and independently of the
// window code: the entries (display text and path), the selection, the focus
// item (always the selected entry while there is one), the edit under way
// with its text, which of the dialog's windows has the keyboard focus, the
// entries started and the path copied. The random test applies the same user operations to
// this model and to the real dialog and compares the two after every step.
//
// Rows: an operation at a place in the list names the item shown there, or
// kNone for the empty part of the list below the last item.
#include <optional>
#include <string>
#include <vector>

#include "entries/ListHistory.h"

namespace model {

constexpr int kNone = -1;

struct Entry {
    std::string text;   // the display text
    std::string path;   // the path table element at the entry's index

    bool operator==(const Entry& other) const { return text == other.text && path == other.path; }
};

// The windows of the dialog that can hold the keyboard focus.
enum class Focus { List, Edit, Button, Strip };

// Keys pressed in whatever window has the focus.
// Home, End, Up and Down move the highlight from the selected entry.
enum class Key {
    F2, Delete, AltLeft, AltUp, AltRight, AltDown, Enter, Escape, Insert, CtrlZ, CtrlY, CtrlShiftZ,
    Home, End, Up, Down, CtrlEnter, CtrlC
};

// What a click on the tool strip hits: a button, or the caption beside them.
enum class StripPart { New, Delete, MoveUp, MoveDown, Caption };

// Where the edit's caret stands, which decides what Delete does there: the
// whole text selected (as the edit opens), at the start (after a browse put a
// file title in) or at the end (after typing).
enum class Caret { All, Start, End };

// What the drag list's reports should be answered with, and the insertion
// marker's item after the move report.
struct DragReplies {
    long nBegin = 0;
    long nDragging = 0;
    int nMarker = kNone;
};

class RunListModel {
public:
    // The list as the dialog shows it after loading these paths.
    explicit RunListModel(const std::vector<std::string>& paths);

    const std::vector<Entry>& Entries() const { return m_entries; }
    int Count() const { return static_cast<int>(m_entries.size()); }
    int Selection() const { return m_nSelection; }
    int FocusItem() const { return m_nFocusItem; }
    int EditItem() const { return m_nEditItem; }
    bool IsEditing() const { return m_nEditItem != kNone; }
    const std::string& EditText() const { return m_editText; }
    Caret EditCaret() const { return m_caret; }
    Focus KeyFocus() const { return m_focus; }
    // The dialog has ended (and saved); Reopen starts the next one.
    bool HasEnded() const { return m_bEnded; }
    const std::vector<std::string>& SavedPaths() const { return m_saved; }
    // The item the last undo or redo must have brought into view, or kNone.
    int Revealed() const { return m_nRevealed; }
    // The paths of the entries started, oldest first, over every run.
    const std::vector<std::string>& Started() const { return m_started; }
    // The text last copied, "" before any.
    const std::string& Copied() const { return m_copied; }

    // A left press and release at a row.
    void LeftClick(int row);
    // A right press and release at a row.
    void RightClick(int row);
    void Press(Key key);
    // The user puts the caret into the edit and replaces its whole text.
    void Type(const std::string& text);
    // A click on the browse button; the file dialog answers with a path or
    // is cancelled.
    void Browse(const std::optional<std::string>& chosen);
    // The drag list's reports for a drag that began at the selection: begin,
    // a move to the target row, then the drop (or a cancel) there.
    DragReplies Drag(int target, bool bDrop);
    void ClickStrip(StripPart part);
    void CloseBox();
    // The next run of the dialog, loading what this one saved.
    void Reopen();

private:
    // Selects an item, which becomes the focus item; kNone selects nothing.
    void Select(int nIndex);
    void PressInList(Key key);
    // A move of the highlight from the selected entry, which exists.
    void Navigate(Key key);
    void BeginEdit(int nIndex);
    void EndEdit(bool bCancel);
    void EndDialog();
    void Remove(int nIndex);
    // The selection after the entry at nIndex went.
    void FollowRemoval(int nIndex);
    // A removal by the user's command, one change of the history.
    void RemoveRecorded(int nIndex);
    void MoveUp(int nIndex);
    void MoveDown(int nIndex);
    void DeleteInEdit();
    void Load(const std::vector<std::string>& paths);
    // Undo and redo: every change to the entries is kept as the whole list
    // before and after it, and the entry it touched on either side (kNone
    // where the entry is not there).
    struct Change {
        std::vector<Entry> before;
        std::vector<Entry> after;
        int nBefore = kNone;
        int nAfter = kNone;
    };
    void Record(std::vector<Entry> before, int nBefore, int nAfter);
    void Undo();
    void Redo();
    void Restore(const std::vector<Entry>& entries, int nTouched, int nGone);
    bool IsItem(int nIndex) const { return nIndex >= 0 && nIndex < Count(); }

    std::vector<Entry> m_entries;
    int m_nSelection = kNone;
    int m_nFocusItem = kNone;
    int m_nEditItem = kNone;
    std::string m_editText;
    Caret m_caret = Caret::All;
    Focus m_focus = Focus::List;
    bool m_bEnded = false;
    std::vector<std::string> m_saved;
    std::vector<Change> m_undo;
    std::vector<Change> m_redo;
    std::vector<Entry> m_editBefore;   // the entries when the edit began
    bool m_bEditNew = false;
    int m_nRevealed = kNone;
    std::vector<std::string> m_started;
    std::string m_copied;
};

// How many changes can be undone at most: as deep as the list's history.
constexpr size_t kHistoryDepth = ListHistory::kDefaultDepth;

const char* ToString(Focus focus);

}  // namespace model
