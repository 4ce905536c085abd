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
