// In-place editing in the launcher's real dialog: opening the edit over an
// entry, ending it with keys, clicks and the end of the dialog, and what the
// path table and the saved run list make of it.
#include <gtest/gtest.h>

#include <utility>

#include "ChildProcess.h"
#include "ListBoxMemory.h"
#include "RunDialogTest.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "listctrl/InPlaceCtrl.h"

using namespace wintest;
using V = std::vector<std::string>;

namespace {

class EditRunDialogTest : public RunDialogTest {
protected:
    CInPlaceEdit& Edit() { return *List().GetInPlaceEdit(); }
    CInPlaceButton& Button() { return *List().GetInPlaceButton(); }
    void Press(HWND hWnd, UINT vk)
    {
        PostKey(hWnd, vk);
        Pump(*m_dlg);
    }
    void Type(const std::string& text)
    {
        PostChars(Edit(), text);
        Pump(*m_dlg);
    }
    void RightClickItem(int i)
    {
        PostClick(List(), ItemCenter(List(), i), WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
        Pump(*m_dlg);
    }
    // The edit and the button lie over the item, the edit focused with its
    // whole text selected.
    void ExpectEditingOver(int item)
    {
        ASSERT_EQ(List().GetEditItem(), item);
        const CRect rc = List().GetItemRect(item);
        EXPECT_EQ(RectInParent(Edit()), CRect(rc.left + 5, rc.top - 2, rc.right - 30, rc.bottom + 2));
        EXPECT_EQ(RectInParent(Button()), CRect(rc.right - 30, rc.top - 2, rc.right - 5, rc.bottom + 2));
        EXPECT_TRUE(Edit().IsWindowVisible());
        EXPECT_TRUE(Button().IsWindowVisible());
        EXPECT_EQ(::GetFocus(), Edit().m_hWnd);
        EXPECT_EQ(Edit().GetWindowText(), List().GetText(item));
        DWORD start = 1, end = 0;
        Edit().SendMessage(EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        EXPECT_EQ(start, 0u);
        EXPECT_EQ(end, List().GetText(item).size());
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
    ClickItem(1);
    Press(List(), VK_F2);
    ExpectEditingOver(1);
    EXPECT_EQ(Button().GetWindowText(), "...");
    Press(Edit(), VK_ESCAPE);
    ExpectIdle();

    RightClickItem(2);
    ExpectEditingOver(2);
    EXPECT_EQ(List().GetFocusItem(), 2);
    Press(Edit(), VK_ESCAPE);

    // Below the last entry there is nothing to edit.
    const CRect below = List().GetItemRect(2);
    PostClick(List(), {below.left + 10, below.bottom + 5}, WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON);
    Pump(*m_dlg);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(List().GetCount(), 3);
}

TEST_F(EditRunDialogTest, EnterAndAClickElsewhereCommitTheNameEscapeCancelsAndNoneEndsTheDialog)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    ClickItem(0);
    Press(List(), VK_F2);
    Type("Intro");
    Press(Edit(), VK_RETURN);
    ExpectIdle();
    EXPECT_EQ(ItemTexts(List()), (V{"Intro", "b", "c"}));

    ClickItem(1);
    Press(List(), VK_F2);
    Type("never");
    Press(Edit(), VK_ESCAPE);
    ExpectIdle();
    EXPECT_EQ(List().GetText(1), "b");

    Press(List(), VK_F2);
    Type("Middle");
    ClickItem(2);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(ItemTexts(List()), (V{"Intro", "Middle", "c"}));
    // Typing names entries; their paths stay.
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));

    // With no edit open, Enter ends the dialog again.
    CloseWith(VK_RETURN);
    EXPECT_EQ(SavedPaths(), (V{"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));
}

TEST_F(EditRunDialogTest, AnEmptiedEntryDisappearsWithItsPathHoweverTheEditEnds)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel"});
    for (UINT vk : {UINT(VK_RETURN), UINT(VK_ESCAPE)}) {
        ClickItem(1);
        Press(List(), VK_F2);
        Type("\b");
        Press(Edit(), vk);
        ExpectIdle();
    }
    EXPECT_EQ(ItemTexts(List()), (V{"a", "d"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\d.zel"}));
    // The focus item now names the entry that followed.
    EXPECT_EQ(List().GetFocusItem(), 1);
}

// The click ends the edit first; the entry clicked is selected where it now
// lies, not the one that moved up under the pointer.
TEST_F(EditRunDialogTest, AClickWhileAnEmptiedEditIsOpenSelectsTheEntryClicked)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel", "C:\\d.zel", "C:\\e.zel"});
    ClickItem(0);
    Press(List(), VK_F2);
    Type("\b");
    ClickItem(2);
    ExpectIdle();
    EXPECT_EQ(ItemTexts(List()), (V{"b", "c", "d", "e"}));
    EXPECT_EQ(List().GetCurSel(), 1);
    EXPECT_EQ(List().GetFocusItem(), 1);
    Press(List(), VK_DELETE);
    EXPECT_EQ(PathHead(List()), (V{"C:\\b.zel", "C:\\d.zel", "C:\\e.zel"}));
}

// A rename the list box has no room for keeps the old name, and the entry
// with its path where it was.
TEST_F(EditRunDialogTest, ARenameTheListCannotStoreKeepsTheEntryAsItWas)
{
    ListBoxMemory memory;
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    memory.Allow(0);
    ClickItem(1);
    Press(List(), VK_F2);
    Type("renamed");
    Press(Edit(), VK_RETURN);
    ExpectIdle();
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));
}

// Without its edit box the list begins no edit, so none is left open that
// nothing could end; once the box can be made, editing works again.
TEST_F(EditRunDialogTest, NoEditBeginsWhileTheEditBoxCannotBeCreated)
{
    {
        EditCreationRefused refused;
        OpenWith({"C:\\a.zel", "C:\\b.zel"});
        ClickItem(0);
        Press(List(), VK_F2);
        EXPECT_FALSE(List().IsEditing());
        m_dlg->m_toolStrip.Execute(0);   // New
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
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    ClickItem(2);
    Press(List(), VK_DELETE);
    ASSERT_EQ(List().Paths().GetAt(2), "C:\\c.zel");   // left in the spare element

    List().BeginEditNew();
    Pump(*m_dlg);
    ExpectEditingOver(2);
    EXPECT_EQ(List().Paths().GetAt(2), "");
    Type("typed");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "typed"}));
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\b.zel", ""}));

    // A new entry left empty goes again, whichever key ends it.
    List().BeginEditNew();
    Pump(*m_dlg);
    Press(Edit(), VK_ESCAPE);
    EXPECT_EQ(List().GetCount(), 3);
}

// Insert is the keyboard's New: an empty entry at the end, opened for editing.
TEST_F(EditRunDialogTest, InsertInTheListOpensANewEntryAtTheEndAndNothingMoreDuringTheEdit)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(0);
    Press(List(), VK_INSERT);
    ExpectEditingOver(2);
    EXPECT_EQ(List().Paths().GetAt(2), "");
    Press(Edit(), VK_INSERT);
    EXPECT_EQ(List().GetCount(), 3);
    Type("typed");
    Press(Edit(), VK_RETURN);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "typed"}));
    ExpectIdle();
}

TEST_F(EditRunDialogTest, F2AfterTheLastEntryWasRemovedBeginsANewEntryAtTheEnd)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(1);
    Press(List(), VK_F2);
    Type("\b");
    Press(Edit(), VK_RETURN);
    ASSERT_EQ(List().GetCount(), 1);
    EXPECT_EQ(List().GetFocusItem(), 1);

    Press(List(), VK_F2);
    EXPECT_EQ(List().GetCount(), 2);
    ExpectEditingOver(1);
    EXPECT_EQ(List().Paths().GetAt(1), "");
}

// The close box and Alt+F4 do not reach the edit; the dialog ends it before
// it saves, as a loss of focus would.
TEST_F(EditRunDialogTest, AnEditOpenWhenTheDialogClosesEndsBeforeTheSave)
{
    for (bool bAltF4 : {false, true}) {
        OpenWith({"C:\\a.zel", "C:\\b.zel"});
        List().BeginEditNew();
        Pump(*m_dlg);
        ASSERT_TRUE(List().IsEditing());
        if (bAltF4) {
            PostKey(Edit(), VK_F4, true);
            Pump(*m_dlg);
            ASSERT_TRUE(m_dlg->HasEnded());
            m_dlg->FinishModal();
        } else {
            CloseWithCloseBox();
        }
        EXPECT_EQ(SavedPaths(), (V{"C:\\a.zel", "C:\\b.zel"})) << (bAltF4 ? "Alt+F4" : "close box");
    }

    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(0);
    Press(List(), VK_F2);
    Type("\b");
    CloseWithCloseBox();
    EXPECT_EQ(SavedPaths(), (V{"C:\\b.zel"}));
}

// Finds the open-file dialog that the browse button opens over the main
// window, records that it came, and cancels it, or answers it as a user who
// types each text into the file name box in turn and presses Open (a folder
// goes into the folder, a file opens it).
class FileDialogAnswer {
public:
    explicit FileDialogAnswer(HWND hOwner, std::vector<std::string> typed = {})
        : m_hOwner(hOwner), m_typed(std::move(typed)), m_thread([this] { Watch(); })
    {
    }
    ~FileDialogAnswer()
    {
        m_stop = true;
        m_thread.join();
    }
    FileDialogAnswer(const FileDialogAnswer&) = delete;
    FileDialogAnswer& operator=(const FileDialogAnswer&) = delete;

    int Answered() const { return m_answered; }

private:
    static constexpr int kFileNameBox = 1148;

    static BOOL CALLBACK Visit(HWND hWnd, LPARAM lParam)
    {
        auto* self = reinterpret_cast<FileDialogAnswer*>(lParam);
        char cls[16] = {};
        ::GetClassNameA(hWnd, cls, sizeof cls);
        if (std::string(cls) != "#32770" || ::GetWindow(hWnd, GW_OWNER) != self->m_hOwner ||
            !::IsWindowVisible(hWnd))
            return TRUE;
        // Each text is taken before the next is typed.
        for (const std::string& text : self->m_typed) {
            ::SetDlgItemTextA(hWnd, kFileNameBox, text.c_str());
            ::SendMessageA(hWnd, WM_COMMAND, IDOK, 0);
        }
        if (self->m_typed.empty())
            ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
        ::ShowWindow(hWnd, SW_HIDE);   // not seen twice while it closes
        ++self->m_answered;
        return TRUE;
    }
    void Watch()
    {
        while (!m_stop) {
            ::EnumThreadWindows(m_uiThread, Visit, reinterpret_cast<LPARAM>(this));
            ::Sleep(20);
        }
    }

    HWND m_hOwner;
    std::vector<std::string> m_typed;
    DWORD m_uiThread = ::GetCurrentThreadId();
    std::atomic<bool> m_stop{false};
    std::atomic<int> m_answered{0};
    std::thread m_thread;
};

TEST_F(EditRunDialogTest, TheBrowseButtonOpensTheSystemFileDialogAndACancelKeepsTheEdit)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(0);
    Press(List(), VK_F2);
    {
        FileDialogAnswer canceller(*m_dlg);
        const CRect rc = Button().GetClientRect();
        PostClick(Button(), {rc.Width() / 2, rc.Height() / 2});
        Pump(*m_dlg);
        EXPECT_EQ(canceller.Answered(), 1);
    }
    // The dialog took the focus from the busy button without ending the edit.
    EXPECT_EQ(List().GetEditItem(), 0);
    EXPECT_TRUE(Edit().IsWindowVisible());
    EXPECT_EQ(Edit().GetWindowText(), "a");
    EXPECT_EQ(PathHead(List()), (V{"C:\\a.zel", "C:\\b.zel"}));
}

// F4 and Alt+Down, the combo box's keys for its list, browse from the edit
// the way a click on "..." does.
TEST_F(EditRunDialogTest, F4AndAltDownInTheEditOpenTheSystemFileDialog)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    ClickItem(1);
    Press(List(), VK_F2);
    for (const bool bAlt : {false, true}) {
        FileDialogAnswer canceller(*m_dlg);
        PostKey(Edit(), bAlt ? VK_DOWN : VK_F4, bAlt);
        Pump(*m_dlg);
        EXPECT_EQ(canceller.Answered(), 1) << (bAlt ? "Alt+Down" : "F4");
        EXPECT_EQ(List().GetEditItem(), 1);
        EXPECT_TRUE(Edit().IsWindowVisible());
    }
}

std::string CurrentDirectory()
{
    std::string dir(::GetCurrentDirectoryA(0, nullptr), '\0');
    dir.resize(::GetCurrentDirectoryA(static_cast<DWORD>(dir.size()), dir.data()));
    return dir;
}

// Puts the current directory back at the end of the test, whatever it found.
struct SavedCurrentDirectory {
    SavedCurrentDirectory() = default;
    SavedCurrentDirectory(const SavedCurrentDirectory&) = delete;
    SavedCurrentDirectory& operator=(const SavedCurrentDirectory&) = delete;
    ~SavedCurrentDirectory() { ::SetCurrentDirectoryA(path.c_str()); }
    const std::string path = CurrentDirectory();
};

// Every player started later inherits the launcher's current directory, which
// a browse into another folder leaves as it was.
TEST_F(EditRunDialogTest, ABrowsedFileInAnotherFolderLeavesTheCurrentDirectoryAlone)
{
    const TempDir folder;
    const std::string scene = folder.File("scene.zel");
    WriteFileBytes(scene, "scene");
    const std::string sceneFolder = scene.substr(0, scene.find_last_of('\\'));
    const SavedCurrentDirectory before;
    OpenWith({"C:\\a.zel"});
    ClickItem(0);
    Press(List(), VK_F2);
    {
        FileDialogAnswer open(*m_dlg, {sceneFolder, "scene.zel"});
        const CRect rc = Button().GetClientRect();
        PostClick(Button(), {rc.Width() / 2, rc.Height() / 2});
        Pump(*m_dlg);
        ASSERT_EQ(open.Answered(), 1);
    }
    EXPECT_TRUE(SamePath(PathHead(List()).at(0), scene)) << PathHead(List()).at(0);
    EXPECT_EQ(CurrentDirectory(), before.path);
}

}  // namespace
