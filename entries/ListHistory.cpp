#include "entries/ListHistory.h"

#include <utility>

namespace {

// Later entries go first when a block comes out, so the list shifts nothing
// it is about to take out anyway.
void RemoveBlock(const EntriesInserted& block, IListSteps& list)
{
    for (int i = static_cast<int>(block.entries.size()) - 1; i >= 0; --i)
        list.RemoveEntry(block.nIndex + i);
}

void InsertBlock(const EntriesInserted& block, IListSteps& list)
{
    int nIndex = block.nIndex;
    for (const ListEntry& entry : block.entries)
        list.InsertEntry(nIndex++, entry);
}

struct Forward {
    IListSteps& list;

    TouchedEntry operator()(const EntriesInserted& step) const
    {
        InsertBlock(step, list);
        return {step.nIndex, true};
    }
    TouchedEntry operator()(const EntryRemoved& step) const
    {
        list.RemoveEntry(step.nIndex);
        return {step.nIndex, false};
    }
    TouchedEntry operator()(const EntryMoved& step) const
    {
        list.MoveEntry(step.nFrom, step.nTo);
        return {step.nTo, true};
    }
    TouchedEntry operator()(const EntryChanged& step) const
    {
        list.SetEntry(step.nIndex, step.after);
        return {step.nIndex, true};
    }
};

struct Inverse {
    IListSteps& list;

    TouchedEntry operator()(const EntriesInserted& step) const
    {
        RemoveBlock(step, list);
        return {step.nIndex, false};
    }
    TouchedEntry operator()(const EntryRemoved& step) const
    {
        list.InsertEntry(step.nIndex, step.entry);
        return {step.nIndex, true};
    }
    TouchedEntry operator()(const EntryMoved& step) const
    {
        list.MoveEntry(step.nTo, step.nFrom);
        return {step.nFrom, true};
    }
    TouchedEntry operator()(const EntryChanged& step) const
    {
        list.SetEntry(step.nIndex, step.before);
        return {step.nIndex, true};
    }
};

}  // namespace

TouchedEntry ApplyStep(const ListStep& step, IListSteps& list)
{
    return std::visit(Forward{list}, step);
}

TouchedEntry ApplyInverse(const ListStep& step, IListSteps& list)
{
    return std::visit(Inverse{list}, step);
}

std::optional<ListStep> StepOfEdit(const EditStart& start, const std::optional<ListEntry>& result)
{
    if (!result) {
        if (start.bNew)
            return std::nullopt;
        return EntryRemoved{start.nIndex, start.entry};
    }
    if (start.bNew)
        return EntriesInserted{start.nIndex, {*result}};
    if (*result == start.entry)
        return std::nullopt;
    return EntryChanged{start.nIndex, start.entry, *result};
}

void ListHistory::Record(ListStep step)
{
    m_undone.clear();
    m_done.push_back(std::move(step));
    if (m_done.size() > m_nDepth)
        m_done.pop_front();
}

std::optional<TouchedEntry> ListHistory::Undo(IListSteps& list)
{
    if (m_done.empty())
        return std::nullopt;
    m_undone.push_back(std::move(m_done.back()));
    m_done.pop_back();
    return ApplyInverse(m_undone.back(), list);
}

std::optional<TouchedEntry> ListHistory::Redo(IListSteps& list)
{
    if (m_undone.empty())
        return std::nullopt;
    m_done.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    return ApplyStep(m_done.back(), list);
}
