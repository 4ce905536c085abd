#pragma once
// The launcher's list: browsing picks a scene file with the open-file dialog.
#include "listctrl/ListBoxEx.h"

class CRunListBox : public CListBoxEx {
public:
    void Browse(int nIndex) override;
};
