#include "toolstrip/ToolStrip.h"

#include <optional>

#include "fw/Dpi.h"
#include "listctrl/ListBoxEx.h"
#include "toolstrip/GlyphImage.h"
#include "toolstrip/StripButtons.h"

namespace {

using toolstrip::kButtonCount;

// Posted to the strip to run a button's command (wParam, 0..3) later.
UINT PressMessage()
{
    static const UINT message = ::RegisterWindowMessageW(L"NimbrelRun_StripPress");
    return message;
}

CRect ToRect(const StripRect& rc)
{
    return {rc.left, rc.top, rc.right, rc.bottom};
}

toolstrip::Rgb ToRgb(COLORREF colour)
{
    return {GetRValue(colour), GetGValue(colour), GetBValue(colour)};
}

// A bitmap for the screen holding the glyph pixels; empty when it cannot be made.
CBitmap CreateGlyphBitmap(const toolstrip::GlyphPixels& glyphs)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), glyphs.nWidth, -glyphs.nHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    CClientDC dcScreen(nullptr);
    return CBitmap(::CreateDIBitmap(dcScreen, &info.bmiHeader, CBM_INIT, glyphs.pixels.data(), &info,
                                    DIB_RGB_COLORS));
}

// Copies glyph i of the strip bitmap (the glyphs side by side, each as wide
// as its rectangle) to rectangle i in the DC.
void DrawGlyphs(CDC& dc, HBITMAP hBitmap, const toolstrip::ButtonRects& rcGlyphs)
{
    CMemoryDC dcBitmap(dc);
    CSelectObject select(dcBitmap, hBitmap);
    for (int i = 0; i < kButtonCount; ++i) {
        const StripRect& rc = rcGlyphs[static_cast<std::size_t>(i)];
        const int cx = rc.right - rc.left;
        dc.BitBlt(rc.left, rc.top, cx, rc.bottom - rc.top, dcBitmap, cx * i, 0, SRCCOPY);
    }
}

}  // namespace

CToolStrip::CToolStrip(Glyphs glyphs) : m_glyphs(glyphs), m_model(*this)
{
    UpdateGlyphColours();
}

// The accessible object goes first, since it reads the strip's state; the
// tooltip window and the bitmap go with their members.
CToolStrip::~CToolStrip()
{
    ReleaseAccessibleObject();
}

void CToolStrip::UpdateGlyphColours()
{
    if (m_glyphs == Glyphs::None)
        return;
    const COLORREF clrFace = ::GetSysColor(COLOR_3DFACE);
    const COLORREF clrShadow = ::GetSysColor(COLOR_3DSHADOW);
    if (clrFace == m_clrGlyphFace && clrShadow == m_clrGlyphShadow && m_metrics.nGlyphFactor == m_nGlyphFactor)
        return;
    m_bmpGlyphs = CreateGlyphBitmap(toolstrip::RenderGlyphs(ToRgb(clrFace), ToRgb(clrShadow), m_metrics.nGlyphFactor));
    m_clrGlyphFace = clrFace;
    m_clrGlyphShadow = clrShadow;
    m_nGlyphFactor = m_metrics.nGlyphFactor;
}

void CToolStrip::SetDpi(int nDpi)
{
    m_nDpi = nDpi;
    m_metrics = toolstrip::MetricsForDpi(nDpi);
    m_fontCaption.DeleteObject();
    const int nSystemDpi = GetSystemDpi();
    if (nDpi != nSystemDpi) {
        LOGFONTW lf{};
        ::GetObjectW(::GetStockObject(DEFAULT_GUI_FONT), sizeof lf, &lf);
        lf.lfHeight = dpi::Rescale(lf.lfHeight, nDpi, nSystemDpi);
        m_fontCaption.Attach(::CreateFontIndirectW(&lf));
    }
    UpdateGlyphColours();
    if (m_hWnd == nullptr)
        return;
    const CRect rc = GetClientRect();
    Layout(rc.Width(), rc.Height());
    InvalidateAll();
}

HGDIOBJ CToolStrip::CaptionFont() const
{
    return m_fontCaption.Get() != nullptr ? m_fontCaption.Get() : ::GetStockObject(DEFAULT_GUI_FONT);
}

CRect CToolStrip::GetButtonRect(int nButton) const
{
    return ToRect(m_model.GetButtonRects().at(static_cast<std::size_t>(nButton)));
}

// Attached to the dialog's button. The tooltip comes later (GetToolTip).
void CToolStrip::PreSubclassWindow()
{
    SetDpi(GetWindowDpi(m_hWnd));   // lays the buttons out
    m_bHideFocus = (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) != 0;
    CWnd::PreSubclassWindow();
}

void CToolStrip::CreateToolTips()
{
    if (m_toolTip.m_hWnd != nullptr || m_hWnd == nullptr || !m_toolTip.Create(this))
        return;
    for (int i = 0; i < kButtonCount; ++i)
        m_toolTip.AddTool(this, LPSTR_TEXTCALLBACKW, GetButtonRect(i), static_cast<UINT_PTR>(i + 1));
    m_toolTip.Activate(TRUE);
}

CToolTipCtrl& CToolStrip::GetToolTip()
{
    CreateToolTips();
    return m_toolTip;
}

LRESULT CToolStrip::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    // The tooltip, made once the pointer has come, sees the mouse before the
    // strip does.
    if (m_toolTipSchedule.IsDue(m_hWnd, message, wParam)) {
        if (m_toolTip.m_hWnd == nullptr) {
            CreateToolTips();
            m_toolTip.RelayPointer(m_hWnd);
        }
        return 0;
    }
    if (m_toolTip.m_hWnd != nullptr)
        m_toolTip.RelayEvent(m_hWnd, message, wParam, lParam);
    const UINT nFlags = static_cast<UINT>(wParam);
    switch (message) {
    case WM_CREATE:
        return OnCreate(reinterpret_cast<CREATESTRUCTW*>(lParam));
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_PRINTCLIENT:
        Paint(reinterpret_cast<HDC>(wParam));
        return 0;
    case WM_ERASEBKGND:
        return TRUE;   // the paint covers everything: erasing first would flicker
    case WM_MOUSEMOVE:
        OnMouseMove(nFlags, CPoint(lParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:   // a quick second click on a button control
        OnLButtonDown(nFlags, CPoint(lParam));
        return 0;
    case WM_LBUTTONUP:
        OnLButtonUp(nFlags, CPoint(lParam));
        return 0;
    case WM_SIZE:
        OnSize(nFlags, LOWORD(lParam), HIWORD(lParam));
        return 0;
    case WM_NCMOUSEMOVE:
        OnNcMouseMove(nFlags, CPoint(lParam));
        return 0;
    case WM_CAPTURECHANGED:
        OnCaptureChanged(reinterpret_cast<HWND>(lParam));
        return 0;
    case WM_GETDLGCODE:
        // The arrows move the focus mark instead of the dialog's focus.
        return Default() | DLGC_WANTARROWS;
    case WM_KEYDOWN:
        OnKeyDown(static_cast<UINT>(wParam));
        return 0;
    case WM_KEYUP:
        OnKeyUp(static_cast<UINT>(wParam));
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        Default();
        m_model.SetFocus(message == WM_SETFOCUS, !m_bInMousePress);
        return 0;
    case WM_UPDATEUISTATE:
        OnUpdateUIState(LOWORD(wParam), HIWORD(wParam));
        return 0;
    case WM_NOTIFYFORMAT:
        // The tooltip asks once per tool: its texts are supplied as TTN_NEEDTEXTA.
        return lParam == NF_QUERY ? NFR_ANSI : Default();
    default:
        if (message == PressMessage()) {
            Execute(static_cast<int>(wParam));
            return 0;
        }
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

// Created as a window of its own rather than attached.
int CToolStrip::OnCreate(CREATESTRUCTW*)
{
    if (Default() == -1)
        return -1;
    SetDpi(GetWindowDpi(m_hWnd));
    return 0;
}

// Called when the strip needs painting: the picture is composed off-screen and
// copied once, limited to the invalid region.
void CToolStrip::OnPaint()
{
    CPaintDC dc(m_hWnd);
    Paint(dc);
}

void CToolStrip::Paint(HDC hDC)
{
    UpdateGlyphColours();
    const CRect rcClient = GetClientRect();
    const toolstrip::StripPicture picture =
        toolstrip::ComposePicture(rcClient.Width(), rcClient.Height(), m_model.GetHot(), m_model.IsPressed(),
                                  VisibleFocusMark(), m_metrics);

    CMemoryDC dcMem(hDC);
    CBitmap bmpPicture(::CreateCompatibleBitmap(hDC, rcClient.Width(), rcClient.Height()));
    CSelectObject selectFont(dcMem, CaptionFont());
    CSelectObject selectPicture(dcMem, bmpPicture);

    dcMem.FillRect(ToRect(picture.rcClient), ::GetSysColorBrush(COLOR_BTNFACE));
    dcMem.SetBkMode(TRANSPARENT);
    dcMem.SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    dcMem.DrawText(GetWindowText(), ToRect(picture.rcClient), DT_SINGLELINE | DT_VCENTER);
    if (HasGlyphs())
        DrawGlyphs(dcMem, m_bmpGlyphs, picture.rcGlyphs);
    if (picture.bEdge)
        dcMem.DrawEdge(ToRect(picture.rcEdge), picture.bSunken ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    if (picture.bFocusMark)
        dcMem.DrawFocusRect(ToRect(picture.rcFocus));
    ::BitBlt(hDC, picture.nCopyX, 0, picture.nCopyWidth, picture.nCopyHeight, dcMem, 0, 0, SRCCOPY);
}

// Called when the pointer moves over the client area or, during a press, anywhere.
void CToolStrip::OnMouseMove(UINT, CPoint point)
{
    m_model.MouseMove(point.x, point.y);
    Default();
}

// The mark shows while the strip has the focus, unless the window's UI state
// hides focus rectangles (the system's setting until the keyboard is used).
int CToolStrip::VisibleFocusMark() const
{
    return m_bHideFocus ? toolstrip::kNoButton : m_model.GetFocusMark();
}

// A modal window (a message box, the Open dialog, the help) disables the
// window it belongs to, the dialog, while it is up.
bool CToolStrip::IsAvailable() const
{
    return ::IsWindowEnabled(m_hWnd) && ::IsWindowEnabled(::GetAncestor(m_hWnd, GA_ROOT));
}

int CToolStrip::GetFocusButton() const
{
    return m_model.HasFocus() ? m_model.GetMark() : toolstrip::kNoButton;
}

void CToolStrip::PostPress(int nButton)
{
    ::PostMessageW(m_hWnd, PressMessage(), static_cast<WPARAM>(nButton), 0);
}

// A screen reader announces the button the focus went to; the focus coming to
// the strip itself the system announces (the mark is then on New).
void CToolStrip::NotifyFocusMark(int nMarkBefore)
{
    if (m_model.HasFocus() && m_model.GetMark() != nMarkBefore)
        ::NotifyWinEvent(EVENT_OBJECT_FOCUS, m_hWnd, OBJID_CLIENT, m_model.GetMark() + 1);
}

// Called when the window's UI state changes. The change is taken from the
// message itself as well as from the state: Wine keeps no UI state.
void CToolStrip::OnUpdateUIState(UINT nAction, UINT nFlags)
{
    Default();
    if ((nFlags & UISF_HIDEFOCUS) != 0 && (nAction == UIS_SET || nAction == UIS_CLEAR))
        m_bHideFocus = nAction == UIS_SET;
    else
        m_bHideFocus = (SendMessage(WM_QUERYUISTATE) & UISF_HIDEFOCUS) != 0;
    InvalidateRect(m_model.GetButtonRects()[static_cast<std::size_t>(m_model.GetMark())]);
}

// Called for a press and for the second press of a double-click. The button
// takes the focus in its default handling; the mark goes to the pressed button.
void CToolStrip::OnLButtonDown(UINT, CPoint point)
{
    m_model.LButtonDown(point.x, point.y);
    m_bInMousePress = true;
    Default();
    m_bInMousePress = false;
    const int nMarkBefore = m_model.GetMark();
    m_model.MarkButton(m_model.GetHot());
    NotifyFocusMark(nMarkBefore);
}

// The keys of the focus mark; Space is the strip's alone (the button's own
// handling would take the mouse capture).
static std::optional<StripModel::Key> StripKey(UINT nChar)
{
    switch (nChar) {
    case VK_LEFT:
        return StripModel::Key::Left;
    case VK_RIGHT:
        return StripModel::Key::Right;
    case VK_HOME:
        return StripModel::Key::Home;
    case VK_END:
        return StripModel::Key::End;
    case VK_SPACE:
        return StripModel::Key::Space;
    default:
        return std::nullopt;
    }
}

void CToolStrip::OnKeyDown(UINT nChar)
{
    const int nMarkBefore = m_model.GetMark();
    if (const auto key = StripKey(nChar))
        m_model.KeyDown(*key);
    else
        Default();
    NotifyFocusMark(nMarkBefore);
}

void CToolStrip::OnKeyUp(UINT nChar)
{
    if (const auto key = StripKey(nChar))
        m_model.KeyUp(*key);
    else
        Default();
}

// Called for the release; runs the command when it ends a press on the same button.
void CToolStrip::OnLButtonUp(UINT, CPoint point)
{
    m_model.LButtonUp(point.x, point.y);
    Default();
}

void CToolStrip::OnSize(UINT, int cx, int cy)
{
    Layout(cx, cy);
    Default();
}

void CToolStrip::Layout(int cx, int cy)
{
    m_model.Size(cx, cy, m_metrics);
    if (m_toolTip.m_hWnd == nullptr)
        return;
    for (int i = 0; i < kButtonCount; ++i)
        m_toolTip.SetToolRect(this, static_cast<UINT_PTR>(i + 1), GetButtonRect(i));
}

// Called when the pointer is over the border (the static edge): this normally
// clears the hover as the pointer leaves the strip.
void CToolStrip::OnNcMouseMove(UINT, CPoint point)
{
    ScreenToClient(&point);
    m_model.NcMouseMove(point.x, point.y);
    Default();
}

// Another window taking the capture ends a press without a release here.
void CToolStrip::OnCaptureChanged(HWND hWndNew)
{
    if (hWndNew != m_hWnd)
        m_model.CaptureLost();
    Default();
}

BOOL CToolStrip::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(lParam);
    const int nButton = static_cast<int>(pInfo->hdr.idFrom) - 1;
    switch (pInfo->hdr.code) {
    case TTN_NEEDTEXTA:
        toolstrip::GetToolTipText(nButton, pInfo->szText);
        break;
    case TTN_NEEDTEXTW: {
        // The tools were added before this object answered WM_NOTIFYFORMAT, so
        // a Unicode button (common controls 6) gets the wide request.
        char szText[toolstrip::kToolTipBufferSize] = {};
        toolstrip::GetToolTipText(nButton, szText);
        if (szText[0] != '\0')
            ::MultiByteToWideChar(CP_ACP, 0, szText, -1, reinterpret_cast<NMTTDISPINFOW*>(lParam)->szText,
                                  toolstrip::kToolTipBufferSize);
        break;
    }
    default:
        return CWnd::OnNotify(wParam, lParam, pResult);
    }
    *pResult = 0;   // the tooltip reads only the text
    return TRUE;
}

// The button asks its parent to draw it; the parent passes the request here,
// and the strip, which paints itself in WM_PAINT, has nothing to add.
BOOL CToolStrip::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message != WM_DRAWITEM)
        return CWnd::OnChildNotify(message, wParam, lParam, pResult);
    if (pResult != nullptr)
        *pResult = TRUE;
    return TRUE;
}

// A press may come while the buttons cannot be clicked (a screen reader's,
// the press message from anywhere): while a modal window is up it does
// nothing; and an edit still open ends first, as the click's taking of the
// focus would end it, so the command acts on the list as the edit left it.
void CToolStrip::Execute(int nCommand)
{
    const toolstrip::StripButton* pButton = toolstrip::FindButton(nCommand);
    if (m_pList == nullptr || pButton == nullptr || !IsAvailable())
        return;
    m_pList->EndEditAsFocusLoss();
    const int nSelection = m_pList->GetCurSel();   // read before the command changes it
    switch (pButton->command) {
    case toolstrip::Command::New:
        m_pList->BeginEditNew();
        break;
    case toolstrip::Command::Delete:
        if (nSelection != -1)
            m_pList->DeleteEntry(nSelection);
        break;
    case toolstrip::Command::MoveUp:
        if (nSelection != -1)
            m_pList->MoveUp(nSelection);
        break;
    case toolstrip::Command::MoveDown:
        if (nSelection != -1)
            m_pList->MoveDown(nSelection);
        break;
    }
}

void CToolStrip::InvalidateRect(const StripRect& rc)
{
    const CRect rcButton = ToRect(rc);
    ::InvalidateRect(m_hWnd, &rcButton, FALSE);
}

void CToolStrip::InvalidateAll()
{
    ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CToolStrip::UpdateNow()
{
    ::UpdateWindow(m_hWnd);
}

void CToolStrip::SetCapture()
{
    ::SetCapture(m_hWnd);
}

void CToolStrip::ReleaseCapture()
{
    ::ReleaseCapture();
}
