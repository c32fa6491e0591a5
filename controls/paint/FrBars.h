#pragma once
// Progress bar painters of the framed controls: a plain bar with a percent text drawn in the
// back colour over the bar and in the bar colour over the rest, a row of segments, and a
// gradient bar. Percent may exceed 100 (the bar then stays full, never beyond its rectangle).

#include "controls/paint/FrFrames.h"

#include <string>

void PaintProgressTraditional(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                              bool showPercent, int percent, TColor backColor, TColor barColor);
void PaintProgressSegments(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                           bool themeAware, int percent, int segments, TColor backColor,
                           TColor barColor);
void PaintProgressGradient(TCanvas* canvas, const TRect& r, bool vertical, bool transparent,
                           bool showPercent, int percent, TGradientDirection direction,
                           TColor backStopColor, TColor backColor, TColor barStopColor,
                           TColor barColor);
