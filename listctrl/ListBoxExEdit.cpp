#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListBoxEx.h"

// IN PROGRESS: in-place editing is being built.
int CListBoxEx::OnCreate(CREATESTRUCTA*)
{
    if (Default() == -1)
        return -1;
    CreateInPlaceControls();
    return 0;
}
void CListBoxEx::CreateInPlaceControls()
{
    if (m_pEdit)
        return;
    m_pEdit = std::make_unique<CInPlaceEdit>();
    m_pEdit->Create(m_dwEditStyle | WS_CHILD | WS_BORDER, CRect(), this, 1);
    m_pButton = std::make_unique<CInPlaceButton>();
    m_pButton->Create("...", WS_CHILD, CRect(), this, 2);
}
void CListBoxEx::BeginEdit(int) {}
void CListBoxEx::BeginEditNew() { BeginEdit(GetCount()); }
void CListBoxEx::EndEdit(BOOL) {}
void CListBoxEx::SetEditText(const std::string&) {}
BOOL CListBoxEx::CanEdit(int) { return TRUE; }
BOOL CListBoxEx::AcceptEdit(int, BOOL) { return TRUE; }
void CListBoxEx::Browse(int) {}
void CListBoxEx::OnRButtonDown(UINT, CPoint) { Default(); }
LRESULT CListBoxEx::OnCtrlMsg(WPARAM, LPARAM) { return 0; }
