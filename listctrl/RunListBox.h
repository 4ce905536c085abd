#pragma once
// The launcher's list: browsing picks a scene file with the open-file dialog,
// and files dropped on the list from the shell are added as entries.
#include <functional>
#include <optional>
#include <string>

#include <windows.h>
#include <shellapi.h>

#include "listctrl/ListBoxEx.h"

class CRunListBox : public CListBoxEx {
public:
    // The chosen file's title goes into the edit, its full path at once into
    // the path table; a cancelled dialog changes nothing.
    void Browse(int nIndex) override;
    void PreSubclassWindow() override;

    // Answers in place of the system's open-file dialog when set, so a test of
    // the whole dialog can browse without a window it cannot see.
    std::function<std::optional<std::wstring>()> m_fnOpenFileDialog;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Appends each dropped file, in the order dropped; folders are skipped and
    // a drop while an entry is being edited is ignored.
    void OnDropFiles(HDROP hDrop);

    // Runs the system's open-file dialog over the main window; the chosen
    // file's full path, or nothing when the user cancelled.
    virtual std::optional<std::wstring> RunOpenFileDialog();
};
