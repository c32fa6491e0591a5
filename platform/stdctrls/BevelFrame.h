#pragma once
// The raised and sunken frames the self-painted controls draw: light above and left, dark below
// and right for a raised one, the other way round for a sunken one.

#include "platform/graphics/Canvas.h"

// Draws the frame, width pixels wide, inside r and shrinks r by it.
void BevelFrame(TCanvas* canvas, TRect& r, bool raised, int width = 1);

// The edge of a button: raised, or sunken while it is down or pressed; a flat button shows only
// the sunken edge.
void ButtonFrame(TCanvas* canvas, TRect& r, bool sunken, bool flat);
