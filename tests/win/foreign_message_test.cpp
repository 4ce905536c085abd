// The registered messages by which the list's in-place controls and the drag
// list report carry a pointer to a record on the sender's stack. Any process
// can send or post them: only a record sent from the launcher's own thread is
// read, anything else changes nothing.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "RunDialogTest.h"
#include "WinTest.h"
#include "listctrl/InPlaceCtrl.h"

#include <commctrl.h>   // after <windows.h>

using namespace wintest;
using V = std::vector<std::string>;

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
    ClickItem(0);
    PostKey(List(), VK_F2);
    Pump(*m_dlg);
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
    PostKey(hEdit, VK_ESCAPE);
    Pump(*m_dlg);
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

}  // namespace
