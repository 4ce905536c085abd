#include "entries/PathTable.h"

#include <gtest/gtest.h>

namespace {

PathTable MakeTable(std::initializer_list<const char*> paths, int spare = 2)
{
    PathTable t;
    t.SetSize(static_cast<int>(paths.size()) + spare);
    int i = 0;
    for (const char* p : paths)
        t.SetAt(i++, p);
    return t;
}

std::vector<std::string> Head(const PathTable& t, int n)
{
    std::vector<std::string> out;
    for (int i = 0; i < n; ++i)
        out.push_back(t.GetAt(i));
    return out;
}

using V = std::vector<std::string>;

TEST(PathTable, RemoveShiftMovesLaterElementsDownAndLeavesTheSpareCopy)
{
    PathTable t = MakeTable({"a", "b", "c", "d"});
    t.RemoveShift(1, 3);
    EXPECT_EQ(Head(t, 4), (V{"a", "c", "d", "d"}));
    EXPECT_EQ(t.GetSize(), 6);
}

TEST(PathTable, RemoveShiftOfTheLastItemChangesNothingBelowIt)
{
    PathTable t = MakeTable({"a", "b", "c"});
    t.RemoveShift(2, 2);
    EXPECT_EQ(Head(t, 3), (V{"a", "b", "c"}));
    t.RemoveShift(-1, 2);
    t.RemoveShift(7, 2);
    EXPECT_EQ(Head(t, 3), (V{"a", "b", "c"}));
}

TEST(PathTable, RemoveShiftNeverReadsPastAFullTable)
{
    PathTable t = MakeTable({"a", "b", "c"}, 0);
    t.RemoveShift(0, 5);   // a count larger than the table is clamped
    EXPECT_EQ(Head(t, 3), (V{"b", "c", "c"}));
}

// An undone deletion puts the path back where it was, also into a full table
// and at the end; an index outside the list inserts nothing.
TEST(PathTable, InsertShiftMovesLaterElementsUpAndGrowsAFullTable)
{
    PathTable t = MakeTable({"a", "b", "c"}, 0);
    t.InsertShift(1, 3, "x");
    EXPECT_EQ(Head(t, 4), (V{"a", "x", "b", "c"}));
    EXPECT_EQ(t.GetSize(), 3 + PathTable::kDefaultGrowBy);
    t.InsertShift(4, 4, "end");
    t.InsertShift(0, 5, "top");
    EXPECT_EQ(Head(t, 6), (V{"top", "a", "x", "b", "c", "end"}));
    t.InsertShift(7, 6, "past");
    t.InsertShift(-1, 6, "before");
    EXPECT_EQ(Head(t, 7), (V{"top", "a", "x", "b", "c", "end", ""}));
}

TEST(PathTable, SetAtBeyondTheEndGrowsInWholeSteps)
{
    PathTable t;
    t.SetSize(46, 32);
    t.SetAt(46, "x");
    EXPECT_EQ(t.GetSize(), 78);
    EXPECT_EQ(t.GetAt(46), "x");
    t.SetAt(200, "y");
    EXPECT_EQ(t.GetSize(), 206);
    PathTable empty;          // a table the load never sized still grows
    empty.SetAt(0, "z");
    EXPECT_EQ(empty.GetSize(), 32);
    EXPECT_EQ(empty.GetAt(-1), "");
    EXPECT_EQ(empty.GetAt(5000), "");
}

TEST(PathTable, MoveDownAndUpKeepTheOthersInOrder)
{
    PathTable t = MakeTable({"a", "b", "c", "d", "e"});
    t.Move(0, 2);
    EXPECT_EQ(Head(t, 5), (V{"b", "c", "a", "d", "e"}));
    t.Move(3, 0);
    EXPECT_EQ(Head(t, 5), (V{"d", "b", "c", "a", "e"}));
    t.Move(1, 1);
    t.Move(-1, 2);
    t.Move(1, 99);
    EXPECT_EQ(Head(t, 5), (V{"d", "b", "c", "a", "e"}));
}

TEST(PathTable, SwapExchangesTwoElements)
{
    PathTable t = MakeTable({"a", "b", "c"});
    t.Swap(2, 0);
    EXPECT_EQ(Head(t, 3), (V{"c", "b", "a"}));
    t.Swap(0, 100);
    EXPECT_EQ(Head(t, 3), (V{"c", "b", "a"}));
}

}  // namespace
