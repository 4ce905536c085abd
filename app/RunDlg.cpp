#include "app/RunDlg.h"

#include <utility>

#include "app/HelpDlg.h"
#include "app/resource.h"
#include "dpi/DpiScale.h"
#include "fw/Dpi.h"
#include "fw/Gdi.h"
#include "runlist/AnsiCodePageWin.h"
#include "runlist/RunList.h"

namespace {

// The run list's load puts its entries into the list.
class ListLoadTarget : public IRunListTarget {
public:
    explicit ListLoadTarget(CListBoxEx& list) : m_list(list) {}
    bool TakeEntries(std::vector<std::wstring> paths) override { return m_list.LoadEntries(std::move(paths)); }

private:
    CListBoxEx& m_list;
};

// The dialog manager's DPI behaviours, newer than the headers for Windows 7.
constexpr int kDialogDisableAllDpiBehaviours = 0x0001;   // DDC_DISABLE_ALL

// On Windows 10 1703 and later the dialog manager would itself rescale the
// fonts and the controls of a per-monitor dialog; this one does its own, so
// that the list's and the strip's figures change together with the layout.
void TurnOffDialogDpiScaling(HWND hDlg)
{
    using SetBehaviourFunction = BOOL(WINAPI*)(HWND, int, int);
    static const auto setBehaviour = User32Function<SetBehaviourFunction>("SetDialogDpiChangeBehavior");
    if (setBehaviour != nullptr)
        setBehaviour(hDlg, kDialogDisableAllDpiBehaviours, kDialogDisableAllDpiBehaviours);
}

CRect RectInParent(HWND hWnd)
{
    CRect rc;
    ::GetWindowRect(hWnd, &rc);
    ::MapWindowPoints(nullptr, ::GetParent(hWnd), reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

CRect RescaleRect(const CRect& rc, int nToDpi, int nFromDpi)
{
    return {dpi::Rescale(rc.left, nToDpi, nFromDpi), dpi::Rescale(rc.top, nToDpi, nFromDpi),
            dpi::Rescale(rc.right, nToDpi, nFromDpi), dpi::Rescale(rc.bottom, nToDpi, nFromDpi)};
}

void MoveChild(HWND hWnd, const CRect& rc)
{
    ::SetWindowPos(hWnd, nullptr, rc.left, rc.top, rc.Width(), rc.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

CRunDlg::CRunDlg(CWnd* pParent, RunListStoreFactory makeStore)
    : CDialog(IDD_RUN_DIALOG, pParent),
      m_hIcon(::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME))),
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
    m_saveRule = LoadList();
    if (m_saveRule != RunListSaveRule::Always)
        m_strAsLoaded = RunListBytes(m_list.Entries(), AnsiCodePageWin());
    // The strip is attached whatever the load found, so it works after a
    // damaged file too.
    m_toolStrip.SubclassDlgItem(IDC_TOOLSTRIP, this);
    m_toolStrip.m_pList = &m_list;
    TurnOffDialogDpiScaling(m_hWnd);
    RememberCreatedLayout();
    return TRUE;
}

RunListSaveRule CRunDlg::LoadList()
{
    ListLoadTarget target(m_list);
    return LoadRunList(m_hWnd, target, m_makeStore);
}

// Once saved, the damaged file is gone and its copy is kept: later saves are
// plain ones.
void CRunDlg::SaveList()
{
    if (m_saveRule != RunListSaveRule::OnceChanged)
        SaveRunList(m_hWnd, m_list.Entries(), m_makeStore);
    else if (SaveRunListOverDamaged(m_hWnd, m_list.Entries(), m_makeStore))
        m_saveRule = RunListSaveRule::Always;
}

void CRunDlg::RememberCreatedLayout()
{
    m_nDpi = GetWindowDpi(m_hWnd);
    m_created.nDpi = m_nDpi;
    ::GetObjectW(reinterpret_cast<HGDIOBJ>(SendMessage(WM_GETFONT)), sizeof m_created.lfFont, &m_created.lfFont);
    // The template gives the font in points; the dialog manager made its height
    // -MulDiv(points, dpi, 72).
    m_created.nFontPoints = ::MulDiv(-m_created.lfFont.lfHeight, 72, m_nDpi);
    m_created.rcList = RectInParent(m_list);
    m_created.rcStrip = RectInParent(m_toolStrip);
}

// Nothing is drawn until everything is in its new place and size, then the
// whole window once: no intermediate picture shows. The font the controls
// used until now is deleted only after they have the new one.
void CRunDlg::OnDpiChanged(int nDpi, const RECT& rcSuggested)
{
    SendMessage(WM_SETREDRAW, FALSE);
    m_nDpi = nDpi;
    LOGFONTW lf = m_created.lfFont;
    lf.lfHeight = -::MulDiv(m_created.nFontPoints, nDpi, 72);
    CFont font(::CreateFontIndirectW(&lf));
    ::SetWindowPos(m_hWnd, nullptr, rcSuggested.left, rcSuggested.top, rcSuggested.right - rcSuggested.left,
                   rcSuggested.bottom - rcSuggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    MoveChild(m_list, RescaleRect(m_created.rcList, nDpi, m_created.nDpi));
    MoveChild(m_toolStrip, RescaleRect(m_created.rcStrip, nDpi, m_created.nDpi));
    m_list.SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(font.Get()), FALSE);
    m_font = std::move(font);
    m_list.SetDpi(nDpi);
    m_toolStrip.SetDpi(nDpi);
    SendMessage(WM_SETREDRAW, TRUE);
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

// An edit still open (the close box does not reach it) ends first as a loss of
// focus would end it, so an empty new entry is not saved. A damaged file is
// written over only once the user has changed the list; a list that may not be
// saved is not dropped without a word once the user has changed it. What was
// saved as the session ended is not saved again.
void CRunDlg::SaveAsTheDialogEnds()
{
    m_list.EndEditAsFocusLoss();
    if (m_strSavedAtSessionEnd && RunListBytes(m_list.Entries(), AnsiCodePageWin()) == *m_strSavedAtSessionEnd)
        return;
    switch (m_saveRule) {
    case RunListSaveRule::Always:
        SaveList();
        break;
    case RunListSaveRule::OnceChanged:
        if (IsChangedSinceLoad())
            SaveList();
        break;
    case RunListSaveRule::Never:
        if (IsChangedSinceLoad())
            ReportRunListNotSaved(m_hWnd);
        break;
    }
}

// Changed as the file would see it: names typed are not saved, only paths.
bool CRunDlg::IsChangedSinceLoad() const
{
    return RunListBytes(m_list.Entries(), AnsiCodePageWin()) != m_strAsLoaded;
}

// The system ends the process once every program has answered the end of the
// session; the dialog is not destroyed first.
void CRunDlg::OnEndSession(bool bEnding)
{
    if (!bEnding)
        return;
    SaveAsTheDialogEnds();
    m_strSavedAtSessionEnd = RunListBytes(m_list.Entries(), AnsiCodePageWin());
}

// Every way of ending the dialog comes here, after the dialog was hidden: the
// list is saved while its window still exists.
BOOL CRunDlg::DestroyWindow()
{
    SaveAsTheDialogEnds();
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
    case WM_QUERYENDSESSION:
        return TRUE;   // nothing is lost: the list is saved when the session ends
    case WM_ENDSESSION:
        OnEndSession(wParam != FALSE);
        return 0;
    case WM_DPICHANGED:
        // The system sends it from this thread with the suggested rectangle
        // on its stack; any other sender's (another process's pointer, a
        // scale no monitor has) is dropped before anything changes.
        if (const RECT* pSuggested = RecordOfThisThread<RECT>(lParam);
            pSuggested != nullptr && dpi::IsMonitorDpi(LOWORD(wParam), HIWORD(wParam)))
            OnDpiChanged(LOWORD(wParam), *pSuggested);
        return 0;
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
