#include "platform/graphics/Region_p.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPolygon>
#include <QRegion>

namespace {

// A region of the pixels whose centres a filled path covers, built from a one-bit mask so that
// it matches what the canvas paints for the same shape.
QRegion RegionOfPath(const QPainterPath& path, const QRect& bounds) {
    if (bounds.isEmpty())
        return QRegion();
    QImage mask(bounds.size(), QImage::Format_ARGB32_Premultiplied);
    mask.fill(Qt::transparent);
    {
        QPainter p(&mask);
        p.translate(-bounds.topLeft());
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::black);
        p.drawPath(path);
    }
    std::vector<QRect> rows;
    for (int y = 0; y < mask.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(mask.constScanLine(y));
        int x = 0;
        while (x < mask.width()) {
            while (x < mask.width() && qAlpha(row[x]) == 0)
                ++x;
            int start = x;
            while (x < mask.width() && qAlpha(row[x]) != 0)
                ++x;
            if (x > start)
                rows.emplace_back(bounds.left() + start, bounds.top() + y, x - start, 1);
        }
    }
    // The runs are already in the banded top-to-bottom, left-to-right order a region keeps.
    QRegion region;
    region.setRects(rows.data(), static_cast<int>(rows.size()));
    return region;
}

} // namespace

TRegion::TRegion() : region_(std::make_unique<QRegion>()) {}

TRegion::TRegion(const TRect& rect)
    : region_(std::make_unique<QRegion>(
          rect.IsEmpty() ? QRect() : QRect(rect.Left, rect.Top, rect.Width(), rect.Height()))) {}

TRegion::TRegion(const QRegion& region) : region_(std::make_unique<QRegion>(region)) {}

TRegion::TRegion(const TRegion& other) : region_(std::make_unique<QRegion>(*other.region_)) {}

TRegion& TRegion::operator=(const TRegion& other) {
    *region_ = *other.region_;
    return *this;
}

TRegion::~TRegion() = default;

TRegion TRegion::Ellipse(const TRect& box) {
    // The ellipse fills the box less its right column and bottom row, like a filled ellipse
    // drawn without an outline.
    if (box.IsEmpty())
        return TRegion();
    QPainterPath path;
    path.addEllipse(QRectF(box.Left, box.Top, box.Width() - 1, box.Height() - 1));
    return TRegion(RegionOfPath(path, QRect(box.Left, box.Top, box.Width(), box.Height())));
}

TRegion TRegion::RoundRect(const TRect& box, int cornerWidth, int cornerHeight) {
    if (box.IsEmpty())
        return TRegion();
    QPainterPath path;
    path.addRoundedRect(QRectF(box.Left, box.Top, box.Width() - 1, box.Height() - 1),
                        cornerWidth / 2.0, cornerHeight / 2.0);
    return TRegion(RegionOfPath(path, QRect(box.Left, box.Top, box.Width(), box.Height())));
}

TRegion TRegion::Polygon(const std::vector<TPoint>& points, TPolyFillMode mode) {
    if (points.size() < 3)
        return TRegion();
    QPolygon poly;
    poly.reserve(static_cast<int>(points.size()));
    for (const TPoint& p : points)
        poly << QPoint(p.X, p.Y);
    QPainterPath path;
    path.addPolygon(poly);
    path.closeSubpath();
    path.setFillRule(mode == WINDING ? Qt::WindingFill : Qt::OddEvenFill);
    return TRegion(RegionOfPath(path, poly.boundingRect()));
}

TRegion TRegionQt::FromPath(const QPainterPath& path) {
    QRect bounds = path.boundingRect().toAlignedRect().adjusted(-1, -1, 1, 1);
    return TRegion(RegionOfPath(path, bounds));
}

bool TRegion::IsEmpty() const {
    return region_->isEmpty();
}

bool TRegion::IsSimple() const {
    return region_->rectCount() == 1;
}

bool TRegion::Contains(TPoint p) const {
    return region_->contains(QPoint(p.X, p.Y));
}

TRect TRegion::BoundingBox() const {
    if (region_->isEmpty())
        return TRect{};
    QRect r = region_->boundingRect();
    return Bounds(r.left(), r.top(), r.width(), r.height());
}

void TRegion::Offset(int dx, int dy) {
    region_->translate(dx, dy);
}

void TRegion::Combine(const TRegion& other, TRegionCombine op) {
    switch (op) {
    case RGN_AND:
        *region_ = region_->intersected(*other.region_);
        break;
    case RGN_OR:
        *region_ = region_->united(*other.region_);
        break;
    case RGN_XOR:
        *region_ = region_->xored(*other.region_);
        break;
    case RGN_DIFF:
        *region_ = region_->subtracted(*other.region_);
        break;
    case RGN_COPY:
        *region_ = *other.region_;
        break;
    }
}

bool operator==(const TRegion& a, const TRegion& b) {
    return *a.region_ == *b.region_;
}
