#pragma once
// The application object: it runs the launcher's dialog, and its message map
// sends the Help command to the framework's handler.
#include "app/RunDlg.h"
#include "fw/Accessible.h"
#include "fw/App.h"
#include "fw/SingleInstance.h"
#include "runlist/RunListWin.h"

class CRunApp : public CWinApp {
public:
    // Runs the launcher's dialog; the application ends when it closes. The
    // strip and the list answer screen readers while it runs. One launcher
    // runs per run list file: a second start on the same file brings the
    // first one to the front and ends, before it reads the file.
    BOOL InitInstance() override
    {
        Enable3dControls();
        const CSingleInstance instance(L"NimbrelRunXP", RunListFileBesideProgram());
        if (!instance.IsFirst()) {
            instance.ActivateFirst();
            return FALSE;
        }
        const CAccessibilityScope accessibility;
        CRunDlg dlg;
        m_pMainWnd = &dlg;
        dlg.DoModal();
        m_pMainWnd = nullptr;
        return FALSE;
    }

    BOOL OnCmdMsg(UINT nID) override
    {
        if (nID != ID_HELP)
            return FALSE;
        OnHelp();
        return TRUE;
    }
};
