// In-place editing: the edit box and the browse button laid over an item, and
// what their reports do to the list.
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListBoxEx.h"

#include <optional>
#include <utility>

#include "fw/Dpi.h"

namespace {

constexpr UINT kEditID = 1;
constexpr UINT kButtonID = 2;
// At 96 DPI, scaled for others: the edit starts this far into the item and,
// without a button, ends this far before its right edge; the button ends
// there instead.
constexpr int kEditInset = 5;
// Room kept at the item's right end for the button and the inset after it.
constexpr int kButtonRoom = 30;
// Both controls reach this far above and below the item.
constexpr int kOverhang = 2;
// The edit's left margin inside its border.
constexpr int kEditLeftMargin = 2;

}  // namespace

int CListBoxEx::OnCreate(CREATESTRUCTA*)
{
    if (Default() == -1)
        return -1;
    m_nDpi = GetWindowDpi(m_hWnd);
    CreateInPlaceControls();
    CreatePathTip();
    return 0;
}

void CListBoxEx::SetDpi(int nDpi)
{
    m_nDpi = nDpi;
    MEASUREITEMSTRUCT mis{};
    mis.CtlType = ODT_LISTBOX;
    MeasureItem(&mis);
    SetItemHeight(0, mis.itemHeight);
    SetPathTipWidth();
    if (!m_pEdit)
        return;
    m_pEdit->SendMessage(WM_SETFONT, static_cast<WPARAM>(SendMessage(WM_GETFONT)), FALSE);
    m_pEdit->SetLeftMargin(Scaled(kEditLeftMargin));
    if (IsEditing()) {
        // The edit stays open over its item, at the item's new place and size.
        // (Visibility cannot tell here: the dialog may have its drawing off.)
        ComputeEditRects(m_nEditItem);
        m_pEdit->MoveTo(m_rcEdit);
        if ((m_dwEditStyle & kBrowseStyle) != 0)
            m_pButton->MoveTo(m_rcButton);
    }
    Invalidate(TRUE);
}

// Created once, hidden; shown only while an edit is under way. Both or none:
// when either cannot be created, no edit begins until both can.
void CListBoxEx::CreateInPlaceControls()
{
    if (m_pEdit)
        return;
    auto pEdit = std::make_unique<CInPlaceEdit>();
    auto pButton = std::make_unique<CInPlaceButton>();
    if (!pEdit->Create(m_dwEditStyle | WS_CHILD | WS_BORDER, CRect(), this, kEditID) ||
        !pButton->Create("...", WS_CHILD, CRect(), this, kButtonID)) {
        pEdit->DestroyWindow();
        return;
    }
    pEdit->SendMessage(WM_SETFONT, static_cast<WPARAM>(SendMessage(WM_GETFONT)), TRUE);
    pEdit->SetLeftMargin(Scaled(kEditLeftMargin));
    m_pEdit = std::move(pEdit);
    m_pButton = std::move(pButton);
}

BOOL CListBoxEx::CanEdit(int)
{
    return TRUE;
}

BOOL CListBoxEx::AcceptEdit(int, BOOL)
{
    return TRUE;
}

void CListBoxEx::Browse(int)
{
}

// -1 stands for the focus item; an index past the last item stands for a new
// entry at the end. The item to edit, or -1 when there is none.
int CListBoxEx::ResolveEditIndex(int nIndex)
{
    if (nIndex == -1)
        nIndex = m_nFocusItem;
    if (nIndex < 0)
        return -1;
    return nIndex < GetCount() ? nIndex : AppendNewEntry();
}

int CListBoxEx::AppendEntry(const std::string& text, std::string path)
{
    const int nNew = AddString(text);
    if (nNew < 0)
        return -1;
    SetItemData(nNew, 0);
    // Written even when empty: a new entry never inherits what a removed entry
    // left behind in this element. Writing also grows the table when needed.
    m_arrPaths.SetAt(nNew, std::move(path));
    return nNew;
}

// CanEdit is not asked here: the callers that need it ask it first.
void CListBoxEx::BeginEdit(int nIndex)
{
    if (!m_bEditable || IsEditing())
        return;
    CreateInPlaceControls();
    if (!m_pEdit)
        return;
    const int nOldCount = GetCount();
    const int nItem = ResolveEditIndex(nIndex);
    if (nItem == -1)
        return;
    m_editStart = EditStart{nItem, GetCount() != nOldCount, EntryAt(nItem)};
    m_pathTip.Pop();   // the edit covers the entry
    SetCurSel(nItem);
    m_nFocusItem = nItem;
    m_nEditItem = nItem;

    ComputeEditRects(nItem);
    m_pEdit->SetWindowText(GetText(nItem));
    m_pEdit->ShowAt(m_rcEdit);
    if ((m_dwEditStyle & kBrowseStyle) != 0)
        m_pButton->ShowAt(m_rcButton);
}

void CListBoxEx::ComputeEditRects(int nItem)
{
    const bool bBrowse = (m_dwEditStyle & kBrowseStyle) != 0;
    const int nInset = Scaled(kEditInset), nOverhang = Scaled(kOverhang);
    const CRect rcItem = GetItemRect(nItem);
    m_rcEdit = rcItem;
    m_rcEdit.left += nInset;
    m_rcEdit.right -= bBrowse ? Scaled(kButtonRoom) : nInset;
    ::InflateRect(&m_rcEdit, 0, nOverhang);
    m_rcButton = rcItem;
    m_rcButton.left = m_rcEdit.right;
    m_rcButton.right -= nInset;
    ::InflateRect(&m_rcButton, 0, nOverhang);
}

void CListBoxEx::BeginEditNew()
{
    BeginEdit(GetCount());
}

// An empty text removes the entry, cancelled or not; otherwise the typed text
// becomes the display text unless the edit was cancelled. The path never
// changes here. What the whole edit did, with a path browsed during it, is one
// step of the history.
void CListBoxEx::EndEdit(BOOL bCancel)
{
    if (!IsEditing())
        return;
    // The edit is over before the controls hide: hiding the edit hands the
    // focus to the list, and the button, when it had the focus, reports that
    // loss while still shown; it must not end this edit a second time.
    const int nItem = std::exchange(m_nEditItem, -1);
    m_pEdit->Hide();
    m_pButton->Hide();
    const std::string text = m_pEdit->GetWindowText();
    std::optional<ListEntry> result;
    if (text.empty()) {
        RemoveEntry(nItem);
    } else {
        if (!bCancel) {
            SetItemText(nItem, text);
            SetCurSel(nItem);
        }
        result = EntryAt(nItem);
    }
    if (std::optional<ListStep> step = StepOfEdit(m_editStart, result))
        RecordStep(std::move(*step));
    Invalidate(TRUE);
}

// Enter, a loss of focus to another window and the end of the dialog all end
// an edit this way.
void CListBoxEx::EndEditAsFocusLoss()
{
    if (IsEditing())
        EndEdit(!AcceptEdit(m_nEditItem, FALSE));
}

void CListBoxEx::SetEditText(const std::string& strText)
{
    if (!m_pEdit || !m_pEdit->IsWindowVisible())
        return;
    m_pEdit->SetWindowText(strText);
    m_pEdit->SetFocus();
}

bool CListBoxEx::IsInPlaceControl(HWND hWnd) const
{
    return hWnd != nullptr && ((m_pEdit && hWnd == m_pEdit->m_hWnd) || (m_pButton && hWnd == m_pButton->m_hWnd));
}

// Called by the in-place controls, inside their send. The reply 1 lets the
// reporting control hide itself; both are hidden already by then (a report
// with no edit under way, which should not come, only lets it hide). What is
// not such a report is answered 0 and changes nothing.
LRESULT CListBoxEx::OnCtrlMsg(WPARAM, LPARAM lParam)
{
    // Only a report of our own controls, sent from this thread, is read.
    const auto* pNotify = RecordOfThisThread<InPlaceNotify>(lParam);
    if (pNotify == nullptr || !IsInPlaceControl(pNotify->hwndFrom))
        return 0;
    if (!IsEditing())
        return 1;
    switch (pNotify->nCode) {
    case IPN_KEY:
        if (pNotify->nParam == VK_ESCAPE) {
            AcceptEdit(m_nEditItem, TRUE);   // only informed
            EndEdit(TRUE);
        } else {
            EndEditAsFocusLoss();
        }
        return 1;
    case IPN_BUTTON:
        Browse(m_nEditItem);
        return 0;
    case IPN_KILLFOCUS:
        // The focus moving between the edit and the button keeps the edit open.
        if (IsInPlaceControl(reinterpret_cast<HWND>(pNotify->nParam)))
            return 0;
        EndEditAsFocusLoss();
        return 1;
    default:
        return 0;
    }
}

void CListBoxEx::OnRButtonDown(UINT, CPoint point)
{
    Default();
    if (!m_bEditable)
        return;
    const int nItem = ItemFromClientPoint(point);
    if (nItem != -1 && CanEdit(nItem))
        BeginEdit(nItem);
}
