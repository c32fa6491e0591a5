#include "chart/imaging/PlotFilter.h"

#include "chart/draw/ChartTypes.h"
#include "chart/imaging/Convolution.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"
#include "platform/graphics/Bitmap.h"

#include <algorithm>
#include <cmath>

// ---- region -------------------------------------------------------------------------------------

void TFilterRegion::DeclareProperties(TPropertyList& p) {
    p.Add("Height", &TFilterRegion::Height).Default(0);
    p.Add("Left", &TFilterRegion::Left).Default(0);
    p.Add("Top", &TFilterRegion::Top).Default(0);
    p.Add("Width", &TFilterRegion::Width).Default(0);
}

void TFilterRegion::Assign(TPersistent* source) {
    if (auto* r = dynamic_cast<TFilterRegion*>(source)) {
        Left = r->Left;
        Top = r->Top;
        Width = r->Width;
        Height = r->Height;
        return;
    }
    TPersistent::Assign(source);
}

// ---- filter base --------------------------------------------------------------------------------

TPlotFilter::TPlotFilter(TCollection* collection) : TCollectionItem(collection) {}

TPlotFilter::~TPlotFilter() = default;

void TPlotFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Enabled", &TPlotFilter::Enabled, &TPlotFilter::SetEnabled).Default(true);
    p.Add("Region", &TPlotFilter::Region, &TPlotFilter::SetRegion).Stored(&TPlotFilter::HasRegion);
}

TFilterRegion* TPlotFilter::Region() {
    if (!region_)
        region_ = std::make_unique<TFilterRegion>();
    return region_.get();
}

void TPlotFilter::SetRegion(TFilterRegion* region) {
    if (region == nullptr)
        region_.reset();
    else
        Region()->Assign(region);
}

void TPlotFilter::Assign(TPersistent* source) {
    if (auto* f = dynamic_cast<TPlotFilter*>(source)) {
        enabled_ = f->enabled_;
        SetRegion(f->region_.get());
        return;
    }
    TCollectionItem::Assign(source);
}

void TPlotFilter::BuildLines(TBitmap& bitmap) {
    if (reuseLines_ && static_cast<int>(lines_.size()) == bitmap.Height())
        return;
    bitmap.SetPixelFormat(pf32bit);
    lines_.resize(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y)
        lines_[static_cast<std::size_t>(y)] = bitmap.ScanLine(y);
}

void TPlotFilter::Apply(TBitmap& bitmap, const TRect&) {
    BuildLines(bitmap);
}

void TPlotFilter::ApplyTo(TBitmap& bitmap) {
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    TRect r{0, 0, w - 1, h - 1};
    if (region_ && allowRegion_) {
        r.Left = region_->Left;
        r.Top = region_->Top;
        r.Right = region_->Width != 0 ? std::min(w - 1, region_->Width + r.Left)
                                      : std::max(r.Left, w - 1);
        r.Bottom = region_->Height != 0 ? std::min(h - 1, region_->Height + r.Top)
                                        : std::max(r.Top, h - 1);
        // Cut to the bitmap: a region beyond it (or before it) reaches no pixel.
        r.Left = std::max(r.Left, 0);
        r.Top = std::max(r.Top, 0);
        r.Right = std::min(r.Right, w - 1);
        r.Bottom = std::min(r.Bottom, h - 1);
    }
    if (w <= 0 || h <= 0 || r.Left > r.Right || r.Top > r.Bottom)
        return;
    Apply(bitmap, r);
    bitmap.Canvas()->Refresh();
}

void TPlotFilter::ApplyTo(TClass filterClass, TBitmap& bitmap) {
    TFilterItems items;
    items.Add(filterClass)->ApplyTo(bitmap);
}

// ---- the list -----------------------------------------------------------------------------------

TFilterItems::TFilterItems(TPersistent* owner) : TCollection(TPlotFilter::StaticClass(), owner) {}

TPlotFilter* TFilterItems::Add(TClass filterClass) {
    if (filterClass == nullptr || !filterClass->InheritsFrom(TPlotFilter::StaticClass()))
        throw EClassNotFound("Not a filter class");
    return static_cast<TPlotFilter*>(filterClass->CreateItem(this));
}

void TFilterItems::ApplyTo(TBitmap& bitmap) {
    for (int i = 0; i < Count(); ++i)
        if (Items(i)->Enabled())
            Items(i)->ApplyTo(bitmap);
}

void TFilterItems::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TFilterItems*>(source);
    if (other == nullptr) {
        TCollection::Assign(source);
        return;
    }
    BeginUpdate();
    struct End {
        TFilterItems* items;
        ~End() { items->EndUpdate(); }
    } end{this};
    Clear();
    for (int i = 0; i < other->Count(); ++i)
        Add(other->Items(i)->ClassType())->Assign(other->Items(i));
}

void TFilterItems::WriteItems(TWriter& writer) {
    writer.WriteValue(vaCollection);
    for (int i = 0; i < Count(); ++i) {
        writer.WriteListBegin();
        writer.WritePropName("ItemClass");
        writer.WriteString(Items(i)->ClassName());
        writer.WriteProperties(Items(i));
        writer.WriteListEnd();
    }
    writer.WriteListEnd();
}

void TFilterItems::ReadItems(TReader& reader) {
    BeginUpdate();
    struct End {
        TFilterItems* items;
        ~End() { items->EndUpdate(); }
    } end{this};
    if (!reader.EndOfList())
        Clear();
    reader.CheckValue(vaCollection);
    while (!reader.EndOfList()) {
        const TValueType next = reader.NextValue();
        if (next == vaInt8 || next == vaInt16 || next == vaInt32)
            reader.ReadInteger();
        reader.ReadListBegin();
        if (reader.ReadStr() != "ItemClass")
            throw EFilerError("Filter list item without its class");
        TPlotFilter* filter = Add(FindClass(reader.ReadString()));
        while (!reader.EndOfList())
            reader.ReadProperty(filter);
        reader.ReadListEnd();
    }
    reader.ReadListEnd();
}

// ---- the picture --------------------------------------------------------------------------------

TPlotPicture::TPlotPicture() = default;

TPlotPicture::~TPlotPicture() = default;

TFilterItems* TPlotPicture::Filters() {
    if (!filters_)
        filters_ = std::make_unique<TFilterItems>(this);
    return filters_.get();
}

void TPlotPicture::SetFilters(TFilterItems* filters) {
    if (filters == nullptr)
        filters_.reset();
    else
        Filters()->Assign(filters);
}

TGraphic* TPlotPicture::Filtered() {
    if (!HasFilters() || Graphic() == nullptr)
        return Graphic();
    if (!work_)
        work_ = std::make_unique<TBitmap>();
    work_->Assign(*Graphic());
    filters_->ApplyTo(*work_);
    return work_.get();
}

void TPlotPicture::Assign(TPersistent* source) {
    if (auto* p = dynamic_cast<TPlotPicture*>(source))
        SetFilters(p->filters_.get());
    TPicture::Assign(source);
}

void TPlotPicture::DefineProperties(TFiler* filer) {
    TPicture::DefineProperties(filer);
    filer->DefineProperty(
        "FilterItems", [this](TReader* r) { Filters()->ReadItems(*r); },
        [this](TWriter* w) { filters_->WriteItems(*w); }, HasFilters());
}

// ---- convolution --------------------------------------------------------------------------------

TConvolveFilter::TConvolveFilter(TCollection* collection) : TPlotFilter(collection) {}

void TConvolveFilter::Apply(TBitmap& bitmap, const TRect& rect) {
    ConvolveOnce(bitmap, rect);
}

bool TConvolveFilter::ConvolveOnce(TBitmap& bitmap, const TRect& rect) {
    BuildLines(bitmap);
    if (lines_.empty())
        return false;
    const int w = bitmap.Width();
    const int h = bitmap.Height();
    const TRect r{std::max(rect.Left, 0), std::max(rect.Top, 0), std::min(rect.Right, w - 1),
                  std::min(rect.Bottom, h - 1)};
    return Convolve3x3(lines_, r, Weights);
}

void TBlurFilter::DeclareProperties(TPropertyList& p) {
    p.Add("Amount", &TBlurFilter::Amount).Default(1);
    p.Add("Steps", &TBlurFilter::Steps).Default(1);
}

void TBlurFilter::Apply(TBitmap& bitmap, const TRect& r) {
    Weights = {1, 1, 1, 1, static_cast<float>(Amount), 1, 1, 1, 1};
    BuildLines(bitmap);
    reuseLines_ = true;
    struct Reset {
        bool& flag;
        ~Reset() { flag = false; }
    } reset{reuseLines_};
    // A pass that changes nothing has reached the blur's fixed point: the passes left would change
    // nothing either, so a stored step count far beyond the editor's range ends early.
    for (int i = 0; i < Steps; ++i)
        if (!ConvolveOnce(bitmap, r))
            break;
}
