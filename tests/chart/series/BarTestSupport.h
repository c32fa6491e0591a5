#pragma once
// The bar and area tests: the series fixture's chart drawn through a canvas that also notes the
// shapes the series ask for by name ("box", "cylinder", "cone", "pyramid", "ellipse", "arrow",
// "polygon", "rect", "line", "side", "face", "gradient", ...) with their coordinates and the pen
// and brush they were drawn with.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"

#include <string>
#include <vector>

namespace seriestest {

struct TShapeCall {
    std::string kind;
    std::vector<int> args;
    TColor pen = clNone;
    TPenStyle penStyle = psSolid;
    int penWidth = 0;
    TColor brush = clNone;
    TBrushStyle brushStyle = bsSolid;
    int sides = 0; // cylinder side count at the time of the call
};

class TShapeCanvas : public TSeriesCanvas {
public:
    std::vector<TShapeCall> Calls;
    // Notes calls outside a series' drawing too (legend symbols drawn by hand).
    bool NoteAll = false;
    // The calls of one kind.
    std::vector<TShapeCall> Of(const std::string& kind) const;

    void BoxShape(int l, int r, int t, int b, int z0, int z1, bool dark) override;
    void CylinderShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark) override;
    void ConeShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark,
                   int percent) override;
    void PyramidShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark) override;
    void EllipseAtDepth(int x0, int y0, int x1, int y1, int z) override;
    void Ellipse(int x0, int y0, int x1, int y1) override;
    void ArrowShape(bool filled, TPoint from, TPoint to, int headWidth, int headLength, int z,
                    double bodyPercent) override;
    void PolygonAtDepth(const TPointList& points, int z) override;
    void Polygon(const TPointList& points) override;
    void Rectangle(int x0, int y0, int x1, int y1) override;
    void LineTo(int x, int y) override;
    void HorizontalLineAtDepth(int x0, int x1, int y, int z) override;
    void VerticalLineAtDepth(int x, int y0, int y1, int z) override;
    void SideFace(int left, int top, int bottom, int z0, int z1) override;
    void HorizontalFace(int left, int top, int right, int z0, int z1) override;
    void QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) override;
    void FillGradientRect(const TRect& r, TColor start, TColor end, TGradientDirection direction,
                          int balance, int radialX, int radialY) override;
    void BeginGroup(const std::string& name) override;
    void EndGroup() override;
    using TSeriesCanvas::BoxShape;
    using TSeriesCanvas::Ellipse;
    using TSeriesCanvas::EllipseAtDepth;
    using TSeriesCanvas::LineTo;
    using TSeriesCanvas::Rectangle;

private:
    void Note(const std::string& kind, std::vector<int> args);
    std::vector<std::string> open_;
    int depth_ = 0;
};

class ShapeFixture : public SeriesFixture {
protected:
    // Draws the chart through a TShapeCanvas (shapes) as SeriesFixture::Draw does.
    void DrawShapes(int width = 400, int height = 300);
    TShapeCanvas* shapes = nullptr;
};

} // namespace seriestest
