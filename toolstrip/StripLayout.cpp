#include "toolstrip/StripLayout.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace toolstrip {

int ButtonTop(int nHeight)
{
    return (nHeight - kButtonHeight) / 2;  // C++ division truncates toward zero
}

ButtonRects LayoutButtons(int nWidth, int nHeight)
{
    const int top = ButtonTop(nHeight);
    ButtonRects rcButtons;
    for (int i = 0; i < kButtonCount; ++i) {
        const int left = nWidth - kGlyphStripWidth + kButtonWidth * i;
        rcButtons[static_cast<std::size_t>(i)] = {left, top, left + kButtonWidth, top + kButtonHeight};
    }
    return rcButtons;
}

int HitTest(const ButtonRects& rcButtons, int x, int y)
{
    for (int i = 0; i < kButtonCount; ++i) {
        if (rcButtons[static_cast<std::size_t>(i)].Contains(x, y))
            return i;
    }
    return kNoButton;
}

int HitTest(int x, int y, int nWidth, int nHeight)
{
    return HitTest(LayoutButtons(nWidth, nHeight), x, y);
}

StripPicture ComposePicture(int nWidth, int nHeight, int nHot, bool bPressed, int nFocusMark)
{
    StripPicture picture;
    picture.rcClient = {0, 0, nWidth, nHeight};
    picture.nGlyphX = nWidth - kGlyphStripWidth - kPictureShift;
    picture.nGlyphY = ButtonTop(nHeight);
    if (nHot >= 0 && nHot < kButtonCount) {
        const int left = picture.nGlyphX + kButtonWidth * nHot;
        picture.bEdge = true;
        picture.bSunken = bPressed;
        picture.rcEdge = {left, picture.nGlyphY, left + kButtonWidth, picture.nGlyphY + kButtonHeight};
    }
    if (nFocusMark >= 0 && nFocusMark < kButtonCount) {
        const int left = picture.nGlyphX + kButtonWidth * nFocusMark;
        picture.bFocusMark = true;
        picture.rcFocus = {left + kFocusInset, picture.nGlyphY + kFocusInset,
                           left + kButtonWidth - kFocusInset, picture.nGlyphY + kButtonHeight - kFocusInset};
    }
    // A strip narrower than the shift copies nothing rather than a negative width.
    picture.nCopyWidth = std::max(nWidth - kPictureShift, 0);
    picture.nCopyHeight = nHeight;
    return picture;
}

void GetToolTipText(int nIndex, char* pszBuffer)
{
    static const char* const kTexts[kButtonCount] = {"New", "Delete", "Move Up", "Move Down"};
    if (static_cast<unsigned>(nIndex) >= static_cast<unsigned>(kButtonCount))
        return;
    const char* pszText = kTexts[nIndex];
    std::memcpy(pszBuffer, pszText, std::strlen(pszText) + 1);
}

}  // namespace toolstrip
