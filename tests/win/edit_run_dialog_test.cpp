// In-place editing in the launcher's real dialog: opening the edit over an
// entry, ending it with keys, clicks and the end of the dialog, and what the
// path table and the saved run list make of it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <utility>

#include "ChildProcess.h"
#include "ListBoxMemory.h"
#include "RunDialogTest.h"

using namespace wintest;

namespace {

// A scene file in the folder; its full path.
std::string MakeScene(const TempDir& folder)
{
    const std::string scene = folder.File("scene.zel");
    WriteFileBytes(scene, "scene");
    return scene;
}

class EditRunDialogTest : public RunDialogTest {
protected:
    // The edit and the button lie over the item, the edit focused with its
    // whole text selected.
    void ExpectEditingOver(int item)
    {
        ASSERT_EQ(List().GetEditItem(), item);
        EXPECT_EQ(RectInParent(Edit()), InPlaceRectsOver(List().GetItemRect(item)).edit);
        EXPECT_EQ(RectInParent(Button()), InPlaceRectsOver(List().GetItemRect(item)).button);
        EXPECT_TRUE(Edit().IsWindowVisible());
        EXPECT_TRUE(Button().IsWindowVisible());
        EXPECT_EQ(::GetFocus(), Edit().m_hWnd);
        EXPECT_EQ(Narrow(Edit().GetWindowText()), Narrow(List().GetText(item)));
        DWORD start = 1, end = 0;
        Edit().SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, Narrow(List().GetText(item)).size());
        EXPECT_EQ(List().GetCurSel(), item);
    }
    void ExpectIdle()
    {
        EXPECT_FALSE(List().IsEditing());
        EXPECT_FALSE(Edit().IsWindowVisible());
        EXPECT_FALSE(Button().IsWindowVisible());
        EXPECT_FALSE(m_dlg->HasEnded());
        EXPECT_EQ(::GetFocus(), List().m_hWnd);
    }
};

TEST_F(EditRunDialogTest, F2AndARightClickOpenTheEditAndTheButtonOverTheEntry)
{
    OpenWith({"C:\\a.zel", "C:\\bb.zel", "C:\\c.zel"});
    EditByF2(1);
    ExpectEditingOver(1);
    EXPECT_EQ(Narrow(Button().GetWindowText()), "...");
    Press(Edit(), VK_ESCAPE);
    ExpectIdle();

    RightClickItem(2);
    ExpectEditingOver(2);
    EXPECT_EQ(List().GetFocusItem(), 2);
    Press(Edit(), VK_ESCAPE);

    // Below the last entry there is nothing to edit.
    const CRect below = List().GetItemRect(2);
    RightClick(List(), {below.left + 10, below.bottom + 5});
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(List().GetCount(), 3);
}

TEST_F(EditRunDialogTest, EnterAndAClickElsewhereCommitTheNameEscapeCancelsAndNoneEndsTheDialog)
{
    OpenWith(ScenePaths("abc", "C:\\"));
    EditByF2(0, "Intro", VK_RETURN);
    ExpectIdle();
    EXPECT_EQ(ItemTexts(List()), (V{"Intro", "b", "c"}));

    EditByF2(1, "never", VK_ESCAPE);
    ExpectIdle();
    EXPECT_EQ(Narrow(List().GetText(1)), "b");

    Press(List(), VK_F2);
    Type("Middle");
    ClickItem(2);
    EXPECT_FALSE(List().IsEditing());
    // Typing names entries; their paths stay.
    EXPECT_EQ(EntriesOf(List()), (Entries{{"Intro", "Middle", "c"}, {"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}}));

    // With no edit open, Enter ends the dialog again.
    CloseWith(VK_RETURN);
    EXPECT_EQ(SavedPaths(), ScenePaths("abc", "C:\\"));
}

TEST_F(EditRunDialogTest, AnEmptiedEntryDisappearsWithItsPathHoweverTheEditEnds)
{
    OpenWith(ScenePaths("abcd", "C:\\"));
    for (UINT vk : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
        EditByF2(1, "\b", vk);
        ExpectIdle();
    }
    EXPECT_EQ(EntriesOf(List()), LetterEntries("ad", "C:\\"));
    // The focus item now names the entry that followed.
    EXPECT_EQ(List().GetFocusItem(), 1);
}

// The click ends the edit first; the entry clicked is selected where it now
// lies, not the one that moved up under the pointer.
TEST_F(EditRunDialogTest, AClickWhileAnEmptiedEditIsOpenSelectsTheEntryClicked)
{
    OpenWith(ScenePaths("abcde", "C:\\"));
    EditByF2(0, "\b");
    ClickItem(2);
    ExpectIdle();
    EXPECT_EQ(ItemTexts(List()), (V{"b", "c", "d", "e"}));
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_EQ(List().GetFocusItem(), 1);
    Press(List(), VK_DELETE);
    EXPECT_EQ(PathHead(List()), ScenePaths("bde", "C:\\"));
}

// A rename the list box has no room for keeps the old name, and the entry
// with its path where it was.
TEST_F(EditRunDialogTest, ARenameTheListCannotStoreKeepsTheEntryAsItWas)
{
    ListBoxMemory memory;
    OpenWith(ScenePaths("abc", "C:\\"));
    memory.Allow(0);
    EditByF2(1, "renamed", VK_RETURN);
    ExpectIdle();
    EXPECT_EQ(EntriesOf(List()), LetterEntries("abc", "C:\\"));
}

// Without its edit box the list begins no edit, so none is left open that
// nothing could end; once the box can be made, editing works again.
TEST_F(EditRunDialogTest, NoEditBeginsWhileTheEditBoxCannotBeCreated)
{
    {
        EditCreationRefused refused;
        OpenWith(ScenePaths("ab", "C:\\"));
        EditByF2(0);
        EXPECT_FALSE(List().IsEditing());
        Strip().Execute(0);   // New
        Pump(*m_dlg);
        EXPECT_FALSE(List().IsEditing());
        EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
    }
    Press(List(), VK_F2);
    ExpectEditingOver(0);
    Press(Edit(), VK_ESCAPE);
    ExpectIdle();
}

TEST_F(EditRunDialogTest, ANewEntryStartsWithAnEmptyPathNotOneADeletedEntryLeftBehind)
{
    OpenWith(ScenePaths("abc", "C:\\"));
    ClickItem(2);
    Press(List(), VK_DELETE);
    ASSERT_EQ(Narrow(List().Paths().GetAt(2)), "C:\\c.zel");   // left in the spare element

    BeginNew();
    ExpectEditingOver(2);
    EXPECT_EQ(Narrow(List().Paths().GetAt(2)), "");
    Type("typed");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(EntriesOf(List()), (Entries{{"a", "b", "typed"}, {"C:\\a.zel", "C:\\b.zel", ""}}));

    // A new entry left empty goes again, whichever key ends it.
    BeginNew();
    Press(Edit(), VK_ESCAPE);
    EXPECT_EQ(List().GetCount(), 3);
}

// Insert is the keyboard's New: an empty entry at the end, opened for editing.
TEST_F(EditRunDialogTest, InsertInTheListOpensANewEntryAtTheEndAndNothingMoreDuringTheEdit)
{
    OpenWith(ScenePaths("ab", "C:\\"));
    ClickItem(0);
    Press(List(), VK_INSERT);
    ExpectEditingOver(2);
    EXPECT_EQ(Narrow(List().Paths().GetAt(2)), "");
    Press(Edit(), VK_INSERT);
    EXPECT_EQ(List().GetCount(), 3);
    Type("typed");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "typed"}));
    ExpectIdle();
}

TEST_F(EditRunDialogTest, F2AfterTheLastEntryWasRemovedBeginsANewEntryAtTheEnd)
{
    OpenWith(ScenePaths("ab", "C:\\"));
    EditByF2(1, "\b", VK_RETURN);
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_EQ(List().GetFocusItem(), 1);

    Press(List(), VK_F2);
    EXPECT_EQ(List().GetCount(), 2);
    ExpectEditingOver(1);
    EXPECT_EQ(Narrow(List().Paths().GetAt(1)), "");
}

// The close box and Alt+F4 do not reach the edit; the dialog ends it before
// it saves, as a loss of focus would.
TEST_F(EditRunDialogTest, AnEditOpenWhenTheDialogClosesEndsBeforeTheSave)
{
    for (bool bAltF4 : {false, true}) {
        OpenWith(ScenePaths("ab", "C:\\"));
        BeginNew();
        ASSERT_TRUE(List().IsEditing());
        bAltF4 ? CloseWith(VK_F4, true) : CloseWithCloseBox();   // the edit has the focus
        EXPECT_EQ(SavedPaths(), ScenePaths("ab", "C:\\")) << (bAltF4 ? "Alt+F4" : "close box");
    }

    OpenWith(ScenePaths("ab", "C:\\"));
    EditByF2(0, "\b");
    CloseWithCloseBox();
    EXPECT_EQ(SavedPaths(), ScenePaths("b", "C:\\"));
}

TEST_F(EditRunDialogTest, TheBrowseButtonOpensTheSystemFileDialogAndACancelKeepsTheEdit)
{
    OpenWith(ScenePaths("ab", "C:\\"));
    EditByF2(0);
    {
        DialogCanceller canceller(*m_dlg);   // the open-file dialog over the main window
        ClickCenter(Button());
        EXPECT_EQ(canceller.Answered(), 1);
    }
    // The dialog took the focus from the busy button without ending the edit.
    EXPECT_EQ(List().GetEditItem(), 0);
    EXPECT_TRUE(Edit().IsWindowVisible());
    EXPECT_EQ(Narrow(Edit().GetWindowText()), "a");
    EXPECT_EQ(PathHead(List()), ScenePaths("ab", "C:\\"));
}

// F4 and Alt+Down, the combo box's keys for its list, browse from the edit
// the way a click on "..." does.
TEST_F(EditRunDialogTest, F4AndAltDownInTheEditOpenTheSystemFileDialog)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    EditByF2(1);
    for (const bool bAlt : {false, true}) {
        DialogCanceller canceller(*m_dlg);
        PostKey(Edit(), bAlt ? VK_DOWN : VK_F4, bAlt);
        Pump(*m_dlg);
        EXPECT_EQ(canceller.Answered(), 1) << (bAlt ? "Alt+Down" : "F4");
        EXPECT_EQ(List().GetEditItem(), 1);
        EXPECT_TRUE(Edit().IsWindowVisible());
    }
}

// Puts the current directory back at the end of the test, whatever it found.
struct SavedCurrentDirectory {
    ~SavedCurrentDirectory()
    {
        std::error_code ignored;
        std::filesystem::current_path(path, ignored);
    }
    const std::filesystem::path path = std::filesystem::current_path();
};

// Every player started later inherits the launcher's current directory, which
// a browse into another folder leaves as it was.
TEST_F(EditRunDialogTest, ABrowsedFileInAnotherFolderLeavesTheCurrentDirectoryAlone)
{
    const TempDir folder;
    const std::string scene = MakeScene(folder);
    const SavedCurrentDirectory before;
    OpenWith({"C:\\a.zel"});
    EditByF2(0);
    ASSERT_EQ(BrowseTo(Widen(scene)), 1);
    EXPECT_TRUE(SamePath(PathHead(List()).at(0), scene)) << PathHead(List()).at(0);
    EXPECT_EQ(std::filesystem::current_path().string(), before.path.string());
}

// While the Open dialog is up its loop disables the dialog: a strip press
// (here the press message, as from anywhere) does nothing, and the chosen
// file goes to the entry being edited.
TEST_F(EditRunDialogTest, WhileTheOpenDialogIsUpAStripPressDoesNothing)
{
    const TempDir folder;
    const std::string scene = MakeScene(folder);
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    EditByF2(0);
    const UINT press = ::RegisterWindowMessageA("NimbrelRun_StripPress");
    const HWND hStrip = m_dlg->m_toolStrip;
    ASSERT_EQ(BrowseTo(Widen(scene), [=] { ::SendMessageA(hStrip, press, 1 /* Delete */, 0); }), 1);
    ASSERT_EQ(List().GetEditItem(), 0);
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"scene", "b"}));
    EXPECT_TRUE(SamePath(PathHead(List()).at(0), scene)) << PathHead(List()).at(0);
}

// The file goes only to the edit that asked for it: one ended and another
// begun while the dialog was up gets nothing.
TEST_F(EditRunDialogTest, AFileChosenAfterItsEditEndedGoesNowhere)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    EditByF2(0);
    List().m_fnOpenFileDialog = [this]() -> std::optional<std::wstring> {
        List().EndEdit(TRUE);
        List().BeginEdit(1);
        return std::wstring(L"C:\\chosen.zel");
    };
    ClickCenter(Button());
    EXPECT_EQ(List().GetEditItem(), 1);
    EXPECT_EQ(Narrow(Edit().GetWindowText()), "b");
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\b.zel"}));
}

// The wheel and the scroll bar move the rows under the edit box: the edit
// ends first, as a loss of focus ends it, and keeps the typed name.
TEST_F(EditRunDialogTest, ScrollingTheListEndsAnOpenEditFirst)
{
    OpenWith(NumberedPaths(40, "C:\\s"));
    CRect rcList;
    ::GetWindowRect(List(), &rcList);
    const POINT overList = Center(rcList);
    const struct { UINT message; WPARAM wParam; } scrolls[] = {
        {WM_VSCROLL, SB_PAGEDOWN}, {WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA))}};
    for (const auto& scroll : scrolls) {
        List().SendMessage(LB_SETTOPINDEX, 0);
        EditByF2(0);
        Type("renamed");
        ::PostMessageA(List(), scroll.message, scroll.wParam, MAKELPARAM(overList.x, overList.y));
        Pump(*m_dlg);
        EXPECT_FALSE(List().IsEditing()) << scroll.message;
        EXPECT_EQ(Narrow(List().GetText(0)), "renamed") << scroll.message;
        EXPECT_GT(List().GetTopIndex(), 0) << scroll.message;
    }
}

}  // namespace
