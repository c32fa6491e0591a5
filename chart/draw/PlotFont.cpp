#include "chart/draw/PlotFont.h"

#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/Shadow.h"

TPlotFont::TPlotFont(TNotifyEvent onChange) : ownerChange_(std::move(onChange)) {
    SetColor(clBlack);
    if (Charset() != DEFAULT_CHARSET)
        SetCharset(DEFAULT_CHARSET);
    if (Name() != DefaultChartFontName())
        SetName(DefaultChartFontName());
    if (Size() != DefaultChartFontSize())
        SetSize(DefaultChartFontSize());
    OnChange = ownerChange_;
}

TPlotFont::~TPlotFont() = default;

void TPlotFont::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TFont::Color, &TFont::SetColor, TColorTypeInfo())
        .Stored(&TPlotFont::ColorStored);
    p.Add("Gradient", &TPlotFont::Gradient, &TPlotFont::SetGradient)
        .Stored(&TPlotFont::GradientStored);
    p.Add("Height", &TFont::Height, &TFont::SetHeight).Stored(&TPlotFont::HeightStored);
    p.Add("InterCharSize", &TPlotFont::InterCharSize, &TPlotFont::SetInterCharSize).Default(0);
    p.Add("Name", &TFont::Name, &TFont::SetName).Stored(&TPlotFont::NameStored);
    p.Add("OutLine", &TPlotFont::OutLine, &TPlotFont::SetOutLine).Stored(&TPlotFont::OutLineStored);
    p.Add("Picture", &TPlotFont::Picture, &TPlotFont::SetPicture).Stored(&TPlotFont::PictureStored);
    p.Add("Shadow", &TPlotFont::Shadow, &TPlotFont::SetShadow).Stored(&TPlotFont::ShadowStored);
    p.Add("Style", &TFont::Style, &TFont::SetStyle).Stored(&TPlotFont::StyleStored);
}

bool TPlotFont::HeightStored() const {
    return Size() != DefaultChartFontSize();
}

bool TPlotFont::NameStored() const {
    return Name() != DefaultChartFontName();
}

void TPlotFont::Notify() {
    if (ownerChange_)
        ownerChange_(this);
}

void TPlotFont::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TPlotFont*>(source)) {
        if (f != this) {
            SetGradient(f->gradient_.get());
            SetOutLine(f->outline_.get());
            SetPicture(f->picture_.get());
            SetShadow(f->shadow_.get());
            interCharSize_ = f->interCharSize_;
        }
    }
    TFont::Assign(source);
}

void TPlotFont::SetInterCharSize(int pixels) {
    if (pixels == interCharSize_)
        return;
    interCharSize_ = pixels;
    Notify();
}

TPlotFontGradient* TPlotFont::Gradient() {
    if (!gradient_)
        gradient_ = std::make_unique<TPlotFontGradient>([this](TObject*) { Changed(); });
    return gradient_.get();
}

void TPlotFont::SetGradient(TPlotFontGradient* gradient) {
    if (gradient == nullptr)
        gradient_.reset();
    else if (gradient != gradient_.get())
        Gradient()->Assign(gradient);
}

TChartHiddenPen* TPlotFont::OutLine() {
    if (!outline_)
        outline_ = std::make_unique<TChartHiddenPen>(ownerChange_);
    return outline_.get();
}

void TPlotFont::SetOutLine(TChartHiddenPen* pen) {
    if (pen == nullptr)
        outline_.reset();
    else if (pen != outline_.get())
        OutLine()->Assign(pen);
}

TPicture* TPlotFont::Picture() {
    if (!picture_)
        picture_ = std::make_unique<TPicture>();
    return picture_.get();
}

void TPlotFont::SetPicture(TPicture* picture) {
    if (picture == nullptr)
        picture_.reset();
    else if (picture != picture_.get())
        Picture()->Assign(*picture);
}

TPlotShadow* TPlotFont::Shadow() {
    if (!shadow_)
        shadow_ = std::make_unique<TPlotShadow>(ownerChange_);
    return shadow_.get();
}

void TPlotFont::SetShadow(TPlotShadow* shadow) {
    if (shadow == nullptr)
        shadow_.reset();
    else if (shadow != shadow_.get())
        Shadow()->Assign(shadow);
}
