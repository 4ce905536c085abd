#pragma once
// The launcher's real dialog opened modeless for a test, driven with real
// posted messages through the path of its modal loop, and the run list file
// beside the test executable that it reads and writes.
#include <gtest/gtest.h>

#include <functional>
#include <cstring>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "ListState.h"
#include "TestFiles.h"
#include "WinTest.h"
#include "app/RunDlg.h"
#include "dpi/DpiScale.h"
#include "fw/Accessible.h"
#include "runlist/RunListFile.h"

#include <commctrl.h>   // after <windows.h>
#include <shlobj.h>

namespace wintest {

// A drop as the shell hands it over: a DROPFILES header followed by the
// null-separated UTF-16 file names and a final null. The receiver frees it.
inline HDROP MakeDrop(const std::vector<std::wstring>& files)
{
    std::wstring names;
    for (const std::wstring& f : files)
        names += f + L'\0';
    names += L'\0';
    const size_t size = names.size() * sizeof(wchar_t);
    HGLOBAL mem = ::GlobalAlloc(GHND, sizeof(DROPFILES) + size);
    auto* header = static_cast<DROPFILES*>(::GlobalLock(mem));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    std::memcpy(reinterpret_cast<char*>(header) + sizeof(DROPFILES), names.data(), size);
    ::GlobalUnlock(mem);
    return static_cast<HDROP>(mem);
}

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
        List().m_fnStartProgram = [this](const std::wstring& commandLine) {
            m_started.push_back(Narrow(commandLine));
            return TRUE;
        };
    }
    void ClickStripButton(int nButton) { Click(Strip(), Center(Strip().GetButtonRect(nButton))); }
    // Files dropped on the list from the shell.
    void Drop(const std::vector<std::wstring>& files)
    {
        ::PostMessageA(List(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop(files)), 0);
        Pump(*m_dlg);
    }
    void Drop(const std::vector<std::string>& files)
    {
        std::vector<std::wstring> wide;
        for (const std::string& file : files)
            wide.push_back(Widen(file));
        Drop(wide);
    }
    void ClickBrowseButton()
    {
        const CRect rc = Button().GetClientRect();
        PostClick(Button(), {rc.Width() / 2, rc.Height() / 2});
        Pump(*m_dlg);
    }
    // Browses to a file through the system's Open dialog, its folder and then
    // its name set in the name box (whileUp runs while it is up); how many
    // dialogs were answered.
    int BrowseTo(const std::wstring& file, std::function<void()> whileUp = {})
    {
        const std::size_t slash = file.find_last_of(L'\\');
        DialogCanceller open(*m_dlg, {file.substr(0, slash), file.substr(slash + 1)}, std::move(whileUp));
        ClickBrowseButton();
        return open.Answered();
    }

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
