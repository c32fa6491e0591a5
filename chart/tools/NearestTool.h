#pragma once
// TNearestTool: follows the mouse and marks the point of its series nearest to it with a
// circle, a rectangle, a diamond or the series' own point, with an optional line from the mouse
// to the point. It repaints the chart on every move, or draws the marker inverted over the
// back buffer (FullRepaint off), where drawing it again takes it away.

#include "chart/axispanel/ChartTool.h"
#include "chart/draw/ChartPen.h"

#include <memory>

class TCanvas3D;

Q4_ENUM(TNearestToolStyle, hsNone, hsCircle, hsRectangle, hsDiamond, hsSeries);

class TNearestTool : public TPlotCustomToolSeries {
    Q4_CLASS(TNearestTool, TPlotCustomToolSeries)
public:
    explicit TNearestTool(TComponent* owner);
    ~TNearestTool() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TNearestToolEdit"; }
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    bool DrawLine() const { return linePen_->Visible(); }
    void SetDrawLine(bool value) { linePen_->SetVisible(value); }
    TChartPen* LinePen() const { return linePen_.get(); }
    void SetLinePen(TChartPen* value) { linePen_->Assign(value); }
    bool FullRepaint() const { return fullRepaint_; }
    void SetFullRepaint(bool value) { fullRepaint_ = value; }
    int Size() const { return size_; }
    void SetSize(int value) { SetField(size_, value); }
    TNearestToolStyle Style() const { return style_; }
    void SetStyle(TNearestToolStyle value) { SetField(style_, value); }

    int NearestIndex() const { return nearestIndex_; }
    int MouseX() const { return mouseX_; }
    int MouseY() const { return mouseY_; }

    // The point of the series nearest to (x, y): the one the series' own hit test finds, else
    // the one of the smallest rounded pixel distance below 10000 (ties keep the lower index),
    // only inside the plot rectangle unless the series has depth values; null points only when
    // allowed. -1 when none.
    static int NearestPoint(TChartSeries* series, int x, int y, bool allowNulls = false);

    TNotifyEvent OnChange;

private:
    void PaintMarker(TCanvas3D& canvas);
    // The marker drawn inverted into the back buffer (a second call takes it away).
    void PaintMarkerOverBuffer();
    bool MarkerShown() const;

    std::unique_ptr<TChartPen> linePen_;
    bool fullRepaint_ = true;
    int size_ = 20;
    TNearestToolStyle style_ = hsCircle;
    int nearestIndex_ = -1;
    int mouseX_ = 0;
    int mouseY_ = 0;
};
