#pragma once
// The two pictures editors and galleries show for a series type: the legend symbol of a series
// drawn on a canvas of their own (a list row, a gallery cell), and the bitmap the library keeps
// for a class.

#include "platform/classes/Object.h"
#include "platform/graphics/Types.h"

class TCanvas;
class TChartSeries;
class TCustomChart;

// Draws the series' legend symbol (the whole series, as its legend row shows it) into rect of
// canvas. A series without a chart is lent to chart, or to a temporary chart without a window,
// for the call and taken back afterwards. The chart's drawing canvas draws on canvas meanwhile
// (its buffering switched off and restored), with a solid brush in the legend's colour and the
// legend rows' symbol pen. Nothing is drawn when the chart's canvas renders true 3D itself.
void DrawSeriesLegendSymbol(TChartSeries* series, TCanvas* canvas, const TRect& rect,
                            TCustomChart* chart = nullptr);

// Draws at (x, y) of canvas the bitmap the library keeps for the class, else for its parent
// class; false (nothing drawn) when there is neither.
bool DrawClassPicture(TCanvas* canvas, int x, int y, TClass cls);
