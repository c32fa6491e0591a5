#pragma once
// A function type for tests: the sum of the source's mandatory values over the points asked for
// (every point for -1, -1), and across sources the sum of their values at the index (0 for a
// source without it). It records the periods it was asked for.

#include "chart/core/ChartSeries.h"
#include "chart/core/PlotFunction.h"

#include <utility>
#include <vector>

class TSumFunction : public TPlotFunction {
    Q4_CLASS(TSumFunction, TPlotFunction)
public:
    explicit TSumFunction(TComponent* owner) : TPlotFunction(owner) {}

    double ComputeValue(TChartSeries* source, int first, int last) override {
        periods.emplace_back(first, last);
        if (first < 0) {
            first = 0;
            last = source->Count() - 1;
        }
        double sum = 0;
        for (int i = first; i <= last; ++i)
            sum += source->MandatoryValueAt(i);
        return sum;
    }

    double ComputeAcross(const TDataSourcesList& sources, int index) override {
        double sum = 0;
        for (int i = 0; i < sources.Count(); ++i) {
            auto* series = dynamic_cast<TChartSeries*>(sources[i]);
            if (series != nullptr && index < series->Count())
                sum += series->MandatoryValueAt(index);
        }
        return sum;
    }

    void ClearState() override { ++clears; }

    // First and last index of each period computed, and how often the series was cleared.
    std::vector<std::pair<int, int>> periods;
    int clears = 0;
};
