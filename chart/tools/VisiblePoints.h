#pragma once
// The points of a series the pointer tools search: its visible range as last drawn, clamped to
// the points it holds.

class TChartSeries;

// first: the first visible index (0 when none is known); last: the last visible index, or the
// last point when none is known or it lies beyond the points. False when that leaves no point.
bool VisiblePointRange(const TChartSeries& series, int& first, int& last);
