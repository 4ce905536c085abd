// The reference model of the run list on its own: a few of the described
// cases, and that its random runs reach what the test of the real dialog
// relies on them to reach.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "model/RandomOperations.h"
#include "model/RunListModel.h"

using namespace model;
using V = std::vector<std::string>;

namespace {

// One field of every entry, in list order.
V Column(const RunListModel& m, std::string Entry::*field)
{
    V column;
    for (const Entry& e : m.Entries())
        column.push_back(e.*field);
    return column;
}

V Texts(const RunListModel& m) { return Column(m, &Entry::text); }
V Paths(const RunListModel& m) { return Column(m, &Entry::path); }

TEST(RunListModel, DeleteRemovesWhatMovesIntoTheFocusIndexAndF2ThenBeginsANewEntry)
{
    RunListModel m({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    m.LeftClick(1);
    m.Press(Key::Delete);
    m.Press(Key::Delete);
    EXPECT_EQ(Texts(m), V{"a"});
    EXPECT_EQ(m.FocusItem(), 1);
    m.Press(Key::Delete);   // past the end: nothing
    EXPECT_EQ(Texts(m), V{"a"});

    m.Press(Key::F2);
    EXPECT_EQ(m.EditItem(), 1);
    EXPECT_EQ(m.Entries()[1], (Entry{"", ""}));
    EXPECT_EQ(m.KeyFocus(), Focus::Edit);
    m.Press(Key::Enter);   // still empty: gone again
    EXPECT_EQ(Texts(m), V{"a"});
    EXPECT_EQ(m.KeyFocus(), Focus::List);
}

TEST(RunListModel, ADropGoesIntoTheGapAboveTheTargetAndNowhereDuringAnEdit)
{
    RunListModel m({"a", "b", "c", "d"});
    m.LeftClick(0);
    m.Drag(3, true);
    EXPECT_EQ(Paths(m), (V{"b", "c", "a", "d"}));
    EXPECT_EQ(m.Selection(), 2);
    m.Drag(3, true);   // onto the item below: stays
    m.Drag(2, true);   // onto itself
    m.Drag(kNone, true);
    EXPECT_EQ(Paths(m), (V{"b", "c", "a", "d"}));
    const DragReplies replies = m.Drag(0, false);
    EXPECT_EQ(replies.nBegin, 1);
    EXPECT_EQ(replies.nMarker, 0);

    m.RightClick(2);
    const DragReplies refused = m.Drag(0, true);
    EXPECT_EQ(refused.nBegin, 0);
    EXPECT_EQ(refused.nDragging, 0);
    EXPECT_EQ(refused.nMarker, kNone);
    EXPECT_EQ(Paths(m), (V{"b", "c", "a", "d"}));
}

TEST(RunListModel, ABrowsedPathStaysWhenTheEditIsCancelledAndEscapeOnTheButtonCancels)
{
    RunListModel m({"C:\\a.zel"});
    m.RightClick(0);
    m.Browse(std::string("D:\\x\\name.old.zel"));
    EXPECT_EQ(m.EditText(), "name.old");
    EXPECT_EQ(m.KeyFocus(), Focus::Edit);
    m.Press(Key::Escape);
    EXPECT_EQ(m.Entries()[0], (Entry{"a", "D:\\x\\name.old.zel"}));

    m.ClickStrip(StripPart::New);
    m.Type("typed");
    m.Browse(std::nullopt);
    EXPECT_EQ(m.KeyFocus(), Focus::Button);
    m.Press(Key::F2);
    m.Press(Key::Escape);   // keeps the new entry's empty display text
    EXPECT_EQ(Texts(m), (V{"a", ""}));
}

TEST(RunListModel, TheEndOfTheDialogEndsAnOpenEditAndTheNextRunDerivesTheNames)
{
    RunListModel m({"C:\\s\\a.zel", "C:\\s\\b.zel"});
    m.RightClick(1);
    m.Type("renamed");
    m.CloseBox();
    EXPECT_TRUE(m.HasEnded());
    EXPECT_EQ(m.SavedPaths(), (V{"C:\\s\\a.zel", "C:\\s\\b.zel"}));
    m.Reopen();
    EXPECT_EQ(Texts(m), (V{"a", "b"}));
    EXPECT_EQ(m.Selection(), kNone);
    EXPECT_EQ(m.FocusItem(), kNone);

    m.ClickStrip(StripPart::New);
    m.ClickStrip(StripPart::Caption);   // ends the empty new entry: the list has the focus
    EXPECT_EQ(m.KeyFocus(), Focus::List);
    m.ClickStrip(StripPart::Caption);
    EXPECT_EQ(m.KeyFocus(), Focus::Strip);
    m.Press(Key::Escape);
    EXPECT_EQ(m.SavedPaths(), (V{"C:\\s\\a.zel", "C:\\s\\b.zel"}));
}

TEST(RunListModel, TheViewShowsTheRowAndTheEditedItemAndStaysWhenTheClickEndsTheEdit)
{
    RunListModel m(V(30, "x"));
    EXPECT_EQ(TopIndexFor(m, 25, 10, 0, false), 16);
    EXPECT_EQ(TopIndexFor(m, 25, 10, 18, false), 18);
    EXPECT_EQ(TopIndexFor(m, kNone, 10, 3, false), 20);
    m.RightClick(5);
    EXPECT_EQ(TopIndexFor(m, 12, 10, 0, false), 3);
    EXPECT_EQ(TopIndexFor(m, 15, 10, 0, false), std::nullopt);
    EXPECT_EQ(TopIndexFor(m, kNone, 10, 0, false), std::nullopt);

    // One item more than a page: replacing the committed text deletes an
    // item first, and the list box then goes back to its first item.
    RunListModel eleven(V(11, "x"));
    eleven.RightClick(3);
    EXPECT_EQ(TopIndexFor(eleven, 8, 10, 1, false), 1);
    EXPECT_EQ(TopIndexFor(eleven, 8, 10, 1, true), 0);
}

// What the fixed seeds of the dialog test rely on: a run repeats from its
// seed, and runs of a thousand operations outgrow the path table's spare room,
// empty the list, end the dialog, move the highlight by keys, start and copy
// entries and browse from the edit by key.
TEST(RandomOperations, RunsRepeatFromTheirSeedAndReachTheInterestingStates)
{
    auto run = [](std::uint64_t seed, int steps, std::set<std::string>* reached) {
        OperationSource source(seed, 10);
        const std::vector<std::string> initial = source.InitialPaths();
        RunListModel m(initial);
        int nLoaded = m.Count();
        std::vector<std::string> log;
        for (int i = 0; i < steps; ++i) {
            const Operation op = source.Next(m);
            log.push_back(Describe(op));
            Apply(op, m);
            EXPECT_TRUE(m.Selection() == kNone || m.Selection() < m.Count()) << log.back();
            EXPECT_TRUE(m.EditItem() == kNone || m.EditItem() < m.Count()) << log.back();
            if (m.Count() > nLoaded + 32)
                reached->insert("outgrown");
            if (m.Count() == 0)
                reached->insert("empty");
            if (m.HasEnded()) {
                reached->insert("reloaded");
                m.Reopen();
                nLoaded = m.Count();
            }
            reached->insert(log.back().substr(0, log.back().find(' ')));
            if (!m.Started().empty())
                reached->insert("started");
            if (!m.Copied().empty())
                reached->insert("copied");
            for (const char* key : {"key Home", "key End", "key Up", "key Down", "key Alt+Down, choosing"}) {
                if (log.back().rfind(key, 0) == 0)
                    reached->insert(key);
            }
        }
        return log;
    };
    std::set<std::string> reached;
    EXPECT_EQ(run(7, 2000, &reached), run(7, 2000, &reached));
    for (std::uint64_t seed = 1; seed <= 10; ++seed)
        run(seed, 1000, &reached);
    for (const char* state : {"outgrown", "empty", "reloaded", "left", "right", "key", "type", "browse,", "drag",
                              "strip", "close", "started", "copied", "key Home", "key End", "key Up", "key Down",
                              "key Alt+Down, choosing"})
        EXPECT_EQ(reached.count(state), 1u) << state;
}

}  // namespace
