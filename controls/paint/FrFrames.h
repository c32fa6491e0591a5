#pragma once
// Frames, borders and bevels of the framed controls. Every painter draws the chosen sides of a
// rectangle (right and bottom exclusive) on a canvas and returns the rectangle left inside what
// it drew, so that painters chain: the next one draws inside the last one's result.

#include "platform/classes/TypeInfo.h"
#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

class TCanvas;
class TControl;
class TWinControl;

Q4_ENUM(TSide, sdLeft, sdTop, sdRight, sdBottom);
using TSides = TSet<TSide>;
constexpr TSides AllSides{sdLeft, sdTop, sdRight, sdBottom};

Q4_ENUM(TFrameStyleEx, fsNone, fsFlat, fsGroove, fsBump, fsLowered, fsButtonDown, fsRaised,
        fsButtonUp, fsStatus, fsPopup, fsFlatBold, fsFlatRounded);
// The styles up to fsFlatBold; fsFlatRounded only appears where a panel border is asked for.
using TFrameStyle = TFrameStyleEx;
Q4_ENUM(TGradientDirection, gdDiagonalUp, gdDiagonalDown, gdHorizontalEnd, gdHorizontalCenter,
        gdHorizontalBox, gdVerticalEnd, gdVerticalCenter, gdVerticalBox, gdSquareBox,
        gdBigSquareBox);

// One line per chosen side (left, top, right, bottom, in that order): the left and top in
// `upperLeft`, the right and bottom in `lowerRight`. clNone draws nothing for its two sides;
// the rectangle still shrinks by one on every chosen side.
TRect PaintSides(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight,
                 TSides sides);
// `count` nested PaintSides.
TRect PaintBevel(TCanvas* canvas, const TRect& r, TColor upperLeft, TColor lowerRight, TSides sides,
                 int count);
TRect PaintCtl3DSides(TCanvas* canvas, const TRect& r, TSides sides, bool lowered);
TRect PaintButtonSides(TCanvas* canvas, const TRect& r, TSides sides, bool down);
TRect PaintButtonSides(TCanvas* canvas, const TRect& r, bool down);
TRect PaintColorButtonSides(TCanvas* canvas, const TRect& r, TColor face, TSides sides, bool down);
TRect PaintColorButtonSides(TCanvas* canvas, const TRect& r, TColor face, bool down);
// The frame of a style in system colours.
TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& r, TFrameStyle style, TSides sides);
TRect PaintFrameStyleSides(TCanvas* canvas, const TRect& r, TFrameStyle style);
// The frame of a style in shades of a face colour.
TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& r, TColor face, TFrameStyle style,
                                TSides sides);
TRect PaintColorFrameStyleSides(TCanvas* canvas, const TRect& r, TColor face, TFrameStyle style);
TRect PaintBox(TCanvas* canvas, const TRect& r, TColor color);
// Only the corners of an outline, each two strokes of `length` pixels.
TRect PaintBoxCorners(TCanvas* canvas, const TRect& r, TColor color, int length);
// Every second pixel of the outline in black, starting one pixel after each edge's start.
TRect PaintDottedFocusBox(TCanvas* canvas, const TRect& r);
// A one-pixel outline whose corners are cut by one pixel, with the inner corner pixel set.
TRect PaintRoundedFlatSides(TCanvas* canvas, const TRect& r, TColor color, TSides sides);

// What a panel-style border is made of: an outer style, a border of `BorderWidth` lines and an
// inner style.
struct TPanelBorder {
    TFrameStyleEx Outer = fsNone;
    bool SquareInner = false;
    bool Transparent = false;
    TColor ParentColor = clBtnFace;
    TColor BackColor = clBtnFace;
    int FlatColorAdjustment = 0;
    TColor FlatColor = clBtnShadow;
    TColor ShadowColor = clBtnShadow;
    TColor HighlightColor = clBtnHighlight;
    TColor BorderColor = clBtnFace;
    int BevelWidth = 1;
    TSides Sides = AllSides;
    int BorderWidth = 0;
    TFrameStyleEx Inner = fsNone;
};
TRect PaintPanelBorder(TCanvas* canvas, const TRect& r, const TPanelBorder& border);

// The frame of an edit-like control in its outer two-pixel ring (window coordinates 0, 0,
// width, height): the ring cleared in the face colour unless `keepFace`, then the style in
// system colours for a clWindow face, else in shades of the face.
void PaintNonClientFrame(TCanvas* canvas, int width, int height, bool keepFace, TSides sides,
                         TColor frameColor, TColor face, TFrameStyle style);
// A two-pixel frame filled with a gradient (true-colour screens only).
void PaintGradientHighlightFrame(TCanvas* canvas, const TRect& r, TGradientDirection direction,
                                 TColor stop, TColor start);

// Asks a control to repaint its frame ring, when any of it can be seen.
void RedrawNonClientFrame(TWinControl* control);
// Invalidates every child that publishes a "Transparent" property set to true.
void InvalidateTransparentChildren(TWinControl* container);
