#include "chart/draw/Gradient.h"

#include "chart/draw/DrawLibrary.h"
#include "chart/draw/DrawRoutines.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas3D.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Picture.h"

#include <algorithm>
#include <cmath>

TCustomPlotGradient::TCustomPlotGradient(TNotifyEvent onChange) : OnChange(std::move(onChange)) {}

TCustomPlotGradient::~TCustomPlotGradient() = default;

void TCustomPlotGradient::DeclareProperties(TPropertyList& p) {
    using G = TCustomPlotGradient;
    p.Add("Angle", &G::Angle, &G::SetAngle).Default(0);
    p.Add("Balance", &G::Balance, &G::SetBalance).Default(50);
    p.Add("Direction", &G::Direction, &G::SetDirection).Default(gdTopBottom);
    p.Add("EndColor", &G::EndColor, &G::SetEndColor, TColorTypeInfo()).Default(clYellow);
    p.Add("MidColor", &G::MidColor, &G::SetMidColor, TColorTypeInfo()).Default(clNone);
    p.Add("RadialX", &G::RadialX, &G::SetRadialX).Default(0);
    p.Add("RadialY", &G::RadialY, &G::SetRadialY).Default(0);
    p.Add("StartColor", &G::StartColor, &G::SetStartColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Visible", &G::Visible, &G::SetVisible).Default(false);
}

void TCustomPlotGradient::Assign(TPersistent* source) {
    auto* g = dynamic_cast<TCustomPlotGradient*>(source);
    if (g == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    angle_ = g->angle_;
    balance_ = g->balance_;
    direction_ = g->direction_;
    endColor_ = g->endColor_;
    midColor_ = g->midColor_;
    radialX_ = g->radialX_;
    radialY_ = g->radialY_;
    startColor_ = g->startColor_;
    visible_ = g->visible_;
    hasMiddle_ = g->hasMiddle_;
    if (g->sub_ != nullptr && g->sub_.get() != sub_.get())
        MakeSubGradient()->Assign(g->sub_.get());
    else if (g->sub_ == nullptr)
        FreeSubGradient();
    Changed();
}

void TCustomPlotGradient::Changed() {
    if (OnChange)
        OnChange(this);
}

void TCustomPlotGradient::SetMidColor(TColor c) {
    if (c == clNone) {
        if (!hasMiddle_)
            return;
        hasMiddle_ = false;
    } else {
        if (hasMiddle_ && midColor_ == c)
            return;
        hasMiddle_ = true;
        midColor_ = c;
    }
    Changed();
}

void TCustomPlotGradient::UseMiddle() {
    if (hasMiddle_)
        return;
    hasMiddle_ = true;
    Changed();
}

TSubGradient* TCustomPlotGradient::MakeSubGradient() {
    if (!sub_) {
        sub_ = std::make_unique<TSubGradient>(OnChange);
        sub_->SetTransparency(50);
    }
    return sub_.get();
}

void TCustomPlotGradient::FreeSubGradient() {
    sub_.reset();
}

// ---- painting ---------------------------------------------------------------------------------

namespace {

TColor Grey(TColor c) {
    if (c == clNone)
        return c;
    c = ColorToRGB(c);
    auto m = static_cast<std::uint8_t>((GetRValue(c) + GetGValue(c) + GetBValue(c)) / 3);
    return RGB(m, m, m);
}

} // namespace

void TCustomPlotGradient::Fill(TPlotCanvas& canvas, const TRect& r, int roundSize) {
    // Turning needs the image filters' rotation; without it the gradient is drawn upright.
    if (angle_ != 0 && GradientRotateHook())
        FillRotated(canvas, r, roundSize);
    else
        FillUnrotated(canvas, r, roundSize);
}

void TCustomPlotGradient::FillUnrotated(TPlotCanvas& canvas, const TRect& r, int roundSize) {
    TColor start = startColor_;
    TColor end = endColor_;
    TColor mid = MidColor();
    if (canvas.GetMonochrome()) {
        start = Grey(start);
        end = Grey(end);
        mid = Grey(mid);
    }
    if (roundSize > 0)
        canvas.ClipToRoundRect(r, roundSize);
    const bool split = mid != clNone && direction_ != gdDiagonalUp &&
                       direction_ != gdDiagonalDown && direction_ != gdRadial;
    if (direction_ == gdRadial) {
        canvas.FillGradientRect(r, start, end, gdRadial, balance_, radialX_, radialY_);
    } else if (split) {
        const int midY = r.Top + (r.Bottom - r.Top) / 2;
        const int midX = r.Left + (r.Right - r.Left) / 2;
        const TRect upper{r.Left, r.Top, r.Right, midY};
        const TRect lower{r.Left, midY, r.Right, r.Bottom};
        const TRect left{r.Left, r.Top, midX, r.Bottom};
        const TRect right{midX, r.Top, r.Right, r.Bottom};
        auto fill = [&](const TRect& part, TColor a, TColor b) {
            canvas.FillGradientRect(part, a, b, direction_, 50, 0, 0);
        };
        switch (direction_) {
        case gdTopBottom:
            fill(upper, mid, end);
            fill(lower, start, mid);
            break;
        case gdBottomTop:
            fill(upper, start, mid);
            fill(lower, mid, end);
            break;
        case gdLeftRight:
            fill(left, mid, end);
            fill(right, start, mid);
            break;
        case gdRightLeft:
            fill(left, start, mid);
            fill(right, mid, end);
            break;
        default: // from the centre or a corner: the middle colour takes no part
            fill(r, start, end);
            break;
        }
    } else {
        canvas.FillGradientRect(r, start, end, direction_, balance_, 0, 0);
    }
    if (roundSize > 0)
        canvas.RemoveClip();
    FillSubGradient(canvas, r, roundSize);
}

void TCustomPlotGradient::FillSubGradient(TPlotCanvas& canvas, const TRect& r, int roundSize) {
    if (!sub_ || !sub_->Visible())
        return;
    auto blend = canvas.BeginTransparency(r, sub_->Transparency());
    try {
        if (sub_->Direction() == gdRadial)
            sub_->FillRadial(canvas, r);
        else
            sub_->Fill(canvas, r, roundSize);
    } catch (...) {
        canvas.EndTransparency(std::move(blend));
        throw;
    }
    canvas.EndTransparency(std::move(blend));
}

void TCustomPlotGradient::FillRotated(TPlotCanvas& canvas, const TRect& r, int roundSize) {
    const double theta = (360 - angle_) * DegToRad;
    const double c = std::cos(theta);
    const double s = std::sin(theta);
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    int bw, bh;
    if (s * c > 0) {
        bw = std::abs(RoundEven(w * c + h * s)) + 2;
        bh = std::abs(RoundEven(w * s + h * c)) + 2;
    } else {
        bw = std::abs(RoundEven(w * c - h * s)) + 2;
        bh = std::abs(RoundEven(w * s - h * c)) + 2;
    }
    TPicture picture;
    picture.SetGraphic(std::make_unique<TBitmap>(bw, bh));
    TBitmap& bitmap = *picture.Bitmap();
    {
        TPlotCanvas3D work;
        work.SetBufferedDisplay(false);
        work.BeginDrawing(bitmap.Canvas(), nullptr, false, {0, 0, bw, bh});
        work.SetMonochrome(canvas.GetMonochrome());
        const int saved = angle_;
        angle_ = 0;
        try {
            FillUnrotated(work, {0, 0, bw, bh}, roundSize);
        } catch (...) {
            angle_ = saved;
            throw;
        }
        angle_ = saved;
    }
    bitmap.Canvas()->Flush();
    GradientRotateHook()(*this, bitmap);
    canvas.ClipToRect(r);
    canvas.DrawGraphic(r.Left - (bitmap.Width() - w) / 2, r.Top - (bitmap.Height() - h) / 2,
                       &picture);
    canvas.Brush()->SetStyle(bsClear);
    canvas.Rectangle(r);
    canvas.RemoveClip();
}

void TCustomPlotGradient::FillRadial(TPlotCanvas& canvas, const TRect& rect) {
    const TRect r = NormalizeRect(rect);
    canvas.ClipToRect(r);
    try {
        Concentric(canvas, r);
    } catch (...) {
        canvas.RemoveClip();
        throw;
    }
    canvas.RemoveClip();
    FillSubGradient(canvas, r, 0);
}

void TCustomPlotGradient::Concentric(TPlotCanvas& canvas, const TRect& r) {
    const int w = r.Right - r.Left;
    const int h = r.Bottom - r.Top;
    int n = std::min(255, std::max(w, h));
    if (w % 2 != 0 || h % 2 != 0)
        --n;
    TBrush* brush = canvas.Brush();
    TPen* pen = canvas.Pen();
    const TColor oldColor = brush->Color();
    const TBrushStyle oldBrushStyle = brush->Style();
    const TPenStyle oldPenStyle = pen->Style();
    pen->SetStyle(psClear);
    brush->SetStyle(bsSolid);
    brush->SetColor(endColor_);
    canvas.FillRect(r);
    // A rectangle too small for a single ring keeps the end colour (no step to divide by).
    if (n > 0) {
        const double cx = radialX_ + 1 + (r.Left + r.Right) / 2.0;
        const double cy = radialY_ + 1 + (r.Top + r.Bottom) / 2.0;
        const double sx = w / 2.0 / n;
        const double sy = h / 2.0 / n;
        for (int k = n; k >= 0; --k) {
            brush->SetColor(GradientStepColor(startColor_, endColor_, k, n, balance_, true));
            canvas.Ellipse(RoundEven(cx - sx * k), RoundEven(cy - sy * k), RoundEven(cx + sx * k),
                           RoundEven(cy + sy * k));
        }
    }
    brush->SetColor(oldColor);
    brush->SetStyle(oldBrushStyle);
    pen->SetStyle(oldPenStyle);
}

void TCustomPlotGradient::FillQuad(TPlotCanvas& canvas, const TPointList& corners) {
    canvas.Pen()->SetStyle(psClear);
    canvas.GradientPolygon(corners, *this);
}

void TCustomPlotGradient::FillQuadAtDepth(TCanvas3D& canvas, const TPointList& corners, int z) {
    FillQuad(canvas, canvas.ProjectPoints(corners, z));
}

TColor GradientStepColor(TColor start, TColor end, int k, int n, int balance, bool rounded) {
    start = ColorToRGB(start);
    end = ColorToRGB(end);
    if (n <= 0)
        return start;
    auto channel = [&](int c0, int c1) {
        if (balance == 50) {
            if (rounded)
                return c0 + RoundEven(static_cast<double>(c1 - c0) / n * k);
            return c0 + (c1 - c0) * k / n;
        }
        const double p = std::pow(static_cast<double>(k + 1) / (n + 1), 0.5 + 0.015 * balance);
        return c0 + RoundEven((c1 - c0) * p);
    };
    auto clamp = [](int v) { return static_cast<std::uint8_t>(std::clamp(v, 0, 255)); };
    return RGB(clamp(channel(GetRValue(start), GetRValue(end))),
               clamp(channel(GetGValue(start), GetGValue(end))),
               clamp(channel(GetBValue(start), GetBValue(end))));
}

// ---- the published classes --------------------------------------------------------------------

void TSubGradient::DeclareProperties(TPropertyList& p) {
    p.Add("Transparency", &TSubGradient::Transparency, &TSubGradient::SetTransparency).Default(0);
}

void TSubGradient::Assign(TPersistent* source) {
    if (auto* g = dynamic_cast<TSubGradient*>(source))
        transparency_ = g->transparency_;
    TCustomPlotGradient::Assign(source);
}

void TPlotGradient::DeclareProperties(TPropertyList& p) {
    p.Add("SubGradient", &TPlotGradient::SubGradient, &TPlotGradient::SetSubGradient)
        .Stored(&TPlotGradient::SubGradientStored);
}

void TPlotGradient::SetSubGradient(TSubGradient* sub) {
    if (sub == nullptr) {
        FreeSubGradient();
        Changed();
        return;
    }
    TSubGradient* mine = MakeSubGradient();
    if (mine != sub) {
        mine->Assign(sub);
        mine->SetTransparency(sub->Transparency());
    }
}

void TPlotFontGradient::DeclareProperties(TPropertyList& p) {
    p.Add("Outline", &TPlotFontGradient::Outline, &TPlotFontGradient::SetOutline).Default(false);
}

void TPlotFontGradient::Assign(TPersistent* source) {
    if (auto* g = dynamic_cast<TPlotFontGradient*>(source))
        outline_ = g->outline_;
    TPlotGradient::Assign(source);
}
