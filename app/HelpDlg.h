#pragma once
// The launcher's help window: a modal dialog owned by the launcher's dialog,
// its text in a read-only edit control, so screen readers read it.
#include "fw/Dialog.h"

class CHelpDlg : public CDialog {
public:
    explicit CHelpDlg(CWnd* pParent);
    BOOL OnInitDialog() override;
};
