#pragma once
// What the pointer tools share for drawing over a finished chart: the chart's background as a
// plain colour, and drawing in an inverting pen mode either on the canvas of the drawing in
// progress or into the chart's back buffer between repaints.

#include "chart/draw/ChartTypes.h"
#include "platform/graphics/Graphics.h"

#include <functional>

class TCanvas3D;
class TCustomAxisPanel;

// The chart's colour as red, green and blue; the chart's "default" colour is the system's
// button face.
TColor ChartBackgroundRGB(TCustomAxisPanel& chart);

// Runs draw on the chart's canvas as it stands: the caller is inside the chart's own drawing
// (an after-draw event) when duringDrawing, otherwise the drawing goes into the back buffer and
// the window shows it. Without a buffer the chart is drawn again instead, which shows the tool
// at its new place.
void DrawOverChart(TCustomAxisPanel& chart, bool duringDrawing,
                   const std::function<void(TCanvas3D&)>& draw);

// The outline of the ellipse inside r as a polygon of whole pixels (at least eight corners, one
// more for every pixel of the larger radius, at most 64). Inverting drawings use it: drawn twice
// at one place it takes itself away exactly.
TPointList EllipseOutline(const TRect& r);

// Sets the canvas pen mode for its lifetime and puts copy mode back after it, also when the
// drawing raises.
class TPenModeScope {
public:
    TPenModeScope(TCanvas3D& canvas, TPenMode mode);
    ~TPenModeScope();
    TPenModeScope(const TPenModeScope&) = delete;
    TPenModeScope& operator=(const TPenModeScope&) = delete;

private:
    TCanvas3D& canvas_;
};
