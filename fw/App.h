#pragma once
// The application object and the message box every failure the user must see
// goes through.
#include <string>
#include <string_view>

#include "fw/Wnd.h"

// The framework's Help command, which F1 sends in a dialog.
constexpr UINT ID_HELP = 0xE146;
// Help contexts of resources are numbered from here (plus the resource id).
constexpr DWORD_PTR HID_BASE_RESOURCE = 0x20000;

class CWinApp {
public:
    // With no name the application takes its title from the executable's file
    // name without extension.
    explicit CWinApp(const wchar_t* pszAppName = nullptr);
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return FALSE; }
    // Three-dimensional control drawing is what every current system does.
    BOOL Enable3dControls() { return TRUE; }
    const std::wstring& AppTitle() const { return m_strAppTitle; }

    CWnd* m_pMainWnd = nullptr;

    // Runs the application: InitInstance and, when it asks for one, a message loop.
    int Run();

    // The application's commands (its message map): TRUE when it took nID.
    // Dialogs pass on the commands that no control sent and they did not take.
    virtual BOOL OnCmdMsg(UINT nID);
    // ID_HELP: the main window shows the help of its topic.
    void OnHelp();

private:
    std::wstring m_strAppTitle;
};

CWinApp* AfxGetApp();
// The application title: the executable's file name without extension.
std::wstring AfxGetAppTitle();
// A message box captioned with the application title, owned by hOwner, or
// without one by the active window of this thread or else the application's
// main window. An MB_OK box without an icon gets the exclamation icon.
int AfxMessageBox(const std::wstring& text, UINT nType = MB_OK, HWND hOwner = nullptr);
// The same for the program's own texts, in its code page.
int AfxMessageBox(std::string_view text, UINT nType = MB_OK, HWND hOwner = nullptr);

// What the user is told when the handling of a message failed: the window
// stays, as far as the handler got.
inline constexpr char kOutOfMemoryText[] = "Not enough memory to complete the last action.";
inline constexpr char kUnexpectedErrorText[] = "An unexpected error stopped the last action.";
// Shows the text in the application's message box; throws nothing. While one
// such box is shown, later failures of this thread (its own painting behind
// it) are not told again.
void AfxReportFailure(const char* pszText) noexcept;
