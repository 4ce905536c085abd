#include "toolstrip/StripModel.h"

#include <cstddef>

using toolstrip::kButtonCount;
using toolstrip::kNoButton;

void StripModel::Size(int nWidth, int nHeight, const toolstrip::StripMetrics& metrics)
{
    m_rcButtons = toolstrip::LayoutButtons(nWidth, nHeight, metrics);
}

void StripModel::InvalidateButton(int nButton, bool bUpdateNow)
{
    if (nButton >= 0 && nButton < kButtonCount)
        m_host.InvalidateRect(m_rcButtons[static_cast<std::size_t>(nButton)]);
    if (bUpdateNow)
        m_host.UpdateNow();
}

void StripModel::MouseMove(int x, int y)
{
    if (m_bPressed)
        return;  // the pressed button stays hot and sunken wherever the pointer goes
    const int nHit = HitTest(x, y);
    if (nHit == m_nHot)
        return;
    InvalidateButton(m_nHot, false);
    m_nHot = nHit;
    InvalidateButton(nHit, true);
}

void StripModel::LButtonDown(int x, int y)
{
    // The capture is taken beside the buttons too, so that the hot button
    // follows the pointer until the release.
    m_bCapture = true;
    m_host.SetCapture();
    const int nHit = HitTest(x, y);
    m_nHot = nHit;
    if (nHit != kNoButton) {
        m_bPressed = true;
        InvalidateButton(nHit, true);
    }
}

void StripModel::LButtonUp(int x, int y)
{
    const int nHit = HitTest(x, y);
    if (nHit == m_nHot && m_nHot != kNoButton)
        m_host.Execute(m_nHot);
    m_bPressed = false;
    m_host.InvalidateAll();
    m_nHot = nHit;
    // Cleared first: releasing reports a lost capture back to CaptureLost.
    if (m_bCapture) {
        m_bCapture = false;
        m_host.ReleaseCapture();
    }
}

void StripModel::NcMouseMove(int x, int y)
{
    InvalidateButton(m_nHot, false);
    m_nHot = HitTest(x, y);
    InvalidateButton(m_nHot, true);
}

void StripModel::CaptureLost()
{
    if (!m_bCapture)
        return;
    // The release will go to the other window: nothing may stay sunken or hot.
    m_bCapture = false;
    m_bPressed = false;
    m_nHot = kNoButton;
    m_host.InvalidateAll();
}

void StripModel::SetFocus(bool bFocus, bool bByKeyboard)
{
    if (bFocus == m_bFocus)
        return;
    m_bFocus = bFocus;
    m_bMarkShown = bByKeyboard;
    if (!bFocus && m_bKeyPress) {
        m_bKeyPress = false;
        m_bPressed = false;
        m_host.InvalidateAll();
    }
    InvalidateButton(m_nMark, false);
    if (bFocus)
        m_nMark = 0;
    InvalidateButton(m_nMark, true);
}

void StripModel::MarkButton(int nButton)
{
    if (nButton < 0 || nButton >= kButtonCount || nButton == m_nMark)
        return;
    InvalidateButton(m_nMark, false);
    m_nMark = nButton;
    InvalidateButton(m_nMark, true);
}

void StripModel::KeyDown(Key key)
{
    if (!m_bFocus || m_bPressed)
        return;   // a press under way, by mouse or key, keeps the mark where it is
    if (!m_bMarkShown) {
        m_bMarkShown = true;
        InvalidateButton(m_nMark, false);
    }
    switch (key) {
    case Key::Left:
        MarkButton(m_nMark - 1);
        break;
    case Key::Right:
        MarkButton(m_nMark + 1);
        break;
    case Key::Home:
        MarkButton(0);
        break;
    case Key::End:
        MarkButton(kButtonCount - 1);
        break;
    case Key::Space:
        // Sunk as a mouse press sinks it; the hover leaves the old hot button.
        InvalidateButton(m_nHot, false);
        m_nHot = m_nMark;
        m_bPressed = true;
        m_bKeyPress = true;
        InvalidateButton(m_nHot, true);
        break;
    }
}

void StripModel::KeyUp(Key key)
{
    if (key != Key::Space || !m_bKeyPress)
        return;
    m_bKeyPress = false;
    m_bPressed = false;
    m_host.InvalidateAll();
    m_host.Execute(m_nMark);
}
