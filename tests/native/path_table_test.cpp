#include "entries/PathTable.h"

#include <gtest/gtest.h>

namespace {

PathTable MakeTable(std::initializer_list<const wchar_t*> paths, int spare = 2)
{
    PathTable t;
    t.SetSize(static_cast<int>(paths.size()) + spare);
    int i = 0;
    for (const wchar_t* p : paths)
        t.SetAt(i++, p);
    return t;
}

std::vector<std::wstring> Head(const PathTable& t, int n)
{
    std::vector<std::wstring> out;
    for (int i = 0; i < n; ++i)
        out.push_back(t.GetAt(i));
    return out;
}

using V = std::vector<std::wstring>;

TEST(PathTable, RemoveShiftMovesLaterElementsDownAndLeavesTheSpareCopy)
{
    PathTable t = MakeTable({L"a", L"b", L"c", L"d"});
    t.RemoveShift(1, 3);
    EXPECT_EQ(Head(t, 4), (V{L"a", L"c", L"d", L"d"}));
    EXPECT_EQ(t.GetSize(), 6);
}

TEST(PathTable, RemoveShiftOfTheLastItemChangesNothingBelowIt)
{
    PathTable t = MakeTable({L"a", L"b", L"c"});
    t.RemoveShift(2, 2);
    EXPECT_EQ(Head(t, 3), (V{L"a", L"b", L"c"}));
    t.RemoveShift(-1, 2);
    t.RemoveShift(7, 2);
    EXPECT_EQ(Head(t, 3), (V{L"a", L"b", L"c"}));
}

TEST(PathTable, RemoveShiftNeverReadsPastAFullTable)
{
    PathTable t = MakeTable({L"a", L"b", L"c"}, 0);
    t.RemoveShift(0, 5);   // a count larger than the table is clamped
    EXPECT_EQ(Head(t, 3), (V{L"b", L"c", L"c"}));
}

// An undone deletion puts the path back where it was, also into a full table
// and at the end; an index outside the list inserts nothing.
TEST(PathTable, InsertShiftMovesLaterElementsUpAndGrowsAFullTable)
{
    PathTable t = MakeTable({L"a", L"b", L"c"}, 0);
    t.InsertShift(1, 3, L"x");
    EXPECT_EQ(Head(t, 4), (V{L"a", L"x", L"b", L"c"}));
    EXPECT_EQ(t.GetSize(), 3 + PathTable::kDefaultGrowBy);
    t.InsertShift(4, 4, L"end");
    t.InsertShift(0, 5, L"top");
    EXPECT_EQ(Head(t, 6), (V{L"top", L"a", L"x", L"b", L"c", L"end"}));
    t.InsertShift(7, 6, L"past");
    t.InsertShift(-1, 6, L"before");
    EXPECT_EQ(Head(t, 7), (V{L"top", L"a", L"x", L"b", L"c", L"end", L""}));
}

TEST(PathTable, SetAtBeyondTheEndGrowsInWholeSteps)
{
    PathTable t;
    t.SetSize(46, 32);
    t.SetAt(46, L"x");
    EXPECT_EQ(t.GetSize(), 78);
    EXPECT_EQ(t.GetAt(46), L"x");
    t.SetAt(200, L"y");
    EXPECT_EQ(t.GetSize(), 206);
    PathTable empty;          // a table the load never sized still grows
    empty.SetAt(0, L"z");
    EXPECT_EQ(empty.GetSize(), 32);
    EXPECT_EQ(empty.GetAt(-1), L"");
    EXPECT_EQ(empty.GetAt(5000), L"");
}

TEST(PathTable, MoveDownAndUpKeepTheOthersInOrder)
{
    PathTable t = MakeTable({L"a", L"b", L"c", L"d", L"e"});
    t.Move(0, 2);
    EXPECT_EQ(Head(t, 5), (V{L"b", L"c", L"a", L"d", L"e"}));
    t.Move(3, 0);
    EXPECT_EQ(Head(t, 5), (V{L"d", L"b", L"c", L"a", L"e"}));
    t.Move(1, 1);
    t.Move(-1, 2);
    t.Move(1, 99);
    EXPECT_EQ(Head(t, 5), (V{L"d", L"b", L"c", L"a", L"e"}));
}

TEST(PathTable, SwapExchangesTwoElements)
{
    PathTable t = MakeTable({L"a", L"b", L"c"});
    t.Swap(2, 0);
    EXPECT_EQ(Head(t, 3), (V{L"c", L"b", L"a"}));
    t.Swap(0, 100);
    EXPECT_EQ(Head(t, 3), (V{L"c", L"b", L"a"}));
}

}  // namespace
