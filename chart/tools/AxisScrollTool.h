#pragma once
// TAxisScrollTool: drags an axis line with the mouse; the range follows the pointer pixel by
// pixel, and so do the axes of the same orientation that share a series with it, each by its own
// scale.

#include "chart/axispanel/ChartTool.h"

class TAxisScrollTool : public TPlotCustomToolAxis {
    Q4_CLASS(TAxisScrollTool, TPlotCustomToolAxis)
public:
    explicit TAxisScrollTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TAxisScrollEditor"; }
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    bool ScrollInverted() const { return scrollInverted_; }
    void SetScrollInverted(bool value) { scrollInverted_ = value; }
    // The axis being dragged (none while idle) and the last mouse position.
    TChartAxis* DragAxis() const { return dragAxis_; }
    int StartX() const { return startX_; }
    int StartY() const { return startY_; }

    // The axis under a point: the tool's axis when it is visible and hit, or without one the
    // first visible axis of the chart that is hit.
    TChartAxis* AxisAt(int x, int y) const;

private:
    void DragTo(int x, int y);

    bool scrollInverted_ = false;
    TChartAxis* dragAxis_ = nullptr;
    int startX_ = 0;
    int startY_ = 0;
};
