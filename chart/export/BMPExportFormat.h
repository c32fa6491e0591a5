#pragma once
// The chart exported as a Windows bitmap: at the colour depth chosen (or in black and white),
// with the format's image filters run over it.

#include "chart/export/PlotExportFormat.h"
#include "platform/graphics/Bitmap.h"

#include <memory>

class TBMPOptions;
class TFilterItems;

class TBMPExportFormat : public TPlotExportFormat {
    Q4_CLASS(TBMPExportFormat, TPlotExportFormat)
public:
    TBMPExportFormat();
    ~TBMPExportFormat() override;

    // The filters run over every exported bitmap, in order; owned.
    TFilterItems* Filters() const { return filters_.get(); }

    // Black and white; the colour depth is then not used. Off by default. While the options
    // form exists, its check box.
    bool Monochrome() const;
    void SetMonochrome(bool on);
    // The colour depth, pfDevice (the default) to pf32bit. While the options form exists, the
    // entry chosen in its colour list.
    TPixelFormat ColorDepth() const;
    void SetColorDepth(TPixelFormat format);

    // The options form, made (with no owner) when there is none; it refers back to the format.
    TBMPOptions* EnsureOptions();
    TCustomForm* Options(bool check) override;

    // A new bitmap of the panel, filtered; the caller owns it.
    std::unique_ptr<TBitmap> Bitmap();
    // The same without the filters.
    std::unique_ptr<TBitmap> CreateBitmap();

    void CopyToClipboard() override;
    std::string Description() const override;
    std::string FileExtension() const override { return "bmp"; }
    std::string FileFilter() const override;
    TClass GraphicClass() const override { return TBitmap::StaticClass(); }
    void SaveToStream(TStream& stream) override;

private:
    std::unique_ptr<TFilterItems> filters_;
    std::unique_ptr<TBMPOptions, TOptionsFormFree> options_;
    bool monochrome_ = false;
    TPixelFormat colorDepth_ = pfDevice;
};
