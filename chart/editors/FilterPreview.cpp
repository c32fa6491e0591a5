#include "chart/editors/FilterPreview.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

TFilterPreview::TFilterPreview(TComponent* owner) : TCustomControl(owner) {
    SetColor(clWindow);
}

void TFilterPreview::SetBitmap(const TBitmap* bitmap) {
    bitmap_ = bitmap;
    Invalidate();
}

void TFilterPreview::Paint() {
    TCanvas* canvas = Canvas();
    canvas->Brush()->SetStyle(bsSolid);
    canvas->Brush()->SetColor(Color());
    canvas->FillRect(ClientRect());
    if (bitmap_ != nullptr)
        canvas->Draw(0, 0, const_cast<TBitmap*>(bitmap_));
}

void TFilterPreview::BoundsChanged() {
    TCustomControl::BoundsChanged();
    if (OnResize)
        OnResize(this);
}
