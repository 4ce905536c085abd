#include "runlist/DefaultEntries.h"
#include "runlist/MemoryRunList.h"
#include "runlist/RunList.h"
#include "runlist/RunListFile.h"
#include "tests/native/RunListIo.h"

#include <gtest/gtest.h>

#include <new>
#include <optional>
#include <string>
#include <vector>

namespace {

using Strings = std::vector<std::wstring>;

const wchar_t kExe[] = L"C:\\Apps\\Run\\bin\\launch.exe";

Strings DefaultNames()
{
    Strings names;
    for (const DefaultEntry& entry : kDefaultEntries)
        names.push_back(entry.name);
    return names;
}

TEST(LoadRunList, AMissingFileIsCreatedWithTheDefaultEntries)
{
    MemoryRunListTarget list;
    MemoryRunListStore store;
    const RunListLoadResult result = LoadRunList(list, store, kExe);

    EXPECT_EQ(result.outcome, RunListOutcome::Created);
    EXPECT_TRUE(result.Message().empty());
    EXPECT_EQ(result.SaveRule(), RunListSaveRule::Always);
    ASSERT_TRUE(store.file);
    EXPECT_EQ(store.file->substr(0, 4), std::string("\x0E\0\0\0", 4));
    const RunListContents written = ParseRunList(*store.file);
    ASSERT_EQ(written.paths.size(), 14u);
    EXPECT_FALSE(written.IsDamaged());
    EXPECT_EQ(written.paths[0], L"C:\\Apps\\Run\\shaders\\dx9\\animation\\blend\\blend.zel");
    EXPECT_EQ(list.Names(), DefaultNames());
    EXPECT_EQ(list.TablePaths(14), written.paths);
    EXPECT_EQ(list.entries.Paths().GetSize(), 46);
}

TEST(LoadRunList, AnExistingFileFillsItemsAndTableInFileOrder)
{
    MemoryRunListTarget list;
    MemoryRunListStore store(SerializeRunList({L"C:\\Scenes\\blend.zel", L"scene", L"C:\\dir\\"}) + "junk");
    const RunListLoadResult result = LoadRunList(list, store, kExe);

    EXPECT_EQ(result.outcome, RunListOutcome::Loaded);
    EXPECT_EQ(result.entryCount, 3);
    EXPECT_TRUE(result.Message().empty());
    EXPECT_EQ(list.Names(), (Strings{L"blend", L"scene", L""}));
    EXPECT_EQ(list.TablePaths(3), (Strings{L"C:\\Scenes\\blend.zel", L"scene", L"C:\\dir\\"}));
    EXPECT_EQ(list.entries.Paths().GetSize(), 35);
    EXPECT_EQ(store.writes, 0);

    ASSERT_TRUE(SaveRunList(list.entries, store));
    EXPECT_EQ(*store.file, SerializeRunList({L"C:\\Scenes\\blend.zel", L"scene", L"C:\\dir\\"}));
}

TEST(LoadRunList, ACountOfZeroLoadsAnEmptyListAndKeepsTheFile)
{
    MemoryRunListTarget list;
    MemoryRunListStore store(std::string(4, '\0'));
    EXPECT_EQ(LoadRunList(list, store, kExe).outcome, RunListOutcome::Loaded);
    EXPECT_TRUE(list.entries.GetCount() == 0);
    EXPECT_EQ(list.entries.Paths().GetSize(), 32);
    EXPECT_EQ(store.writes, 0);
    ASSERT_TRUE(SaveRunList(list.entries, store));
    EXPECT_EQ(*store.file, std::string(4, '\0'));
}

const std::string kTwoOfFive = std::string("\x05\0\0\0", 4) + "\x08" "C:\\a.zel" + "\x01" "b" + "\x09" "C:";

TEST(LoadRunList, ADamagedFileKeepsTheEntriesReadAndIsSavedOverOnlyOnceChanged)
{
    for (const std::string& bytes : {kTwoOfFive, std::string("\xFF\xFF\xFF\x7F\x01" "a" "\x01" "b", 8)}) {
        MemoryRunListTarget list;
        MemoryRunListStore store(bytes);
        const RunListLoadResult result = LoadRunList(list, store, kExe);

        EXPECT_EQ(result.outcome, RunListOutcome::Damaged);
        EXPECT_EQ(result.entryCount, 2);
        EXPECT_EQ(result.Message(), "_zelrunlist.dat is damaged. Entries loaded from it: 2. If you change the list, "
                                    "the damaged file is kept as _zelrunlist.dat.damaged.");
        EXPECT_EQ(result.SaveRule(), RunListSaveRule::OnceChanged);
        EXPECT_EQ(static_cast<std::size_t>(list.entries.GetCount()), 2u);
        EXPECT_EQ(list.entries.Paths().GetSize(), 34);
        EXPECT_EQ(store.writes, 0);
    }
}

// A list whose memory runs out when it is given more than nRoom entries.
class OutOfMemoryTarget : public MemoryRunListTarget {
public:
    explicit OutOfMemoryTarget(std::size_t nRoom) : m_nRoom(nRoom) {}
    bool TakeEntries(std::vector<std::wstring> loaded) override
    {
        if (loaded.size() > m_nRoom)
            throw std::bad_alloc();
        return MemoryRunListTarget::TakeEntries(std::move(loaded));
    }

private:
    std::size_t m_nRoom;
};

TEST(LoadRunList, AListTooLargeForMemoryIsNotSavedOver)
{
    OutOfMemoryTarget list(2);
    MemoryRunListStore store(SerializeRunList({L"C:\\a.zel", L"C:\\b.zel", L"C:\\c.zel"}));
    const RunListLoadResult result = LoadRunList(list, store, kExe);

    EXPECT_EQ(result.outcome, RunListOutcome::TooLarge);
    EXPECT_EQ(result.Message(), std::string(kRunListDamagedText) + "0.");
    EXPECT_EQ(result.SaveRule(), RunListSaveRule::Never);
    EXPECT_EQ(list.entries.GetCount(), 0);
    EXPECT_EQ(store.writes, 0);
}

TEST(LoadRunList, FailuresLeaveTheListEmptyAndSayWhetherSavingIsAllowed)
{
    const struct {
        const char* what; bool exists; bool unreadable; bool writable; const wchar_t* exe;
        RunListOutcome outcome; RunListSaveRule saveRule;
    } cases[] = {
        {"unreadable", true, true, true, kExe, RunListOutcome::Unreadable, RunListSaveRule::Never},
        {"cannot create", false, false, false, kExe, RunListOutcome::CreateFailed, RunListSaveRule::Always},
        {"no executable path", false, false, true, L"", RunListOutcome::NoExePath, RunListSaveRule::Never},
    };
    for (const auto& c : cases) {
        MemoryRunListTarget list;
        MemoryRunListStore store;
        if (c.exists)
            store.file = "old";
        store.unreadable = c.unreadable;
        store.writable = c.writable;
        const RunListLoadResult result = LoadRunList(list, store, c.exe);

        EXPECT_EQ(result.outcome, c.outcome) << c.what;
        EXPECT_EQ(result.SaveRule(), c.saveRule) << c.what;
        EXPECT_EQ(result.Message(), kRunListErrorText) << c.what;
        EXPECT_TRUE(list.entries.GetCount() == 0) << c.what;
        EXPECT_EQ(list.entries.Paths().GetSize(), 0) << c.what;
        EXPECT_EQ(store.file == "old", c.exists) << c.what;
    }
}

TEST(SaveRunList, WritesTheItemCountNotTheTableSize)
{
    MemoryRunListTarget list;
    MemoryRunListStore store;
    LoadRunList(list, store, kExe);
    const Strings defaults = list.TablePaths(14);
    for (int index : {3, 0})
        list.entries.Remove(index);
    ASSERT_TRUE(SaveRunList(list.entries, store));

    Strings expected(defaults.begin() + 1, defaults.end());
    expected.erase(expected.begin() + 2);
    EXPECT_EQ(ParseRunList(*store.file).paths, expected);
    EXPECT_EQ(store.file->substr(0, 4), std::string("\x0C\0\0\0", 4));
}

// The save over a damaged file keeps the file's bytes as they are now beside
// it first; what cannot be kept is not written over.
TEST(SaveRunListOverDamaged, KeepsTheDamagedBytesBesideTheFileBeforeWritingOverIt)
{
    const std::string saved = SerializeRunList({L"b"});
    const struct {
        const char* what; bool exists; bool unreadable; bool copyable;
        bool saved; std::optional<std::string> file; std::optional<std::string> copy;
    } cases[] = {
        {"kept, then written", true, false, true, true, saved, kTwoOfFive},
        {"cannot be kept", true, false, false, false, kTwoOfFive, std::nullopt},
        {"cannot be read now", true, true, true, false, kTwoOfFive, std::nullopt},
        {"gone since the load", false, false, true, true, saved, std::nullopt},
    };
    for (const auto& c : cases) {
        MemoryRunListTarget list;
        MemoryRunListStore store(kTwoOfFive);
        LoadRunList(list, store, kExe);
        list.entries.Remove(0);
        if (!c.exists)
            store.file.reset();
        store.unreadable = c.unreadable;
        store.copyable = c.copyable;

        EXPECT_EQ(SaveRunListOverDamaged(list.entries, store), c.saved) << c.what;
        EXPECT_EQ(store.file, c.file) << c.what;
        EXPECT_EQ(store.damagedCopy, c.copy) << c.what;
    }
}

}  // namespace
