#pragma once
// The bar above the list: its caption and the New, Delete, Move Up and Move
// Down image buttons, which act on the owner list.
//
// The strip takes over the dialog's owner-drawn button 1009 by subclassing and
// paints it entirely itself, double-buffered. Geometry and the hover and press
// state live in the portable StripModel; this class feeds it the window's
// messages and carries out its effects (repainting, capture, commands).
#include "fw/Gdi.h"
#include "fw/ToolTipCtrl.h"
#include "fw/Wnd.h"
#include "toolstrip/StripModel.h"

class CListBoxEx;

class CToolStrip : public CWnd, private IStripHost {
public:
    // The buttons show the glyphs of the button table, or none: a strip
    // whose glyph bitmap cannot be made works on without them.
    enum class Glyphs { FromTable, None };
    explicit CToolStrip(Glyphs glyphs = Glyphs::FromTable);
    ~CToolStrip() override;

    CListBoxEx* m_pList = nullptr;   // the list the commands act on; not owned

    // The button (0..3) whose rectangle holds a client point, or 4.
    int HitTest(CPoint point) const { return m_model.HitTest(point.x, point.y); }
    // Runs the command of button nCommand (StripButtons.h) on m_pList; other
    // numbers, or no list, do nothing.
    void Execute(int nCommand) override;
    // Creates the tooltip window with one tool per button, unless it exists.
    void CreateToolTips();

    CRect GetButtonRect(int nButton) const;
    int GetHot() const { return m_model.GetHot(); }
    bool IsPressed() const { return m_model.IsPressed(); }
    // The button the keyboard's focus mark is drawn on, or 4 when none shows.
    int VisibleFocusMark() const;
    // Whether the buttons can be pressed: not while the strip or its dialog
    // is disabled, as a modal window of the launcher disables the dialog.
    bool IsAvailable() const;
    // The button the keyboard's focus is on while the strip has it (the one
    // Space presses, its mark drawn or not), or 4.
    int GetFocusButton() const;
    // Runs a button's command from the message queue, after the caller has
    // returned: an accessibility client's press must not wait for it.
    void PostPress(int nButton);
    bool HasGlyphs() const { return m_bmpGlyphs.Get() != nullptr; }
    // The DPI the strip's figures, glyphs and caption font are made for: the
    // window's own when attached or created, then what SetDpi was told.
    int GetDpi() const { return m_nDpi; }
    // Remakes everything for a new DPI (the window moved to another monitor)
    // and repaints; the caller has sized the window already.
    void SetDpi(int nDpi);
    // The buttons' tooltip, made once the pointer has come over the strip
    // (CToolTipSchedule) or when asked for here.
    CToolTipCtrl& GetToolTip();

    // Framework overrides.
    void PreSubclassWindow() override;
    // Screen readers see the buttons as push buttons (ToolStripAccessible.cpp).
    CAccessibleBase* CreateAccessibleObject() override;
    BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Message handlers.
    int OnCreate(CREATESTRUCTW* pCS);
    void OnPaint();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnNcMouseMove(UINT nHitTest, CPoint point);
    void OnCaptureChanged(HWND hWndNew);
    void OnKeyDown(UINT nChar);
    void OnKeyUp(UINT nChar);
    void OnUpdateUIState(UINT nAction, UINT nFlags);

private:
    // IStripHost: what the model asks of the window.
    void InvalidateRect(const StripRect& rc) override;
    void InvalidateAll() override;
    void UpdateNow() override;
    void SetCapture() override;
    void ReleaseCapture() override;

    // Tells accessibility clients when the keyboard's focus went to another
    // button since it was on nMarkBefore.
    void NotifyFocusMark(int nMarkBefore);
    // Lays the buttons out for a client area of this size and moves the tools.
    void Layout(int cx, int cy);
    // Paints the whole strip through an off-screen picture into hDC.
    void Paint(HDC hDC);
    // Makes the glyph bitmap match the current face and shadow colours and
    // the glyph factor of the current DPI.
    void UpdateGlyphColours();
    // The caption's font at the current DPI: the stock GUI font, or one made
    // from it for a DPI other than the system's.
    HGDIOBJ CaptionFont() const;

    Glyphs m_glyphs;
    CBitmap m_bmpGlyphs;
    COLORREF m_clrGlyphFace = CLR_INVALID;     // the colours m_bmpGlyphs was made for
    COLORREF m_clrGlyphShadow = CLR_INVALID;
    int m_nGlyphFactor = 0;                    // ... and the factor
    int m_nDpi = dpi::kDefaultDpi;
    toolstrip::StripMetrics m_metrics;
    CFont m_fontCaption;                       // null: the stock font fits
    StripModel m_model;
    CToolTipCtrl m_toolTip;
    CToolTipSchedule m_toolTipSchedule;
    bool m_bHideFocus = false;      // the UI state hides focus rectangles
    bool m_bInMousePress = false;   // the focus arriving now comes with a click
};
