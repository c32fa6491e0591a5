#pragma once
// The gradient behind series marks: silver on the right fading to white on the left unless told
// otherwise.

#include "chart/draw/Gradient.h"

class TSeriesMarksGradient : public TPlotGradient {
    Q4_CLASS(TSeriesMarksGradient, TPlotGradient)
public:
    static constexpr TColor DefaultStartColor = static_cast<TColor>(0xC0C0C0);
    static constexpr TColor DefaultEndColor = static_cast<TColor>(0xFFFFFF);

    explicit TSeriesMarksGradient(TNotifyEvent onChange = {});
    // Direction, EndColor and StartColor with the marks' defaults, for storing.
    static void DeclareProperties(TPropertyList& p);
};
