#pragma once
// The launcher's one window: the run list and the tool strip above it.
#include "fw/Dialog.h"
#include "fw/Gdi.h"
#include "listctrl/RunListBox.h"
#include "runlist/RunList.h"
#include "runlist/RunListWin.h"
#include "toolstrip/ToolStrip.h"

#include <optional>
#include <string>

class CRunDlg : public CDialog {
public:
    // makeStore: where the run list is read and written; by default the file
    // beside the executable.
    explicit CRunDlg(CWnd* pParent = nullptr, RunListStoreFactory makeStore = {});

    BOOL DestroyWindow() override;
    BOOL OnInitDialog() override;
    // F1 reaches the framework's help handler, which asks for the help of
    // this dialog's topic: the launcher's own help window.
    void WinHelp(DWORD_PTR dwData, UINT nCmd) override;
    // The help window while it is open, or null.
    HWND GetHelpWindow() const { return m_pHelp != nullptr ? m_pHelp->m_hWnd : nullptr; }

    CRunListBox m_list;
    CToolStrip m_toolStrip;

    // Fills the list from the run list file, as the start does (the user told
    // of a failure); when the list may be saved over the file.
    RunListSaveRule LoadList();
    // Writes the list to the run list file, as the close does (over a damaged
    // file with its bytes kept beside it first).
    void SaveList();

    // The DPI the dialog is laid out for: its window's at creation, then the
    // one WM_DPICHANGED brought.
    int GetDpi() const { return m_nDpi; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnPaint();
    // The session ends (bEnding) and the process with it, without the dialog
    // being destroyed: the list is saved now.
    void OnEndSession(bool bEnding);
    // The window moved to a monitor of another DPI, or the scale changed: the
    // dialog takes the suggested rectangle and remakes its fonts and layout.
    void OnDpiChanged(int nDpi, const RECT& rcSuggested);
    HCURSOR OnQueryDragIcon() const { return reinterpret_cast<HCURSOR>(m_hIcon); }

    HICON m_hIcon;
    RunListStoreFactory m_makeStore;
    // Never until the load has said what it may be: a start that failed before
    // the load ended must not save an empty list over the file.
    RunListSaveRule m_saveRule = RunListSaveRule::Never;
    CDialog* m_pHelp = nullptr;   // the help window's object while it runs
    // Unless the rule is Always: what a save of the list as loaded would
    // write, which tells whether the user has changed it.
    std::string m_strAsLoaded;
    // The list as the end of the session saved it (or found it may not be
    // saved): should the dialog still be destroyed, only a change is saved.
    std::optional<std::string> m_strSavedAtSessionEnd;

private:
    // Saves the list as the dialog ends, with an open edit ended first.
    void SaveAsTheDialogEnds();
    bool IsChangedSinceLoad() const;

    // What the dialog manager made at creation, which a change of DPI scales.
    struct CreatedLayout {
        int nDpi = 0;
        int nFontPoints = 0;
        LOGFONTW lfFont{};
        CRect rcList;      // client coordinates
        CRect rcStrip;
    };
    void RememberCreatedLayout();

    CreatedLayout m_created;
    int m_nDpi = 0;
    CFont m_font;   // the dialog font at m_nDpi once the DPI has changed
};
