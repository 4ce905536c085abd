#include "listctrl/ListBoxEx.h"

// IN PROGRESS: the scene launcher is being built.
void CListBoxEx::OnLButtonDblClk(UINT, CPoint) { Default(); }
BOOL CListBoxEx::Launch(std::string) { return FALSE; }
