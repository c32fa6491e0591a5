// Lines, shapes and arcs: drawn through the pen and brush, or added to the path while a path
// bracket is open.

#include "platform/graphics/Canvas_p.h"

#include <QPolygon>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

void Normalize(int& a, int& b) {
    if (a > b)
        std::swap(a, b);
}

// The outline of a closed shape with a pen of this width that must stay inside the box.
QRect InsideFrame(int l, int t, int r, int b, int width) {
    int inset = width / 2;
    return QRect(l + inset, t + inset, std::max(0, r - l - 1 - 2 * inset),
                 std::max(0, b - t - 1 - 2 * inset));
}

// The box of a shape whose right and bottom edges are left out.
QRectF ShapeBox(int l, int t, int r, int b) {
    return QRectF(l, t, r - l - 1, b - t - 1);
}

QPolygon ToPolygon(const std::vector<TPoint>& points) {
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const TPoint& pt : points)
        poly << QPoint(pt.X, pt.Y);
    return poly;
}

void AddPolyline(QPainterPath& path, const std::vector<TPoint>& points) {
    path.moveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        path.lineTo(points[i].X, points[i].Y);
}

// Continues path from start through the cubic pieces of points (after the first point).
void AddBeziers(QPainterPath& path, const std::vector<TPoint>& points) {
    for (std::size_t i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i].X, points[i].Y, points[i + 1].X, points[i + 1].Y, points[i + 2].X,
                     points[i + 2].Y);
}

// Strokes path with the painter's pen only.
void StrokeOnly(QPainter* p, const QPainterPath& path) {
    QBrush saved = p->brush();
    p->setBrush(Qt::NoBrush);
    p->drawPath(path);
    p->setBrush(saved);
}

// The box, start angle and sweep (degrees, counter-clockwise positive) of an arc given by its
// bounding box and two radial points.
struct ArcGeometry {
    QRectF box;
    double start;
    double sweep;
};

ArcGeometry ArcOf(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4, bool ccw) {
    QRectF box(x1, y1, x2 - x1 - 1, y2 - y1 - 1);
    double cx = box.center().x();
    double cy = box.center().y();
    double rx = std::max(box.width() / 2, 0.5);
    double ry = std::max(box.height() / 2, 0.5);
    // Angles on the ellipse where the radials through the two points cross it.
    auto angleOf = [&](int x, int y) {
        double a = std::atan2(-(y - cy) / ry, (x - cx) / rx) * 180.0 / std::numbers::pi;
        return a < 0 ? a + 360.0 : a;
    };
    double start = angleOf(x3, y3);
    double end = angleOf(x4, y4);
    double sweep = end - start;
    if (ccw) {
        if (sweep <= 0)
            sweep += 360.0;
    } else if (sweep >= 0) {
        sweep -= 360.0;
    }
    return {box, start, sweep};
}

enum ArcShape { kArc, kChord, kPie };

} // namespace

// ---- the pen position ---------------------------------------------------------------------------

TPoint TCanvas::PenPos() const {
    SettleTextAdvance();
    return penPos_;
}

void TCanvas::SettleTextAdvance() const {
    Impl& d = *d_;
    if (!d.advancePending)
        return;
    d.advancePending = false;
    QFontMetrics m(d.advanceFont);
    penPos_.X += m.horizontalAdvance(d.advanceText);
}

void TCanvas::MoveTo(int x, int y) {
    Recording rec(*this, TCanvasOp::MoveTo);
    if (rec)
        rec->points = {{x, y}};
    d_->advancePending = false;
    penPos_ = {x, y};
    if (d_->recording)
        d_->path->moveTo(x, y);
}

namespace {

// Whether the path's figure goes on from the pen position. An arc leaves the path a fraction away
// from the whole pixel the pen position was rounded to; that still continues the figure.
bool ContinuesAt(const QPainterPath& path, TPoint pen) {
    if (path.elementCount() == 0)
        return false;
    const QPointF at = path.currentPosition();
    return std::lround(at.x()) == pen.X && std::lround(at.y()) == pen.Y;
}

} // namespace

void TCanvas::RecordLine(int x, int y) {
    QPainterPath& path = *d_->path;
    if (!ContinuesAt(path, penPos_))
        path.moveTo(penPos_.X, penPos_.Y);
    path.lineTo(x, y);
}

// ---- lines --------------------------------------------------------------------------------------

void TCanvas::LineTo(int x, int y) {
    SettleTextAdvance();
    Recording rec(*this, TCanvasOp::LineTo);
    if (rec)
        rec->points = {penPos_, {x, y}};
    if (d_->recording) {
        RecordLine(x, y);
        penPos_ = {x, y};
        return;
    }
    Painting p(*this, Painting::Tools::BrushPen, Painting::Compose::Paint);
    if (p && !d_->penIsNull && !(penPos_ == TPoint{x, y}))
        StrokeLine(p.get(), penPos_, {x, y}, 0);
    penPos_ = {x, y};
}

namespace {

// Whether the painter would rasterise a one-pixel line against its direction: it walks the main
// axis in increasing order and leaves out the last pixel of that order, which for a line drawn
// leftwards or upwards is its start.
bool Backwards(TPoint from, TPoint to) {
    const int dx = to.X - from.X;
    const int dy = to.Y - from.Y;
    return std::abs(dx) >= std::abs(dy) ? dx < 0 : dy < 0;
}

// The pixels a one-pixel line covers along its main axis.
int Steps(TPoint from, TPoint to) {
    return std::max(std::abs(to.X - from.X), std::abs(to.Y - from.Y));
}

} // namespace

// A one-pixel line drawn backwards is drawn with both ends and clipped short of its end. A dash
// pattern starts dashOffset pixels in, so that the segments of a polyline continue it.
void TCanvas::StrokeLine(QPainter* p, TPoint from, TPoint to, int dashOffset) {
    const QColor background = ToQColor(d_->bkColor);
    auto draw = [&] { p->drawLine(from.X, from.Y, to.X, to.Y); };
    const bool cosmetic = p->pen().widthF() == 0;
    const bool backwards = cosmetic && Backwards(from, to);
    if (!backwards && dashOffset == 0) {
        StrokeWithGaps(p, Gaps(), background, draw);
        return;
    }
    p->save();
    QPen pen = p->pen();
    pen.setDashOffset(dashOffset);
    if (backwards) {
        const bool alongX = std::abs(to.X - from.X) >= std::abs(to.Y - from.Y);
        const QRect box(QPoint(std::min(from.X, to.X), std::min(from.Y, to.Y)),
                        QPoint(std::max(from.X, to.X), std::max(from.Y, to.Y)));
        const QRect keep = alongX ? box.adjusted(1, 0, 0, 0) : box.adjusted(0, 1, 0, 0);
        pen.setCapStyle(Qt::SquareCap);
        p->setClipRect(keep, Qt::IntersectClip);
    }
    p->setPen(pen);
    StrokeWithGaps(p, Gaps(), background, draw);
    p->restore();
}

void TCanvas::Polyline(const std::vector<TPoint>& points) {
    if (points.size() < 2)
        return;
    Recording rec(*this, TCanvasOp::Polyline);
    if (rec)
        rec->points = points;
    if (d_->recording) {
        AddPolyline(*d_->path, points);
        return;
    }
    Painting p(*this, Painting::Tools::BrushPen, Painting::Compose::Paint);
    if (!p || d_->penIsNull)
        return;
    const bool cosmetic = p->pen().widthF() == 0;
    auto backwards = [](const TPoint& a, const TPoint& b) { return Backwards(a, b); };
    if (!cosmetic || std::adjacent_find(points.begin(), points.end(), backwards) == points.end()) {
        QPolygon poly = ToPolygon(points);
        StrokeWithGaps(p.get(), Gaps(), ToQColor(d_->bkColor), [&] { p->drawPolyline(poly); });
        return;
    }
    // Line by line, each leaving out its end, which the next one starts with.
    int walked = 0;
    for (std::size_t i = 1; i < points.size(); ++i) {
        if (points[i - 1] == points[i])
            continue;
        StrokeLine(p.get(), points[i - 1], points[i], walked);
        walked += Steps(points[i - 1], points[i]);
    }
}

void TCanvas::Polygon(const std::vector<TPoint>& points) {
    if (points.size() < 2)
        return;
    Recording rec(*this, TCanvasOp::Polygon);
    if (rec)
        rec->points = points;
    if (d_->recording) {
        AddPolyline(*d_->path, points);
        d_->path->closeSubpath();
        return;
    }
    Painting p(*this, Painting::Tools::PenBrush, Painting::Compose::Paint);
    if (p) {
        QPolygon poly = ToPolygon(points);
        StrokeWithGaps(p.get(), Gaps(), ToQColor(d_->bkColor),
                       [&] { p->drawPolygon(poly, FillRuleOf(polyFillMode_)); });
    }
}

void TCanvas::PolyBezier(const std::vector<TPoint>& points) {
    if (points.size() < 4)
        return;
    Recording rec(*this, TCanvasOp::PolyBezier);
    if (rec)
        rec->points = points;
    if (d_->recording) {
        d_->path->moveTo(points[0].X, points[0].Y);
        AddBeziers(*d_->path, points);
        return;
    }
    Painting p(*this, Painting::Tools::BrushPen, Painting::Compose::Paint);
    if (p && !d_->penIsNull) {
        QPainterPath path(QPointF(points[0].X, points[0].Y));
        AddBeziers(path, points);
        StrokeOnly(p.get(), path);
    }
}

// ---- closed shapes ------------------------------------------------------------------------------

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    Normalize(left, right);
    Normalize(top, bottom);
    Recording rec(*this, TCanvasOp::Rectangle);
    if (rec)
        rec->rect = {left, top, right, bottom};
    if (d_->recording) {
        d_->path->addRect(ShapeBox(left, top, right, bottom));
        return;
    }
    Painting p(*this, Painting::Tools::PenBrush, Painting::Compose::Paint);
    if (!p)
        return;
    if (d_->penIsNull) {
        // Without an outline the fill ends one pixel short on the right and at the bottom.
        if (right - left > 1 && bottom - top > 1 && p->brush().style() != Qt::NoBrush)
            p->fillRect(QRect(left, top, right - left - 1, bottom - top - 1), p->brush());
    } else if (right > left && bottom > top) {
        int w = pen_.Width();
        if (w > 1 && pen_.Style() == psInsideFrame)
            p->drawRect(InsideFrame(left, top, right, bottom, w));
        else
            StrokeWithGaps(p.get(), Gaps(), ToQColor(d_->bkColor), [&] {
                p->drawRect(QRect(left, top, right - left - 1, bottom - top - 1));
            });
    }
}

void TCanvas::RoundRect(int left, int top, int right, int bottom, int cornerWidth,
                        int cornerHeight) {
    Normalize(left, right);
    Normalize(top, bottom);
    Recording rec(*this, TCanvasOp::RoundRect);
    if (rec) {
        rec->rect = {left, top, right, bottom};
        rec->corner = {cornerWidth, cornerHeight};
    }
    if (d_->recording) {
        d_->path->addRoundedRect(ShapeBox(left, top, right, bottom), cornerWidth / 2.0,
                                 cornerHeight / 2.0);
        return;
    }
    Painting p(*this, Painting::Tools::PenBrush, Painting::Compose::Paint);
    if (p && right > left && bottom > top)
        StrokeWithGaps(p.get(), Gaps(), ToQColor(d_->bkColor), [&] {
            p->drawRoundedRect(ShapeBox(left, top, right, bottom), cornerWidth / 2.0,
                               cornerHeight / 2.0);
        });
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    Normalize(left, right);
    Normalize(top, bottom);
    Recording rec(*this, TCanvasOp::Ellipse);
    if (rec)
        rec->rect = {left, top, right, bottom};
    if (d_->recording) {
        d_->path->addEllipse(ShapeBox(left, top, right, bottom));
        return;
    }
    Painting p(*this, Painting::Tools::PenBrush, Painting::Compose::Paint);
    if (!p || right <= left || bottom <= top)
        return;
    int w = pen_.Width();
    if (!d_->penIsNull && w > 1 && pen_.Style() == psInsideFrame)
        p->drawEllipse(InsideFrame(left, top, right, bottom, w));
    else
        StrokeWithGaps(p.get(), Gaps(), ToQColor(d_->bkColor),
                       [&] { p->drawEllipse(ShapeBox(left, top, right, bottom)); });
}

// ---- arcs ---------------------------------------------------------------------------------------

void TCanvas::ShapePath(int kind, int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Normalize(x1, x2);
    Normalize(y1, y2);
    if (x2 - x1 < 2 || y2 - y1 < 2)
        return;
    Recording rec(*this, kind == kArc     ? TCanvasOp::Arc
                         : kind == kChord ? TCanvasOp::Chord
                                          : TCanvasOp::Pie);
    if (rec) {
        rec->rect = {x1, y1, x2, y2};
        rec->points = {{x3, y3}, {x4, y4}};
    }
    ArcGeometry g = ArcOf(x1, y1, x2, y2, x3, y3, x4, y4, arcDirection_ == AD_COUNTERCLOCKWISE);
    if (d_->recording) {
        QPainterPath& path = *d_->path;
        if (kind == kPie)
            path.moveTo(g.box.center());
        else
            path.arcMoveTo(g.box, g.start);
        path.arcTo(g.box, g.start, g.sweep);
        if (kind != kArc)
            path.closeSubpath();
        return;
    }
    Painting p(*this, Painting::Tools::PenBrush, Painting::Compose::Paint);
    if (!p)
        return;
    int a = static_cast<int>(std::lround(g.start * 16));
    int span = static_cast<int>(std::lround(g.sweep * 16));
    if (kind == kArc) {
        if (!d_->penIsNull)
            p->drawArc(g.box, a, span);
    } else if (kind == kChord) {
        p->drawChord(g.box, a, span);
    } else {
        p->drawPie(g.box, a, span);
    }
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(kArc, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Chord(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(kChord, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    ShapePath(kPie, x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::ArcTo(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    Normalize(x1, x2);
    Normalize(y1, y2);
    SettleTextAdvance();
    Recording rec(*this, TCanvasOp::ArcTo);
    if (rec) {
        rec->rect = {x1, y1, x2, y2};
        rec->points = {{x3, y3}, {x4, y4}};
    }
    ArcGeometry g = ArcOf(x1, y1, x2, y2, x3, y3, x4, y4, arcDirection_ == AD_COUNTERCLOCKWISE);
    // A line from the current position to the arc's start, then the arc; the position ends at
    // the arc's end.
    QPainterPath arc;
    arc.arcMoveTo(g.box, g.start);
    QPointF from = arc.currentPosition();
    arc.arcTo(g.box, g.start, g.sweep);
    QPointF to = arc.currentPosition();
    if (d_->recording) {
        QPainterPath& path = *d_->path;
        if (!ContinuesAt(path, penPos_))
            path.moveTo(penPos_.X, penPos_.Y);
        path.lineTo(from);
        path.arcTo(g.box, g.start, g.sweep);
    } else {
        Painting p(*this, Painting::Tools::BrushPen, Painting::Compose::Paint);
        if (p && !d_->penIsNull) {
            QPainterPath whole(QPointF(penPos_.X, penPos_.Y));
            whole.lineTo(from);
            whole.arcTo(g.box, g.start, g.sweep);
            StrokeOnly(p.get(), whole);
        }
    }
    penPos_ = {static_cast<int>(std::lround(to.x())), static_cast<int>(std::lround(to.y()))};
}
