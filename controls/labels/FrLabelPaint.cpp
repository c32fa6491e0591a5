// Painting of a framed label: the border, the fill, and the text flat, turned by an angle, or set
// character by character along a curve round a centre point.

#include "controls/common/FrSystem.h"
#include "controls/labels/FrLabel.h"
#include "platform/graphics/Canvas.h"

#include <cmath>
#include <numbers>

namespace {

// The UTF-8 characters of a text, one string each.
std::vector<std::string> Characters(const std::string& text) {
    std::vector<std::string> out;
    for (size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        size_t n = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        n = std::min(n, text.size() - i);
        out.push_back(text.substr(i, n));
        i += n;
    }
    return out;
}

} // namespace

void TFrLabel::Paint() {
    TCanvas* canvas = Canvas();
    TPanelBorder border;
    border.Outer = borderOuter_;
    border.Inner = borderInner_;
    border.Transparent = Transparent();
    border.ParentColor = Parent() != nullptr ? Parent()->Color() : clBtnFace;
    border.BackColor = Color();
    border.FlatColorAdjustment = flatColorAdjustment_;
    border.FlatColor = flatColor_;
    border.ShadowColor = borderShadow_;
    border.HighlightColor = borderHighlight_;
    border.BorderColor = borderColor_;
    border.BevelWidth = bevelWidth_;
    border.Sides = borderSides_;
    border.BorderWidth = borderWidth_;
    const TRect inside = PaintPanelBorder(canvas, Rect(0, 0, Width(), Height()), border);
    if (!Transparent()) {
        canvas->Brush()->SetStyle(bsSolid);
        canvas->Brush()->SetColor(Color());
        canvas->FillRect(inside);
    }
    canvas->Brush()->SetStyle(bsClear);
    canvas->Font()->Assign(Font());
    if (rotation_ == roCurve)
        PaintCurvedText(canvas);
    else if (rotation_ == roFlat && angle_ != 0)
        PaintRotatedText(canvas, TextArea());
    else
        PaintFlatText(canvas);
    canvas->Brush()->SetStyle(bsSolid);
}

template <class Draw> void TFrLabel::DrawStyled(TCanvas* canvas, int shadowOffset, Draw draw) {
    if (!Enabled()) {
        canvas->Font()->SetColor(clGrayText);
        draw(0, 0);
        return;
    }
    if (textStyle_ == tsRaised || textStyle_ == tsRecessed) {
        const bool raised = textStyle_ == tsRaised;
        if (!lightTextStyle_ || !raised) {
            canvas->Font()->SetColor(raised ? shadowColor_ : highlightColor_);
            draw(1, 1);
        }
        if (!lightTextStyle_ || raised) {
            canvas->Font()->SetColor(raised ? highlightColor_ : shadowColor_);
            draw(-1, -1);
        }
    } else if (textStyle_ == tsShadow) {
        canvas->Font()->SetColor(shadowColor_);
        draw(shadowOffset, shadowOffset);
    }
    canvas->Font()->SetColor(currentColor_);
    const bool rotatedShadow = textStyle_ == tsShadow && rotation_ == roFlat && angle_ != 0;
    draw(rotatedShadow ? -(shadowDepth_ / 2) : 0, rotatedShadow ? -(shadowDepth_ / 2) : 0);
}

void TFrLabel::PaintFlatText(TCanvas* canvas) {
    TRect r = TextArea();
    const unsigned format = TextFormat();
    const std::string text = Caption();
    if (Layout() != tlTop) {
        TRect measure = r;
        canvas->DrawText(text.empty() ? " " : text, measure, format | DT_CALCRECT);
        const int free = r.Height() - measure.Height();
        r.Top += Layout() == tlCenter ? free / 2 : free;
    }
    if (textStyle_ == tsShadow) {
        if (Alignment() == taRightJustify)
            OffsetRect(r, -shadowDepth_, 0);
        if (Layout() == tlBottom)
            OffsetRect(r, 0, -shadowDepth_);
    }
    DrawStyled(canvas, shadowDepth_, [&](int dx, int dy) {
        TRect t = r;
        OffsetRect(t, dx, dy);
        canvas->DrawText(text, t, format);
    });
}

void TFrLabel::PaintRotatedText(TCanvas* canvas, const TRect& area) {
    const std::string text = Caption();
    const std::unique_ptr<TFont> rotated = CreateRotatedFont(*Font(), angle_);
    canvas->Font()->Assign(rotated.get());
    const int e = textStyle_ == tsShadow ? shadowDepth_ / 2 : 0;
    const int th = canvas->TextHeight("Pp") + e;
    const int tw = canvas->TextWidth(text);
    const int f = tw + e;
    const double q = canvas->TextHeight("Pp") * 0.25;
    const double theta = (angle_ + 90) * std::numbers::pi / 180.0;
    const int L = area.Left, T = area.Top, R = area.Right, B = area.Bottom;
    const int cx = (L + R) / 2, cy = (T + B) / 2;
    const int qx = static_cast<int>(std::lround(std::cos(theta) * q));
    const TAlignment a = Alignment();
    int x = cx, y = cy;
    unsigned align = TA_BASELINE | TA_LEFT;
    switch (angle_) {
    case 90:
        x = cx - qx;
        y = a == taCenter ? B - (B - f) / 2 : a == taRightJustify ? T + f + e : B - e;
        break;
    case 180:
        x = a == taCenter ? R - (R - f) / 2 : a == taRightJustify ? L + f : R - e;
        y = cy - th / 4;
        break;
    case 270:
        x = cx - qx;
        y = a == taCenter ? (B - f) / 2 : a == taRightJustify ? B - f - e : T + e;
        break;
    default:
        x = cx - qx;
        y = cy + static_cast<int>(std::lround(std::sin(theta) * q));
        align = TA_BASELINE | TA_CENTER;
        break;
    }
    const unsigned saved = canvas->SetTextAlign(align);
    DrawStyled(canvas, e, [&](int dx, int dy) { canvas->TextRect(area, x + dx, y + dy, text); });
    canvas->SetTextAlign(saved);
}

void TFrLabel::PaintCurvedText(TCanvas* canvas) {
    const int W = Width(), H = Height(), c = borderWidth_, a = 2 * borderWidth_;
    int cx = W / 2, cy = H / 2, rx = W / 2 - a, ry = H / 2 - a;
    switch (centerPoint_) {
    case cpUpperLeft:
        cx = c, cy = c, rx = W - a, ry = H - a;
        break;
    case cpUpperCenter:
        cx = W / 2, cy = c, rx = W / 2 - a, ry = H - a;
        break;
    case cpUpperRight:
        cx = W, cy = c, rx = W - a, ry = H - a;
        break;
    case cpLeftCenter:
        cx = c, cy = H / 2, rx = W - a, ry = H / 2 - a;
        break;
    case cpCenter:
        break;
    case cpRightCenter:
        cx = W - c, cy = H / 2, rx = W - a, ry = H / 2 - a;
        break;
    case cpLowerLeft:
        cx = c, cy = H - c, rx = W - a, ry = H - a;
        break;
    case cpLowerCenter:
        cx = W / 2, cy = H - c, rx = W / 2 - a, ry = H - a;
        break;
    case cpLowerRight:
        cx = W - c, cy = H - c, rx = W - a, ry = H - a;
        break;
    }
    // No radius to walk along (a small label with a wide border): nothing to draw.
    if (rx <= 0)
        return;
    double theta = angle_ * std::numbers::pi / 180.0;
    const int h = canvas->TextHeight("Yy");
    const int advance = canvas->TextWidth("w") + 2;
    const unsigned saved = canvas->SetTextAlign(TA_BASELINE | TA_CENTER);
    for (const std::string& ch : Characters(Caption())) {
        const int x = cx - static_cast<int>(std::lround((rx - h) * std::sin(theta)));
        const int y = cy - static_cast<int>(std::lround((ry - h) * std::cos(theta)));
        const int tenths = static_cast<int>(std::lround(theta * 1800.0 / std::numbers::pi));
        auto font = CreateRotatedFont(*Font(), 0);
        font->SetOrientation(tenths);
        canvas->Font()->Assign(font.get());
        if (!Enabled()) {
            canvas->Font()->SetColor(clBtnHighlight);
            canvas->TextOut(x + 1, y + 1, ch);
            canvas->Font()->SetColor(clBtnShadow);
            canvas->TextOut(x, y, ch);
        } else {
            const int depth = textStyle_ == tsShadow ? shadowDepth_ : 1;
            DrawStyled(canvas, depth, [&](int dx, int dy) { canvas->TextOut(x + dx, y + dy, ch); });
        }
        theta -= static_cast<double>(advance) / rx;
    }
    canvas->SetTextAlign(saved);
}
