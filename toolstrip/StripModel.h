#pragma once
// Hover and press state of the tool strip. The window class feeds it the mouse
// and size messages and carries out its effects through IStripHost; painting
// reads GetHot and IsPressed.
//
// States (m_nHot, m_bPressed, capture):
//   Idle        4, false, no        Hover(k)    k, false, no
//   Pressed(k)  k, true,  yes       Tracking    follows the pointer, false, yes
// A press on a button sinks it and freezes the hot button until the release; a
// press beside the buttons only takes the capture, and the hot button keeps
// following the pointer. Releasing over the hot button runs its command.
#include "toolstrip/StripLayout.h"

class IStripHost {
public:
    virtual ~IStripHost() = default;
    // Marks the rectangle for repainting, without erasing; painted later.
    virtual void InvalidateRect(const StripRect& rc) = 0;
    // Marks the whole client area for repainting, without erasing; painted later.
    virtual void InvalidateAll() = 0;
    // Paints the invalid parts now (UpdateWindow).
    virtual void UpdateNow() = 0;
    virtual void SetCapture() = 0;
    virtual void ReleaseCapture() = 0;
    // Runs command 0 New, 1 Delete, 2 Move Up or 3 Move Down on the owner list.
    virtual void Execute(int nCommand) = 0;
};

class StripModel {
public:
    explicit StripModel(IStripHost& host) : m_host(host) {}
    StripModel(const StripModel&) = delete;
    StripModel& operator=(const StripModel&) = delete;

    // Lays the buttons out for a client area of this size, with the figures
    // of the window's DPI. Until the first layout no point is on a button.
    void Size(int nWidth, int nHeight, const toolstrip::StripMetrics& metrics = {});

    // Pointer positions are in client coordinates; the window converts the
    // screen position of WM_NCMOUSEMOVE before calling NcMouseMove.
    void MouseMove(int x, int y);
    void LButtonDown(int x, int y);
    void LButtonUp(int x, int y);
    void NcMouseMove(int x, int y);

    // Another window took the mouse capture. The window calls this for
    // WM_CAPTURECHANGED whose new capture window is not the strip itself. The
    // release in LButtonUp gives the capture up before asking the host, so the
    // message that this release produces finds nothing to undo; only a capture
    // lost while the strip still holds it resets the press and the hot button.
    void CaptureLost();

    int HitTest(int x, int y) const { return toolstrip::HitTest(m_rcButtons, x, y); }
    const toolstrip::ButtonRects& GetButtonRects() const { return m_rcButtons; }
    int GetHot() const { return m_nHot; }
    bool IsPressed() const { return m_bPressed; }
    bool HasCapture() const { return m_bCapture; }

private:
    // Marks a button (0..3) for repainting; with bUpdateNow the invalid parts
    // are painted at once, also for kNoButton, so that an earlier deferred
    // invalidation shows now.
    void InvalidateButton(int nButton, bool bUpdateNow);

    IStripHost& m_host;
    toolstrip::ButtonRects m_rcButtons{};
    int m_nHot = toolstrip::kNoButton;
    bool m_bPressed = false;
    bool m_bCapture = false;
};
