// Fills and single pixels: brush fills of rectangles and frames, the focus frame, flood fills,
// colour ramps.

#include "platform/graphics/Canvas_p.h"

#include <QPolygon>

namespace {

// The spans of the area around (sx, sy) whose pixels satisfy fills, searched over the picture as
// it is now; empty when the start pixel is outside the picture or does not fill.
template <class Fills>
std::vector<QRect> FloodSpans(const QImage& img, int sx, int sy, Fills fills) {
    int w = img.width();
    int h = img.height();
    std::vector<QRect> spans;
    if (sx < 0 || sy < 0 || sx >= w || sy >= h || !fills(sx, sy))
        return spans;
    std::vector<bool> seen(static_cast<std::size_t>(w) * h, false);
    std::vector<QPoint> stack{{sx, sy}};
    while (!stack.empty()) {
        QPoint pt = stack.back();
        stack.pop_back();
        int py = pt.y();
        int px = pt.x();
        auto idx = [&](int ix) { return static_cast<std::size_t>(py) * w + ix; };
        if (seen[idx(px)] || !fills(px, py))
            continue;
        int l = px;
        while (l > 0 && !seen[idx(l - 1)] && fills(l - 1, py))
            --l;
        int r = px;
        while (r + 1 < w && !seen[idx(r + 1)] && fills(r + 1, py))
            ++r;
        for (int i = l; i <= r; ++i)
            seen[idx(i)] = true;
        spans.emplace_back(l, py, r - l + 1, 1);
        for (int ny : {py - 1, py + 1}) {
            if (ny < 0 || ny >= h)
                continue;
            for (int i = l; i <= r; ++i) {
                std::size_t j = static_cast<std::size_t>(ny) * w + i;
                if (!seen[j] && fills(i, ny)) {
                    stack.emplace_back(i, ny);
                    while (i + 1 <= r && fills(i + 1, ny))
                        ++i;
                }
            }
        }
    }
    return spans;
}

} // namespace

void TCanvas::FillRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Recording rec(*this, TCanvasOp::FillRect);
    if (rec)
        rec->rect = r;
    Painting p(*this, Painting::Tools::Brush, Painting::Compose::Copy);
    if (p && p->brush().style() != Qt::NoBrush)
        p->fillRect(QRect(r.Left, r.Top, r.Width(), r.Height()), p->brush());
}

void TCanvas::FrameRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Recording rec(*this, TCanvasOp::FrameRect);
    if (rec)
        rec->rect = r;
    Painting p(*this, Painting::Tools::Brush, Painting::Compose::Copy);
    if (!p || p->brush().style() == Qt::NoBrush)
        return;
    QBrush b = p->brush();
    int w = r.Width();
    int h = r.Height();
    p->fillRect(QRect(r.Left, r.Top, w, 1), b);
    if (h > 1)
        p->fillRect(QRect(r.Left, r.Bottom - 1, w, 1), b);
    if (h > 2) {
        p->fillRect(QRect(r.Left, r.Top + 1, 1, h - 2), b);
        if (w > 1)
            p->fillRect(QRect(r.Right - 1, r.Top + 1, 1, h - 2), b);
    }
}

void TCanvas::DrawFocusRect(const TRect& r) {
    if (r.IsEmpty())
        return;
    Recording rec(*this, TCanvasOp::FocusRect);
    if (rec)
        rec->rect = r;
    Painting p(*this);
    if (!p)
        return;
    // Every other pixel of the frame is inverted, so drawing it again removes it.
    QPolygon dots;
    auto add = [&](int x, int y) {
        if (((x + viewportOrg_.X + y + viewportOrg_.Y) & 1) == 0)
            dots << QPoint(x, y);
    };
    for (int x = r.Left; x < r.Right; ++x) {
        add(x, r.Top);
        if (r.Bottom - 1 > r.Top)
            add(x, r.Bottom - 1);
    }
    for (int y = r.Top + 1; y < r.Bottom - 1; ++y) {
        add(r.Left, y);
        if (r.Right - 1 > r.Left)
            add(r.Right - 1, y);
    }
    p->save();
    p->setCompositionMode(QPainter::RasterOp_NotDestination);
    p->setPen(QPen(Qt::black, 0));
    p->drawPoints(dots);
    p->restore();
    d_->composition = -1;
    d_->qpenValid = false;
}

void TCanvas::FloodFill(int x, int y, TColor color, TFillStyle style) {
    Recording rec(*this, TCanvasOp::FloodFill);
    if (rec) {
        rec->points = {{x, y}};
        rec->color = color;
        rec->options = style;
    }
    Painting p(*this);
    if (!p)
        return;
    const QImage& img = *d_->image;
    QRgb target = ToQColor(color).rgb() & 0xFFFFFF;
    auto fills = [&](int px, int py) {
        QRgb c = img.pixel(px, py) & 0xFFFFFF;
        return style == fsSurface ? c == target : c != target;
    };
    std::vector<QRect> spans = FloodSpans(img, x + viewportOrg_.X, y + viewportOrg_.Y, fills);
    if (spans.empty())
        return;
    // The spans are painted with the brush.
    RealizeBrush(p.get());
    ApplyCopyComposition(p.get());
    QBrush b = p->brush();
    if (b.style() != Qt::NoBrush) {
        for (QRect s : spans)
            p->fillRect(s.translated(-viewportOrg_.X, -viewportOrg_.Y), b);
    }
}

void TCanvas::GradientFill(const TRect& r, TColor from, TColor to, TGradientDirection2 direction) {
    if (r.IsEmpty())
        return;
    Recording rec(*this, TCanvasOp::GradientFill);
    if (rec) {
        rec->rect = r;
        rec->color = from;
        rec->color2 = to;
        rec->options = direction;
    }
    Painting p(*this, Painting::Tools::None, Painting::Compose::Copy);
    if (!p)
        return;
    TColor a = ColorToRGB(from);
    TColor b = ColorToRGB(to);
    int n = direction == gdHorizontal ? r.Width() : r.Height();
    for (int i = 0; i < n; ++i) {
        auto mix = [&](int ca, int cb) { return ca + (cb - ca) * i / n; };
        QColor c(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
                 mix(GetBValue(a), GetBValue(b)));
        if (direction == gdHorizontal)
            p->fillRect(QRect(r.Left + i, r.Top, 1, r.Height()), c);
        else
            p->fillRect(QRect(r.Left, r.Top + i, r.Width(), 1), c);
    }
}

TColor TCanvas::Pixel(int x, int y) const {
    if (!PtVisible(x, y))
        return CLR_INVALID;
    QRgb c = d_->image->pixel(x + viewportOrg_.X, y + viewportOrg_.Y);
    return RGB(qRed(c), qGreen(c), qBlue(c));
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Recording rec(*this, TCanvasOp::SetPixel);
    if (rec) {
        rec->points = {{x, y}};
        rec->color = color;
    }
    Painting p(*this, Painting::Tools::None, Painting::Compose::Replace);
    if (p)
        p->fillRect(QRect(x, y, 1, 1), ToQColor(color));
}
