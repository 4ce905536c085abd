#pragma once
// The launcher's real dialog opened modeless for a test, driven with real
// posted messages through the path of its modal loop, and the run list file
// beside the test executable that it reads and writes.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "ListState.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "app/RunDlg.h"
#include "dpi/DpiScale.h"
#include "fw/Accessible.h"
#include "runlist/RunListFile.h"

#include <commctrl.h>   // after <windows.h>

namespace wintest {

class RunDialogTest : public ::testing::Test, public ListInput {
protected:
    void SetUp() override { ::DeleteFileA(RunListPath().c_str()); }
    void TearDown() override
    {
        if (m_dlg && !m_dlg->HasEnded())
            CloseWithCloseBox();
        m_dlg.reset();
        ::DeleteFileA(RunListPath().c_str());
    }

    CRunDlg& Open()
    {
        m_dlg = std::make_unique<CRunDlg>(nullptr, m_makeStore);
        EXPECT_TRUE(m_dlg->Create());
        ::SetForegroundWindow(*m_dlg);
        Pump(*m_dlg);
        return *m_dlg;
    }
    void OpenWith(const std::vector<std::string>& paths)
    {
        WriteFileBytes(RunListPath(), SerializeRunList(paths));
        Open();
    }
    // Ends the dialog as the user would and lets it save.
    void CloseWith(UINT vk, bool bAlt = false)
    {
        PostKey(::GetFocus(), vk, bAlt);
        Finish();
    }
    // The close box ends the dialog whatever has the focus.
    void CloseWithCloseBox()
    {
        ::PostMessageA(*m_dlg, WM_SYSCOMMAND, SC_CLOSE, 0);
        Finish();
    }
    CRunListBox& List() { return m_dlg->m_list; }
    CToolStrip& Strip() { return m_dlg->m_toolStrip; }
    std::vector<std::string> SavedPaths() { return ParseRunList(ReadFileBytes(RunListPath())).paths; }
    // From now on the list's starts are recorded in m_started, not made.
    void RecordStarts()
    {
        List().m_fnStartProgram = [this](const std::string& commandLine) {
            m_started.push_back(commandLine);
            return TRUE;
        };
    }
    void ClickStripButton(int nButton) { Click(Strip(), Center(Strip().GetButtonRect(nButton))); }

    // A report of the drag list, sent to the dialog as the platform sends it.
    LRESULT DragReport(UINT code, POINT screen)
    {
        DRAGLISTINFO info{code, List(), screen};
        return ::SendMessageA(*m_dlg, DragListMessage(), static_cast<WPARAM>(::GetDlgCtrlID(List())),
                              reinterpret_cast<LPARAM>(&info));
    }

    // What the system sends when the window moves to a monitor of another DPI
    // (Wine never sends it): a suggested rectangle at the same top left corner,
    // its size scaled from the dialog's current DPI. Pumped unless bPump is false.
    CRect ChangeDpi(int nDpi, bool bPump = true)
    {
        CRect rc;
        ::GetWindowRect(*m_dlg, &rc);
        const int nFrom = m_dlg->GetDpi();
        const CRect suggested(rc.left, rc.top, rc.left + dpi::Rescale(rc.Width(), nDpi, nFrom),
                              rc.top + dpi::Rescale(rc.Height(), nDpi, nFrom));
        ::SendMessageA(*m_dlg, WM_DPICHANGED, MAKEWPARAM(nDpi, nDpi), reinterpret_cast<LPARAM>(&suggested));
        if (bPump)
            Pump(*m_dlg);
        return suggested;
    }

    CDialog& Driven() override { return *m_dlg; }
    CListBoxEx& DrivenList() override { return List(); }

    CAccessibilityScope m_accessibility;   // as the application holds one around its dialog
    std::unique_ptr<CRunDlg> m_dlg;
    RunListStoreFactory m_makeStore;   // for the dialogs Open makes; empty: the real file
    std::vector<std::string> m_started;   // the command lines of the starts recorded, over every dialog

private:
    void Finish()
    {
        Pump(*m_dlg);
        ASSERT_TRUE(m_dlg->HasEnded());
        m_dlg->FinishModal();
    }
};

}  // namespace wintest
