#pragma once
// The bar family: each point is a bar from an origin to its value. Before each drawing every bar
// series counts the bar series of its kind in the chart (its slot within a point, the number of
// slots and the largest point count), from which the bar width follows; MultiBar places the
// bars of several series side by side, stacked (also to 100 %), side by side across all points
// or stacked within the one series. TBarSeries draws vertical bars, THorizBarSeries horizontal
// ones; where the two differ beyond exchanging the axes, this class asks Vertical().
//
// Layout (positions, stacking, bounds, extremes, margins, visible range, marks, hit test) is in
// BarSeriesLayout.cpp, drawing (styles, gradient, bevel, shadow, tick lines) in
// BarSeriesDrawing.cpp. The counted state is valid from one drawing to the next; asked before
// any drawing the series counts as one bar slot.

#include "chart/core/ChartSeries.h"
#include "chart/draw/Shadow.h"
#include "chart/series/BarSeriesGradient.h"

#include <functional>
#include <memory>

Q4_ENUM(TBarStyle, bsRectangle, bsPyramid, bsInvPyramid, bsCilinder, bsEllipse, bsArrow,
        bsRectGradient, bsCone, bsBevel, bsSlantCube, bsDiamond, bsInvArrow, bsInvCone);
// mbSide: series side by side within a point; mbStacked: on top of each other (one column per
// StackGroup); mbStacked100: stacked as a percentage of the column's total; mbSideAll: every
// point of every series in a row of its own; mbSelfStack: the points of one series stacked
// into one bar at the series' place.
Q4_ENUM(TMultiBar, mbNone, mbSide, mbStacked, mbStacked100, mbSideAll, mbSelfStack);

class TCustomBarSeries;
using TGetBarStyleEvent =
    std::function<void(TCustomBarSeries* sender, int valueIndex, TBarStyle& barStyle)>;

class TCustomBarSeries : public TChartSeries {
    Q4_CLASS(TCustomBarSeries, TChartSeries)

    explicit TCustomBarSeries(TComponent* owner);
    ~TCustomBarSeries() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TBarSeriesEditor"; }
    // Takes MultiBar and SideMargins from the first series of this class in the chart.
    void SetParentChart(TChartHost* chart) override;

    // ---- settings ------------------------------------------------------------------------------
    bool AutoBarSize() const { return autoBarSize_; }
    void SetAutoBarSize(bool value) { SetField(autoBarSize_, value); }
    bool AutoMarkPosition() const { return autoMarkPosition_; }
    void SetAutoMarkPosition(bool value) { SetField(autoMarkPosition_, value); }
    TBarStyle BarStyle() const { return barStyle_; }
    void SetBarStyle(TBarStyle value) { SetField(barStyle_, value); }
    int BarWidthPercent() const { return barWidthPercent_; }
    void SetBarWidthPercent(int value) { SetField(barWidthPercent_, value); }
    int BevelSize() const { return bevelSize_; }
    void SetBevelSize(int value) { SetField(bevelSize_, value); }
    int ConePercent() const { return conePercent_; }
    void SetConePercent(int value) { SetField(conePercent_, value); }
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool value) { SetField(dark3D_, value); }
    int DarkPen() const { return darkPen_; }
    void SetDarkPen(int value) { SetField(darkPen_, value); }
    int DepthPercent() const { return depthPercent_; }
    void SetDepthPercent(int value) { SetField(depthPercent_, value); }
    TBarSeriesGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TBarSeriesGradient* value) { gradient_->Assign(value); }
    TMultiBar MultiBar() const { return multiBar_; }
    // Also gives MultiBar and SideMargins to every series of this class in the chart.
    void SetMultiBar(TMultiBar value);
    int OffsetPercent() const { return offsetPercent_; }
    void SetOffsetPercent(int value) { SetField(offsetPercent_, value); }
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* value) { shadow_->Assign(value); }
    bool SideMargins() const { return sideMargins_; }
    void SetSideMargins(bool value);
    int StackGroup() const { return stackGroup_; }
    void SetStackGroup(int value) { SetField(stackGroup_, value); }
    TChartHiddenPen* TickLines() const { return tickLines_.get(); }
    void SetTickLines(TChartHiddenPen* value) { tickLines_->Assign(value); }
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency value) { SetField(transparency_, value); }
    bool UseYOrigin() const { return useYOrigin_; }
    void SetUseYOrigin(bool value) { SetField(useYOrigin_, value); }
    double YOrigin() const { return yOrigin_; }
    void SetYOrigin(double value) { SetField(yOrigin_, value); }
    int CustomBarWidth() const { return customBarWidth_; }
    void SetCustomBarWidth(int value) { SetField(customBarWidth_, value); }
    TChartBrush* BarBrush() const { return Brush(); }
    void SetBarBrush(TChartBrush* value) { Brush()->Assign(value); }
    TChartPen* BarPen() const { return Pen(); }
    void SetBarPen(TChartPen* value) { Pen()->Assign(value); }

    TGetBarStyleEvent OnGetBarStyle;

    // ---- counted state -------------------------------------------------------------------------
    // Counts the bar series of the chart: slot, slots per point, point slots, previous points.
    void PrepareForChartDraw() override;
    // The width of one bar from the position axis and the counted state.
    void CalcBarSize();
    int BarSize() const { return barSize_; }
    // Bar slots per point (at least 1), this series' 1-based slot and the point slots.
    int BarCount() const { return barCount_ < 1 ? 1 : barCount_; }
    int OrderPosition() const { return orderPosition_; }
    int PointSlots() const { return pointSlots_; }
    int PreviousCount() const { return previousCount_; }
    // The bar's style: BarStyle as OnGetBarStyle leaves it.
    TBarStyle StyleOf(int index);

    // ---- layout (BarSeriesLayout.cpp) ----------------------------------------------------------
    // Position pixel: the bar's left (top) edge; value pixel: its value end.
    int PixelX(int index) override;
    int PixelY(int index) override;
    // The bar's centre and value end.
    void PointPixels(int index, int& x, int& y) override;
    // The sum of the partners' values at index on the value's side (up to this series, or over
    // all of them); the values before index for mbSelfStack; YOrigin when not stacking.
    virtual double StackBase(int index, bool all);
    // The value-axis pixel the bar rises from.
    int BarOrigin(int index);
    virtual TRect GetBarBounds(int index);
    double HighestX() override;
    double HighestY() override;
    double LowestX() override;
    double LowestY() override;
    void GetHorizMargins(int& left, int& right) override;
    void GetVertMargins(int& top, int& bottom) override;
    void AssignZOrder() override;
    void CalcZRange() override;
    bool SharesZOrder() override;
    bool NormalRotation() const override;
    bool PointInChartRect(int index) override;
    void UpdateVisibleRange() override;
    int PointAt(int x, int y) override;
    virtual bool BarHit(int index, TPoint p);
    // The room of a mark along the value direction.
    virtual int MarkExtent(int index);
    void DrawMark(int index, const std::string& text, TSeriesMarkPosition& position) override;
    int DefaultSampleCount() const override;
    void AddSampleValues(int count, bool onlyMandatory) override;

    // ---- gallery (SeriesGallery.cpp) -----------------------------------------------------------
    // Colours, shapes and the multi-bar styles; a multi-bar style on the only series of its
    // chart first adds a companion series of the same class to show it.
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;
    // Gradient rectangles of 85 % width with dark pens, not stacked.
    void PrepareForGallery(bool enabled) override;

    // ---- drawing (BarSeriesDrawing.cpp) --------------------------------------------------------
    void DrawPoint(int index) override;
    // The bar's shape between the value-axis pixels start < end, across the bar bounds.
    virtual void PaintBar(int index, int start, int end);
    // One tick line across the bar at value-axis pixel position.
    virtual void PaintTickLine(int position, TBarStyle style);
    void DrawLegendShape(int index, const TRect& rect) override;
    void PrepareLegendBrush(int index, TColor& backColor, TBrushStyle& style) override;
    // The bar being drawn.
    const TRect& BarBounds() const { return barBounds_; }
    TColor BarColor() const { return barColor_; }

protected:
    bool Vertical() const { return YMandatory(); }
    TChartAxis* ValueAxis() const { return YMandatory() ? GetVertAxis() : GetHorizAxis(); }
    TChartAxis* PositionAxis() const { return YMandatory() ? GetHorizAxis() : GetVertAxis(); }
    int ValuePixel(double value) const { return MandatoryValueToPixel(value); }
    int PositionPixel(double value) const {
        return YMandatory() ? XValueToPixel(value) : YValueToPixel(value);
    }
    void SubObjectChanged(TObject*) { Repaint(); }

private:
    bool YOriginStored() const { return yOrigin_ != 0; }
    bool Stacking() const { return multiBar_ == mbStacked || multiBar_ == mbStacked100; }
    int BarPositionPixel(int index);
    int BarValuePixel(int index);
    int ChartIndex() const;
    double ValueExtreme(bool highest);
    int MarkSpace();
    void PositionMargins(int& low, int& high);
    void ValueMargins(int& below, int& above);
    void ShareMultiBar();
    TCanvas3D& Canvas() const { return *ParentChart()->ChartCanvas(); }
    // Drawing helpers (BarSeriesDrawing.cpp).
    void PrepareBarPen(TCanvas3D& canvas, int index);
    void PrepareBarBrush(TCanvas3D& canvas);
    // BarBrush's colour, or the chart's colour for the default one.
    TColor BrushBackground() const;
    void PaintShadow(int index, TBarStyle style);
    void PaintBarWithTransparency(int index, TPlotTransparency transparency);
    void PaintBar3D(TCanvas3D& canvas, TBarStyle style, const TRect& r, int start, int end);
    void PaintBar2D(TCanvas3D& canvas, TBarStyle style, const TRect& r, int start, int end);
    void PaintRectangle2D(TCanvas3D& canvas, const TRect& r);
    void PaintGradientBar(int index, const TRect& r);
    void PaintBevel(const TRect& r);
    void PaintTickLines(TBarStyle style, int start, int end);
    TColor RelativeEndColor(int index);

    bool autoBarSize_ = false;
    bool autoMarkPosition_ = true;
    TBarStyle barStyle_ = bsRectangle;
    int barWidthPercent_ = 70;
    int bevelSize_ = 1;
    int conePercent_ = 0;
    bool dark3D_ = true;
    int darkPen_ = 0;
    int depthPercent_ = 100;
    std::unique_ptr<TBarSeriesGradient> gradient_;
    TMultiBar multiBar_ = mbSide;
    int offsetPercent_ = 0;
    std::unique_ptr<TPlotShadow> shadow_;
    bool sideMargins_ = true;
    int stackGroup_ = 0;
    std::unique_ptr<TChartHiddenPen> tickLines_;
    TPlotTransparency transparency_ = 0;
    bool useYOrigin_ = true;
    double yOrigin_ = 0;
    int customBarWidth_ = 0;

    TRect barBounds_{};
    int barCount_ = 0;
    int pointSlots_ = 0;
    int orderPosition_ = 1;
    int previousCount_ = 0;
    int barSize_ = 0;
    TColor barColor_ = clNone;
    // The pen's colour while the shadow is painted (clNone otherwise).
    TColor penOverride_ = clNone;
};
