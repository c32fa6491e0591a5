// The legend symbol's settings, width rule and own drawing.

#include "chart/control/LegendSymbol.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/Shadow.h"

#include <cmath>

namespace {

// The shadow's default colour: silver.
constexpr TColor ShadowColor = static_cast<TColor>(0xC0C0C0);
constexpr int ShadowSize = 3;

} // namespace

TLegendSymbol::TLegendSymbol(std::function<void()> changed)
    : changed_(std::move(changed)),
      gradient_(std::make_unique<TPlotGradient>([this](TObject*) { Changed(); })),
      pen_(std::make_unique<TChartPen>([this](TObject*) { Changed(); })),
      shadow_(std::make_unique<TPlotShadow>([this](TObject*) { Changed(); })) {
    shadow_->SetDefaults(ShadowColor, ShadowSize);
}

TLegendSymbol::~TLegendSymbol() = default;

void TLegendSymbol::DeclareProperties(TPropertyList& p) {
    using S = TLegendSymbol;
    p.Add("Continuous", &S::Continuous, &S::SetContinuous).Default(false);
    p.Add("DefaultPen", &S::DefaultPen, &S::SetDefaultPen).Default(true);
    p.Add("Gradient", &S::Gradient, &S::SetGradient);
    p.Add("Pen", &S::Pen, &S::SetPen);
    p.Add("Position", &S::Position, &S::SetPosition).Default(spLeft);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("Squared", &S::Squared, &S::SetSquared).Default(false);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(true);
    p.Add("Width", &S::Width, &S::SetWidth).Default(20);
    p.Add("WidthUnits", &S::WidthUnits, &S::SetWidthUnits).Default(lcsPercent);
    p.Add("OnDraw", &S::OnDraw);
}

void TLegendSymbol::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TLegendSymbol*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    continuous_ = other->continuous_;
    gradient_->Assign(other->gradient_.get());
    pen_->Assign(other->pen_.get());
    position_ = other->position_;
    shadow_->Assign(other->shadow_.get());
    squared_ = other->squared_;
    width_ = other->width_;
    widthUnits_ = other->widthUnits_;
    visible_ = other->visible_;
    Changed();
}

void TLegendSymbol::SetGradient(TPlotGradient* gradient) {
    gradient_->Assign(gradient);
}

void TLegendSymbol::SetPen(TChartPen* pen) {
    pen_->Assign(pen);
}

void TLegendSymbol::SetShadow(TPlotShadow* shadow) {
    shadow_->Assign(shadow);
}

bool TLegendSymbol::ShadowShown() const {
    return shadow_->Visible() && (shadow_->HorizSize() != 0 || shadow_->VertSize() != 0);
}

int TLegendSymbol::WidthFor(int textWidth, int rowHeight) const {
    if (!visible_)
        return 0;
    if (squared_)
        return rowHeight - 5;
    if (widthUnits_ == lcsPixels)
        return width_;
    return static_cast<int>(std::lround(static_cast<double>(textWidth) * width_ / 100.0));
}

void TLegendSymbol::Draw(TCanvas3D& canvas, TColor color, const TRect& rect) {
    if (ShadowShown()) {
        // The shadow draws without a pen; the symbol keeps the one it was given.
        const TPenStyle style = canvas.Pen()->Style();
        const TColor color = canvas.Pen()->Color();
        shadow_->DrawRectShadow(canvas, rect);
        canvas.Pen()->SetStyle(style);
        canvas.Pen()->SetColor(color);
    }
    if (!defaultPen_)
        canvas.SelectPen(pen_.get());
    if (gradient_->Visible()) {
        gradient_->SetEndColor(color);
        gradient_->Fill(canvas, rect, 0);
        canvas.Brush()->SetStyle(bsClear);
    } else {
        canvas.Brush()->SetColor(color);
        canvas.Brush()->SetStyle(bsSolid);
    }
    if (canvas.Pen()->Style() != psClear)
        canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
    else if (canvas.Brush()->Style() != bsClear)
        canvas.Rectangle(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
}
