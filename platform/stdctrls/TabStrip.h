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

// The row laid out in a control `width` pixels wide, scrolled so that tab `first` is the leftmost.
// When the tabs run past the right edge two arrow buttons stand at the right end of the row and
// the tabs end under them.
struct TTabStripLayout {
    // Each tab's rectangle, left to right from x = 2 (empty for a hidden tab and for a tab
    // scrolled out on the left); a tab may run under the arrows.
    std::vector<TRect> Tabs;
    bool Overflows = false;
    // The part of the row tabs show in (left of the arrows when they show).
    int TabsRight = 0;
    TRect LeftArrow;
    TRect RightArrow;
    // Whether the arrows can scroll further.
    bool CanScrollLeft = false;
    bool CanScrollRight = false;

    // The tab at (x, y), -1 for none (a tab's part under the arrows is not its).
    int TabAt(int x, int y) const;
    // -1 on the left arrow, +1 on the right one, 0 elsewhere.
    int ArrowAt(int x, int y) const;
};
TTabStripLayout TabStripLayout(const TFont& font, const std::vector<TTabStripItem>& tabs, int width,
                               int first);
// The first tab to show so that tab `shown` (-1: none) is wholly in view, starting from `first`.
int TabStripScrollTo(const TFont& font, const std::vector<TTabStripItem>& tabs, int width,
                     int first, int shown);

// Paints the background, the body's frame below the row, every visible tab and the arrows when
// the row overflows; the active tab (-1: none) is drawn larger, the hot one (-1: none) with its
// caption in the highlight colour.
void PaintTabStrip(TCanvas* canvas, const TFont& font, TColor color, const TRect& bounds,
                   const std::vector<TTabStripItem>& tabs, int active, int hot = -1, int first = 0);
