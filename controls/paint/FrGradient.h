#pragma once
// Gradient fills of the framed controls in ten directions. Colours are interpolated per channel
// in 16.16 fixed point; the fill is built in a bitmap of the rectangle's size and then drawn.

#include "controls/paint/FrFrames.h"

// Fills r from `start` to `stop`:
//  - gdHorizontalEnd: start at the top, stop at the bottom (gdVerticalEnd: left to right);
//  - gdHorizontalCenter: start at the top and bottom, stop on row h div 2 (gdVerticalCenter:
//    the same across, stop on column w div 2);
//  - gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox: start at the edges, stop in an
//    inner box (a centre line, a centre column, the centre point, a box half the size);
//  - gdDiagonalUp: start in the bottom-left corner, stop in the top-right one, in bands parallel
//    to the other diagonal; gdDiagonalDown: stop in the bottom-right corner, start in the top-left.
// `band` is the least band thickness: band - 1 more pixels up to 8, else 255 div band.
void PaintGradient(TCanvas* canvas, const TRect& r, TGradientDirection direction, int band,
                   TColor stop, TColor start);
