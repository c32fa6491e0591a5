// Framed shapes the user may place.

#include "chart/control/ShapePosition.h"

TPlotCustomShapePosition::TPlotCustomShapePosition(TCustomPlotPanel* parent,
                                                   std::unique_ptr<TChartBrush> brush)
    : TPlotCustomShape(parent, std::move(brush)) {}

void TPlotCustomShapePosition::DeclareProperties(TPropertyList& p) {
    using S = TPlotCustomShapePosition;
    p.Add("Bevel", &S::Bevel, &S::SetBevel).Default(bvNone);
    p.Add("BevelWidth", &S::BevelWidth, &S::SetBevelWidth).Default(2);
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("CustomPosition", &S::CustomPosition, &S::SetCustomPosition)
        .Stored(&S::CustomPositionStored);
    p.Add("Font", &S::Font, &S::SetFont);
    p.Add("Frame", &S::Pen, &S::SetPen);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Left", &S::Left, &S::SetLeft).Stored(&S::PositionStored);
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("ShapeStyle", &S::ShapeStyle, &S::SetShapeStyle).Default(fosRectangle);
    p.Add("TextFormat", &S::TextFormat, &S::SetTextFormat).Default(ttfNormal);
    p.Add("Top", &S::Top, &S::SetTop).Stored(&S::PositionStored);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Default(true);
}

void TPlotCustomShapePosition::SetLeft(int left) {
    SetCustomPosition(true);
    SetValue(ShapeRect.Left, left);
}

void TPlotCustomShapePosition::SetTop(int top) {
    SetCustomPosition(true);
    SetValue(ShapeRect.Top, top);
}

void TPlotCustomShapePosition::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotCustomShapePosition*>(source)) {
        customPosition_ = other->customPosition_;
        if (customPosition_) {
            ShapeRect.Left = other->ShapeRect.Left;
            ShapeRect.Top = other->ShapeRect.Top;
        }
    }
    TPlotCustomShape::Assign(source);
}
