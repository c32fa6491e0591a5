#include "spreadsheet/charts/SheetCharts.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/EscherDrawing.h"

TSheetChart::TSheetChart(TCollection* collection) : TCollectionItem(collection) {
    Records = TChartRecord::NewRoot(dynamic_cast<TSheetCharts*>(collection));
}

TSheetChart::~TSheetChart() = default;

void TSheetChart::AddDrawing(std::unique_ptr<TEscherDrawing> drawing) {
    drawing_ = std::move(drawing);
}

std::string TSheetChart::DisplayName() const {
    return Utf16ToUtf8(Name);
}

void TSheetChart::DeclareProperties(TPropertyList& p) {
    p.Add("SheetIndex", &TSheetChart::SheetIndex);
    p.Add("Name", &TSheetChart::Name);
}

TSheetCharts::TSheetCharts(TPersistent* owner, TEscherGroup* group, TXFonts* fonts)
    : TCollection(TSheetChart::StaticClass(), owner), Group(group), Fonts(fonts) {}

TEscherDrawing& TSheetCharts::NewChartDrawing() {
    if (Count() == 0)
        throw Exception("Chart record parent is not of excpected type");
    auto drawing = std::make_unique<TEscherDrawing>(Group, nullptr, Fonts);
    TEscherDrawing& made = *drawing;
    Items(Count() - 1)->AddDrawing(std::move(drawing));
    return made;
}

const TEscherDrawing* TSheetCharts::ChartDrawing() const {
    return WritingIndex >= 0 && WritingIndex < Count() ? Items(WritingIndex)->Drawing() : nullptr;
}
