#pragma once
// A line series for many points: one plain polyline drawn with the canvas' move-to and line-to,
// without pointers, areas, ribbons, gradients or colours of single points.
//
// With AutoRepaint off, adding a point draws only its new segment into the chart's back buffer
// and repaints the segment's rectangle, instead of drawing the whole chart again; no OnAfterAdd
// is fired and linked series are not told. A chart without a valid back buffer (never drawn yet,
// stale, unbuffered, or drawing right now) is only invalidated, so nothing is drawn at positions
// of axes that are not set up yet.

#include "chart/series/CustomLineSeries.h"

#include "platform/graphics/Types.h"

class TCanvas3D;

class TFastLineSeries : public TCustomLineSeries {
    Q4_CLASS(TFastLineSeries, TCustomLineSeries)

    explicit TFastLineSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // From another fast line: AutoRepaint, DrawAllPoints, IgnoreNulls, InvertedStairs and Stairs;
    // then the line series' settings.
    void Assign(TPersistent* source) override;
    std::string EditorClassName() const override { return "TFastLineSeriesEditor"; }

    // Off: adding a point draws its segment at once instead of repainting the chart.
    bool AutoRepaint() const { return autoRepaint_; }
    void SetAutoRepaint(bool value) { autoRepaint_ = value; }
    // Off: a point on the same screen column as the last one drawn is left out.
    bool DrawAllPoints() const { return drawAllPoints_; }
    void SetDrawAllPoints(bool value) { SetField(drawAllPoints_, value); }
    // On: every point is drawn at its value, whatever TreatNulls says.
    bool IgnoreNulls() const { return ignoreNulls_; }
    void SetIgnoreNulls(bool value) { SetField(ignoreNulls_, value); }
    // Stairs go vertically first, then horizontally.
    bool InvertedStairs() const { return invertedStairs_; }
    void SetInvertedStairs(bool value) { SetField(invertedStairs_, value); }
    bool Stairs() const { return stairs_; }
    void SetStairs(bool value) { SetField(stairs_, value); }
    // Takes the pen's settings and its colour as the series colour.
    void SetLinePen(TChartPen* value);
    // The line pen follows the series colour.
    void SetSeriesColor(TColor value) override;

    // Half the line's width on each side (w - (w - 2) div 2 pixels).
    void GetHorizMargins(int& left, int& right) override;
    void GetVertMargins(int& top, int& bottom) override;

    // The line from the point before the visible range through the last visible point.
    void DrawVisiblePoints() override;
    // The segment from the last drawn position to the point.
    void DrawPoint(int index) override;
    void DrawLegendShape(int index, const TRect& rect) override;
    void PointAdded(TChartSeries* sender, int index) override;
    // The point at (x, y), or the first of the segment through it; -1 for none.
    int PointAt(int x, int y) override;
    // Gallery sub-styles: marks, dotted, stairs.
    void ListSubStyles(const TSubStyleProc& add) override;
    void ApplySubStyle(TChartSeries* series, int style) override;

    // The screen position the line has reached.
    TPoint LastDrawn() const { return {lastX_, lastY_}; }

protected:
    // The legend symbol's pen.
    virtual void PrepareLegendSymbol(TCanvas3D& canvas);

private:
    // The point's pixels from its X and Y values as stored.
    TPoint ScreenPosition(int index) const;
    // The line pen, a clear brush and a transparent background.
    void PrepareCanvas(TCanvas3D& canvas);
    void MoveCanvas(TCanvas3D& canvas, TPoint p);
    // Decides whether the segment to point index is drawn; may move p (skipped nulls).
    bool ShouldDraw(int index, TPoint& p) const;
    // The segment of a point just added, into the chart's back buffer.
    void AppendSegment(int index);
    int WidthMargin() const;

    bool autoRepaint_ = true;
    bool drawAllPoints_ = true;
    bool ignoreNulls_ = true;
    bool invertedStairs_ = false;
    bool stairs_ = false;
    int lastX_ = 0;
    int lastY_ = 0;
};
