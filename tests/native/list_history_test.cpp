// The list's undo history against a plain vector of entries: every kind of
// step undone and redone, chains of them, the redo cut, the depth, and what an
// ended edit amounts to.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "entries/ListHistory.h"

namespace {

// A list of entries that counts the operations applied to it.
class VectorList : public IListSteps {
public:
    explicit VectorList(std::vector<ListEntry> entries) : m_entries(std::move(entries)) {}

    void InsertEntry(int nIndex, const ListEntry& entry) override
    {
        ++m_nOperations;
        m_entries.insert(m_entries.begin() + nIndex, entry);
    }
    void RemoveEntry(int nIndex) override
    {
        ++m_nOperations;
        m_entries.erase(m_entries.begin() + nIndex);
    }
    void MoveEntry(int nFrom, int nTo) override
    {
        ++m_nOperations;
        auto first = m_entries.begin();
        if (nFrom < nTo)
            std::rotate(first + nFrom, first + nFrom + 1, first + nTo + 1);
        else
            std::rotate(first + nTo, first + nFrom, first + nFrom + 1);
    }
    void SetEntry(int nIndex, const ListEntry& entry) override
    {
        ++m_nOperations;
        m_entries[static_cast<size_t>(nIndex)] = entry;
    }

    // Does the step and records it, as the list's commands do.
    void Do(ListHistory& history, const ListStep& step)
    {
        ApplyStep(step, *this);
        history.Record(step);
    }

    std::vector<ListEntry> m_entries;
    int m_nOperations = 0;
};

std::vector<ListEntry> Entries(int nCount)
{
    std::vector<ListEntry> entries;
    for (int i = 0; i < nCount; ++i)
        entries.push_back({L"name" + std::to_wstring(i), L"C:\\s\\name" + std::to_wstring(i) + L".zel"});
    return entries;
}

struct StepCase {
    const char* what;
    ListStep step;
    TouchedEntry afterUndo;
    TouchedEntry afterRedo;
};

// Each kind of step on a list of 100,000: undo brings back exactly the list
// before it, redo exactly the list after it, each with one list operation per
// entry the step touched, and both name the touched entry.
TEST(ListHistoryTest, EachKindOfStepIsUndoneAndRedoneExactlyWithOnlyWhatItTouched)
{
    const ListEntry dropped1{L"a", L"C:\\d\\a.zel"};
    const ListEntry dropped2{L"b", L"D:/b"};
    const std::vector<StepCase> cases{
        {"delete the first", EntryRemoved{0, Entries(1)[0]}, {0, true}, {0, false}},
        {"move the first down", EntryMoved{0, 1}, {0, true}, {1, true}},
        {"drag the first to the end", EntryMoved{0, 99999}, {0, true}, {99999, true}},
        {"drag the last to the top", EntryMoved{99999, 0}, {99999, true}, {0, true}},
        {"a new entry at the end", EntriesInserted{100000, {dropped1}}, {100000, false}, {100000, true}},
        {"two dropped files", EntriesInserted{100000, {dropped1, dropped2}}, {100000, false}, {100000, true}},
        {"rename and browse in one edit", EntryChanged{5, Entries(6)[5], {L"new", L"C:\\x.zel"}}, {5, true}, {5, true}},
    };
    for (const StepCase& c : cases) {
        SCOPED_TRACE(c.what);
        VectorList list(Entries(100000));
        const std::vector<ListEntry> before = list.m_entries;
        ListHistory history;
        list.Do(history, c.step);
        const std::vector<ListEntry> after = list.m_entries;
        ASSERT_NE(after, before);

        list.m_nOperations = 0;
        const std::optional<TouchedEntry> undone = history.Undo(list);
        ASSERT_TRUE(undone);
        EXPECT_EQ(list.m_entries, before);
        EXPECT_EQ(undone->nIndex, c.afterUndo.nIndex);
        EXPECT_EQ(undone->bPresent, c.afterUndo.bPresent);
        const std::optional<TouchedEntry> redone = history.Redo(list);
        ASSERT_TRUE(redone);
        EXPECT_EQ(list.m_entries, after);
        EXPECT_EQ(redone->nIndex, c.afterRedo.nIndex);
        EXPECT_EQ(redone->bPresent, c.afterRedo.bPresent);
        const int nTouched = std::holds_alternative<EntriesInserted>(c.step)
                                 ? static_cast<int>(std::get<EntriesInserted>(c.step).entries.size())
                                 : 1;
        EXPECT_EQ(list.m_nOperations, 2 * nTouched);
    }
}

// Undo walks back through every state in turn, redo forward again; at either
// end there is nothing more to do and the list stays.
TEST(ListHistoryTest, AChainIsUndoneBackToTheStartAndRedoneToTheEnd)
{
    VectorList list(Entries(5));
    ListHistory history;
    std::vector<std::vector<ListEntry>> states{list.m_entries};
    const std::vector<ListStep> steps{
        EntryRemoved{2, list.m_entries[2]},
        EntryMoved{0, 3},
        EntriesInserted{4, {{L"new", L""}}},
        EntryChanged{1, list.m_entries[3], {L"renamed", list.m_entries[3].path}},
        EntryMoved{4, 0},
    };
    for (const ListStep& step : steps) {
        list.Do(history, step);
        states.push_back(list.m_entries);
    }
    for (size_t i = states.size() - 1; i > 0; --i) {
        ASSERT_TRUE(history.Undo(list));
        EXPECT_EQ(list.m_entries, states[i - 1]) << "after undoing step " << i;
    }
    EXPECT_FALSE(history.Undo(list));
    EXPECT_EQ(list.m_entries, states.front());
    for (size_t i = 1; i < states.size(); ++i) {
        ASSERT_TRUE(history.Redo(list));
        EXPECT_EQ(list.m_entries, states[i]) << "after redoing step " << i;
    }
    EXPECT_FALSE(history.Redo(list));
    EXPECT_EQ(list.m_entries, states.back());
}

// A change after an undo cuts off what could be redone; what was done before
// the undo stays undoable.
TEST(ListHistoryTest, AChangeAfterAnUndoCutsTheRedo)
{
    VectorList list(Entries(4));
    ListHistory history;
    list.Do(history, EntryRemoved{0, list.m_entries[0]});
    list.Do(history, EntryMoved{0, 1});
    ASSERT_TRUE(history.Undo(list));
    ASSERT_EQ(history.RedoCount(), 1u);

    list.Do(history, EntryMoved{2, 0});
    EXPECT_EQ(history.RedoCount(), 0u);
    const std::vector<ListEntry> now = list.m_entries;
    EXPECT_FALSE(history.Redo(list));
    EXPECT_EQ(list.m_entries, now);
    EXPECT_TRUE(history.Undo(list));
    EXPECT_TRUE(history.Undo(list));
    EXPECT_EQ(list.m_entries, Entries(4));
    EXPECT_FALSE(history.Undo(list));
}

// The default history holds at least a hundred steps; beyond its depth the
// oldest step goes, and undo stops short of it.
TEST(ListHistoryTest, TheDepthKeepsTheNewestSteps)
{
    VectorList list(Entries(200));
    ListHistory history;
    ASSERT_GE(history.Depth(), 100u);
    for (int i = 0; i < 150; ++i)
        list.Do(history, EntryRemoved{0, list.m_entries[0]});
    for (int i = 0; i < 150; ++i)
        ASSERT_TRUE(history.Undo(list)) << "undo " << i + 1;
    EXPECT_EQ(list.m_entries, Entries(200));

    ListHistory shallow(3);
    VectorList small(Entries(5));
    for (int i = 0; i < 5; ++i)
        small.Do(shallow, EntryRemoved{0, small.m_entries[0]});
    while (shallow.Undo(small)) {
    }
    const std::vector<ListEntry> five = Entries(5);
    EXPECT_EQ(small.m_entries, (std::vector<ListEntry>(five.begin() + 2, five.end())));
    EXPECT_EQ(shallow.RedoCount(), 3u);
}

// What an in-place edit amounts to when it ends.
TEST(ListHistoryTest, AnEndedEditIsOneStepOrNone)
{
    const ListEntry old{L"old", L"C:\\old.zel"};
    // Nothing altered, and a new entry emptied again: no step.
    EXPECT_FALSE(StepOfEdit({3, false, old}, old));
    EXPECT_FALSE(StepOfEdit({7, true, {}}, std::nullopt));

    // An emptied existing entry: removed as it was before the edit, even when
    // a browse had already set its path.
    const std::optional<ListStep> removed = StepOfEdit({3, false, old}, std::nullopt);
    ASSERT_TRUE(removed && std::holds_alternative<EntryRemoved>(*removed));
    EXPECT_EQ(std::get<EntryRemoved>(*removed).nIndex, 3);
    EXPECT_EQ(std::get<EntryRemoved>(*removed).entry, old);

    // A new entry kept (named, or cancelled with a browsed path only).
    const ListEntry browsed{L"", L"C:\\b.zel"};
    const std::optional<ListStep> inserted = StepOfEdit({7, true, {}}, browsed);
    ASSERT_TRUE(inserted && std::holds_alternative<EntriesInserted>(*inserted));
    EXPECT_EQ(std::get<EntriesInserted>(*inserted).nIndex, 7);
    EXPECT_EQ(std::get<EntriesInserted>(*inserted).entries, std::vector<ListEntry>{browsed});

    // A rename, a new path, or both: one change from the old to the new.
    for (const ListEntry& now : {ListEntry{L"new", old.path}, ListEntry{old.name, L"D:\\p"}, ListEntry{L"b", L"C:\\b"}}) {
        const std::optional<ListStep> changed = StepOfEdit({3, false, old}, now);
        ASSERT_TRUE(changed && std::holds_alternative<EntryChanged>(*changed));
        EXPECT_EQ(std::get<EntryChanged>(*changed).before, old);
        EXPECT_EQ(std::get<EntryChanged>(*changed).after, now);
    }
}

}  // namespace
