#pragma once
// The row of tabs the page control and the tab control draw above their body: tab rectangles
// measured from the captions in the control's font, and the painting of the row and the body's
// frame, the active tab raised above the others.

#include "platform/graphics/Canvas.h"

#include <string>
#include <vector>

// One tab of the row: its caption, and whether it shows (a hidden tab takes no room).
struct TTabStripItem {
    std::string Caption;
    bool Visible = true;
};

// The height of the row in the font.
int TabStripHeight(const TFont& font);
// The rectangle of each tab, left to right from x = 2 (empty for a hidden tab).
std::vector<TRect> TabStripRects(const TFont& font, const std::vector<TTabStripItem>& tabs);
// Paints the background, the body's frame below the row and every visible tab; the active tab
// (-1: none) is drawn larger, the hot one (-1: none) with its caption in the highlight colour.
void PaintTabStrip(TCanvas* canvas, const TFont& font, TColor color, const TRect& bounds,
                   const std::vector<TTabStripItem>& tabs, int active, int hot = -1);
