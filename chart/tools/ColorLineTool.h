#pragma once
// TColorLineTool: a line across the chart at one value of its axis (a custom value, or the
// axis' maximum, centre or minimum). Its depth segment and its line on the back wall are drawn
// before the series, its line in front after the chart. The user may drag it: each step is drawn
// inverted over the chart (or the chart is drawn again, DragRepaint), and unless NoLimitDrag the
// value stays within the axis' pixels.

#include "chart/axispanel/ChartTool.h"

#include <functional>

class TCanvas3D;
class TColorLineTool;

Q4_ENUM(TColorLineStyle, clCustom, clMaximum, clCenter, clMinimum);

using TColorLineToolOnDrag = std::function<void(TColorLineTool* sender)>;

class TColorLineTool : public TPlotCustomToolAxis {
    Q4_CLASS(TColorLineTool, TPlotCustomToolAxis)
public:
    explicit TColorLineTool(TComponent* owner) : TPlotCustomToolAxis(owner) {}
    static void DeclareProperties(TPropertyList& p);
    // The line's settings and value (not its events), then the axis part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TColorLineToolEditor"; }
    // With an axis: the back part before the series, the front part after the chart.
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // ---- settings ------------------------------------------------------------------------------
    bool AllowDrag() const { return allowDrag_; }
    void SetAllowDrag(bool value) { allowDrag_ = value; }
    bool DragRepaint() const { return dragRepaint_; }
    void SetDragRepaint(bool value) { dragRepaint_ = value; }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool value) { SetField(draw3D_, value); }
    bool DrawBehind() const { return drawBehind_; }
    void SetDrawBehind(bool value) { SetField(drawBehind_, value); }
    bool NoLimitDrag() const { return noLimitDrag_; }
    void SetNoLimitDrag(bool value) { noLimitDrag_ = value; }
    TColorLineStyle Style() const { return style_; }
    void SetStyle(TColorLineStyle value) { SetField(style_, value); }
    double Value() const { return value_; }
    // Makes the style custom (not while the tool is read from a description) and repaints,
    // except during an inverted drag, which draws the line itself.
    void SetValue(double value);

    // ---- state and geometry --------------------------------------------------------------------
    bool Dragging() const { return dragging_; }
    // The chart the line draws on: the one of the colour band owning it, else its own.
    TCustomAxisPanel* TargetChart() const;
    virtual void SetTargetChart(TCustomAxisPanel* chart) { targetChart_ = chart; }
    // The pen changed: the target chart repaints.
    void ChildChanged(TObject* sender) override;
    // The value the line stands at: Value, or the axis' maximum, centre or minimum.
    double LineValue() const;
    // value kept between the axis' values at its two end pixels.
    double LimitValue(double value) const;
    // Within 3 pixels of the line across the axis and inside the plot rectangle along it.
    bool HitLine(int x, int y) const;
    // Draws the part behind the series (back) or in front of the chart.
    void DrawColorLine(bool back);

    TColorLineToolOnDrag OnBeginDragLine;
    TColorLineToolOnDrag OnDragLine;
    TColorLineToolOnDrag OnEndDragLine;
    // Told at the end of a drag before OnEndDragLine (the colour band owning the line).
    TColorLineToolOnDrag OnEndDragInternal;

protected:
    // Tells the end of a drag: the internal notification, then OnEndDragLine.
    virtual void DoEndDragLine();

private:
    // The line's parts drawn with the canvas' current pen.
    void DrawParts(TCanvas3D& canvas, int pixel, bool back, bool front);
    // Both parts drawn inverted over the finished chart (a second call takes them away).
    void DrawInverted();
    void MouseMoved(int x, int y);

    bool allowDrag_ = true;
    bool dragRepaint_ = false;
    bool draw3D_ = true;
    bool drawBehind_ = false;
    bool noLimitDrag_ = false;
    TColorLineStyle style_ = clCustom;
    double value_ = 0;
    bool dragging_ = false;
    TCustomAxisPanel* targetChart_ = nullptr;
};
