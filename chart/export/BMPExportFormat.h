#pragma once
// The chart exported as a Windows bitmap: at the colour depth chosen (or in black and white),
// with the format's image filters run over it.

#include "chart/export/PlotExportFormat.h"
#include "platform/graphics/Bitmap.h"

#include <memory>

class TFilterItems;

class TBMPExportFormat : public TPlotExportFormat {
    Q4_CLASS(TBMPExportFormat, TPlotExportFormat)
public:
    TBMPExportFormat();
    ~TBMPExportFormat() override;

    // The filters run over every exported bitmap, in order; owned.
    TFilterItems* Filters() const { return filters_.get(); }

    // Black and white; the colour depth is then not used. Off by default.
    bool Monochrome() const { return monochrome_; }
    void SetMonochrome(bool on) { monochrome_ = on; }
    // The colour depth, pfDevice (the default) to pf32bit.
    TPixelFormat ColorDepth() const { return colorDepth_; }
    void SetColorDepth(TPixelFormat format);

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
    bool monochrome_ = false;
    TPixelFormat colorDepth_ = pfDevice;
};
