// The registered messages by which the list's in-place controls and the drag
// list report carry a pointer to a record on the sender's stack, as do the
// controls' notifications and the system's report of a new DPI. Any process
// can send or post them: only a record sent from the launcher's own thread is
// read, anything else changes nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RunDialogTest.h"
#include "listctrl/InPlaceCtrl.h"

#include <commctrl.h>   // after <windows.h>

using namespace wintest;

namespace {

// What a pointer of another process means here: nothing readable.
constexpr LPARAM kForeignPointer = 0x10;

class ForeignMessageTest : public RunDialogTest {
protected:
    // Runs the sends on another thread while this one answers them.
    template <class Sends>
    void SendFromAnotherThread(Sends sends)
    {
        std::atomic<bool> done{false};
        std::thread other([&] {
            sends();
            done = true;
        });
        while (!done)
            Pump(*m_dlg, 5);
        other.join();
        Pump(*m_dlg);
    }
    WPARAM ListID() { return static_cast<WPARAM>(::GetDlgCtrlID(List())); }
};

TEST_F(ForeignMessageTest, RecordsPostedOrSentFromElsewhereAreIgnored)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"});
    EditByF2(0);
    ASSERT_TRUE(List().IsEditing());

    // The in-place controls' report, while an edit is open.
    ::PostMessageA(List(), InPlaceCtrlMessage(), 0, kForeignPointer);
    Pump(*m_dlg);
    const HWND hEdit = *List().GetInPlaceEdit();
    SendFromAnotherThread([&] {
        InPlaceNotify enter{hEdit, IPN_KEY, VK_RETURN, 0, 0};
        ::SendMessageA(List(), InPlaceCtrlMessage(), 0, kForeignPointer);
        ::SendMessageA(List(), InPlaceCtrlMessage(), 0, reinterpret_cast<LPARAM>(&enter));
    });
    EXPECT_TRUE(List().IsEditing());
    Press(hEdit, VK_ESCAPE);
    ASSERT_FALSE(List().IsEditing());

    // The drag list's report, with the first entry selected.
    ::PostMessageA(*m_dlg, DragListMessage(), ListID(), kForeignPointer);
    Pump(*m_dlg);
    const POINT target = ItemPoint(2);
    SendFromAnotherThread([&] {
        DRAGLISTINFO drop{DL_DROPPED, List(), target};
        ::SendMessageA(*m_dlg, DragListMessage(), ListID(), kForeignPointer);
        ::SendMessageA(*m_dlg, DragListMessage(), ListID(), reinterpret_cast<LPARAM>(&drop));
    });
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b", "c"}));
    CloseWith(VK_ESCAPE);
    EXPECT_EQ(SavedPaths(), (V{"C:\\a.zel", "C:\\b.zel", "C:\\c.zel"}));
}

// The system's report of a new DPI and the controls' notifications come from
// the launcher's thread. From anywhere else, or with a scale no monitor has,
// they are not read: the dialog stays drawn, in its place, size and font.
TEST_F(ForeignMessageTest, DpiChangesAndNotificationsFromElsewhereAreIgnored)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    const auto windowRect = [this] {
        CRect rc;
        ::GetWindowRect(*m_dlg, &rc);
        return rc;
    };
    const CRect before = windowRect();
    const LRESULT font = List().SendMessage(WM_GETFONT);
    // A scale of 50,493 % and a pointer to readable bytes (the program's header).
    constexpr WPARAM kHugeDpi = 0xC53DC53D;
    const auto readable = reinterpret_cast<LPARAM>(::GetModuleHandleA(nullptr));
    SendFromAnotherThread([&] {
        ::SendMessageA(*m_dlg, WM_DPICHANGED, MAKEWPARAM(144, 144), 0);
        ::SendMessageA(*m_dlg, WM_DPICHANGED, kHugeDpi, readable);
        for (const HWND hWnd : {m_dlg->m_hWnd, List().m_hWnd, m_dlg->m_toolStrip.m_hWnd})
            ::SendMessageA(hWnd, WM_NOTIFY, 0, kForeignPointer);
    });
    ::PostMessageA(*m_dlg, WM_DPICHANGED, MAKEWPARAM(144, 144), readable);
    CRect suggested = before;   // a record of this thread, with a scale no monitor has
    ::SendMessageA(*m_dlg, WM_DPICHANGED, kHugeDpi, reinterpret_cast<LPARAM>(&suggested));
    Pump(*m_dlg);

    EXPECT_TRUE(m_dlg->IsWindowVisible()) << "redrawing was turned off";
    EXPECT_EQ(windowRect(), before);
    EXPECT_EQ(m_dlg->GetDpi(), 96);
    EXPECT_EQ(List().SendMessage(WM_GETFONT), font);
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
}

}  // namespace
