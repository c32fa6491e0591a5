#include "platform/stdctrls/Image.h"

TImage::TImage(TComponent* owner) : TGraphicControl(owner), picture_(std::make_unique<TPicture>()) {
    SetBounds(0, 0, 105, 105);
    picture_->OnChange = [this](TObject*) {
        AdjustSize();
        Invalidate();
    };
}

TImage::~TImage() {
    picture_->OnChange = nullptr;
}

void TImage::DeclareProperties(TPropertyList& p) {
    p.Add("Center", &TImage::Center, &TImage::SetCenter).Default(false);
    p.Add("Picture", &TImage::Picture, nullptr);
    p.Add("Proportional", &TImage::Proportional, &TImage::SetProportional).Default(false);
    p.Add("Stretch", &TImage::Stretch, &TImage::SetStretch).Default(false);
}

void TImage::SetStretch(bool v) {
    stretch_ = v;
    Invalidate();
}

void TImage::SetCenter(bool v) {
    center_ = v;
    Invalidate();
}

void TImage::SetProportional(bool v) {
    proportional_ = v;
    Invalidate();
}

bool TImage::CanAutoSize(int& newWidth, int& newHeight) {
    if (picture_->Width() <= 0 || picture_->Height() <= 0)
        return false;
    newWidth = picture_->Width();
    newHeight = picture_->Height();
    return true;
}

TRect TImage::DestRect() const {
    int w = picture_->Width(), h = picture_->Height();
    const int cw = Width(), ch = Height();
    if (stretch_ || (proportional_ && (w > cw || h > ch))) {
        if (proportional_ && w > 0 && h > 0) {
            if (static_cast<long long>(cw) * h > static_cast<long long>(ch) * w) {
                w = MulDiv(w, ch, h);
                h = ch;
            } else {
                h = MulDiv(h, cw, w);
                w = cw;
            }
        } else {
            w = cw;
            h = ch;
        }
    }
    int x = 0, y = 0;
    if (center_) {
        x = (cw - w) / 2;
        y = (ch - h) / 2;
    }
    return Rect(x, y, x + w, y + h);
}

void TImage::Paint() {
    if (!picture_->Graphic())
        return;
    TCanvas* c = Canvas();
    const TRect r = DestRect();
    if (r.Width() == picture_->Width() && r.Height() == picture_->Height())
        c->Draw(r.Left, r.Top, picture_->Graphic());
    else
        c->StretchDraw(r, picture_->Graphic());
}
