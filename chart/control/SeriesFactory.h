#pragma once
// Making series of a registered type for galleries and editors, and changing an existing series
// into another type while it keeps its data, settings, events, links and place.

#include "platform/classes/Object.h"

class TChartSeries;
class TComponent;
class TCustomAxisPanel;

// A new series of the class, named with the next free "SeriesN" of its owner and put on the
// chart (when one is given). The owner is owner, or the chart without one; a chart that already
// holds a series it owns itself becomes the owner. With a function class the series gets a new
// function of that class, owned by the series' owner and named with its next free
// "PlotFunctionN". Raises EComponentError when a class does not make series or functions
// (nothing is created then).
TChartSeries* MakeSeries(TComponent* owner, TCustomAxisPanel* chart, TClass seriesClass,
                         TClass functionClass = nullptr);

// Changes series into a series of newClass; nothing when it already is one (series stays the
// same pointer). Otherwise a new series of newClass is made with the same owner and chart; it
// takes the old one's settings and points (Assign), its event handlers, its data sources, the
// series tools that pointed at it and the series that took their points from it, its place in
// its series group, the old one's place in the chart's list and then its name. The old series is
// freed and series refers to the new one: any other pointer to the old series dangles afterwards,
// by design, so a caller that keeps series pointers elsewhere looks them up again (by name or
// index) after the change. When the new series cannot be made or cannot take the old one's
// settings, the exception passes on and the old series is left as it was.
void ReplaceSeriesClass(TChartSeries*& series, TClass newClass);
// The same take-over by a series already made (of any class, the same one included): replacement
// joins series' chart when it is on another, takes the old one's settings, points, events,
// sources, tools, followers, group place, list place and name, and the old series is freed;
// series then refers to replacement. Nothing when either is none or both are one. When the
// replacement cannot take the old one's settings, the exception passes on, the old series is left
// as it was and the replacement stays the caller's.
void ReplaceSeries(TChartSeries*& series, TChartSeries* replacement);
