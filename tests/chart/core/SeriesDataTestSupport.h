#pragma once
// Series shapes the stored-point tests need beside the plain vertical series: a horizontal one
// (X is the value; its points stay in arrival order), one with further value lists, and one
// whose positions carry no meaning of their own.

#include "chart/core/ChartSeries.h"

#include <string>

struct TStoredSeriesShape {
    bool horizontal = false;
    int extraLists = 0;
    bool usesPositions = true;
};

class TStoredShapeSeries : public TChartSeries {
public:
    TStoredShapeSeries(TComponent* owner, const TStoredSeriesShape& shape) : TChartSeries(owner) {
        if (shape.horizontal) {
            SetXMandatory();
            XValues()->SetOrder(loNone);
            YValues()->SetOrder(loAscending);
        }
        for (int i = 0; i < shape.extraLists; ++i)
            AddValueList("Extra" + std::to_string(i + 2));
        useNotMandatory_ = shape.usesPositions;
    }
};
