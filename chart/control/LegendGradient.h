#pragma once
// The gradient behind the legend: a plain chart gradient that starts silver on the right and ends
// white on the left unless told otherwise.

#include "chart/draw/Gradient.h"

class TChartLegendGradient : public TPlotGradient {
    Q4_CLASS(TChartLegendGradient, TPlotGradient)
public:
    explicit TChartLegendGradient(TNotifyEvent onChange = {});
    // Direction, EndColor and StartColor with the legend's defaults, for storing.
    static void DeclareProperties(TPropertyList& p);
};
