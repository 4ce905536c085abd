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
//
// With the keyboard focus the strip keeps a focus mark on one button (New when
// the focus arrives, the pressed button after a click): Left/Right and
// Home/End move it, Space presses the marked button as the mouse would, and
// its release runs the command.
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
    // Runs the command of button nCommand (StripButtons.h) on the owner list.
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

    // The keys the strip takes while it has the keyboard focus.
    enum class Key { Left, Right, Home, End, Space };
    // Gaining the focus puts the mark on New; losing it ends a key press
    // without running anything. Focus that a click brought shows no mark
    // until a key of the strip is pressed, as the system hides keyboard cues
    // until the keyboard is used.
    void SetFocus(bool bFocus, bool bByKeyboard = true);
    // Puts the mark on a button (a click's); kNoButton leaves it where it is.
    void MarkButton(int nButton);
    void KeyDown(Key key);
    void KeyUp(Key key);

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
    bool HasFocus() const { return m_bFocus; }
    // The button the focus mark is on (New before the strip first has the focus).
    int GetMark() const { return m_nMark; }
    // The button the mark is to be drawn on, or kNoButton.
    int GetFocusMark() const { return m_bFocus && m_bMarkShown ? m_nMark : toolstrip::kNoButton; }

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
    bool m_bFocus = false;
    bool m_bKeyPress = false;   // the press under way is the Space key's
    bool m_bMarkShown = false;
    int m_nMark = 0;
};
