#pragma once
// A tooltip control: a pop-up that shows a short text while the pointer rests
// over one of its tools, each a rectangle of another window.
#include <cstddef>

#include "fw/Wnd.h"   // <windows.h> comes first

#include <commctrl.h>

class CToolTipCtrl : public CWnd {
public:
    // The size of the tool record we send: the record without its last member
    // (lpReserved), 44 bytes on 32-bit Windows. Version 5 of the common
    // controls (no manifest) rejects records that include it.
    static constexpr UINT kToolInfoSize = offsetof(TTTOOLINFOW, lParam) + sizeof(LPARAM);

    CToolTipCtrl() = default;
    // Destroys the tooltip window if it still exists.
    ~CToolTipCtrl() override;

    // Creates the tooltip window owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // Registers tool nIDTool of pWnd over rc; pWnd's procedure passes its mouse
    // messages on with RelayEvent. With LPSTR_TEXTCALLBACKW the control asks
    // pWnd for the text with TTN_NEEDTEXTW each time the tip is shown.
    BOOL AddTool(CWnd* pWnd, LPCWSTR lpszText, const RECT& rc, UINT_PTR nIDTool);
    // Shows the control a message of a tool's window: the mouse messages make
    // its tips come and go, others are ignored. Passed on by the window's own
    // procedure rather than watched through the control's subclass of the
    // window, which would cost every message of that window a property lookup
    // (under Wine a round trip to the server).
    void RelayEvent(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    // Shows the control the pointer where it is now, as a move of it over
    // hWnd would: for a control made after the pointer came.
    void RelayPointer(HWND hWnd);
    // Gives tool nIDTool of pWnd a new rectangle in pWnd's client coordinates.
    void SetToolRect(CWnd* pWnd, UINT_PTR nIDTool, const RECT& rc);
    void Activate(BOOL bActivate);
    // Hides the tip now; the pointer resting on a tool again shows it again.
    void Pop();
    // Gives tool nIDTool of pWnd a new text (LPSTR_TEXTCALLBACKW: asked for
    // again); a tip shown for that tool is shown again with it.
    void UpdateTipText(LPCWSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool);
    // The width in pixels past which a tip's text wraps onto further lines
    // (-1: never); returns the width it replaces.
    int SetMaxTipWidth(int iWidth);

    int GetToolCount() const;
    // Fills ti (flags and rectangle) for tool nIDTool of pWnd.
    BOOL GetToolInfo(TTTOOLINFOW& ti, CWnd* pWnd, UINT_PTR nIDTool) const;

private:
    static TTTOOLINFOW ToolInfo(CWnd* pWnd, UINT_PTR nIDTool);
};

// When a window's tooltip is made: after the pointer first moves over the
// window, once the window has nothing more urgent to do (a timer's message
// comes only after input and painting). A start is not kept waiting for a
// tooltip that a keyboard user never sees.
class CToolTipSchedule {
public:
    // Called with each message of the window before it is handled: true when
    // the tooltip is to be made now (the message was the schedule's own and
    // needs nothing else).
    bool IsDue(HWND hWnd, UINT message, WPARAM wParam);

private:
    static constexpr UINT_PTR kTimerId = 0x4E54;
    bool m_bScheduled = false;
};

#ifndef _WIN64
static_assert(CToolTipCtrl::kToolInfoSize == 44, "the tool record of 32-bit Windows");
#endif
