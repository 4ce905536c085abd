#include "listctrl/EditSession.h"

#include <utility>

#include "dpi/PixelRect.h"
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListLayout.h"

namespace {

constexpr UINT kEditID = 1;
constexpr UINT kButtonID = 2;

}  // namespace

CEditSession::CEditSession() = default;

// The controls' windows are the list's children; they go while it still
// exists, the edit first.
CEditSession::~CEditSession()
{
    m_pEdit.reset();
    m_pButton.reset();
}

void CEditSession::CreateControls(CWnd* pList, int nDpi)
{
    if (m_pEdit)
        return;
    auto pEdit = std::make_unique<CInPlaceEdit>();
    auto pButton = std::make_unique<CInPlaceButton>();
    if (!pEdit->Create(m_dwEditStyle | WS_CHILD | WS_BORDER, CRect(), pList, kEditID) ||
        !pButton->Create(L"...", WS_CHILD, CRect(), pList, kButtonID)) {
        pEdit->DestroyWindow();
        return;
    }
    pEdit->SendMessage(WM_SETFONT, static_cast<WPARAM>(pList->SendMessage(WM_GETFONT)), TRUE);
    pEdit->SetLeftMargin(dpi::Scale(listlayout::kEditLeftMargin, nDpi));
    m_pEdit = std::move(pEdit);
    m_pButton = std::move(pButton);
}

void CEditSession::ComputeEditRects(const CRect& rcItem, int nDpi)
{
    const listlayout::EditRects rects = listlayout::EditRectsOverItem(PixelRectOf(rcItem), HasBrowseButton(), nDpi);
    m_rcEdit = RectOf<CRect>(rects.edit);
    m_rcButton = RectOf<CRect>(rects.button);
}

void CEditSession::Open(EditStart start, const CRect& rcItem, const std::wstring& text, int nDpi)
{
    m_nEditItem = start.nIndex;
    ++m_nSerial;
    m_editStart = std::move(start);
    ComputeEditRects(rcItem, nDpi);
    m_pEdit->SetWindowText(text);
    m_pEdit->ShowAt(m_rcEdit);
    if (HasBrowseButton())
        m_pButton->ShowAt(m_rcButton);
}

// The edit is over before the controls hide: hiding the edit hands the focus
// to the list, and the button, when it had the focus, reports that loss while
// still shown; it must not end this edit a second time.
std::wstring CEditSession::Close()
{
    m_nEditItem = -1;
    m_pEdit->Hide();
    m_pButton->Hide();
    return m_pEdit->GetWindowText();
}

void CEditSession::UpdateForDpi(HFONT hFont, const CRect& rcItem, int nDpi)
{
    if (!m_pEdit)
        return;
    m_pEdit->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(hFont), FALSE);
    m_pEdit->SetLeftMargin(dpi::Scale(listlayout::kEditLeftMargin, nDpi));
    if (!IsOpen())
        return;
    // The edit stays open over its item, at the item's new place and size.
    // (Visibility cannot tell here: the dialog may have its drawing off.)
    ComputeEditRects(rcItem, nDpi);
    m_pEdit->MoveTo(m_rcEdit);
    if (HasBrowseButton())
        m_pButton->MoveTo(m_rcButton);
}

void CEditSession::SetText(const std::wstring& text)
{
    if (!m_pEdit || !m_pEdit->IsWindowVisible())
        return;
    m_pEdit->SetWindowText(text);
    m_pEdit->SetFocus();
}

void CEditSession::PressBrowseButton()
{
    if (m_pButton && m_pButton->IsWindowVisible())
        m_pButton->SendMessage(BM_CLICK);
}

bool CEditSession::IsControl(HWND hWnd) const
{
    return hWnd != nullptr && ((m_pEdit && hWnd == m_pEdit->m_hWnd) || (m_pButton && hWnd == m_pButton->m_hWnd));
}
