// The wall classes: their settings, defaults and stored form.

#include "chart/control/ChartWall.h"

TCustomChartWall::TCustomChartWall(TCustomPlotPanel* parent) : TPlotCustomShape(parent) {
    SetDefaultColor(clDefault);
}

void TCustomChartWall::SetDefaultColor(TColor color) {
    defaultColor_ = color;
    SetColor(color);
}

void TCustomChartWall::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCustomChartWall*>(source)) {
        autoHide_ = other->autoHide_;
        dark3D_ = other->dark3D_;
        endPosition_ = other->endPosition_;
        size_ = other->size_;
        startPosition_ = other->startPosition_;
    }
    TPlotCustomShape::Assign(source);
}

bool TCustomChartWall::DarkShading() const {
    return Brush()->Style() != bsClear && !Brush()->HasImage() && dark3D_;
}

bool TCustomChartWall::GradientInUse() const {
    return GradientIfAny() != nullptr && GradientIfAny()->Visible();
}

bool TCustomChartWall::HasPicture() const {
    return PictureIfAny() != nullptr && PictureIfAny()->Graphic() != nullptr;
}

void TChartWall::DeclareProperties(TPropertyList& p) {
    using S = TChartWall;
    p.Add("AutoHide", &S::AutoHide, &S::SetAutoHide).Default(false);
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Stored(&S::ColorStored);
    p.Add("Dark3D", &S::Dark3D, &S::SetDark3D).Default(true);
    p.Add("EndPosition", &S::EndPosition, &S::SetEndPosition).Default(100);
    p.Add("Gradient", &S::Gradient, &S::SetGradient).Stored(&S::GradientStored);
    p.Add("Pen", &S::Pen, &S::SetPen);
    p.Add("Size", &S::Size, &S::SetSize).Default(0);
    p.Add("StartPosition", &S::StartPosition, &S::SetStartPosition).Default(0);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("Transparent", &S::Transparent, &S::SetTransparent).Stored(&S::TransparentStored);
    p.Add("Visible", &S::Visible, &S::SetVisible).Stored(&S::VisibleStored);
}

TChartBackWall::TChartBackWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    SetDefaultColor(clSilver);
    defaultTransparent_ = true;
    SetTransparent(true);
    Shadow()->SetDefaults(clGray, Shadow()->Size());
    Shadow()->SetDefaultVisible(false);
}

void TChartBackWall::DeclareProperties(TPropertyList& p) {
    using S = TChartBackWall;
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
}

TChartLeftWall::TChartLeftWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    SetDefaultColor(static_cast<TColor>(0x80FFFF));
}

void TChartLeftWall::DeclareProperties(TPropertyList& p) {
    using S = TChartLeftWall;
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
}

TChartBottomWall::TChartBottomWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    SetDefaultColor(clWhite);
}

void TChartBottomWall::DeclareProperties(TPropertyList& p) {
    using S = TChartBottomWall;
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
}

TChartRightWall::TChartRightWall(TCustomPlotPanel* parent) : TChartWall(parent) {
    SetDefaultColor(clSilver);
    defaultVisible_ = false;
    SetVisible(false);
}

void TChartRightWall::DeclareProperties(TPropertyList& p) {
    using S = TChartRightWall;
    p.Add("Picture", &S::Picture, &S::SetPicture).Stored(&S::PictureStored);
}
