#pragma once
// The two-colour checker the framed controls fill pressed and dragged areas with: every pixel
// whose column and row have the same parity in one colour, the others in the second.

#include "platform/graphics/Color.h"
#include "platform/graphics/Types.h"

class TCanvas;

// Fills r with the checker; (x + y) even takes `even`, odd takes `odd`. Coordinates count from
// the canvas's origin, so neighbouring fills join without a seam.
void PaintChecker(TCanvas* canvas, const TRect& r, TColor even, TColor odd);
