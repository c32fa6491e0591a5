#include "chart/export/BMPExportFormat.h"

#include "chart/draw/ChartMessages.h"
#include "chart/export/BMPOptions.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/panel/PlotPanel.h"
#include "platform/forms/Clipbrd.h"
#include "platform/rtl/Streams.h"
#include "platform/stdctrls/CheckBox.h"
#include "platform/stdctrls/ComboBox.h"

TBMPExportFormat::TBMPExportFormat() : filters_(std::make_unique<TFilterItems>()) {}

TBMPExportFormat::~TBMPExportFormat() = default;

bool TBMPExportFormat::Monochrome() const {
    return options_ ? options_->CBMono()->Checked() : monochrome_;
}

void TBMPExportFormat::SetMonochrome(bool on) {
    monochrome_ = on;
    if (options_)
        options_->CBMono()->SetChecked(on);
}

TPixelFormat TBMPExportFormat::ColorDepth() const {
    if (!options_)
        return colorDepth_;
    const int index = options_->CBColors()->ItemIndex();
    return index >= 0 && index <= static_cast<int>(pf32bit) ? static_cast<TPixelFormat>(index)
                                                            : pfDevice;
}

void TBMPExportFormat::SetColorDepth(TPixelFormat format) {
    colorDepth_ = format <= pf32bit ? format : pfDevice;
    if (options_)
        options_->CBColors()->SetItemIndex(static_cast<int>(colorDepth_));
}

TBMPOptions* TBMPExportFormat::EnsureOptions() {
    if (!options_) {
        options_.reset(TCustomForm::Create<TBMPOptions>(nullptr));
        options_->ExportFormat = this;
        // The form starts at what the format was set to.
        options_->CBMono()->SetChecked(monochrome_);
        options_->CBColors()->SetItemIndex(static_cast<int>(colorDepth_));
    }
    return options_.get();
}

TCustomForm* TBMPExportFormat::Options(bool check) {
    if (check)
        EnsureOptions();
    return options_.get();
}

std::unique_ptr<TBitmap> TBMPExportFormat::CreateBitmap() {
    ApplyPanelSize();
    TCustomPlotPanel& panel = CheckedPanel();
    // A canvas that renders true 3D makes the panel answer a 24-bit bitmap whatever is asked.
    std::unique_ptr<TBitmap> bitmap = panel.CreateBitmapImage(
        panel.Color(), {0, 0, Width(), Height()}, Monochrome() ? pf1bit : ColorDepth());
    if (bitmap->PixelFormat() == pf1bit) {
        // The chart is drawn in colour even on a black-and-white bitmap; bring its pixels to the
        // two colours the file will hold, so that the preview and the clipboard show them too.
        bitmap->SetPixelFormat(pf32bit);
        bitmap->SetPixelFormat(pf1bit);
    }
    return bitmap;
}

std::unique_ptr<TBitmap> TBMPExportFormat::Bitmap() {
    std::unique_ptr<TBitmap> bitmap = CreateBitmap();
    if (filters_->Count() > 0) {
        // Filters work on 32-bit rows: the depth chosen is put back after them.
        const TPixelFormat depth = bitmap->PixelFormat();
        filters_->ApplyTo(*bitmap);
        if (bitmap->PixelFormat() != depth)
            bitmap->SetPixelFormat(depth);
    }
    return bitmap;
}

void TBMPExportFormat::CopyToClipboard() {
    std::unique_ptr<TBitmap> bitmap = Bitmap();
    Clipboard()->Assign(*bitmap);
}

std::string TBMPExportFormat::Description() const {
    return ChartMsg(msgAsBitmap);
}

std::string TBMPExportFormat::FileFilter() const {
    return ChartMsg(msgBitmapFilter);
}

void TBMPExportFormat::SaveToStream(TStream& stream) {
    std::unique_ptr<TBitmap> bitmap = Bitmap();
    const std::vector<std::uint8_t> file = bitmap->SaveToBytes();
    stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
}
