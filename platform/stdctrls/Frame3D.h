#pragma once
// The raised and sunken frames the self-painted controls draw.

#include "platform/graphics/Canvas.h"

// Draws a raised or sunken frame of the given width inside r and shrinks r by it.
void Frame3D(TCanvas* canvas, TRect& r, TColor topLeft, TColor bottomRight, int width);
