#include "fw/Menu.h"

void CPopupMenu::AppendItem(UINT nID, const std::string& text, bool bEnabled)
{
    ::AppendMenuA(m_hMenu, MF_STRING | (bEnabled ? MF_ENABLED : MF_GRAYED), nID, text.c_str());
}

void CPopupMenu::AppendSeparator()
{
    ::AppendMenuA(m_hMenu, MF_SEPARATOR, 0, nullptr);
}

void CPopupMenu::SetDefaultItem(UINT nID)
{
    ::SetMenuDefaultItem(m_hMenu, nID, FALSE);
}

UINT CPopupMenu::TrackBeside(HWND hOwner, const RECT& rcExclude) const
{
    if (m_hMenu == nullptr)
        return 0;
    TPMPARAMS params{};
    params.cbSize = sizeof params;
    params.rcExclude = rcExclude;
    const UINT nFlags = TPM_LEFTALIGN | TPM_TOPALIGN | TPM_VERTICAL | TPM_RETURNCMD | TPM_RIGHTBUTTON;
    return static_cast<UINT>(
        ::TrackPopupMenuEx(m_hMenu, nFlags, rcExclude.left, rcExclude.bottom, hOwner, &params));
}
