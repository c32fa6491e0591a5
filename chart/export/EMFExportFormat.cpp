#include "chart/export/EMFExportFormat.h"

#include "chart/draw/ChartMessages.h"
#include "chart/export/EMFOptions.h"
#include "chart/panel/PlotPanel.h"
#include "platform/forms/Clipbrd.h"
#include "platform/rtl/Streams.h"
#include "platform/stdctrls/CheckBox.h"

TEMFExportFormat::TEMFExportFormat() = default;

TEMFExportFormat::~TEMFExportFormat() = default;

bool TEMFExportFormat::Enhanced() const {
    return options_ ? options_->CBEnhanced()->Checked() : enhanced_;
}

void TEMFExportFormat::SetEnhanced(bool on) {
    enhanced_ = on;
    if (options_)
        options_->CBEnhanced()->SetChecked(on);
}

TCustomForm* TEMFExportFormat::Options(bool check) {
    if (check && !options_) {
        options_.reset(TCustomForm::Create<TEMFOptions>(nullptr));
        options_->CBEnhanced()->SetChecked(enhanced_);
    }
    return options_.get();
}

std::unique_ptr<TMetafile> TEMFExportFormat::Metafile() {
    ApplyPanelSize();
    return CheckedPanel().CreateMetafileImage(Enhanced(), {0, 0, Width(), Height()});
}

void TEMFExportFormat::CopyToClipboard() {
    std::unique_ptr<TMetafile> metafile = Metafile();
    Clipboard()->Assign(*metafile);
}

int TEMFExportFormat::FilterIndex() const {
    return Enhanced() ? FilterIndexValue() : FilterIndexValue() + 1;
}

void TEMFExportFormat::ReserveFilterIndex(int& counter) {
    TPlotExportFormat::ReserveFilterIndex(counter);
    ++counter;
}

bool TEMFExportFormat::WantsFilterIndex(int index) {
    if (index == FilterIndexValue()) {
        SetEnhanced(true);
        return true;
    }
    if (index == FilterIndexValue() + 1) {
        SetEnhanced(false);
        return true;
    }
    return false;
}

std::string TEMFExportFormat::Description() const {
    return ChartMsg(msgAsMetafile);
}

std::string TEMFExportFormat::FileFilter() const {
    return ChartMsg(msgMetafileFilter);
}

bool TEMFExportFormat::HandlesExtension(const std::string& extension) const {
    const std::string upper = UpperCaseExtension(extension);
    return upper == ".EMF" || upper == ".WMF";
}

void TEMFExportFormat::SaveToStream(TStream& stream) {
    std::unique_ptr<TMetafile> metafile = Metafile();
    const std::vector<std::uint8_t> file = metafile->SaveToBytes();
    stream.WriteBuffer(file.data(), static_cast<std::int64_t>(file.size()));
}
