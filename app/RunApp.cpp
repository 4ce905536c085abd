// The application object and the program's entry point.
#include "app/RunDlg.h"
#include "fw/App.h"

class CRunApp : public CWinApp {
public:
    BOOL InitInstance() override;
};

CRunApp theApp;

// Runs the launcher's dialog; the application ends when it closes.
BOOL CRunApp::InitInstance()
{
    Enable3dControls();
    CRunDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return theApp.Run();
}
