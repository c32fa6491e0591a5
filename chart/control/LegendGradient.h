#pragma once
// The gradient behind the legend: silver on the right fading to white on the left unless told
// otherwise.

#include "chart/draw/SilverGradient.h"

class TChartLegendGradient : public TSilverGradient {
    Q4_CLASS(TChartLegendGradient, TSilverGradient)
public:
    explicit TChartLegendGradient(TNotifyEvent onChange = {})
        : TSilverGradient(std::move(onChange)) {}
};
