#pragma once
// TCursorTool: a movable cursor over the chart: a horizontal line, a vertical line, both, or a
// small scope marker with short arms. Its place is a pair of values on the axes of its series
// (or of the chart's main axes), so it stays on them through zooms and scrolls. It is drawn in
// exclusive-or mode over the finished chart, into the chart's back buffer between repaints, so
// that drawing it again at the same place erases it exactly. The user drags a line, or the
// cursor follows the mouse; it may snap to the nearest point of its series.

#include "chart/axispanel/ChartTool.h"

#include <cstdint>
#include <functional>

class TCanvas3D;
class TCursorTool;

Q4_ENUM(TCursorToolStyle, cssHorizontal, cssVertical, cssBoth, cssScope, cssScopeOnly);
Q4_ENUM(TScopeCursorStyle, scsRectangle, scsCircle, scsDiamond, scsEmpty, scsCamera);
// How snapping measures the distance to a point. The scroll-bar style of the standard controls
// has names like these, so the values carry a prefix of their own; stored descriptions keep the
// names "ssDefault", "ssHorizontal" and "ssVertical".
enum TSnapStyle : std::uint8_t { snapDefault, snapHorizontal, snapVertical };
Q4_ENUM_NAMES(TSnapStyle, "ssDefault", "ssHorizontal", "ssVertical");

// Which part of the cursor a point lies on (or the mouse holds).
enum TCursorPart : std::uint8_t { curNone = 0, curHorizLine = 1, curVertLine = 2, curCrossing = 3 };

using TCursorToolChangeEvent =
    std::function<void(TCursorTool* sender, int x, int y, double xValue, double yValue,
                       TChartSeries* series, int valueIndex)>;
using TCursorAxisBoundsEvent = std::function<void(TCursorTool* sender, TRect& rect)>;

class TCursorTool : public TPlotCustomToolSeries {
    Q4_CLASS(TCursorTool, TPlotCustomToolSeries)
public:
    explicit TCursorTool(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // Settings and position of another cursor tool (not its events), then the series part.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TCursorToolEditor"; }
    void SetParentChart(TChartHost* chart) override;
    void SetSeries(TChartSeries* value) override;

    // After each drawing: the pixels from the values (placing a new cursor in the middle), then
    // the cursor over the chart.
    void ChartToolEvent(TChartToolEventKind kind) override;
    void ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) override;
    std::string ToolTitleText() const override;
    std::string ToolSummaryText() const override;

    // ---- settings ------------------------------------------------------------------------------
    int ClickTolerance() const { return clickTolerance_; }
    void SetClickTolerance(int value) { clickTolerance_ = value; }
    bool FollowMouse() const { return followMouse_; }
    void SetFollowMouse(bool value) { followMouse_ = value; }
    int HorizSize() const { return horizSize_; }
    void SetHorizSize(int value) { SetField(horizSize_, value); }
    int VertSize() const { return vertSize_; }
    void SetVertSize(int value) { SetField(vertSize_, value); }
    int ScopeSize() const { return scopeSize_; }
    void SetScopeSize(int value) { SetField(scopeSize_, value); }
    TScopeCursorStyle ScopeStyle() const { return scopeStyle_; }
    void SetScopeStyle(TScopeCursorStyle value) { SetField(scopeStyle_, value); }
    bool Snap() const { return snap_; }
    void SetSnap(bool value) { snap_ = value; }
    TSnapStyle SnapStyle() const { return snapStyle_; }
    void SetSnapStyle(TSnapStyle value) { snapStyle_ = value; }
    TCursorToolStyle Style() const { return style_; }
    // Snaps again and repaints when the style changes.
    void SetStyle(TCursorToolStyle value);
    bool UseSeriesZ() const { return useSeriesZ_; }
    void SetUseSeriesZ(bool value) { SetField(useSeriesZ_, value); }

    // ---- position ------------------------------------------------------------------------------
    double XValue() const { return xValue_; }
    void SetXValue(double value) { SetField(xValue_, value); }
    double YValue() const { return yValue_; }
    void SetYValue(double value) { SetField(yValue_, value); }
    // In pixels, as last placed; -1 until the first drawing places the cursor.
    int CursorX() const { return cursorX_; }
    int CursorY() const { return cursorY_; }
    bool BoundByPlotRect() const { return boundByPlotRect_; }
    void SetBoundByPlotRect(bool value) { boundByPlotRect_ = value; }
    TCursorPart DragPart() const { return dragPart_; }
    int LastSnapIndex() const { return lastSnapIndex_; }

    // ---- geometry and snapping -----------------------------------------------------------------
    // The part at a point (within ClickTolerance pixels of a line, inside the bounds).
    TCursorPart HitPart(int x, int y) const;
    // The point of the series nearest to the cursor's values for a cursor style (see SnapStyle),
    // in axis values; ties keep the lower index; -1 without points.
    int FindNearestIndex(TCursorToolStyle style) const;
    // With Snap and a series: moves the values to the nearest point (along the style's
    // direction) and answers its index; else -1.
    int SnapToSeries();
    // The rectangle the cursor stays in: the plot rectangle, or the axes' rectangle which
    // OnAxisBounds may change.
    TRect AxisBounds() const;

    TCursorToolChangeEvent OnChange;
    TCursorToolChangeEvent OnSnapChange;
    TCursorAxisBoundsEvent OnAxisBounds;

protected:
    // Fires OnChange with the cursor's place and the snapped index.
    virtual void DoChange(int valueIndex);

private:
    int DepthZ() const;
    // A mouse point mapped back to the series' depth when UseSeriesZ.
    TPoint DepthMapped(int x, int y) const;
    // The bounds; limited: a non-zero HorizSize or VertSize bounds that direction around (x, y).
    TRect CursorBounds(int x, int y, bool limited) const;
    bool IsInBounds(int x, int y, bool limited) const;
    void ValuesFromPixels(int x, int y);
    void PixelsFromValues();
    // Draws the cursor in exclusive-or mode: on the canvas of a drawing in progress, or into
    // the back buffer (a second call at the same place takes it away).
    void PaintXor(TCanvas3D& canvas);
    void PaintXorOverBuffer();
    void DrawScope(TCanvas3D& canvas, bool view3D, int z);
    void MouseMoved(int x, int y);

    int clickTolerance_ = 3;
    bool followMouse_ = false;
    int horizSize_ = 0;
    int vertSize_ = 0;
    int scopeSize_ = 4;
    TScopeCursorStyle scopeStyle_ = scsRectangle;
    bool snap_ = false;
    TSnapStyle snapStyle_ = snapDefault;
    TCursorToolStyle style_ = cssBoth;
    bool useSeriesZ_ = false;
    double xValue_ = 0;
    double yValue_ = 0;
    int cursorX_ = -1;
    int cursorY_ = -1;
    bool boundByPlotRect_ = false;
    TCursorPart dragPart_ = curNone;
    int lastSnapIndex_ = -1;
};
