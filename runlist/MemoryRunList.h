#pragma once
// The run list's list and store held in memory: what the tests and the fuzzer
// run LoadRunList and SaveRunList against.
#include "runlist/RunList.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

class MemoryRunListTarget : public IRunListTarget {
public:
    int GetCount() const override { return static_cast<int>(items.size()); }
    bool InsertItem(int nIndex, const std::string& text) override
    {
        if (static_cast<int>(items.size()) == capacity)
            return false;
        items.insert(nIndex < 0 ? items.end() : items.begin() + nIndex, text);
        return true;
    }
    void RemoveAllItems() override { items.clear(); }
    PathTable& Paths() override { return table; }
    const PathTable& Paths() const override { return table; }

    // Table elements 0 .. count-1.
    std::vector<std::string> TablePaths(int count) const
    {
        std::vector<std::string> out;
        for (int i = 0; i < count; ++i)
            out.push_back(table.GetAt(i));
        return out;
    }

    std::vector<std::string> items;
    PathTable table;
    int capacity = -1;   // items the list can take; -1: no limit
};

class MemoryRunListStore : public IRunListStore {
public:
    MemoryRunListStore() = default;
    explicit MemoryRunListStore(std::string bytes) : file(std::move(bytes)) {}

    ReadResult Read(std::string& bytes) override
    {
        ++reads;
        if (unreadable)
            return ReadResult::Unreadable;
        if (!file)
            return ReadResult::Missing;
        bytes = *file;
        return ReadResult::Ok;
    }
    using IRunListStore::Write;
    bool Write(IByteSource& bytes) override
    {
        ++writes;
        if (!writable)
            return false;
        file = JoinPieces(bytes);
        return true;
    }

    std::optional<std::string> file;  // none: the file is missing
    bool unreadable = false;
    bool writable = true;
    int reads = 0;
    int writes = 0;
};
