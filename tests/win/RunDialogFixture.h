#pragma once
// A fixture that opens the launcher's real dialog modeless, with the run list
// file beside the test executable, and drives it with real posted messages.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "WinTest.h"
#include "app/RunDlg.h"
#include "runlist/RunListFile.h"

namespace wintest {

class RunDialogTest : public ::testing::Test {
protected:
    using V = std::vector<std::string>;

    void SetUp() override { ::DeleteFileA(RunListPath().c_str()); }
    void TearDown() override
    {
        if (m_dlg && !m_dlg->HasEnded())
            CloseWith(VK_ESCAPE);
        m_dlg.reset();
        ::DeleteFileA(RunListPath().c_str());
    }

    CRunDlg& Open()
    {
        m_dlg = std::make_unique<CRunDlg>();
        EXPECT_TRUE(m_dlg->Create());
        ::SetForegroundWindow(*m_dlg);
        Pump(*m_dlg);
        return *m_dlg;
    }
    void OpenWith(const V& paths)
    {
        WriteFileBytes(RunListPath(), SerializeRunList(paths));
        Open();
    }
    // Ends the dialog as the user would and lets it save.
    void CloseWith(UINT vk)
    {
        PostKey(::GetFocus(), vk);
        Pump(*m_dlg);
        ASSERT_TRUE(m_dlg->HasEnded());
        m_dlg->FinishModal();
    }
    CRunListBox& List() { return m_dlg->m_list; }
    V SavedPaths() { return ParseRunList(ReadFileBytes(RunListPath())).paths; }
    void ClickItem(int i)
    {
        PostClick(List(), ItemCenter(List(), i));
        Pump(*m_dlg);
    }

    std::unique_ptr<CRunDlg> m_dlg;
};

}  // namespace wintest
