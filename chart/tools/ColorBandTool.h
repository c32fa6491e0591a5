#pragma once
// TColorBandTool: a rectangle across the chart between two values of its axis, filled with a
// colour, a gradient or a picture, optionally see-through, drawn behind the axes, behind the
// series or over the finished chart. Each edge may be a draggable colour line (ResizeStart,
// ResizeEnd) that moves the band's value with it.

#include "chart/tools/ColorLineTool.h"

#include <memory>

class TPlotGradient;
class TPlotPicture;

class TColorBandTool : public TPlotCustomToolAxis {
    Q4_CLASS(TColorBandTool, TPlotCustomToolAxis)
public:
    explicit TColorBandTool(TComponent* owner);
    ~TColorBandTool() override;
    static void DeclareProperties(TPropertyList& p);
    // The band's settings, its edge lines and picture (not its events), then the axis part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TColorBandToolEditor"; }
    // The edge lines take the values read.
    void Loaded() override;
    // The edge lines take the axis too, without joining any chart's tools.
    void SetAxis(TChartAxis* value) override;
    // The edge lines draw on the band's chart.
    void SetParentChart(TChartHost* chart) override;
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // ---- settings ------------------------------------------------------------------------------
    TColor Color() const { return color_; }
    void SetColor(TColor value) { SetField(color_, value); }
    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor value) { cursor_ = value; }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { SetField(drawBehind_, value); }
    bool DrawBehindAxes() const { return drawBehindAxes_; }
    void SetDrawBehindAxes(bool value) { SetField(drawBehindAxes_, value); }
    double StartValue() const { return startValue_; }
    void SetStartValue(double value);
    double EndValue() const { return endValue_; }
    void SetEndValue(double value);
    TPlotGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TPlotGradient* value);
    // Made when first asked for; null frees it. Written only when it holds a picture.
    TPlotPicture* Picture();
    void SetPicture(TPlotPicture* value);
    bool HasPicture() const;
    bool ResizeStart() const { return startLine_->Active(); }
    void SetResizeStart(bool value) { startLine_->SetActive(value); }
    bool ResizeEnd() const { return endLine_->Active(); }
    void SetResizeEnd(bool value) { endLine_->SetActive(value); }
    TChartPen* StartLinePen() const { return startLine_->Pen(); }
    void SetStartLinePen(TChartPen* value) { startLine_->SetPen(value); }
    TChartPen* EndLinePen() const { return endLine_->Pen(); }
    void SetEndLinePen(TChartPen* value) { endLine_->SetPen(value); }
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency value) { SetField(transparency_, value); }

    TColorLineTool* StartLine() const { return startLine_.get(); }
    TColorLineTool* EndLine() const { return endLine_.get(); }

    // ---- geometry ------------------------------------------------------------------------------
    // The band's rectangle in the plot; empty (all 0) without an axis or when the band lies
    // outside the axis' range.
    TRect BandRect() const;
    // The point lies inside the band as drawn (projected at its depth in 3D).
    bool HitBand(int x, int y) const;
    void DrawBand();

    TMouseEvent OnClick;
    TNotifyEvent OnResized;

private:
    using TLinePtr = TFreeingPtr<TColorLineTool>;

    TLinePtr MakeEdgeLine();
    int DepthZ() const;
    void FillBand(TCanvas3D& canvas, const TRect& r, int z);
    // A drag of an edge line moved it (or ended): its value becomes the band's.
    void EdgeDragged(TColorLineTool* line);
    void EdgeDragEnded(TColorLineTool* line);
    void TakeEdgeValue(TColorLineTool* line);
    void PictureChanged();
    bool PictureStored() const { return HasPicture(); }

    TColor color_ = clWhite;
    TCursor cursor_ = 0;
    bool drawBehind_ = true;
    bool drawBehindAxes_ = false;
    double startValue_ = 0;
    double endValue_ = 0;
    TPlotTransparency transparency_ = 0;
    // Freed in this order: the picture, the edge lines, the gradient.
    std::unique_ptr<TPlotGradient> gradient_;
    TLinePtr startLine_;
    TLinePtr endLine_;
    std::unique_ptr<TPlotPicture> picture_;
};
