#pragma once
// The bar series: TBarSeries stands its bars on the horizontal axis' positions and raises them
// to their values on the vertical axis; THorizBarSeries lays them along the vertical axis'
// positions and stretches them to their values on the horizontal axis.

#include "chart/series/CustomBarSeries.h"

class TBarSeries : public TCustomBarSeries {
    Q4_CLASS(TBarSeries, TCustomBarSeries)

    explicit TBarSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
};

class THorizBarSeries : public TCustomBarSeries {
    Q4_CLASS(THorizBarSeries, TCustomBarSeries)

    explicit THorizBarSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
};
