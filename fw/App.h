#pragma once
// The application object and the message box every failure the user must see
// goes through.
#include <string>

#include "fw/Wnd.h"

class CWinApp {
public:
    // With no name the application takes its title from the executable's file
    // name without extension.
    explicit CWinApp(const char* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    // Three-dimensional control drawing is what every current system does.
    BOOL Enable3dControls() { return TRUE; }
    const std::string& AppTitle() const { return m_strAppTitle; }

    CWnd* m_pMainWnd = nullptr;

    // Runs the application: InitInstance and, when it asks for one, a message loop.
    int Run();

private:
    std::string m_strAppTitle;
};

CWinApp* AfxGetApp();
// The application title: the executable's file name without extension.
std::string AfxGetAppTitle();
// A message box captioned with the application title, owned by hOwner, or
// without one by the active window of this thread or else the application's
// main window. An MB_OK box without an icon gets the exclamation icon.
int AfxMessageBox(const std::string& text, UINT nType = MB_OK, HWND hOwner = nullptr);
