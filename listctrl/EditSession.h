#pragma once
// An in-place edit of one entry: the edit box and the "..." browse button laid
// over its item while the edit lasts, and the entry as the edit found it. The
// controls are created once, hidden, and shown only while an edit is open.
#include <memory>
#include <string>

#include "entries/ListHistory.h"
#include "fw/Controls.h"

class CInPlaceEdit;
class CInPlaceButton;

class CEditSession {
public:
    // Bit of m_dwEditStyle that also asks for the browse button.
    static constexpr DWORD kBrowseStyle = 0x4000;

    CEditSession();
    ~CEditSession();
    CEditSession(const CEditSession&) = delete;
    CEditSession& operator=(const CEditSession&) = delete;

    // Creates both controls over pList, or none: when either cannot be
    // created, no edit opens until both can.
    void CreateControls(CWnd* pList, int nDpi);
    bool HasControls() const { return m_pEdit != nullptr; }
    bool IsOpen() const { return m_nEditItem != -1; }
    // The entry as the open edit found it.
    const EditStart& Start() const { return m_editStart; }
    // Tells the edits apart: each one opened gets a number of its own.
    unsigned Serial() const { return m_nSerial; }

    // Opens the edit of start.nIndex over its item's rectangle with the text.
    void Open(EditStart start, const CRect& rcItem, const std::wstring& text, int nDpi);
    // Closes the open edit: the controls hide (handing the focus to the list)
    // and the typed text comes back.
    std::wstring Close();
    // The controls' font and margins for a new DPI, and an open edit's
    // rectangles over its item's new place.
    void UpdateForDpi(HFONT hFont, const CRect& rcItem, int nDpi);
    // Puts text into a shown edit and focuses it.
    void SetText(const std::wstring& text);
    // Clicks the shown browse button as the user would (the button takes the
    // focus and reports its click); nothing without one.
    void PressBrowseButton();
    bool IsControl(HWND hWnd) const;

    CInPlaceEdit* Edit() const { return m_pEdit.get(); }
    CInPlaceButton* Button() const { return m_pButton.get(); }

    // The edit box's style bits, kBrowseStyle for the button too.
    DWORD m_dwEditStyle = kBrowseStyle;
    // The edited item, -1 while no edit is open.
    int m_nEditItem = -1;

private:
    bool HasBrowseButton() const { return (m_dwEditStyle & kBrowseStyle) != 0; }
    // m_rcEdit and m_rcButton over an item.
    void ComputeEditRects(const CRect& rcItem, int nDpi);

    std::unique_ptr<CInPlaceEdit> m_pEdit;
    CRect m_rcEdit;
    std::unique_ptr<CInPlaceButton> m_pButton;
    CRect m_rcButton;
    EditStart m_editStart;
    unsigned m_nSerial = 0;
};
