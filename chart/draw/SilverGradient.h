#pragma once
// A chart gradient that starts silver on the right and ends white on the left unless told
// otherwise: the look of the legend's and the marks' backgrounds.

#include "chart/draw/Gradient.h"

class TSilverGradient : public TPlotGradient {
    Q4_CLASS(TSilverGradient, TPlotGradient)
public:
    static constexpr TColor DefaultStartColor = static_cast<TColor>(0xC0C0C0);
    static constexpr TColor DefaultEndColor = static_cast<TColor>(0xFFFFFF);

    explicit TSilverGradient(TNotifyEvent onChange = {});
    // Direction, EndColor and StartColor with these defaults, for storing.
    static void DeclareProperties(TPropertyList& p);
};
