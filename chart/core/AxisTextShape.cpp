#include "chart/core/AxisTextShape.h"

#include "chart/core/ChartHost.h"

TAxisTextShape::TAxisTextShape(TChartHost* chart, bool transparentByDefault)
    : chart_(chart), transparent_(transparentByDefault), defaultTransparent_(transparentByDefault) {
    font_ = std::make_unique<TPlotFont>([this](TObject*) { Repaint(); });
}

TAxisTextShape::~TAxisTextShape() = default;

void TAxisTextShape::DeclareProperties(TPropertyList& p) {
    using S = TAxisTextShape;
    p.Add("Font", &S::Font, &S::SetFont);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(true);
}

void TAxisTextShape::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAxisTextShape*>(source)) {
        font_->Assign(other->font_.get());
        transparent_ = other->transparent_;
        visible_ = other->visible_;
        Repaint();
        return;
    }
    TPersistent::Assign(source);
}

void TAxisTextShape::SetVisible(bool value) {
    if (visible_ == value)
        return;
    visible_ = value;
    Repaint();
}

void TAxisTextShape::SetTransparent(bool value) {
    if (transparent_ == value)
        return;
    transparent_ = value;
    Repaint();
}

void TAxisTextShape::Repaint() {
    if (chart_)
        chart_->Invalidate();
}
