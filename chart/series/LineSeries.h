#pragma once
// The line series: points joined by lines, pointers hidden; THorizLineSeries runs its values
// along the horizontal axis and its points down the vertical one.

#include "chart/series/CustomSeries.h"

class TLineSeries : public TCustomSeries {
    Q4_CLASS(TLineSeries, TCustomSeries)

    explicit TLineSeries(TComponent* owner);
    // The custom series' settings; a pointer from another kind of series is hidden.
    void Assign(TPersistent* source) override;
};

class THorizLineSeries : public TLineSeries {
    Q4_CLASS(THorizLineSeries, TLineSeries)

    explicit THorizLineSeries(TComponent* owner);
};
