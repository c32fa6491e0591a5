#pragma once
// Widening of a series' visible range by the points that still reach into the plot (a pointer or
// a bar wider than its position) and by runs of points at one position.

#include "chart/core/ChartValueList.h"

#include <functional>

// Grows last while the next point reaches the plot, then while the next point stands at the
// last one's position; likewise shrinks first. Nothing when first is -1.
void WidenVisibleRange(int& first, int& last, int count, const TChartValueList& positions,
                       const std::function<bool(int)>& reachesPlot);
