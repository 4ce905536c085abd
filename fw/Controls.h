#pragma once
// Wrappers of the standard controls the launcher uses.
#include <string>

#include "fw/Wnd.h"

class CListBox : public CWnd {
public:
    int GetCount() const { return static_cast<int>(SendMessage(LB_GETCOUNT)); }
    int GetCurSel() const { return static_cast<int>(SendMessage(LB_GETCURSEL)); }
    int SetCurSel(int nSelect) { return static_cast<int>(SendMessage(LB_SETCURSEL, static_cast<WPARAM>(nSelect))); }
    int GetTopIndex() const { return static_cast<int>(SendMessage(LB_GETTOPINDEX)); }
    int AddString(const std::wstring& text);
    int InsertString(int nIndex, const std::wstring& text);
    int DeleteString(int nIndex) { return static_cast<int>(SendMessage(LB_DELETESTRING, static_cast<WPARAM>(nIndex))); }
    // The item's text; empty for an index that names no item.
    std::wstring GetText(int nIndex) const;
    DWORD_PTR GetItemData(int nIndex) const { return static_cast<DWORD_PTR>(SendMessage(LB_GETITEMDATA, static_cast<WPARAM>(nIndex))); }
    int SetItemData(int nIndex, DWORD_PTR data) { return static_cast<int>(SendMessage(LB_SETITEMDATA, static_cast<WPARAM>(nIndex), static_cast<LPARAM>(data))); }
    CRect GetItemRect(int nIndex) const;
    int SetItemHeight(int nIndex, UINT cyItemHeight) { return static_cast<int>(SendMessage(LB_SETITEMHEIGHT, static_cast<WPARAM>(nIndex), MAKELPARAM(cyItemHeight, 0))); }

    // Owner-draw requests, reached through OnChildNotify.
    virtual void DrawItem(DRAWITEMSTRUCT*) {}
    virtual void MeasureItem(MEASUREITEMSTRUCT*) {}
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
};

// A list box whose items the user drags with the left mouse button. The drag
// list reports the drag to the parent with DragListMessage(); the parent
// reflects it to the list's OnChildNotify, which decodes it into the four
// overridables below. The base follows the pointer and keeps the marker
// index; a derived list draws the marker (DrawInsert) and moves the dropped
// item (Dropped).
class CDragListBox : public CListBox {
public:
    // The item whose rectangle holds a screen point, or -1; with bAutoScroll the
    // list scrolls when the point lies just above or below it.
    int ItemFromPt(POINT pt, BOOL bAutoScroll = TRUE) const;

    // Called when a press may begin a drag; a drag begins when it answers TRUE.
    virtual BOOL BeginDrag(CPoint pt);
    // Called when the drag is cancelled (Escape, right button).
    virtual void CancelDrag(CPoint pt);
    // Called as the pointer moves during the drag and on the drag list's
    // timer; the answer is the cursor to show (DL_STOPCURSOR, DL_MOVECURSOR, ...).
    virtual UINT Dragging(CPoint pt);
    // Called when the button is released over pt.
    virtual void Dropped(int nSrcIndex, CPoint pt);
    virtual void DrawInsert(int nItem);

    int GetInsertIndex() const { return m_nLast; }

    void PreSubclassWindow() override;
    // Drag reports about this list, sent from this thread, go to the
    // overridables; owner-draw requests to CListBox.
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    int m_nLast = -1;   // the item the insertion marker is drawn at, -1 for none

private:
    LRESULT OnDragReport(UINT nNotification, POINT ptCursor);
    // The point of a drag report, in screen coordinates (see the definition).
    CPoint DragReportPoint(POINT ptCursor) const;
};

class CEdit : public CWnd {
public:
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CreateEx(0, L"EDIT", L"", dwStyle, rect, pParentWnd, nID);
    }
    void SetSel(int nStart, int nEnd) { SendMessage(EM_SETSEL, static_cast<WPARAM>(nStart), static_cast<LPARAM>(nEnd)); }
};

class CButton : public CWnd {
public:
    BOOL Create(const wchar_t* pszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
    {
        return CreateEx(0, L"BUTTON", pszCaption, dwStyle, rect, pParentWnd, nID);
    }
};
