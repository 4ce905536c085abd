#include "app/HelpDlg.h"

#include "app/HelpText.h"
#include "app/resource.h"
#include "fw/Module.h"
#include "runlist/RunList.h"

CHelpDlg::CHelpDlg(CWnd* pParent) : CDialog(IDD_HELP, pParent)
{
}

// The text gets the focus with the caret at its start, where a screen reader
// begins reading; Enter and Escape still close the window.
BOOL CHelpDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    const std::wstring path = RunListFilePath(fw::GetModulePath().value_or(std::wstring()));
    const HWND hText = ::GetDlgItem(m_hWnd, IDC_HELPTEXT);
    ::SetWindowTextW(hText, ComposeHelpText(path).c_str());
    ::SetFocus(hText);
    ::SendMessageW(hText, EM_SETSEL, 0, 0);
    return FALSE;
}
