#include "chart/panel/BackImage.h"

void TBackImage::DeclareProperties(TPropertyList& p) {
    p.Add("Inside", &TBackImage::Inside, &TBackImage::SetInside).Default(false);
    p.Add("Left", &TBackImage::Left, &TBackImage::SetLeft).Default(0);
    p.Add("Mode", &TBackImage::Mode, &TBackImage::SetMode).Default(pbmStretch);
    p.Add("Top", &TBackImage::Top, &TBackImage::SetTop).Default(0);
}

void TBackImage::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TBackImage*>(source)) {
        inside_ = other->inside_;
        left_ = other->left_;
        top_ = other->top_;
        mode_ = other->mode_;
    }
    TPlotPicture::Assign(source);
}
