#pragma once
// TChartImageTool: a picture drawn behind the series, stretched between values: the range of its
// series' points, or without a series the full ranges of the chart's axes. It follows zooms and
// scrolls, since its corners are values, not pixels.

#include "chart/axispanel/ChartTool.h"

#include <memory>

class TCanvas3D;
class TPlotPicture;

class TChartImageTool : public TPlotCustomToolSeries {
    Q4_CLASS(TChartImageTool, TPlotCustomToolSeries)
public:
    explicit TChartImageTool(TComponent* owner);
    ~TChartImageTool() override;
    static void DeclareProperties(TPropertyList& p);
    std::string EditorClassName() const override { return "TChartImageToolEditor"; }
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;
    // Repaints the chart.
    void SetSeries(TChartSeries* value) override;

    // Before the series are drawn: the picture, once for the whole chart.
    void ChartToolEvent(TChartToolEventKind kind) override;
    // The series drawing itself adds nothing: the picture is already behind every series.
    void SeriesToolEvent(TChartToolEventKind) override {}

    // The picture (a change repaints the chart); drawn only when it holds a graphic.
    TPlotPicture* Picture() const { return picture_.get(); }
    void SetPicture(TPlotPicture* value);
    // Where the picture goes, in pixels before projection: left/right at the lowest/highest X,
    // top/bottom at the highest/lowest Y, of the series or of the axes' ranges.
    TRect PictureRect() const;

private:
    void DrawPicture(TCanvas3D& canvas);

    std::unique_ptr<TPlotPicture> picture_;
};
