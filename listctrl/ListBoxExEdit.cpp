// In-place editing: what the edit session's reports do to the list's entries.
#include "listctrl/InPlaceCtrl.h"
#include "listctrl/ListBoxEx.h"

#include <optional>
#include <utility>

#include "fw/Dpi.h"

int CListBoxEx::OnCreate(CREATESTRUCTW*)
{
    if (Default() == -1)
        return -1;
    AttachParts();
    return 0;
}

void CListBoxEx::SetDpi(int nDpi)
{
    m_nDpi = nDpi;
    RemeasureItems();
    m_pathTip.UpdateWidth();
    const CRect rcEdited = IsEditing() ? GetItemRect(GetEditItem()) : CRect();
    m_edit.UpdateForDpi(reinterpret_cast<HFONT>(SendMessage(WM_GETFONT)), rcEdited, m_nDpi);
    if (m_edit.HasControls())
        Invalidate(TRUE);
}

void CListBoxEx::CreateInPlaceControls()
{
    m_edit.CreateControls(this, m_nDpi);
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
    return nIndex < GetCount() ? nIndex : AppendEntry({});
}

// CanEdit is not asked here: the callers that need it ask it first.
void CListBoxEx::BeginEdit(int nIndex)
{
    if (!m_bEditable || IsEditing())
        return;
    CreateInPlaceControls();
    if (!m_edit.HasControls())
        return;
    const int nOldCount = GetCount();
    const int nItem = ResolveEditIndex(nIndex);
    if (nItem == -1)
        return;
    m_pathTip.Pop();   // the edit covers the entry
    SetCurSel(nItem);
    m_nFocusItem = nItem;
    EditStart start{nItem, GetCount() != nOldCount, m_entries.At(nItem)};
    const std::wstring text = start.entry.name;
    m_edit.Open(std::move(start), GetItemRect(nItem), text, m_nDpi);
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
    const int nItem = GetEditItem();
    const std::wstring text = m_edit.Close();
    std::optional<ListEntry> result;
    if (text.empty()) {
        RemoveEntry(nItem);
    } else {
        if (!bCancel) {
            SetItemText(nItem, text);
            SetCurSel(nItem);
        }
        result = m_entries.At(nItem);
    }
    if (std::optional<ListStep> step = StepOfEdit(m_edit.Start(), result))
        RecordStep(std::move(*step));
    Invalidate(TRUE);
}

// Enter, a loss of focus to another window and the end of the dialog all end
// an edit this way.
void CListBoxEx::EndEditAsFocusLoss()
{
    if (IsEditing())
        EndEdit(!AcceptEdit(GetEditItem(), FALSE));
}

void CListBoxEx::SetEditText(const std::wstring& strText)
{
    m_edit.SetText(strText);
}

// Called by the in-place controls, inside their send. The reply 1 lets the
// reporting control hide itself; both are hidden already by then (a report
// with no edit under way, which should not come, only lets it hide). What is
// not such a report is answered 0 and changes nothing.
LRESULT CListBoxEx::OnCtrlMsg(WPARAM, LPARAM lParam)
{
    // Only a report of our own controls, sent from this thread, is read.
    const auto* pNotify = RecordOfThisThread<InPlaceNotify>(lParam);
    if (pNotify == nullptr || !m_edit.IsControl(pNotify->hwndFrom))
        return 0;
    if (!IsEditing())
        return 1;
    switch (pNotify->nCode) {
    case IPN_KEY:
        if (pNotify->nParam == VK_F4) {
            m_edit.PressBrowseButton();   // the way a click on it browses
            return 0;
        }
        if (pNotify->nParam == VK_ESCAPE) {
            AcceptEdit(GetEditItem(), TRUE);   // only informed
            EndEdit(TRUE);
        } else {
            EndEditAsFocusLoss();
        }
        return 1;
    case IPN_BUTTON:
        Browse(GetEditItem());
        return 0;
    case IPN_KILLFOCUS:
        // The focus moving between the edit and the button keeps the edit open.
        if (m_edit.IsControl(reinterpret_cast<HWND>(pNotify->nParam)))
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
