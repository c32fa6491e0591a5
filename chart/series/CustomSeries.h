#pragma once
// The series that draw each value as a point on a polyline: lines, points and (through DrawArea)
// areas. The chart draws them point by point: DrawPoint draws the segment from the point before
// to this one (a line in 2D, a ribbon in 3D) and the point's pointer, keeping the previous
// point's position, origin and colour for the next call. This class also places the points
// when several series stack their values, reports the extremes and margins the axes need,
// widens the visible range by the pointers and finds the point under the mouse.
//
// The previous-point state is valid only during one drawing pass; drawing, adding points and
// changing settings all belong on the chart's thread.

#include "chart/core/SeriesPointer.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/Shadow.h"
#include "chart/series/CustomLineSeries.h"

#include <functional>
#include <memory>

// cssOverlap shares the depth slot of the series before it; cssStack puts each value on the
// values of the series of the same kind before it; cssStack100 shows each stacked sum as a
// percentage of the total at that index.
Q4_ENUM(TCustomSeriesStack, cssNone, cssOverlap, cssStack, cssStack100);

class TCustomSeries;
using TSeriesClickPointerEvent =
    std::function<void(TCustomSeries* sender, int valueIndex, int x, int y)>;
using TOnGetPointerStyle =
    std::function<TSeriesPointerStyle(TCustomSeries* sender, int valueIndex)>;

class TCustomSeries : public TCustomLineSeries {
    Q4_CLASS(TCustomSeries, TCustomLineSeries)

    explicit TCustomSeries(TComponent* owner);
    ~TCustomSeries() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TCustomSeriesEditor"; }
    // Also gives the pointer the chart.
    void SetParentChart(TChartHost* chart) override;

    // ---- settings ------------------------------------------------------------------------------
    TChartBrush* AreaChartBrush() const { return areaBrush_.get(); }
    void SetAreaChartBrush(TChartBrush* value) { areaBrush_->Assign(value); }
    TColor AreaColor() const { return areaColor_; }
    void SetAreaColor(TColor value) { SetField(areaColor_, value); }
    TChartPen* AreaLinesPen() const { return areaLinesPen_.get(); }
    void SetAreaLinesPen(TChartPen* value) { areaLinesPen_->Assign(value); }
    bool ClickableLine() const { return clickableLine_; }
    void SetClickableLine(bool value) { clickableLine_ = value; }
    bool ColorEachLine() const { return colorEachLine_; }
    void SetColorEachLine(bool value) { SetField(colorEachLine_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetField(dark3D_, value); }
    bool DrawArea() const { return drawArea_; }
    void SetDrawArea(bool value) { SetField(drawArea_, value); }
    bool ConnectPoints() const { return connectPoints_; }
    void SetConnectPoints(bool value) { SetField(connectPoints_, value); }
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { SetField(invertedStairs_, value); }
    int LineHeight() const { return lineHeight_; }
    void SetLineHeight(int value) { SetField(lineHeight_, value); }
    TChartHiddenPen* OutLine() const { return outLine_.get(); }
    void SetOutLine(TChartHiddenPen* value) { outLine_->Assign(value); }
    TSeriesPointer* Pointer() const { return pointer_.get(); }
    void SetPointer(TSeriesPointer* value) { pointer_->Assign(value); }
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* value) { shadow_->Assign(value); }
    TCustomSeriesStack Stacked() const { return stacked_; }
    // Stores the value, gives it to every series of the chart of this series' kind, repaints.
    void SetStacked(TCustomSeriesStack value);
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { SetField(stairs_, value); }
    TBrushStyle LineBrush() const;
    void SetLineBrush(TBrushStyle value);
    TPlotGradient* Gradient() const { return GetGradient(); }
    void SetGradient(TPlotGradient* value) { GetGradient()->Assign(value); }
    TPlotTransparency Transparency() const { return GetTransparency(); }
    void SetTransparencyValue(TPlotTransparency value) { SetTransparency(value); }
    virtual TPlotGradient* GetGradient() const { return gradient_.get(); }
    virtual TPlotTransparency GetTransparency() const { return transparency_; }
    virtual void SetTransparency(TPlotTransparency value) { SetField(transparency_, value); }

    TSeriesClickPointerEvent OnClickPointer;
    TOnGetPointerStyle OnGetPointerStyle;

    // ---- drawing -------------------------------------------------------------------------------
    // The shadow pass and the outline pass, then every visible point.
    void DrawVisiblePoints() override;
    void DrawPoint(int index) override;
    void DrawLegendShape(int index, const TRect& rect) override;
    // The pointer of one point, in the style OnGetPointerStyle gives it.
    virtual void PaintPointer(int x, int y, TColor color, int index);
    // Room the marks take above (beside) a point: the callout's length and distance.
    virtual int MarkOffset();
    // Marks stand at the series' front; with vertical values the callout lifts them.
    void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) override;

    // ---- layout --------------------------------------------------------------------------------
    void GetHorizMargins(int& left, int& right) override;
    void GetVertMargins(int& top, int& bottom) override;
    void AssignZOrder() override;
    bool PointInChartRect(int index) override;
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;
    int PixelX(int index) override;
    int PixelY(int index) override;
    void UpdateVisibleRange() override;
    int PointAt(int x, int y) override;
    // Whether clicks on the series do something.
    bool HandlesClicks() const;
    // The smallest or largest value over the points (nulls skipped unless drawn); 0 for none.
    virtual double MandatoryExtreme(bool minimum);
    // The point's pointer lies under (x, y): strictly closer than its sizes.
    virtual bool PointerHit(int index, int px, int py, int x, int y);
    virtual void BeforePointerHit(int) {}
    // Stacks with the series: one of the two is of the other's class.
    virtual bool StacksWith(TCustomSeries* series);
    // The pixel on the value axis the point's line or area rises from.
    virtual int OriginPos(int index);
    // The sum of the stacking partners' values before this series at index (on the side of
    // value's sign), and the total over every series of the chart.
    double StackBelow(int index, double value);
    double StackTotal(int index, double value);

protected:
    // Repaints when an owned pen, brush or shadow changes.
    void SubObjectChanged(TObject*) { Repaint(); }
    // The colour of area fills for a point colour.
    TColor AreaColorFor(TColor color) const;
    // Whether the value axis is the vertical one.
    bool VerticalValues() const { return YMandatory(); }
    TChartAxis* ValueAxis() const { return YMandatory() ? GetVertAxis() : GetHorizAxis(); }
    // The pixel of a stacked value (below + value) on the value axis.
    int StackedPixel(int index, double value);
    // Fills the band between the segment being drawn and its origins, with the canvas' pen and
    // brush as set for the area.
    virtual void DrawAreaSegment();

private:
    friend class TSeriesPassGuard;
    void DrawSegment(bool withPointers);
    // The area's parts (CustomSeriesArea.cpp).
    void DrawAreaSides(TColor area, const std::function<void()>& applyBrush);
    void DrawAreaStep();
    void DrawStepOutline();
    void DrawAreaQuad();
    void FillAreaGradient(const TPointList& quad);
    void DrawLine2D();
    void DrawRibbon3D();
    void DrawStairsRibbon(TCanvas3D& canvas, int z0, int z1, TColor color);
    void DrawSlantRibbon(TCanvas3D& canvas, int z0, int z1, TColor color);
    // Canvas pen and brush for a 2D line (and the legend's line) in colour.
    void PrepareLinePen(TCanvas3D& canvas, TColor color);
    void StartAtPlotEdge(int index);
    int InterpolatedEdgeY(int index);
    void RunShadowPass();
    void RunOutlinePass();
    TPoint DepthStep() const;
    bool SegmentHit(int ppx, int ppy, int px, int py, int x, int y);
    bool AreaHit(int index, int ppx, int ppy, int px, int py, int x, int y);
    double StackSum(int index, double value, bool onlyBelow);
    bool StackingValues() const { return stacked_ == cssStack || stacked_ == cssStack100; }
    double ValueExtreme(bool highest);
    TCanvas3D& Canvas() const { return *ParentChart()->ChartCanvas(); }

    std::unique_ptr<TChartBrush> areaBrush_;
    TColor areaColor_ = clDefault;
    std::unique_ptr<TChartPen> areaLinesPen_;
    bool clickableLine_ = true;
    bool colorEachLine_ = true;
    bool dark3D_ = true;
    bool drawArea_ = false;
    bool connectPoints_ = false;
    bool invertedStairs_ = false;
    int lineHeight_ = 0;
    std::unique_ptr<TChartHiddenPen> outLine_;
    std::unique_ptr<TSeriesPointer> pointer_;
    std::unique_ptr<TPlotShadow> shadow_;
    TCustomSeriesStack stacked_ = cssNone;
    bool stairs_ = false;
    TPlotTransparency transparency_ = 0;
    std::unique_ptr<TPlotGradient> gradient_;

    // The drawing pass: the point being drawn and the one before it.
    int x_ = 0, y_ = 0;
    TColor color_ = clNone;
    int index_ = 0;
    bool isLast_ = false;
    int origin_ = 0;
    int prevOrigin_ = 0;
    int prevX_ = 0, prevY_ = 0;
    TColor prevColor_ = clNone;
    int prevIndex_ = 0;
    double darkRatio_ = 1;
};
