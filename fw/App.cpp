#include "fw/App.h"

#include <commctrl.h>

#include "fw/AnsiText.h"
#include "fw/Module.h"
#include "fw/SystemLibrary.h"

namespace {
CWinApp* g_pApp = nullptr;   // the one application object of the process
}

CWinApp::CWinApp(const wchar_t* pszAppName)
{
    if (pszAppName != nullptr)
        m_strAppTitle = pszAppName;
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
}

int CWinApp::Run()
{
    fw::RestrictLibrarySearchToSystem();
    INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    if (InitInstance())
        return 0;   // this application has no message loop of its own
    return 0;
}

BOOL CWinApp::OnCmdMsg(UINT)
{
    return FALSE;
}

void CWinApp::OnHelp()
{
    if (m_pMainWnd != nullptr && m_pMainWnd->m_hWnd != nullptr)
        m_pMainWnd->WinHelp(HID_BASE_RESOURCE + m_pMainWnd->GetHelpID(), HELP_CONTEXT);
}

CWinApp* AfxGetApp()
{
    return g_pApp;
}

std::wstring AfxGetAppTitle()
{
    if (g_pApp != nullptr && !g_pApp->AppTitle().empty())
        return g_pApp->AppTitle();
    return fw::GetModuleTitle();
}

namespace {

HWND DefaultOwner()
{
    if (const HWND hActive = ::GetActiveWindow())
        return hActive;
    return g_pApp != nullptr && g_pApp->m_pMainWnd != nullptr ? g_pApp->m_pMainWnd->GetSafeHwnd() : nullptr;
}

}  // namespace

int AfxMessageBox(const std::wstring& text, UINT nType, HWND hOwner)
{
    if ((nType & MB_ICONMASK) == 0 && (nType & MB_TYPEMASK) == MB_OK)
        nType |= MB_ICONEXCLAMATION;
    const std::wstring title = AfxGetAppTitle();
    return ::MessageBoxW(hOwner != nullptr ? hOwner : DefaultOwner(), text.c_str(), title.c_str(), nType);
}

int AfxMessageBox(std::string_view text, UINT nType, HWND hOwner)
{
    return AfxMessageBox(fw::WidenAnsi(text), nType, hOwner);
}

void AfxReportFailure(const char* pszText) noexcept
{
    static thread_local bool t_bReporting = false;
    if (t_bReporting)
        return;
    t_bReporting = true;
    try {
        AfxMessageBox(pszText);
    } catch (...) {
        // No memory for the application title: the system's caption.
        ::MessageBoxA(DefaultOwner(), pszText, nullptr, MB_OK | MB_ICONEXCLAMATION);
    }
    t_bReporting = false;
}
