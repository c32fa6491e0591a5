#pragma once
// The image filters: per-pixel (invert, grey, brightness, contrast, colour, hue-luminance-
// saturation, gamma), kernels (sharpen, emboss, soften), and geometric (resize, crop, flip,
// reverse, mosaic, zoom, tile, bevel, mirror, rotate). Each works on the inclusive rectangle it
// is given, unless it works on the whole bitmap.

#include "chart/imaging/PlotFilter.h"
#include "platform/graphics/Color.h"

#include <functional>
#include <string>
#include <vector>

#define Q4_FILTER(Name, Base, Title)                                                               \
    Q4_CLASS(Name, Base)                                                                           \
public:                                                                                            \
    explicit Name(TCollection* collection) : Base(collection) {}                                   \
    std::string Description() const override {                                                     \
        return Title;                                                                              \
    }

class TInvertFilter : public TPlotFilter {
    Q4_FILTER(TInvertFilter, TPlotFilter, "Invert")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

enum TGrayMethod : std::uint8_t { gmSimple, gmEye, gmEye2 };
Q4_ENUM_NAMES(TGrayMethod, "gmSimple", "gmEye", "gmEye2");

class TGrayScaleFilter : public TPlotFilter {
    Q4_FILTER(TGrayScaleFilter, TPlotFilter, "Gray scale")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    TGrayMethod Method = gmSimple;
};

class TAmountFilter : public TPlotFilter {
    Q4_CLASS(TAmountFilter, TPlotFilter)
public:
    explicit TAmountFilter(TCollection* collection, int amount = 5)
        : TPlotFilter(collection), Amount(amount) {}
    static void DeclareProperties(TPropertyList& p);
    int Amount;
    bool Percent = true;
};

class TBrightnessFilter : public TAmountFilter {
    Q4_FILTER(TBrightnessFilter, TAmountFilter, "Brightness")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TContrastFilter : public TAmountFilter {
    Q4_FILTER(TContrastFilter, TAmountFilter, "Contrast")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TMosaicFilter : public TAmountFilter {
    Q4_CLASS(TMosaicFilter, TAmountFilter)
public:
    explicit TMosaicFilter(TCollection* collection) : TAmountFilter(collection, 8) {}
    static void DeclareProperties(TPropertyList& p);
    std::string Description() const override { return "Mosaic"; }
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TGammaCorrectionFilter : public TAmountFilter {
    Q4_CLASS(TGammaCorrectionFilter, TAmountFilter)
public:
    explicit TGammaCorrectionFilter(TCollection* collection) : TAmountFilter(collection, 70) {}
    static void DeclareProperties(TPropertyList& p);
    std::string Description() const override { return "Gamma correction"; }
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TColorFilter : public TPlotFilter {
    Q4_FILTER(TColorFilter, TPlotFilter, "Color")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int Blue = 0, Green = 0, Red = 0;
};

class THueLumSatFilter : public TPlotFilter {
    Q4_FILTER(THueLumSatFilter, TPlotFilter, "Hue,Lum,Sat")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int Hue = 0, Luminance = 0, Saturation = 0;
};

class TSharpenFilter : public TConvolveFilter {
    Q4_FILTER(TSharpenFilter, TConvolveFilter, "Sharpen")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TEmbossFilter : public TConvolveFilter {
    Q4_FILTER(TEmbossFilter, TConvolveFilter, "Emboss")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TSoftenFilter : public TConvolveFilter {
    Q4_FILTER(TSoftenFilter, TConvolveFilter, "Antialias")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TFlipFilter : public TPlotFilter {
    Q4_FILTER(TFlipFilter, TPlotFilter, "Flip")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TReverseFilter : public TPlotFilter {
    Q4_FILTER(TReverseFilter, TPlotFilter, "Reverse")
    void Apply(TBitmap& bitmap, const TRect& r) override;
};

class TResizeFilter : public TPlotFilter {
    Q4_FILTER(TResizeFilter, TPlotFilter, "Resize")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int Width = 0, Height = 0;
};

class TCropFilter : public TResizeFilter {
    Q4_FILTER(TCropFilter, TResizeFilter, "Crop")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int Left = 0, Top = 0;
    bool Smooth = false;
};

class TZoomFilter : public TPlotFilter {
    Q4_FILTER(TZoomFilter, TPlotFilter, "Zoom")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    double Percent = 10;
    bool Smooth = false;
};

class TTileFilter : public TPlotFilter {
    Q4_FILTER(TTileFilter, TPlotFilter, "Tile")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int NumCols = 3, NumRows = 3;
};

class TBevelFilter : public TPlotFilter {
    Q4_FILTER(TBevelFilter, TPlotFilter, "Bevel")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    int Bright = 64, Size = 15;
};

enum TMirrorDirection : std::uint8_t { mdDown, mdUp, mdRight, mdLeft };
Q4_ENUM_NAMES(TMirrorDirection, "mdDown", "mdUp", "mdRight", "mdLeft");

class TMirrorFilter : public TPlotFilter {
    Q4_CLASS(TMirrorFilter, TPlotFilter)
public:
    explicit TMirrorFilter(TCollection* collection) : TPlotFilter(collection) {
        allowRegion_ = false;
    }
    static void DeclareProperties(TPropertyList& p);
    std::string Description() const override { return "Mirror"; }
    void Apply(TBitmap& bitmap, const TRect& r) override;
    TMirrorDirection Direction = mdDown;
};

class TRotateFilter : public TPlotFilter {
    Q4_FILTER(TRotateFilter, TPlotFilter, "Rotate")
    static void DeclareProperties(TPropertyList& p);
    void Apply(TBitmap& bitmap, const TRect& r) override;
    double Angle = 0;
    bool AutoSize = true;
    TColor BackColor = clWhite;
};

// The filter classes in the order the editor offers them.
const std::vector<TClass>& FilterClasses();
// Registers the filters and the filtered image control for storing by name and installs the
// drawing layer's gradient-rotation and text-shadow blur hooks; the stop removes the hooks.
// Starts nest.
void StartChartImaging();
void StopChartImaging();
