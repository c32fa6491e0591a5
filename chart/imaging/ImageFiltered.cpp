#include "chart/imaging/ImageFiltered.h"

#include "chart/imaging/Resample.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Bitmap.h"

TImageFiltered::TImageFiltered(TComponent* owner)
    : TImage(owner), filters_(std::make_unique<TFilterItems>(this)) {}

TImageFiltered::~TImageFiltered() = default;

void TImageFiltered::SetFilters(TFilterItems* filters) {
    filters_->Assign(filters);
    Invalidate();
}

void TImageFiltered::DefineProperties(TFiler* filer) {
    TImage::DefineProperties(filer);
    filer->DefineProperty(
        "FilterItems", [this](TReader* r) { filters_->ReadItems(*r); },
        [this](TWriter* w) { filters_->WriteItems(*w); }, filters_->Count() > 0);
}

std::unique_ptr<TBitmap> TImageFiltered::FilteredPicture() {
    TGraphic* graphic = Picture()->Graphic();
    const TRect place = DestRect();
    if (graphic == nullptr || graphic->Empty() || place.Width() <= 0 || place.Height() <= 0)
        return nullptr;
    auto copy = std::make_unique<TBitmap>();
    copy->Assign(*graphic);
    copy->SetPixelFormat(pf32bit);
    if (place.Width() != copy->Width() || place.Height() != copy->Height()) {
        auto sized = std::make_unique<TBitmap>(place.Width(), place.Height(), pf32bit);
        // The resampler needs two pixels each way on both sides; a thinner picture or place is
        // stretched by the canvas.
        if (copy->Width() > 1 && copy->Height() > 1 && place.Width() > 1 && place.Height() > 1)
            ResampleBitmap(*copy, *sized);
        else
            sized->Canvas()->StretchDraw(Rect(0, 0, place.Width(), place.Height()), copy.get());
        copy = std::move(sized);
    }
    filters_->ApplyTo(*copy);
    return copy;
}

void TImageFiltered::Paint() {
    if (auto picture = FilteredPicture()) {
        const TRect place = DestRect();
        Canvas()->Draw(place.Left, place.Top, picture.get());
    }
    if (ComponentState().Contains(csDesigning)) {
        TCanvas* c = Canvas();
        c->Pen()->SetStyle(psDash);
        c->Brush()->SetStyle(bsClear);
        c->SetBkMode(TRANSPARENT);
        c->Rectangle(0, 0, Width(), Height());
    }
}
