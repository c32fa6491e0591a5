#pragma once
// TDragMarksTool: drags series marks to new places with the mouse; a dragged mark keeps its
// place (a custom position) over later drawings.

#include "chart/axispanel/ChartTool.h"

#include <functional>

class TDragMarksTool;

using TDragMarkEvent = std::function<void(TDragMarksTool* sender, int index, TMouseButton button,
                                          TShiftState shift, int x, int y)>;

class TDragMarksTool : public TPlotCustomToolSeries {
    Q4_CLASS(TDragMarksTool, TPlotCustomToolSeries)
public:
    explicit TDragMarksTool(TComponent* owner) : TPlotCustomToolSeries(owner) {}
    static void DeclareProperties(TPropertyList& p);
    std::string EditorClassName() const override { return "TDragMarksToolEditor"; }
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    // A freed series being dragged ends the drag.
    void Notification(TComponent* component, TOperation operation) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // The mark being dragged (-1 while idle), its series and the last mouse position.
    int MarkIndex() const { return markIndex_; }
    TChartSeries* MarkSeries() const { return markSeries_; }
    int LastX() const { return lastX_; }
    int LastY() const { return lastY_; }

    // The mark under a point: in the tool's series, or in the chart's series from the last to
    // the first (inactive ones skipped; with visibleOnly, also those whose marks are hidden).
    int MarkAt(int x, int y, bool visibleOnly, TChartSeries*& series) const;

    TDragMarkEvent OnDraggingMark;
    TDragMarkEvent OnDraggedMark;

private:
    void DragTo(TMouseButton button, TShiftState shift, int x, int y);

    int markIndex_ = -1;
    TChartSeries* markSeries_ = nullptr;
    int lastX_ = 0;
    int lastY_ = 0;
};
