#include "tests/chart/series/BarTestSupport.h"

#include "platform/graphics/Bitmap.h"

namespace seriestest {

std::vector<TShapeCall> TShapeCanvas::Of(const std::string& kind) const {
    std::vector<TShapeCall> result;
    for (const TShapeCall& call : Calls)
        if (call.kind == kind)
            result.push_back(call);
    return result;
}

void TShapeCanvas::Note(const std::string& kind, std::vector<int> args) {
    bool inSeries = NoteAll;
    for (const std::string& g : open_)
        inSeries = inSeries || g.rfind("Series", 0) == 0;
    if (!inSeries)
        return;
    // Shapes drawn by other shapes (a box's faces are polygons) are noted once, as the outer one.
    if (depth_ > 0)
        return;
    Calls.push_back({kind, std::move(args), Pen()->Color(), Pen()->Style(), Pen()->Width(),
                     Brush()->Color(), Brush()->Style(), CylinderSideCount()});
}

namespace {

// Counts a shape's nesting while it draws its parts.
struct TNested {
    int& depth;
    explicit TNested(int& d) : depth(d) { ++depth; }
    ~TNested() { --depth; }
    TNested(const TNested&) = delete;
    TNested& operator=(const TNested&) = delete;
};

} // namespace

void TShapeCanvas::BoxShape(int l, int r, int t, int b, int z0, int z1, bool dark) {
    Note("box", {l, r, t, b, z0, z1, dark});
    const TNested nested(depth_);
    TSeriesCanvas::BoxShape(l, r, t, b, z0, z1, dark);
}

void TShapeCanvas::CylinderShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark) {
    Note("cylinder", {v, l, t, r, b, z0, z1, dark});
    const TNested nested(depth_);
    TSeriesCanvas::CylinderShape(v, l, t, r, b, z0, z1, dark);
}

void TShapeCanvas::ConeShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark,
                             int percent) {
    Note("cone", {v, l, t, r, b, z0, z1, dark, percent});
    const TNested nested(depth_);
    TSeriesCanvas::ConeShape(v, l, t, r, b, z0, z1, dark, percent);
}

void TShapeCanvas::PyramidShape(bool v, int l, int t, int r, int b, int z0, int z1, bool dark) {
    Note("pyramid", {v, l, t, r, b, z0, z1, dark});
    const TNested nested(depth_);
    TSeriesCanvas::PyramidShape(v, l, t, r, b, z0, z1, dark);
}

void TShapeCanvas::EllipseAtDepth(int x0, int y0, int x1, int y1, int z) {
    Note("ellipse3d", {x0, y0, x1, y1, z});
    const TNested nested(depth_);
    TSeriesCanvas::EllipseAtDepth(x0, y0, x1, y1, z);
}

void TShapeCanvas::Ellipse(int x0, int y0, int x1, int y1) {
    Note("ellipse", {x0, y0, x1, y1});
    const TNested nested(depth_);
    TSeriesCanvas::Ellipse(x0, y0, x1, y1);
}

void TShapeCanvas::ArrowShape(bool filled, TPoint from, TPoint to, int headWidth, int headLength,
                              int z, double bodyPercent) {
    Note("arrow", {from.X, from.Y, to.X, to.Y, headWidth, headLength, z});
    const TNested nested(depth_);
    TSeriesCanvas::ArrowShape(filled, from, to, headWidth, headLength, z, bodyPercent);
}

void TShapeCanvas::PolygonAtDepth(const TPointList& points, int z) {
    std::vector<int> args;
    for (const TPoint& p : points) {
        args.push_back(p.X);
        args.push_back(p.Y);
    }
    args.push_back(z);
    Note("polygon3d", args);
    const TNested nested(depth_);
    TSeriesCanvas::PolygonAtDepth(points, z);
}

void TShapeCanvas::Polygon(const TPointList& points) {
    std::vector<int> args;
    for (const TPoint& p : points) {
        args.push_back(p.X);
        args.push_back(p.Y);
    }
    Note("polygon", args);
    const TNested nested(depth_);
    TSeriesCanvas::Polygon(points);
}

void TShapeCanvas::Rectangle(int x0, int y0, int x1, int y1) {
    Note("rect", {x0, y0, x1, y1});
    const TNested nested(depth_);
    TSeriesCanvas::Rectangle(x0, y0, x1, y1);
}

void TShapeCanvas::LineTo(int x, int y) {
    Note("line", {x, y});
    const TNested nested(depth_);
    TSeriesCanvas::LineTo(x, y);
}

void TShapeCanvas::HorizontalLineAtDepth(int x0, int x1, int y, int z) {
    Note("hline", {x0, x1, y, z});
    const TNested nested(depth_);
    TSeriesCanvas::HorizontalLineAtDepth(x0, x1, y, z);
}

void TShapeCanvas::VerticalLineAtDepth(int x, int y0, int y1, int z) {
    Note("vline", {x, y0, y1, z});
    const TNested nested(depth_);
    TSeriesCanvas::VerticalLineAtDepth(x, y0, y1, z);
}

void TShapeCanvas::SideFace(int left, int top, int bottom, int z0, int z1) {
    Note("side", {left, top, bottom, z0, z1});
    const TNested nested(depth_);
    TSeriesCanvas::SideFace(left, top, bottom, z0, z1);
}

void TShapeCanvas::HorizontalFace(int left, int top, int right, int z0, int z1) {
    Note("face", {left, top, right, z0, z1});
    const TNested nested(depth_);
    TSeriesCanvas::HorizontalFace(left, top, right, z0, z1);
}

void TShapeCanvas::QuadAtDepth(TPoint p1, TPoint p2, TPoint p3, TPoint p4, int z) {
    Note("quad3d", {p1.X, p1.Y, p2.X, p2.Y, p3.X, p3.Y, p4.X, p4.Y, z});
    const TNested nested(depth_);
    TSeriesCanvas::QuadAtDepth(p1, p2, p3, p4, z);
}

void TShapeCanvas::FillGradientRect(const TRect& r, TColor start, TColor end,
                                    TGradientDirection direction, int balance, int radialX,
                                    int radialY) {
    Note("gradient",
         {r.Left, r.Top, r.Right, r.Bottom, static_cast<int>(start), static_cast<int>(end)});
    const TNested nested(depth_);
    TSeriesCanvas::FillGradientRect(r, start, end, direction, balance, radialX, radialY);
}

void TShapeCanvas::BeginGroup(const std::string& name) {
    open_.push_back(name);
    TSeriesCanvas::BeginGroup(name);
}

void TShapeCanvas::EndGroup() {
    if (!open_.empty())
        open_.pop_back();
    TSeriesCanvas::EndGroup();
}

void ShapeFixture::DrawShapes(int width, int height) {
    auto drawCanvas = std::make_unique<TShapeCanvas>();
    shapes = drawCanvas.get();
    canvas = shapes;
    chart->ReplaceDrawCanvas(std::move(drawCanvas));
    bitmap = std::make_unique<TBitmap>(width, height);
    chart->SetBounds(0, 0, width, height);
    chart->DrawToCanvas(bitmap->Canvas(), {0, 0, width, height});
}

} // namespace seriestest
