#pragma once
// The strip's buttons, one row each, left to right: the command a button runs,
// the text of its tooltip, the name screen readers announce and its glyph.
// The button index is the row: the command number, and the tooltip tool id
// less one. Everything about a button is read from here.
#include <array>
#include <string_view>

#include "toolstrip/StripLayout.h"

namespace toolstrip {

enum class Command { New, Delete, MoveUp, MoveDown };

// A glyph is kButtonWidth x kButtonHeight pixels; rows kFirstGlyphRow to
// kFirstGlyphRow + kGlyphRows - 1 are drawn, those above and below are
// background. Pixels: '.' background (light grey), 'k' black, 'r' dark red,
// 'g' dark grey, 'y' yellow, 'w' white. The greys show as the current face
// and shadow colours (GlyphImage.h).
constexpr int kFirstGlyphRow = 4;
constexpr int kGlyphRows = 12;
using GlyphGrid = std::array<std::string_view, kGlyphRows>;

struct StripButton {
    Command command;
    const char* pszToolTip;
    const char* pszName;
    GlyphGrid glyph;
};

inline constexpr std::array<StripButton, kButtonCount> kStripButtons = {{
    {Command::New, "New", "New",
     {"...g..gw.gy...........",   // a page with a sparkle
      "....g.gygyk.k.k.......",
      "....ygywgggg...k......",
      "...ggg.yy.............",
      "....y.g.yg.....k......",
      "...gk.gy..............",
      "......g........k......",
      "....k.................",
      "...............k......",
      "....k.................",
      "...............k......",
      "....k.k.k.k.k.k......."}},
    {Command::Delete, "Delete", "Delete",
     {"...rrw........rrw.....",   // a dark red cross
      "...rrrrw.....rrw......",
      "....rrrrw...rrw.......",
      "......rrrw.rw.........",
      ".......rrrrrw.........",
      "........rrrw..........",
      ".......rrrrrw.........",
      "......rrrw.rrw........",
      ".....rrrw...rrw.......",
      "....rrrw.....rw.......",
      "....rrrw......rw......",
      ".....rw........rw....."}},
    {Command::MoveUp, "Move Up", "Move Up",
     {"..........k...........",   // a black arrow up
      ".........kkk..........",
      "........kkkkk.........",
      ".......kkkkkkk........",
      "......kkkkkkkkk.......",
      ".....kkkkkkkkkkk......",
      ".........kkk..........",
      ".........kkk..........",
      ".........kkk..........",
      ".........kkk..........",
      "........kkk...........",
      ".......kkk............"}},
    {Command::MoveDown, "Move Down", "Move Down",
     {"...........kkk........",   // a black arrow down
      "..........kkk.........",
      ".........kkk..........",
      ".........kkk..........",
      ".........kkk..........",
      ".........kkk..........",
      ".....kkkkkkkkkkk......",
      "......kkkkkkkkk.......",
      ".......kkkkkkk........",
      "........kkkkk.........",
      ".........kkk..........",
      "..........k..........."}},
}};

// The row of button nIndex, or null outside 0..kButtonCount - 1.
const StripButton* FindButton(int nIndex);

// The tooltip buffer of the platform's text request holds 80 characters; the
// longest text, "Move Down", needs 10 bytes with its null.
constexpr int kToolTipBufferSize = 80;

// Copies the button's tooltip text with its terminating null into pszBuffer.
// An index outside 0..3 copies nothing and leaves the buffer as it was.
void GetToolTipText(int nIndex, char* pszBuffer);

}  // namespace toolstrip
