#pragma once
// What the tests of data sources and functions share: a test chart that refills its series
// from their sources the way the chart control does (and stores them as its children), the
// summing function, and a series source that fills its series with three points.

#include "CoreTestSupport.h"
#include "SumFunction.h"

#include "chart/core/PlotFunction.h"
#include "chart/core/PlotSeriesSource.h"

// Refills series from their sources with the chart's default rules, counting each refill, and
// lists its series as its children in descriptions (it stands for the form there).
class TSourcesChart : public TTestChart {
    Q4_CLASS(TSourcesChart, TTestChart)
public:
    explicit TSourcesChart(TComponent* owner = nullptr) : TTestChart(owner) {}
    void RefreshSeriesData(TChartSeries* series) override {
        ++refreshes;
        TChartHost::RefreshSeriesData(series);
    }
    void GetChildren(const TGetChildProc& proc, TComponent*) override {
        for (int i = 0; i < SeriesCount(); ++i)
            proc(SeriesAt(i));
    }
};

// Fills its series with (1, 10), (2, 20), (3, 30) on every load.
class TThreePointSource : public TPlotSeriesSource {
    Q4_CLASS(TThreePointSource, TPlotSeriesSource)
public:
    explicit TThreePointSource(TComponent* owner) : TPlotSeriesSource(owner) {}
    void Load() override;
    int loads = 0;
};

// A series whose X is its value (horizontal bars).
class THorizSeries : public TChartSeries {
    Q4_CLASS(THorizSeries, TChartSeries)
public:
    explicit THorizSeries(TComponent* owner) : TChartSeries(owner) { SetXMandatory(); }
};

// A series that gives functions two points instead of one over all points.
class TNoSinglePointSeries : public TChartSeries {
    Q4_CLASS(TNoSinglePointSeries, TChartSeries)
public:
    explicit TNoSinglePointSeries(TComponent* owner) : TChartSeries(owner) {
        allowSinglePoint_ = false;
    }
};

// Registers the classes the description tests read, for the life of the object.
struct SourcesClassesRegistered {
    SourcesClassesRegistered();
    ~SourcesClassesRegistered();
};
