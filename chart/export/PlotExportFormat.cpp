#include "chart/export/PlotExportFormat.h"

#include "chart/draw/ChartMessages.h"
#include "chart/draw/ChartTypes.h"
#include "chart/panel/PlotPanel.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Picture.h"

#include <algorithm>
#include <cctype>

namespace {

std::unique_ptr<std::vector<TClass>>& Formats() {
    static std::unique_ptr<std::vector<TClass>> formats;
    return formats;
}

} // namespace

std::string UpperCaseExtension(std::string text) {
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

void TOptionsFormFree::operator()(TCustomForm* form) const {
    form->Free();
}

TCustomForm* TPlotExportFormat::Options(bool) {
    return nullptr;
}

bool TPlotExportFormat::HandlesExtension(const std::string& extension) const {
    return UpperCaseExtension(extension) == "." + UpperCaseExtension(FileExtension());
}

void TPlotExportFormat::ReserveFilterIndex(int& counter) {
    filterIndex_ = ++counter;
}

bool TPlotExportFormat::WantsFilterIndex(int index) {
    return index == FilterIndex();
}

TCustomPlotPanel& TPlotExportFormat::CheckedPanel() const {
    if (panel_ == nullptr)
        throw ChartException(ChartMsg(msgExportPanelNotSet));
    return *panel_;
}

void TPlotExportFormat::ApplyPanelSize() {
    TCustomPlotPanel& panel = CheckedPanel();
    if (width_ == 0)
        width_ = panel.Width();
    if (height_ == 0)
        height_ = panel.Height();
}

const std::vector<TClass>* RegisteredExportFormats() {
    return Formats().get();
}

void RegisterExportFormat(TClass formatClass) {
    if (!Formats())
        Formats() = std::make_unique<std::vector<TClass>>();
    Formats()->push_back(formatClass);
}

void UnregisterExportFormat(TClass formatClass) {
    if (!Formats())
        return;
    auto& list = *Formats();
    auto at = std::find(list.begin(), list.end(), formatClass);
    if (at != list.end())
        list.erase(at);
}

void FreeExportFormats() {
    Formats().reset();
}

std::unique_ptr<TGraphic> CreateGraphicForExtension(const std::string& extension) {
    if (!Formats())
        return nullptr;
    for (TClass cls : *Formats()) {
        std::unique_ptr<TObject> object(cls->CreateInstance());
        auto* format = dynamic_cast<TPlotExportFormat*>(object.get());
        if (format == nullptr || !format->HandlesExtension(extension))
            continue;
        TClass graphicClass = format->GraphicClass();
        if (graphicClass == nullptr)
            return nullptr;
        std::unique_ptr<TObject> graphic(graphicClass->CreateInstance());
        if (dynamic_cast<TGraphic*>(graphic.get()) == nullptr)
            return nullptr;
        return std::unique_ptr<TGraphic>(static_cast<TGraphic*>(graphic.release()));
    }
    return nullptr;
}
