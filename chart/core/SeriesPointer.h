#pragma once
// The marker drawn at the points of a series: a small rectangle, circle, triangle, cross,
// diamond, dot or hexagon, flat in 2D or at the series' depth in 3D, where rectangles,
// triangles and circles may also be solids (a box, a pyramid, a sphere). It has a pen and a
// brush, a gradient over its shape, a shadow and a transparency, and may ask its series for
// room around the points (the series' margins).

#include "chart/draw/ChartTypes.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/Shadow.h"
#include "chart/draw/StoreChanged.h"
#include "chart/panel/PlotShape.h"

#include <memory>

class TCanvas3D;
class TChartHost;
class TChartSeries;

Q4_ENUM(TSeriesPointerStyle, psRectangle, psCircle, psTriangle, psDownTriangle, psCross,
        psDiagCross, psStar, psDiamond, psSmallDot, psNothing, psLeftTriangle, psRightTriangle,
        psHexagon);

class TSeriesPointer : public TPlotCustomShapeBrushPen {
    Q4_CLASS(TSeriesPointer, TPlotCustomShapeBrushPen)
public:
    // series: the owner (none for a pointer that draws on its own, such as a callout's end);
    // the pointer draws on the series' chart.
    explicit TSeriesPointer(TChartSeries* series);
    ~TSeriesPointer() override;
    static void DeclareProperties(TPropertyList& p);
    // The pointer's own settings, then brush, pen and visibility.
    void Assign(TPersistent* source) override;

    TChartSeries* Series() const { return series_; }
    // The chart the pointer draws on and repaints: its series' chart, read each time, so a
    // series that leaves its chart (however it leaves) takes its pointer along; a pointer
    // without a series draws on the chart it was given.
    TChartHost* ParentChart() const;
    void SetParentChart(TChartHost* chart) { chart_ = chart; }
    // Shown or hidden, repainting the chart when it changes.
    void SetVisible(bool on);
    void Hide() { SetVisible(false); }

    // ---- drawing ------------------------------------------------------------------------------
    // One pointer of style centred on (x, y) on the chart's canvas, in 3D when the chart shows
    // 3D, with HorizSize and VertSize. Nothing without a chart or a canvas.
    void Draw(int x, int y, TColor color, TSeriesPointerStyle style);
    // One pointer of style centred on (x, y), halfWidth and halfHeight pixels each way, at the
    // series' depths when is3D. The canvas must have been set up (SetupCanvas).
    void DrawMarker(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth, int halfHeight,
                    TColor color, TSeriesPointerStyle style);
    // Pen and brush for a point of colour color: a pen or brush colour of clDefault takes the
    // point's colour (a patterned brush its back colour); a hidden pen draws no outline.
    void SetupCanvas(TCanvas3D& canvas, TColor color);
    // The chart's canvas set up in the brush's colour.
    void SetupCanvas();

    // ---- room around the points -----------------------------------------------------------------
    // A visible pointer that inflates margins asks HorizSize + 1 (VertSize + 1) pixels on each
    // side at least; the margins never shrink here.
    void CalcHorizMargins(int& left, int& right) const;
    void CalcVerticalMargins(int& top, int& bottom) const;

    // ---- properties ---------------------------------------------------------------------------
    bool Dark3D() const { return dark3D_; }
    void SetDark3D(bool on) { SetOwn(dark3D_, on); }
    bool Draw3D() const { return draw3D_; }
    void SetDraw3D(bool on) { SetOwn(draw3D_, on); }
    TPlotGradient* Gradient() const { return gradient_.get(); }
    void SetGradient(TPlotGradient* gradient) { gradient_->Assign(gradient); }
    int HorizSize() const { return horizSize_; }
    // Raises ChartException for a size of 0 or less and keeps the old one.
    void SetHorizSize(int size);
    bool InflateMargins() const { return inflateMargins_; }
    void SetInflateMargins(bool on) { SetOwn(inflateMargins_, on); }
    TPlotShadow* Shadow() const { return shadow_.get(); }
    void SetShadow(TPlotShadow* shadow) { shadow_->Assign(shadow); }
    TSeriesPointerStyle Style() const { return style_; }
    void SetStyle(TSeriesPointerStyle style) { SetOwn(style_, style); }
    TPlotTransparency Transparency() const { return transparency_; }
    void SetTransparency(TPlotTransparency percent) { SetOwn(transparency_, percent); }
    int VertSize() const { return vertSize_; }
    void SetVertSize(int size);

    // Editors may change the sizes (true unless the owner says otherwise).
    bool AllowChangeSize() const { return allowChangeSize_; }
    void SetAllowChangeSize(bool on) { allowChangeSize_ = on; }
    // The gradient keeps its own end colour; otherwise it ends in the point's colour.
    bool FullGradient() const { return fullGradient_; }
    void SetFullGradient(bool on) { fullGradient_ = on; }

private:
    template <class T> void SetOwn(T& field, T value) {
        if (StoreChanged(field, value))
            Repaint();
    }
    void Repaint();
    // The steps of DrawMarker.
    void DrawShadow(TCanvas3D& canvas, bool is3D, const TRect& box, TSeriesPointerStyle style);
    void DrawShape(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth, int halfHeight,
                   TSeriesPointerStyle style);
    void DrawGradient(TCanvas3D& canvas, bool is3D, int x, int y, int halfWidth, int halfHeight,
                      TColor color, TSeriesPointerStyle style);
    int StartZ() const;
    int MiddleZ() const;
    int EndZ() const;

    TChartSeries* series_;
    TChartHost* chart_ = nullptr;
    bool dark3D_ = true;
    bool draw3D_ = true;
    std::unique_ptr<TPlotGradient> gradient_;
    int horizSize_ = 4;
    bool inflateMargins_ = true;
    std::unique_ptr<TPlotShadow> shadow_;
    TSeriesPointerStyle style_ = psRectangle;
    TPlotTransparency transparency_ = 0;
    int vertSize_ = 4;
    bool allowChangeSize_ = true;
    bool fullGradient_ = false;
};
