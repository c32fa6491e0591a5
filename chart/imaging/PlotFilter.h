#pragma once
// Image filters applied to a copy of a picture before it is drawn: the filter base with its
// optional region, the owned filter list and its stored form, the picture that hands out its
// filtered copy, and the 3 x 3 convolution with the blur. Filters work on 32-bit rows (blue,
// green, red, a fourth byte left alone) through a table of row starts.

#include "platform/classes/Collection.h"
#include "platform/graphics/Picture.h"
#include "platform/graphics/Types.h"

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

class TBitmap;
class TReader;
class TWriter;

class TFilterRegion : public TPersistent {
    Q4_CLASS(TFilterRegion, TPersistent)
public:
    TFilterRegion() = default;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;
    int Left = 0, Top = 0, Width = 0, Height = 0;
};

class TPlotFilter : public TCollectionItem {
    Q4_CLASS(TPlotFilter, TCollectionItem)
public:
    explicit TPlotFilter(TCollection* collection);
    ~TPlotFilter() override;
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool on) { enabled_ = on; }
    // Created on first read; null frees it (the filter then works on the whole bitmap).
    TFilterRegion* Region();
    void SetRegion(TFilterRegion* region);
    bool HasRegion() const { return region_ != nullptr; }
    // Whether the filter works on a region at all (some always take the whole bitmap).
    bool AllowsRegion() const { return allowRegion_; }

    // Applies the filter within its region, cut to the bitmap (an empty cut does nothing).
    void ApplyTo(TBitmap& bitmap);
    // A filter of the class made for the call only.
    static void ApplyTo(TClass filterClass, TBitmap& bitmap);
    // The filter's work on an inclusive pixel rectangle inside the bitmap.
    virtual void Apply(TBitmap& bitmap, const TRect& r);
    virtual std::string Description() const { return ClassName(); }
    std::string DisplayName() const override { return Description(); }

protected:
    // Builds the row table unless reuse is on; makes the bitmap 32-bit.
    void BuildLines(TBitmap& bitmap);
    std::vector<std::uint8_t*> lines_;
    bool reuseLines_ = false;
    bool allowRegion_ = true;

private:
    bool enabled_ = true;
    std::unique_ptr<TFilterRegion> region_;
};

class TFilterItems : public TCollection {
    Q4_CLASS(TFilterItems, TCollection)
public:
    explicit TFilterItems(TPersistent* owner = nullptr);
    TPlotFilter* Items(int i) const { return Item<TPlotFilter>(i); }
    TPlotFilter* Add(TClass filterClass);
    template <class F> F* Add() { return static_cast<F*>(Add(F::StaticClass())); }
    // Each enabled filter in order.
    void ApplyTo(TBitmap& bitmap);
    void Assign(TPersistent* source) override;
    // The stored form: the collection code, per filter a list of "ItemClass" and the class name
    // then its properties, and a list end.
    void WriteItems(TWriter& writer);
    void ReadItems(TReader& reader);
};

class TPlotPicture : public TPicture {
    Q4_CLASS(TPlotPicture, TPicture)
public:
    TPlotPicture();
    ~TPlotPicture() override;
    TFilterItems* Filters();
    void SetFilters(TFilterItems* filters);
    bool HasFilters() const { return filters_ && filters_->Count() > 0; }
    // The graphic itself without filters; else a filtered copy owned by the picture.
    TGraphic* Filtered();
    void Assign(TPersistent* source) override;
    void DefineProperties(TFiler* filer) override;

private:
    std::unique_ptr<TFilterItems> filters_;
    std::unique_ptr<TBitmap> work_;
};

class TConvolveFilter : public TPlotFilter {
    Q4_CLASS(TConvolveFilter, TPlotFilter)
public:
    explicit TConvolveFilter(TCollection* collection);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    std::array<float, 9> Weights{1, 1, 1, 1, 1, 1, 1, 1, 1};

protected:
    // One pass of the kernel; answers whether any pixel changed.
    bool ConvolveOnce(TBitmap& bitmap, const TRect& r);
};

class TBlurFilter : public TConvolveFilter {
    Q4_CLASS(TBlurFilter, TConvolveFilter)
public:
    explicit TBlurFilter(TCollection* collection) : TConvolveFilter(collection) {}
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    std::string Description() const override { return "Blur"; }
    int Amount = 1;
    int Steps = 1;
};
