#include "app/RunDlg.h"

#include "app/HelpDlg.h"
#include "app/resource.h"
#include "fw/Gdi.h"

#include <utility>

CRunDlg::CRunDlg(CWnd* pParent, RunListStoreFactory makeStore)
    : CDialog(IDD_RUN_DIALOG, pParent),
      m_hIcon(::LoadIconA(::GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_makeStore(std::move(makeStore))
{
}

void CRunDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Control(pDX, IDC_RUNLIST, m_list);
}

BOOL CRunDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    m_bSaveAllowed = LoadRunList(m_list, m_makeStore);
    if (!m_bSaveAllowed)
        m_strUnsavedStart = RunListBytes(m_list);
    // The strip is attached whatever the load found, so it works after a
    // damaged file too.
    m_toolStrip.SubclassDlgItem(IDC_TOOLSTRIP, this);
    m_toolStrip.m_pList = &m_list;
    return TRUE;
}

// Every way of ending the dialog comes here, after the dialog was hidden: the
// list is saved while its window still exists. An edit still open (the close
// box does not reach it) ends first as a loss of focus would end it, so an
// empty new entry is not saved. A list that may not be saved is not dropped
// without a word once the user has changed it.
BOOL CRunDlg::DestroyWindow()
{
    m_list.EndEditAsFocusLoss();
    if (m_bSaveAllowed)
        SaveRunList(m_list, m_makeStore);
    else if (RunListBytes(m_list) != m_strUnsavedStart)
        ReportRunListNotSaved(m_list);
    // Saved, the dialog has nothing left to do with its window and lets go of
    // it before the windows are destroyed: the list's report of each deleted
    // item (one per entry) then goes to the dialog manager directly, not
    // through an object that has no use for it.
    const HWND hWnd = UnsubclassWindow();
    return hWnd != nullptr && ::DestroyWindow(hWnd);
}

// One help window at a time: F1 inside it brings it to the front again.
void CRunDlg::WinHelp(DWORD_PTR, UINT)
{
    if (GetHelpWindow() != nullptr) {
        ::SetForegroundWindow(GetHelpWindow());
        return;
    }
    CHelpDlg help(this);
    m_pHelp = &help;
    help.DoModal();
    m_pHelp = nullptr;
}

LRESULT CRunDlg::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_QUERYDRAGICON:
        return reinterpret_cast<LRESULT>(OnQueryDragIcon());
    default:
        return CDialog::WindowProc(message, wParam, lParam);
    }
}

// While minimised the icon is drawn centred in the client area.
void CRunDlg::OnPaint()
{
    if (!::IsIconic(m_hWnd)) {
        Default();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.m_hDC), 0);
    const int cxIcon = ::GetSystemMetrics(SM_CXICON);
    const int cyIcon = ::GetSystemMetrics(SM_CYICON);
    const CRect rc = GetClientRect();
    const int x = (rc.Width() - cxIcon + 1) / 2;
    const int y = (rc.Height() - cyIcon + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
}
