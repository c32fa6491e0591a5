// The anti-alias canvas' lines: one-pixel lines walked column by column (or row by row for
// steep lines) in single precision, two pixels blended per step; dashed pens draw only the steps
// their eight-step mask has set; wider pens are drawn as several one-pixel lines side by side.

#include "chart/draw/AntiAliasCanvas.h"

#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// A walk whose start lies this many steps before the visible part jumps to it in one go rather
// than adding the slope up step by step.
constexpr std::int64_t kLongLead = 65536;

int StepIndex(std::int64_t i) {
    return static_cast<int>(((i % 8) + 8) % 8);
}

// The pen's colour (and width) for a while; back afterwards, also when drawing raises.
class TPenScope {
public:
    explicit TPenScope(TPen* pen) : pen_(pen), color_(pen->Color()), width_(pen->Width()) {}
    ~TPenScope() {
        if (pen_->Color() != color_)
            pen_->SetColor(color_);
        if (pen_->Width() != width_)
            pen_->SetWidth(width_);
    }
    TPenScope(const TPenScope&) = delete;
    TPenScope& operator=(const TPenScope&) = delete;

private:
    TPen* pen_;
    TColor color_;
    int width_;
};

} // namespace

TAntiAliasCanvas::TDashMask TAntiAliasCanvas::PenMask() const {
    switch (Pen()->Style()) {
    case psAlternate: // a chart pen with small dots
    case psUserStyle:
        return {true, false, true, false, true, false, true, false};
    case psDash:
        return {true, true, true, false, true, true, true, false};
    case psDot:
        return {true, true, false, false, true, true, false, false};
    case psDashDot:
    case psDashDotDot:
        return {true, true, true, false, true, false, true, false};
    default: // solid, and the pens without a pattern of their own (inside frame)
        return {true, true, true, true, true, true, true, true};
    }
}

void TAntiAliasCanvas::MoveTo(int x, int y) {
    curX_ = x;
    curY_ = y;
    TPlotCanvas3D::MoveTo(x, y);
}

void TAntiAliasCanvas::LineTo(int x, int y) {
    if (!Smoothing() || Pen()->Style() == psClear || x == curX_ || y == curY_) {
        TPlotCanvas3D::LineTo(x, y);
        curX_ = x;
        curY_ = y;
        return;
    }
    SmoothLine(curX_, curY_, x, y, ColorToRGB(Pen()->Color()));
    MoveTo(x, y);
}

void TAntiAliasCanvas::Polyline(const TPointList& points) {
    if (!Smoothing() || points.empty()) {
        TPlotCanvas3D::Polyline(points);
        return;
    }
    MoveTo(points[0].X, points[0].Y);
    for (std::size_t i = 1; i < points.size(); ++i)
        LineTo(points[i].X, points[i].Y);
}

void TAntiAliasCanvas::StandardLine(int x0, int y0, int x1, int y1, TColor color) {
    TPenScope scope(Pen());
    if (ColorToRGB(Pen()->Color()) != color)
        Pen()->SetColor(color);
    TPlotCanvas3D::MoveTo(x0, y0);
    TPlotCanvas3D::LineTo(x1, y1);
}

void TAntiAliasCanvas::SmoothLine(int x0, int y0, int x1, int y1, TColor color) {
    if (x0 == x1 || y0 == y1 || Pen()->Style() == psClear) {
        StandardLine(x0, y0, x1, y1, color);
        return;
    }
    color_ = color;
    const TDashMask mask = PenMask();
    const int width = Pen()->Width();
    if (width < 2) {
        OnePixelLine(x0, y0, x1, y1, mask);
        return;
    }
    // Side by side across the line: in x for a line steeper than 45 degrees, else in y. The outer
    // two are smoothed, the inner ones plain.
    const bool steep =
        std::abs(static_cast<std::int64_t>(x1) - x0) < std::abs(static_cast<std::int64_t>(y1) - y0);
    TPenScope scope(Pen());
    Pen()->SetWidth(1);
    for (int i = 0; i < width; ++i) {
        const int d = width / 2 - i;
        const int ox = steep ? d : 0;
        const int oy = steep ? 0 : d;
        if (i == 0 || i == width - 1)
            OnePixelLine(x0 + ox, y0 + oy, x1 + ox, y1 + oy, mask);
        else
            StandardLine(x0 + ox, y0 + oy, x1 + ox, y1 + oy, color);
    }
}

void TAntiAliasCanvas::OnePixelLine(int x0, int y0, int x1, int y1, const TDashMask& mask) {
    PrepareRows();
    PutPixel(x0, y0);
    std::int64_t dx = static_cast<std::int64_t>(x1) - x0;
    std::int64_t dy = static_cast<std::int64_t>(y1) - y0;
    // Walk along the long axis ("along") and place the short one ("across").
    const bool steep = std::llabs(dy) >= std::llabs(dx);
    std::int64_t a0 = steep ? y0 : x0, a1 = steep ? y1 : x1;
    std::int64_t c0 = steep ? x0 : y0;
    std::int64_t da = steep ? dy : dx, dc = steep ? dx : dy;
    if (da < 0) {
        a0 = steep ? y1 : x1;
        a1 = steep ? y0 : x0;
        c0 = steep ? x1 : y1;
        da = -da;
        dc = -dc;
    }
    const float slope = static_cast<float>(static_cast<double>(dc) / static_cast<double>(da));
    float cf = static_cast<float>(c0);
    // Only the visible stretch along the walk can change a pixel.
    const TRect clip = canvas_ != nullptr ? canvas_->ClipRect() : TRect{};
    const std::int64_t visibleFirst = steep ? clip.Top : clip.Left;
    const std::int64_t visibleEnd = steep ? clip.Bottom : clip.Right;
    std::int64_t i = a0 + 1;
    if (visibleFirst - i > kLongLead) {
        cf = static_cast<float>(c0 + static_cast<double>(dc) * (visibleFirst - 1 - a0) / da);
        i = visibleFirst;
    }
    const std::int64_t last = std::min(a1 - 1, visibleEnd);
    for (; i <= last; ++i) {
        cf += slope;
        const float floorC = std::floor(cf);
        const float w1 = cf - floorC;
        const float w2 = 1.0f - w1;
        if (!mask[StepIndex(i)])
            continue;
        const int n = static_cast<int>(floorC);
        const int along = static_cast<int>(i);
        if (steep) {
            BlendPixel(n, along, w1);
            BlendPixel(n + 1, along, w2);
        } else {
            BlendPixel(along, n, w1);
            BlendPixel(along, n + 1, w2);
        }
    }
    PutPixel(x1, y1);
}
