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
    bool TakeEntries(std::vector<std::wstring> loaded) override
    {
        if (capacity >= 0 && static_cast<int>(loaded.size()) > capacity) {
            entries.Load({});
            return false;
        }
        entries.Load(std::move(loaded));
        return true;
    }

    std::vector<std::wstring> Names() const
    {
        std::vector<std::wstring> out;
        for (int i = 0; i < entries.GetCount(); ++i)
            out.emplace_back(entries.NameAt(i));
        return out;
    }
    // Table elements 0 .. count-1.
    std::vector<std::wstring> TablePaths(int count) const
    {
        std::vector<std::wstring> out;
        for (int i = 0; i < count; ++i)
            out.push_back(entries.Paths().GetAt(i));
        return out;
    }

    EntryList entries;
    int capacity = -1;   // entries the list can take; -1: no limit
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

    bool KeepDamagedCopy(std::string_view bytes) override
    {
        if (!copyable)
            return false;
        damagedCopy = bytes;
        return true;
    }

    std::optional<std::string> file;  // none: the file is missing
    std::optional<std::string> damagedCopy;
    bool unreadable = false;
    bool writable = true;
    bool copyable = true;   // whether KeepDamagedCopy succeeds
    int reads = 0;
    int writes = 0;
};
