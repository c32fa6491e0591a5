#pragma once
// Choosing a series type from a gallery: the gallery dialog run on its own (RunGallery), a new
// series of the chosen type made in a chart (CreateSeriesFromGallery, AddSeriesFromGallery) and a
// series turned into one of the chosen type in place (ChangeSeriesTypeFromGallery). Which dialog
// runs is the per-user "GalleryMode" preference (0: the standard dialog).

#include "platform/classes/Object.h"

class TChartSeries;
class TComponent;
class TCustomChart;

// Runs the gallery dialog; true when the user confirmed a sample. In: currentSeries (its
// sample is selected first; with checkValidity, samples that cannot take its place are
// disabled), showFunctions (function types offered too), palette and view3D (the samples' look).
// Out, on true: seriesClass, functionClass (none for a plain type), styleIndex (the sample's
// sub-style), palette and view3D as the user left them.
bool RunGallery(TComponent* owner, TChartSeries* currentSeries, bool showFunctions, int& palette,
                int& styleIndex, bool checkValidity, TClass& functionClass, bool& view3D,
                TClass& seriesClass);

// Runs the gallery for chart; on OK the chart takes the 3D switch and the palette chosen and a
// new series of the chosen type (in its sub-style) is made on it, owned by currentSeries' owner
// or else by the chart's owner. None when the user cancelled (the chart is left as it was).
TChartSeries* CreateSeriesFromGallery(TComponent* owner, TChartSeries* currentSeries,
                                      TCustomChart* chart, int& styleIndex, bool checkValidity,
                                      bool showFunctions);
// A new series of any type, functions included, for chart (none without a chart).
TChartSeries* AddSeriesFromGallery(TComponent* owner, TCustomChart* chart,
                                   TChartSeries* currentSeries);
// Replaces series by a new series of the type chosen (its own type too) that takes over its
// settings, points, events, links, tools, place and name; series then refers to it. Answers the
// class of the series series refers to at the end (the old one's after Cancel).
TClass ChangeSeriesTypeFromGallery(TComponent* owner, TChartSeries*& series);

// The galleries' start and stop (counted): the series library (the standard series types on the
// gallery's pages), the gallery classes known to form descriptions, and the series list box's
// hooks set to AddSeriesFromGallery and ChangeSeriesTypeFromGallery (emptied by the last stop).
void StartChartGallery();
void StopChartGallery();
