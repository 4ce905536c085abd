#include "listctrl/ListLayout.h"

namespace listlayout {

namespace {

// The edit starts this far into the item and, without a button, ends this
// far before its right edge; the button ends there instead.
constexpr int kEditInset = 5;
// Room kept at the item's right end for the button and the inset after it.
constexpr int kButtonRoom = 30;
// Both controls reach this far above and below the item.
constexpr int kOverhang = 2;

// The marker's pieces: the ticks stand this far inside the item's ends, this
// wide and tall, centred on its top edge; the bar joins them, this tall.
constexpr int kTickInset = 2;
constexpr int kTickWidth = 3;
constexpr int kTickHeight = 12;
constexpr int kBarHeight = 4;

}  // namespace

EditRects EditRectsOverItem(const PixelRect& item, bool bBrowse, int nDpi)
{
    const int nInset = dpi::Scale(kEditInset, nDpi), nOverhang = dpi::Scale(kOverhang, nDpi);
    const int nTop = item.top - nOverhang, nBottom = item.bottom + nOverhang;
    const int nEditRight = item.right - (bBrowse ? dpi::Scale(kButtonRoom, nDpi) : nInset);
    return {{item.left + nInset, nTop, nEditRight, nBottom}, {nEditRight, nTop, item.right - nInset, nBottom}};
}

std::array<PixelRect, 3> InsertMarkRects(const PixelRect& item, int nDpi)
{
    const int nTickInset = dpi::Scale(kTickInset, nDpi), nTickWidth = dpi::Scale(kTickWidth, nDpi);
    const int nBarInset = nTickInset + nTickWidth;
    const int nBarTop = item.top - dpi::Scale(kBarHeight / 2, nDpi);
    const int nTickTop = item.top - dpi::Scale(kTickHeight / 2, nDpi);
    const int nTickBottom = nTickTop + dpi::Scale(kTickHeight, nDpi);
    return {{{item.left + nBarInset, nBarTop, item.right - nBarInset, nBarTop + dpi::Scale(kBarHeight, nDpi)},
             {item.left + nTickInset, nTickTop, item.left + nBarInset, nTickBottom},
             {item.right - nBarInset, nTickTop, item.right - nBarInset + nTickWidth, nTickBottom}}};
}

}  // namespace listlayout
