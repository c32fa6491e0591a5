#pragma once
// TClipSeriesTool: its series is drawn only inside the rectangle of the series' own axes, so that
// a series on a custom axis stays within that axis' part of the chart.

#include "chart/axispanel/ChartTool.h"

class TClipSeriesTool : public TPlotCustomToolSeries {
    Q4_CLASS(TClipSeriesTool, TPlotCustomToolSeries)
public:
    explicit TClipSeriesTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    static void DeclareProperties(TPropertyList& p);
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // The chart's drawing events concern every series: nothing to clip there.
    void ChartToolEvent(TChartToolEventKind) override {}
    // Before its series draws, the canvas clips to the axes' rectangle; after it, the clip goes.
    void SeriesToolEvent(TChartToolEventKind kind) override;

    // The rectangle between the start and end pixels of the series' axes.
    TRect AxesRect() const;

private:
    // Whether this tool's clip is on the canvas now: only that one is taken away after the
    // series.
    bool clipped_ = false;
};
