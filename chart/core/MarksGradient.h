#pragma once
// The gradient behind series marks: silver on the right fading to white on the left unless told
// otherwise.

#include "chart/draw/SilverGradient.h"

class TSeriesMarksGradient : public TSilverGradient {
    Q4_CLASS(TSeriesMarksGradient, TSilverGradient)
public:
    explicit TSeriesMarksGradient(TNotifyEvent onChange = {})
        : TSilverGradient(std::move(onChange)) {}
};
