#include "listctrl/DropArithmetic.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "entries/PathTable.h"

namespace {

using V = std::vector<std::wstring>;

TEST(DropIndex, ATargetBelowTheSourceLandsOnePlaceHigher)
{
    EXPECT_EQ(DropIndex(0, 3, 5), 2);
    EXPECT_EQ(DropIndex(1, 4, 5), 3);
    EXPECT_EQ(DropIndex(0, 2, 3), 1);
}

TEST(DropIndex, ATargetAboveTheSourceLandsOnIt)
{
    EXPECT_EQ(DropIndex(3, 0, 5), 0);
    EXPECT_EQ(DropIndex(4, 3, 5), 3);
}

TEST(DropIndex, TheSourceItselfOrTheItemJustBelowChangesNothing)
{
    EXPECT_EQ(DropIndex(2, 2, 5), -1);
    EXPECT_EQ(DropIndex(2, 3, 5), -1);
    EXPECT_EQ(DropIndex(4, 4, 5), -1);
}

TEST(DropIndex, NoSourceOrNoTargetChangesNothing)
{
    EXPECT_EQ(DropIndex(-1, 2, 5), -1);
    EXPECT_EQ(DropIndex(2, -1, 5), -1);
    EXPECT_EQ(DropIndex(5, 0, 5), -1);   // not an item
    EXPECT_EQ(DropIndex(0, 5, 5), -1);
    EXPECT_EQ(DropIndex(0, 0, 0), -1);
}

// The order a drop onto the gap above nTarget should give, built by hand:
// every other item in its order, with the source put in before the target.
V ExpectedOrder(const V& items, int nSource, int nTarget)
{
    V out;
    for (int i = 0; i < static_cast<int>(items.size()); ++i) {
        if (i == nTarget)
            out.push_back(items[static_cast<size_t>(nSource)]);
        if (i != nSource)
            out.push_back(items[static_cast<size_t>(i)]);
    }
    return out;
}

// Every source and target of a five-item list, past both ends included: the
// items are reordered as the list box does it (take out, insert at the drop
// index) and the path table by Move, and the two stay aligned.
TEST(DropIndex, ItemsAndPathTableStayAlignedForEveryDrop)
{
    const V names{L"a", L"b", L"c", L"d", L"e"};
    const int n = static_cast<int>(names.size());
    for (int src = -1; src <= n; ++src) {
        for (int target = -1; target <= n; ++target) {
            V items = names;
            PathTable paths;
            paths.SetSize(n + 3);
            for (int i = 0; i < n; ++i)
                paths.SetAt(i, L"C:\\" + names[static_cast<size_t>(i)] + L".zel");

            const int to = DropIndex(src, target, n);
            if (to != -1) {
                const std::wstring moved = items[static_cast<size_t>(src)];
                items.erase(items.begin() + src);
                items.insert(items.begin() + to, moved);
                paths.Move(src, to);
            }

            const bool bMoves = src >= 0 && src < n && target >= 0 && target < n &&
                                target != src && target != src + 1;
            EXPECT_EQ(items, bMoves ? ExpectedOrder(names, src, target) : names)
                << "from L" << src << " onto " << target;
            for (int i = 0; i < n; ++i)
                EXPECT_EQ(paths.GetAt(i), L"C:\\" + items[static_cast<size_t>(i)] + L".zel")
                    << "from L" << src << " onto L" << target << ", item " << i;
            EXPECT_EQ(paths.GetSize(), n + 3);
        }
    }
}

}  // namespace
