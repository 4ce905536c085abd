// F1 in the launcher: the framework's Help command reaches the application,
// which opens the launcher's own help window over the dialog.
#include <gtest/gtest.h>

#include <thread>

#include "RunDialogTest.h"
#include "app/HelpText.h"
#include "app/RunApp.h"
#include "app/resource.h"

using namespace wintest;

namespace {

// What the help window was while it was open, read from another thread (the
// dialog's thread runs the help window's modal loop meanwhile).
struct HelpSeen {
    HWND hWnd = nullptr;
    HWND hOwner = nullptr;
    HWND hFocus = nullptr;
    HWND hText = nullptr;
    std::string text;
    bool bForced = false;   // it did not close as the user closed it
};

// How the user closes the help window: a key in its text, or its button.
enum class Closer { Escape, Enter, Button };

class HelpWindowTest : public RunDialogTest {
protected:
    // Presses F1 in the focused window and closes the help window that opens.
    HelpSeen PressF1AndClose(Closer closer)
    {
        HelpSeen seen;
        std::thread watcher([&] {
            const auto shown = [this] { return ::IsWindowVisible(m_dlg->GetHelpWindow()) != FALSE; };
            if (!WaitUntil(shown))
                return;   // no help window: the F1 is handled and the pump returns
            seen.hWnd = m_dlg->GetHelpWindow();
            seen.hOwner = ::GetWindow(seen.hWnd, GW_OWNER);
            const HWND hText = seen.hText = ::GetDlgItem(seen.hWnd, IDC_HELPTEXT);
            // The focus settles in the help window once its creation is over.
            WaitUntil([&] { return ::IsChild(seen.hWnd, seen.hFocus = FocusOfThread(seen.hWnd)); }, 2000);
            seen.text = WindowText(hText);
            if (closer == Closer::Button) {
                const HWND hButton = ::GetDlgItem(seen.hWnd, IDOK);
                PostPress(hButton, Center(ClientRect(hButton)));
            } else {
                PostKey(hText, closer == Closer::Escape ? VK_ESCAPE : VK_RETURN);
            }
            // A help window that stays open is closed here, so the test fails
            // instead of waiting for ever.
            if (!WaitUntil([&] { return !::IsWindow(seen.hWnd); })) {
                seen.bForced = true;
                ::PostMessageA(seen.hWnd, WM_COMMAND, IDCANCEL, 0);
            }
        });
        PostKey(::GetFocus(), VK_F1);
        Pump(*m_dlg);   // returns once the help window has closed
        watcher.join();
        Pump(*m_dlg);
        return seen;
    }

    CRunApp m_app;
};

TEST_F(HelpWindowTest, F1OpensTheHelpOverTheDialogAndEscapeEnterOrItsButtonCloseIt)
{
    OpenWith({"C:\\a.zel", "C:\\b.zel"});
    m_app.m_pMainWnd = m_dlg.get();
    ClickItem(1);
    for (Closer closer : {Closer::Escape, Closer::Enter, Closer::Button}) {
        const HelpSeen seen = PressF1AndClose(closer);
        ASSERT_NE(seen.hWnd, nullptr) << "no help window";
        EXPECT_EQ(seen.hOwner, m_dlg->m_hWnd);
        EXPECT_EQ(seen.hFocus, seen.hText);   // real text, where a screen reader starts
        EXPECT_FALSE(::IsWindow(seen.hWnd)) << "still open";
        EXPECT_FALSE(seen.bForced) << "the help did not close";
        // The launcher goes on as it was.
        EXPECT_FALSE(m_dlg->HasEnded());
        EXPECT_TRUE(::IsWindowEnabled(*m_dlg));
        EXPECT_EQ(::GetFocus(), List().m_hWnd);
        EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
        EXPECT_EQ(List().GetCurSel(), 1);

        for (const HelpEntry& entry : HelpEntries())
            EXPECT_NE(seen.text.find(entry.pszAction), std::string::npos) << entry.pszAction;
        EXPECT_NE(seen.text.find(RunListPath()), std::string::npos);
    }
    // From the in-place edit too; the help taking the focus ends the edit as
    // any loss of focus does.
    Press(List(), VK_F2);
    ASSERT_TRUE(List().IsEditing());
    EXPECT_NE(PressF1AndClose(Closer::Escape).hWnd, nullptr);
    EXPECT_FALSE(List().IsEditing());
    EXPECT_EQ(ItemTexts(List()), (V{"a", "b"}));
    m_app.m_pMainWnd = nullptr;
}

}  // namespace
