// Framed shapes: their parts, properties, copying and stored form.

#include "chart/panel/PlotShape.h"

#include "chart/panel/PlotPanel.h"
#include "platform/classes/Reader.h"

// ---- brush, pen and visibility ------------------------------------------------------------------

TPlotCustomShapeBrushPen::TPlotCustomShapeBrushPen(TCustomPlotPanel* parent,
                                                   std::unique_ptr<TChartBrush> brush)
    : parent_(parent), brush_(std::move(brush)) {
    auto changed = [this](TObject*) { Changed(); };
    if (!brush_)
        brush_ = std::make_unique<TChartBrush>();
    brush_->OnChange = changed;
    pen_ = std::make_unique<TChartPen>(changed);
}

TPlotCustomShapeBrushPen::~TPlotCustomShapeBrushPen() = default;

void TPlotCustomShapeBrushPen::Changed() {
    if (parent_ != nullptr)
        parent_->Invalidate();
}

void TPlotCustomShapeBrushPen::SetVisible(bool on) {
    SetValue(visible_, on);
}

void TPlotCustomShapeBrushPen::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotCustomShapeBrushPen*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    brush_->Assign(other->brush_.get());
    pen_->Assign(other->pen_.get());
    SetVisible(other->visible_);
}

// ---- the framed shape ---------------------------------------------------------------------------

TPlotCustomShape::TPlotCustomShape(TCustomPlotPanel* parent, std::unique_ptr<TChartBrush> brush)
    : TPlotCustomShapeBrushPen(parent, std::move(brush)) {
    auto changed = [this](TObject*) { Changed(); };
    font_ = std::make_unique<TPlotFont>(changed);
    shadow_ = std::make_unique<TPlotShadow>(changed);
    shadow_->SetDefaults(clBlack, 3);
}

TPlotCustomShape::~TPlotCustomShape() = default;

void TPlotShape::DeclareProperties(TPropertyList& p) {
    using S = TPlotShape;
    p.Add("Bevel", &S::Bevel, &S::SetBevel).Default(bvNone);
    p.Add("BevelWidth", &S::BevelWidth, &S::SetBevelWidth).Default(2);
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Font", &S::Font, &S::SetFont);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("RoundSize", &S::RoundSize, &S::SetRoundSize).Default(16);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Default(fosRectangle);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(true);
}

void TPlotCustomShape::DefineProperties(TFiler* filer) {
    TPlotCustomShapeBrushPen::DefineProperties(filer);
    // The shadow's colour and size as older descriptions kept them, read only.
    filer->DefineProperty(
        "ShadowColor", [this](TReader* r) { ReadShadowColor(r); }, nullptr, false);
    filer->DefineProperty(
        "ShadowSize",
        [this](TReader* r) {
            const int size = r->ReadInteger();
            if (shadow_)
                shadow_->SetSize(size);
        },
        nullptr, false);
}

void TPlotCustomShape::ReadShadowColor(TReader* reader) {
    TColor color = clBlack;
    if (reader->NextValue() == vaIdent) {
        const std::string ident = reader->ReadIdent();
        if (!IdentToColor(ident, color))
            color = StringToColor(ident);
    } else {
        color = static_cast<TColor>(reader->ReadInteger());
    }
    if (shadow_)
        shadow_->SetColor(color);
}

void TPlotCustomShape::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomShape*>(source)) {
        bevel_ = other->bevel_;
        bevelWidth_ = other->bevelWidth_;
        color_ = other->color_;
        font_->Assign(other->font_.get());
        SetGradient(other->gradient_.get());
        shapeStyle_ = other->shapeStyle_;
        SetPicture(other->picture_.get());
        roundSize_ = other->roundSize_;
        SetShadow(other->shadow_.get());
        textFormat_ = other->textFormat_;
        transparent_ = other->transparent_;
        transparency_ = other->transparency_;
    }
    TPlotCustomShapeBrushPen::Assign(source);
}

std::unique_ptr<TPlotGradient> TPlotCustomShape::NewGradient() {
    return std::make_unique<TPlotGradient>();
}

TPlotGradient* TPlotCustomShape::Gradient() {
    if (!gradient_) {
        gradient_ = NewGradient();
        gradient_->OnChange = [this](TObject*) { Changed(); };
    }
    return gradient_.get();
}

void TPlotCustomShape::SetGradient(TPlotGradient* gradient) {
    if (gradient == nullptr)
        gradient_.reset();
    else if (gradient != gradient_.get())
        Gradient()->Assign(gradient);
}

TBackImage* TPlotCustomShape::Picture() {
    if (!picture_) {
        picture_ = std::make_unique<TBackImage>();
        picture_->OnChange = [this](TObject*) { Changed(); };
    }
    return picture_.get();
}

void TPlotCustomShape::SetPicture(TBackImage* picture) {
    if (picture == nullptr)
        picture_.reset();
    else if (picture != picture_.get())
        Picture()->Assign(picture);
    Changed();
}

void TPlotCustomShape::SetShadow(TPlotShadow* shadow) {
    if (shadow == nullptr) {
        shadow_.reset();
        return;
    }
    if (!shadow_) {
        shadow_ = std::make_unique<TPlotShadow>([this](TObject*) { Changed(); });
        shadow_->SetDefaults(clBlack, 3);
    }
    if (shadow != shadow_.get())
        shadow_->Assign(shadow);
}
