#pragma once
// The list's undo history: every change to the list's entries is one step,
// and each step keeps only what it touched (the entries it put in or took
// out, the two ends of a move, a name and path before and after), never a
// copy of the list. Undoing a step applies its inverse to the list through
// the same four operations the list's own commands use; redoing applies it
// again. A change recorded after an undo cuts off what could be redone.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <variant>
#include <vector>

struct ListEntry {
    std::wstring name;   // the display text (UTF-16, as every string of the list)
    std::wstring path;   // the path table element

    bool operator==(const ListEntry& other) const { return name == other.name && path == other.path; }
    bool operator!=(const ListEntry& other) const { return !(*this == other); }
};

// What a step needs of the list it is applied to; every index is valid for
// the list as the step left it or found it.
class IListSteps {
public:
    virtual ~IListSteps() = default;
    virtual void InsertEntry(int nIndex, const ListEntry& entry) = 0;
    virtual void RemoveEntry(int nIndex) = 0;
    // The entry at nFrom goes to nTo; those between shift toward nFrom.
    virtual void MoveEntry(int nFrom, int nTo) = 0;
    virtual void SetEntry(int nIndex, const ListEntry& entry) = 0;
};

// Entries that came in one after another from nIndex on (a committed new
// entry, a set of dropped files).
struct EntriesInserted {
    int nIndex = 0;
    std::vector<ListEntry> entries;
};

// One entry taken out at nIndex (a delete, an emptied edit).
struct EntryRemoved {
    int nIndex = 0;
    ListEntry entry;
};

struct EntryMoved {
    int nFrom = 0;
    int nTo = 0;
};

// A rename, a new path, or both from one edit.
struct EntryChanged {
    int nIndex = 0;
    ListEntry before;
    ListEntry after;
};

using ListStep = std::variant<EntriesInserted, EntryRemoved, EntryMoved, EntryChanged>;

// The entry a step touched, as undoing or redoing it left the list: where it
// is, and whether it is there at all (it is not after its removal).
struct TouchedEntry {
    int nIndex = -1;
    bool bPresent = false;
};

// Applies a step to the list, forward or as its inverse; what it touched.
TouchedEntry ApplyStep(const ListStep& step, IListSteps& list);
TouchedEntry ApplyInverse(const ListStep& step, IListSteps& list);

// An entry as an in-place edit found it, to tell at the edit's end what the
// edit amounted to.
struct EditStart {
    int nIndex = -1;
    bool bNew = false;   // an empty entry appended for this edit
    ListEntry entry;     // as it was when the edit began
};

// The step an ended edit makes: a new entry that stays is inserted; an
// existing entry that was removed (emptied) is taken out as it was when the
// edit began; one whose name or path differs is changed. Nothing when the
// list is as it was before the edit (a new entry removed again, or nothing
// altered).
std::optional<ListStep> StepOfEdit(const EditStart& start, const std::optional<ListEntry>& result);

class ListHistory {
public:
    static constexpr std::size_t kDefaultDepth = 1000;

    explicit ListHistory(std::size_t nDepth = kDefaultDepth) : m_nDepth(nDepth > 0 ? nDepth : 1) {}

    // A change just made to the list; the oldest step goes beyond the depth.
    void Record(ListStep step);
    // Nothing when there is nothing to undo (or redo).
    std::optional<TouchedEntry> Undo(IListSteps& list);
    std::optional<TouchedEntry> Redo(IListSteps& list);

    std::size_t UndoCount() const { return m_done.size(); }
    std::size_t RedoCount() const { return m_undone.size(); }
    std::size_t Depth() const { return m_nDepth; }

private:
    std::size_t m_nDepth;
    std::deque<ListStep> m_done;
    std::vector<ListStep> m_undone;
};
