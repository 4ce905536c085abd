#pragma once
// The bar above the list: its caption and the New, Delete, Move Up and Move
// Down image buttons, which act on the owner list.
#include "fw/Wnd.h"

class CListBoxEx;

class CToolStrip : public CWnd {
public:
    CListBoxEx* m_pList = nullptr;   // the list the commands act on; not owned
};
