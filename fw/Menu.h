#pragma once
// A pop-up menu owned for its scope: made empty, filled, tracked, destroyed.
#include <string>

#include "fw/Types.h"

class CPopupMenu {
public:
    CPopupMenu() : m_hMenu(::CreatePopupMenu()) {}
    ~CPopupMenu()
    {
        if (m_hMenu != nullptr)
            ::DestroyMenu(m_hMenu);
    }
    CPopupMenu(const CPopupMenu&) = delete;
    CPopupMenu& operator=(const CPopupMenu&) = delete;

    HMENU Get() const { return m_hMenu; }
    // An item with a command id; a tab in the text sets off its key.
    void AppendItem(UINT nID, const std::string& text, bool bEnabled);
    void AppendSeparator();
    // The item shown bold, chosen by a double-click or Enter on it.
    void SetDefaultItem(UINT nID);
    // Shows the menu below the rectangle (screen coordinates) without covering
    // it, or above where there is no room, and waits for the user's choice:
    // the chosen item's id, 0 when the menu was dismissed. hOwner gets the
    // menu's messages but no command.
    UINT TrackBeside(HWND hOwner, const RECT& rcExclude) const;

private:
    HMENU m_hMenu;
};
