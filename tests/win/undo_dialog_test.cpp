// Undo and redo in the launcher's real dialog: every kind of change taken
// back and done again by the keys, what the list shows afterwards, what is no
// change, and Ctrl+Z inside the in-place edit.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "RunDialogTest.h"

using namespace wintest;

namespace {

class UndoDialogTest : public RunDialogTest {
protected:
    Entries View() { return EntriesOf(List()); }
    void Undo() { Chord(List(), 'Z', {VK_CONTROL}); }
    void RedoY() { Chord(List(), 'Y', {VK_CONTROL}); }
    void RedoShiftZ() { Chord(List(), 'Z', {VK_CONTROL, VK_SHIFT}); }
    // Opens the edit over the item, browses (when chosen) and types (when
    // given), then ends with the key.
    void EditItem(int i, const std::optional<std::string>& typed, const std::optional<std::string>& chosen,
                  UINT endKey = VK_RETURN)
    {
        RightClickItem(i);
        ASSERT_TRUE(List().IsEditing());
        if (chosen) {
            List().m_fnOpenFileDialog = [chosen] { return Widen(chosen); };
            ClickCenter(Button());
        }
        if (typed) {
            Edit().SendMessage(EM_SETSEL, 0, -1);
            Type(typed->empty() ? std::string("\b") : *typed);
        }
        Press(::GetFocus(), endKey);
        ASSERT_FALSE(List().IsEditing());
        ::SetFocus(List());
    }
};

// Every kind of change, one after another; undo takes each back in turn to
// exactly the list before it, with the touched entry selected, and redo (both
// keys) does each again. Closing saves the list as it is by then.
TEST_F(UndoDialogTest, EveryKindOfChangeIsOneStepUndoneAndRedone)
{
    OpenWith(ScenePaths("abcde"));
    std::vector<Entries> views{View()};
    std::vector<int> touched;   // the entry undo selects, per step; -1: undo takes it out again
    auto changed = [&](int nUndoSelects) {
        ASSERT_NE(View(), views.back());
        views.push_back(View());
        touched.push_back(nUndoSelects);
    };
    ClickItem(1);
    Press(List(), VK_DELETE);   // the focus item, by key
    changed(1);
    ClickItem(0);
    ClickStripButton(1);        // the selection, by the strip
    changed(0);
    ClickItem(0);
    Press(List(), VK_DOWN, true);
    changed(0);
    ClickStripButton(2);        // Move Up of the moved entry
    changed(1);
    ClickItem(2);
    const POINT target = ItemPoint(0);
    List().Dropped(2, CPoint(target.x, target.y));   // what a drop onto the first entry does
    changed(2);
    ClickStripButton(0);        // New, named
    Type("fresh");
    Press(Edit(), VK_RETURN);
    changed(-1);
    EditItem(0, std::string("renamed"), std::nullopt);
    changed(0);
    EditItem(1, std::string("both"), std::string("D:\\x\\browsed.zel"));
    changed(1);
    EditItem(2, std::nullopt, std::string("D:\\x\\path only.zel"), VK_ESCAPE);
    changed(2);
    EditItem(2, std::string(), std::nullopt);   // emptied: removed
    changed(2);

    for (size_t i = touched.size(); i > 0; --i) {
        Undo();
        ASSERT_EQ(View(), views[i - 1]) << "undoing step " << i;
        if (touched[i - 1] != -1) {
            EXPECT_EQ(List().GetCurSel(), touched[i - 1]) << "undoing step " << i;
            EXPECT_EQ(List().GetFocusItem(), touched[i - 1]) << "undoing step " << i;
        }
    }
    Undo();
    EXPECT_EQ(View(), views.front());
    for (size_t i = 1; i < views.size(); ++i) {
        if (i % 2 != 0)
            RedoY();
        else
            RedoShiftZ();
        ASSERT_EQ(View(), views[i]) << "redoing step " << i;
    }
    Undo();
    Undo();
    CloseWithCloseBox();
    EXPECT_EQ(SavedPaths(), views[views.size() - 3].paths);
}

// An edit that changes nothing, and a new entry given up again, are no step:
// the next undo takes back the change before them. A change after an undo
// leaves nothing to redo.
TEST_F(UndoDialogTest, NoChangeIsNoStepAndAChangeAfterAnUndoCutsTheRedo)
{
    OpenWith(ScenePaths("abc"));
    ClickItem(0);
    Press(List(), VK_DOWN, true);
    const Entries moved = View();
    EditItem(0, std::nullopt, std::nullopt);                  // opened and closed
    EditItem(1, std::string("typed"), std::nullopt, VK_ESCAPE);   // cancelled
    ClickStripButton(0);                                      // New, left empty
    Press(Edit(), VK_RETURN);
    ASSERT_EQ(View(), moved);
    ClickItem(0);
    Undo();
    EXPECT_EQ(View().names, (V{"a", "b", "c"}));

    ClickItem(2);
    Press(List(), VK_DELETE);
    RedoY();
    EXPECT_EQ(View().names, (V{"a", "b"}));
    Undo();
    Undo();
    EXPECT_EQ(View().names, (V{"a", "b", "c"}));   // the first move stays done, not undone twice
}

// Undo brings the touched entry into view, selected; redo of a deletion shows
// where it was, with nothing selected.
TEST_F(UndoDialogTest, UndoScrollsTheTouchedEntryIntoView)
{
    OpenWith(NumberedPaths(200, "C:\\s\\scene"));
    ClickItem(0);
    Press(List(), VK_DELETE);
    List().SendMessage(LB_SETTOPINDEX, 150);
    Pump(*m_dlg);
    Undo();
    EXPECT_EQ(Narrow(List().GetText(0)), "scene0");
    EXPECT_EQ(List().GetCurSel(), 0);
    EXPECT_EQ(List().GetTopIndex(), 0);
    List().SendMessage(LB_SETTOPINDEX, 150);
    Pump(*m_dlg);
    RedoY();
    EXPECT_EQ(Narrow(List().GetText(0)), "scene1");
    EXPECT_EQ(List().GetCurSel(), -1);
    EXPECT_EQ(List().GetTopIndex(), 0);
}

// In the edit Ctrl+Z is the edit's own undo of the typing; the list's history
// is not touched, and after the edit Ctrl+Z undoes the rename as a whole.
TEST_F(UndoDialogTest, CtrlZInTheEditUndoesTheTypingOnly)
{
    OpenWith(ScenePaths("ab"));
    ClickItem(0);
    Press(List(), VK_DOWN, true);
    RightClickItem(0);
    ASSERT_EQ(Narrow(Edit().GetWindowText()), "b");
    Edit().SendMessage(EM_SETSEL, 0, -1);
    Type("typed");
    Chord(Edit(), 'Z', {VK_CONTROL});
    EXPECT_EQ(Narrow(Edit().GetWindowText()), "b");
    EXPECT_TRUE(List().IsEditing());
    EXPECT_EQ(View().names, (V{"b", "a"}));
    EXPECT_FALSE(List().Undo());   // refused while the edit is open

    Type("x");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(View().names, (V{"x", "a"}));
    Undo();
    EXPECT_EQ(View().names, (V{"b", "a"}));
    Undo();
    EXPECT_EQ(View().names, (V{"a", "b"}));
}

}  // namespace
