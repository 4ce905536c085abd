#include "model/RunListModel.h"

#include <algorithm>
#include <utility>

#include "paths/PathRules.h"

namespace model {

namespace {

// Reports of the drag list: a drag may begin; the cursor to show.
constexpr long kBeginAllowed = 1;
constexpr long kStopCursor = 1;
constexpr long kMoveCursor = 3;

// The model's texts are ASCII, as the random operations make them.
std::string DisplayNameOf(const std::string& path)
{
    const std::wstring name = DisplayName(std::wstring(path.begin(), path.end()));
    return std::string(name.begin(), name.end());
}

}  // namespace

RunListModel::RunListModel(const std::vector<std::string>& paths)
{
    Load(paths);
}

// Display names are derived from the paths; nothing is selected or focused
// yet and the keyboard focus is in the list.
void RunListModel::Load(const std::vector<std::string>& paths)
{
    m_entries.clear();
    for (const std::string& path : paths)
        m_entries.push_back({DisplayNameOf(path), path});
    m_nSelection = kNone;
    m_nFocusItem = kNone;
    m_nEditItem = kNone;
    m_editText.clear();
    m_focus = Focus::List;
    m_bEnded = false;
    m_undo.clear();   // the history lasts for one run of the dialog
    m_redo.clear();
}

// The press names the focus item before anything else happens; the list then
// takes the focus, which ends an edit as any focus loss does, and selects the
// item now at the row.
void RunListModel::LeftClick(int row)
{
    // An edit ends before the press counts. When that removes the emptied
    // entry, the press follows the entry pressed on; on the removed entry
    // itself it only takes the focus.
    if (IsEditing()) {
        const int nEdited = m_nEditItem;
        const int nCount = Count();
        EndEdit(false);
        if (row != kNone && Count() < nCount)
            row = row == nEdited ? kNone : row - (row > nEdited);
    }
    if (row != kNone)
        m_nFocusItem = row;
    m_focus = Focus::List;
    if (IsItem(row))
        Select(row);
}

// Opens an edit over the item; during an edit, or below the items, nothing.
void RunListModel::RightClick(int row)
{
    if (row != kNone)
        BeginEdit(row);
}

void RunListModel::Press(Key key)
{
    // Outside the list Ctrl+Enter is Enter.
    const bool bEnds = key == Key::Enter || key == Key::Escape || (key == Key::CtrlEnter && m_focus != Focus::List);
    m_nRevealed = kNone;
    switch (m_focus) {
    case Focus::List:
        if (bEnds)
            EndDialog();
        else
            PressInList(key);
        break;
    case Focus::Edit:
        if (bEnds)
            EndEdit(key == Key::Escape);
        else if (key == Key::Delete)
            DeleteInEdit();
        break;
    case Focus::Button:
        // Escape cancels the edit; Enter is the dialog's, as on any button.
        if (key == Key::Escape)
            EndEdit(true);
        else if (key == Key::Enter)
            EndDialog();
        break;
    case Focus::Strip:
        if (bEnds)
            EndDialog();
        break;
    }
}

void RunListModel::PressInList(Key key)
{
    switch (key) {
    case Key::F2:
        if (m_nFocusItem != kNone)
            BeginEdit(m_nFocusItem);
        break;
    case Key::Delete: RemoveRecorded(m_nFocusItem); break;
    case Key::Insert: BeginEdit(Count()); break;
    case Key::CtrlZ: Undo(); break;
    case Key::CtrlY:
    case Key::CtrlShiftZ: Redo(); break;
    case Key::AltLeft:
    case Key::AltUp: MoveUp(m_nSelection); break;
    case Key::AltRight:
    case Key::AltDown: MoveDown(m_nSelection); break;
    case Key::Home:
    case Key::End:
    case Key::Up:
    case Key::Down: Navigate(key); break;
    case Key::CtrlEnter:
        if (m_nSelection != kNone)
            m_started.push_back(m_entries[static_cast<size_t>(m_nSelection)].path);
        break;
    case Key::CtrlC:
        // An entry without a path has nothing to copy.
        if (IsItem(m_nFocusItem) && !m_entries[static_cast<size_t>(m_nFocusItem)].path.empty())
            m_copied = m_entries[static_cast<size_t>(m_nFocusItem)].path;
        break;
    case Key::Enter:
    case Key::Escape: break;
    }
}

void RunListModel::Navigate(Key key)
{
    switch (key) {
    case Key::Home: Select(0); break;
    case Key::End: Select(Count() - 1); break;
    case Key::Up: Select(std::max(0, m_nSelection - 1)); break;
    case Key::Down: Select(std::min(Count() - 1, m_nSelection + 1)); break;
    default: break;
    }
}

void RunListModel::Select(int nIndex)
{
    m_nSelection = nIndex;
    if (nIndex != kNone)
        m_nFocusItem = nIndex;
}

void RunListModel::Type(const std::string& text)
{
    if (!IsEditing())
        return;
    m_focus = Focus::Edit;
    m_editText = text;
    m_caret = Caret::End;
}

// The button takes the focus; a chosen file's title goes into the edit, which
// takes the focus back, and its path at once into the entry.
void RunListModel::Browse(const std::optional<std::string>& chosen)
{
    m_nRevealed = kNone;   // Alt+Down in the edit browses: no undo to show
    if (!IsEditing())
        return;
    m_focus = Focus::Button;
    if (!chosen)
        return;
    m_editText = DisplayNameOf(*chosen);
    m_caret = Caret::Start;
    m_entries[static_cast<size_t>(m_nEditItem)].path = *chosen;
    m_focus = Focus::Edit;
}

// Refused as a whole during an edit. Otherwise the dragged entry goes into the
// gap above the target item; onto itself, onto the item below it, with no
// source or no target, nothing moves.
DragReplies RunListModel::Drag(int target, bool bDrop)
{
    if (IsEditing())
        return {};
    const DragReplies replies{kBeginAllowed, target == kNone ? kStopCursor : kMoveCursor, target};
    const int source = m_nSelection;
    if (!bDrop || source == kNone || target == kNone || target == source || target == source + 1)
        return replies;
    std::vector<Entry> before = m_entries;
    const Entry moved = m_entries[static_cast<size_t>(source)];
    m_entries.erase(m_entries.begin() + source);
    const int destination = source < target ? target - 1 : target;
    m_entries.insert(m_entries.begin() + destination, moved);
    Select(destination);
    Record(std::move(before), source, destination);
    return replies;
}

// A click on the strip takes the focus from an edit, which ends it (and the
// focus goes back to the list); then the button's command runs on the
// selection as it is by then.
void RunListModel::ClickStrip(StripPart part)
{
    if (IsEditing())
        EndEdit(false);
    else
        m_focus = Focus::Strip;
    switch (part) {
    case StripPart::New: BeginEdit(Count()); break;
    case StripPart::Delete: RemoveRecorded(m_nSelection); break;
    case StripPart::MoveUp: MoveUp(m_nSelection); break;
    case StripPart::MoveDown: MoveDown(m_nSelection); break;
    case StripPart::Caption:
        break;
    }
}

void RunListModel::CloseBox()
{
    EndDialog();
}

void RunListModel::Reopen()
{
    Load(m_saved);
}

// An index past the last item edits a new entry at the end, with no text and
// no path.
void RunListModel::BeginEdit(int nIndex)
{
    if (IsEditing())
        return;
    m_editBefore = m_entries;
    m_bEditNew = nIndex >= Count();
    if (nIndex >= Count()) {
        m_entries.push_back({});
        nIndex = Count() - 1;
    }
    Select(nIndex);
    m_nEditItem = nIndex;
    m_editText = m_entries[static_cast<size_t>(nIndex)].text;
    m_caret = Caret::All;
    m_focus = Focus::Edit;
}

// An empty text removes the entry however the edit ends; otherwise the text
// becomes the entry's unless the edit was cancelled. The list gets the focus.
void RunListModel::EndEdit(bool bCancel)
{
    const int nItem = std::exchange(m_nEditItem, kNone);
    m_focus = Focus::List;
    const bool bRemoved = m_editText.empty();
    if (bRemoved) {
        Remove(nItem);
    } else if (!bCancel) {
        m_entries[static_cast<size_t>(nItem)].text = m_editText;
        Select(nItem);
    }
    // An edit that leaves the entries as they were is no change.
    if (m_editBefore != m_entries)
        Record(std::move(m_editBefore), m_bEditNew ? kNone : nItem, bRemoved ? kNone : nItem);
}

// An edit still open ends as a focus loss would end it, then the list is saved.
void RunListModel::EndDialog()
{
    if (IsEditing())
        EndEdit(false);
    m_saved.clear();
    for (const Entry& entry : m_entries)
        m_saved.push_back(entry.path);
    m_bEnded = true;
}

// The selection stays on its entry, and the focus item with it; it is gone
// with a removed selected entry, and the focus item then stays as it is.
void RunListModel::Remove(int nIndex)
{
    if (!IsItem(nIndex))
        return;
    m_entries.erase(m_entries.begin() + nIndex);
    FollowRemoval(nIndex);
}

void RunListModel::FollowRemoval(int nIndex)
{
    if (m_nSelection == nIndex)
        m_nSelection = kNone;
    else if (m_nSelection > nIndex)
        Select(m_nSelection - 1);
}

void RunListModel::RemoveRecorded(int nIndex)
{
    if (!IsItem(nIndex))
        return;
    std::vector<Entry> before = m_entries;
    Remove(nIndex);
    Record(std::move(before), nIndex, kNone);
}

void RunListModel::MoveUp(int nIndex)
{
    if (nIndex <= 0 || !IsItem(nIndex))
        return;
    std::vector<Entry> before = m_entries;
    std::swap(m_entries[static_cast<size_t>(nIndex)], m_entries[static_cast<size_t>(nIndex) - 1]);
    Select(nIndex - 1);
    Record(std::move(before), nIndex, nIndex - 1);
}

void RunListModel::MoveDown(int nIndex)
{
    if (!IsItem(nIndex) || !IsItem(nIndex + 1))
        return;
    std::vector<Entry> before = m_entries;
    std::swap(m_entries[static_cast<size_t>(nIndex)], m_entries[static_cast<size_t>(nIndex) + 1]);
    Select(nIndex + 1);
    Record(std::move(before), nIndex, nIndex + 1);
}

// A new change cuts off what could be redone; beyond the depth the oldest
// change is forgotten. A move of an entry past one just like it is a change
// too: the entry moved.
void RunListModel::Record(std::vector<Entry> before, int nBefore, int nAfter)
{
    m_redo.clear();
    m_undo.push_back({std::move(before), m_entries, nBefore, nAfter});
    if (m_undo.size() > kHistoryDepth)
        m_undo.erase(m_undo.begin());
}

void RunListModel::Undo()
{
    if (m_undo.empty())
        return;
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
    const Change& change = m_redo.back();
    Restore(change.before, change.nBefore, change.nAfter);
}

void RunListModel::Redo()
{
    if (m_redo.empty())
        return;
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
    const Change& change = m_undo.back();
    Restore(change.after, change.nAfter, change.nBefore);
}

// The entries as they were on one side of a change. An entry that is there
// again is selected and becomes the focus item; one that goes again takes the
// selection with it, as removing it does. Either way its place is in view.
void RunListModel::Restore(const std::vector<Entry>& entries, int nTouched, int nGone)
{
    m_entries = entries;
    if (nTouched != kNone) {
        Select(nTouched);
        m_nRevealed = nTouched;
        return;
    }
    FollowRemoval(nGone);
    m_nRevealed = std::min(nGone, Count() - 1);
}

// Delete in the edit removes the selected text, or the character after the
// caret.
void RunListModel::DeleteInEdit()
{
    switch (m_caret) {
    case Caret::All:
        m_editText.clear();
        m_caret = Caret::End;
        break;
    case Caret::Start:
        if (!m_editText.empty())
            m_editText.erase(0, 1);
        break;
    case Caret::End:
        break;
    }
}

const char* ToString(Focus focus)
{
    constexpr const char* kNames[] = {"list", "edit", "button", "strip"};   // in the order of Focus
    return kNames[static_cast<size_t>(focus)];
}

}  // namespace model
