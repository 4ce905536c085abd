#pragma once
// Geometry of the list's painting, its in-place controls and its insertion
// marker. Every figure is for 96 DPI and scales with the list's DPI. Plain
// integer logic, shared by the list's window class and its tests.
#include <array>

#include "dpi/DpiScale.h"
#include "dpi/PixelRect.h"

namespace listlayout {

// An item's text starts this far from its left edge.
constexpr int kTextIndent = 8;
// The in-place edit's left margin inside its border.
constexpr int kEditLeftMargin = 2;
// A path tip wider than this wraps onto further lines.
constexpr int kPathTipMaxWidth = 400;

// The in-place edit box and the "..." button over an item.
struct EditRects {
    PixelRect edit;
    PixelRect button;   // empty-width without the button
};

// The edit starts a little inside the item and ends a little before its right
// end, or where the button begins; both reach a little above and below it.
EditRects EditRectsOverItem(const PixelRect& item, bool bBrowse, int nDpi);

// The insertion marker at an item's top edge: a bar across it and a tick at
// each end, three rectangles that do not overlap (so inverting them twice
// leaves the list as it was).
std::array<PixelRect, 3> InsertMarkRects(const PixelRect& item, int nDpi);

}  // namespace listlayout
