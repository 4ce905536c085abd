#include "entries/EntryList.h"
#include "paths/PathRules.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::vector<ListEntry> Shown(const EntryList& list)
{
    std::vector<ListEntry> out;
    for (int i = 0; i < list.GetCount(); ++i)
        out.push_back(list.At(i));
    return out;
}

// Every change keeps each name with its path: random changes of a list and
// of a plain vector of entries leave both the same, and the table never
// shorter than the list. A name that is its path's file title stays when the
// path changes.
TEST(EntryList, NamesAndPathsStayAlignedThroughAnySequenceOfChanges)
{
    for (unsigned seed = 1; seed <= 20; ++seed) {
        std::mt19937 random(seed);
        const auto pick = [&random](int n) { return static_cast<int>(random() % static_cast<unsigned>(n)); };
        EntryList list;
        std::vector<ListEntry> reference{{L"a", L"C:\\a.zel"}, {L"b", L"C:\\b.zel"}};
        list.Load({L"C:\\a.zel", L"C:\\b.zel"});
        for (int step = 0; step < 300; ++step) {
            const int count = static_cast<int>(reference.size());
            const std::wstring tag = std::to_wstring(step);
            const auto at = [&](int i) { return reference.begin() + i; };
            switch (pick(6)) {
            case 0: {
                const int i = pick(count + 1);
                const ListEntry entry{L"n" + tag, L"C:\\" + tag + L".zel"};
                list.Insert(i, entry);
                reference.insert(at(i), entry);
                break;
            }
            case 1:
                if (count > 0) {
                    const int i = pick(count);
                    list.Remove(i);
                    reference.erase(at(i));
                }
                break;
            case 2:
                if (count > 0) {
                    const int from = pick(count), to = pick(count);
                    list.Move(from, to);
                    const ListEntry moved = reference[static_cast<std::size_t>(from)];
                    reference.erase(at(from));
                    reference.insert(at(to), moved);
                }
                break;
            case 3:
                if (count > 1) {
                    const int a = pick(count), b = pick(count);
                    list.Swap(a, b);
                    std::swap(reference[static_cast<std::size_t>(a)], reference[static_cast<std::size_t>(b)]);
                }
                break;
            case 4:
                if (count > 0) {
                    const int i = pick(count);
                    ListEntry& entry = reference[static_cast<std::size_t>(i)];
                    entry.name = pick(2) ? DisplayName(entry.path) : L"r" + tag;
                    list.SetName(i, entry.name);
                }
                break;
            default:
                if (count > 0) {
                    const int i = pick(count);
                    list.SetPath(i, L"C:\\p" + tag + L".zel");
                    reference[static_cast<std::size_t>(i)].path = L"C:\\p" + tag + L".zel";
                }
                break;
            }
            ASSERT_EQ(Shown(list), reference) << "seed L" << seed << ", step " << step;
            ASSERT_GE(list.Paths().GetSize(), list.GetCount());
        }
    }
}

// The table's room: the loaded count and 32 spare elements, growing by
// whole steps of 32; a removal leaves the former last path in the spare
// element after the entries, and a new last entry never inherits it.
TEST(EntryList, TheTableKeepsSpareRoomAndGrowsByWholeSteps)
{
    EntryList list;
    list.Load({L"C:\\a", L"C:\\b"});
    EXPECT_EQ(list.Paths().GetSize(), 34);
    list.Remove(0);
    EXPECT_EQ(list.Paths().GetAt(1), L"C:\\b");
    list.Insert(1, {L"c", L""});
    EXPECT_EQ(list.PathAt(1), L"");
    while (list.GetCount() < 35)
        list.Insert(list.GetCount(), {L"x", L"C:\\x"});
    EXPECT_EQ(list.Paths().GetSize(), 66);
    list.Load({});
    EXPECT_EQ(list.Paths().GetSize(), 32);
    EXPECT_EQ(list.PathAt(0), L"");
}

TEST(EntryList, IndicesOutsideTheListChangeNothing)
{
    EntryList list;
    list.Load({L"C:\\a"});
    list.Insert(2, {L"x", L"C:\\x"});
    list.Remove(1);
    list.Move(0, 1);
    list.Swap(0, -1);
    list.SetName(1, L"y");
    list.SetPath(-1, L"C:\\y");
    EXPECT_EQ(Shown(list), (std::vector<ListEntry>{{L"a", L"C:\\a"}}));
    EXPECT_EQ(list.NameAt(5), L"");
}

}  // namespace
