#include "chart/draw/ChartBrush.h"

TChartBrush::TChartBrush(TNotifyEvent onChange) {
    SetColor(clDefault);
    OnChange = std::move(onChange);
}

TChartBrush::~TChartBrush() = default;

void TChartBrush::DeclareProperties(TPropertyList& p) {
    p.Add("BackColor", &TChartBrush::BackColor, &TChartBrush::SetBackColor, TColorTypeInfo())
        .Default(clNone);
    p.Add("Color", &TBrush::Color, &TBrush::SetColor, TColorTypeInfo()).Default(clDefault);
    p.Add("Image", &TChartBrush::Image, &TChartBrush::SetImage).Stored(&TChartBrush::ImageStored);
}

void TChartBrush::Assign(TPersistent* source) {
    if (auto* brush = dynamic_cast<TChartBrush*>(source)) {
        SetImage(brush->HasImage() ? brush->image_.get() : nullptr);
        backColor_ = brush->backColor_;
    }
    TBrush::Assign(source);
}

void TChartBrush::SetBackColor(TColor color) {
    if (color == backColor_)
        return;
    backColor_ = color;
    Changed();
}

TPicture* TChartBrush::Image() {
    if (!image_) {
        image_ = std::make_unique<TPicture>();
        image_->OnChange = [this](TObject*) { Changed(); };
    }
    return image_.get();
}

void TChartBrush::SetImage(TPicture* picture) {
    if (picture == nullptr) {
        if (!image_)
            return;
        image_.reset();
    } else {
        if (picture != image_.get())
            Image()->Assign(*picture); // the picture's change notice tells the owner
        return;
    }
    Changed();
}
