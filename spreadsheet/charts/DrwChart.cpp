#include "spreadsheet/charts/DrwChart.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/EscherDrawing.h"

TDrwChart::TDrwChart(TCollection* collection)
    : TDrwAnchor(collection), defaultTextA_(std::make_unique<xlschart::TChartText>()),
      defaultTextB_(std::make_unique<xlschart::TChartText>()),
      labels_(std::make_unique<TChartLabels>(this)),
      series_(std::make_unique<TXLSChartSeries>(this, nullptr)),
      plotArea_(std::make_unique<TChartPlotArea>()),
      paintFrame_(std::make_unique<xlschart::TPaintFrame>()) {
    if (auto* charts = dynamic_cast<TDrwCharts*>(collection)) {
        series_->Handler = charts->Handler;
        series_->SheetIndexOf = &charts->SheetIndex;
    }
    MakeShape([](TEscherDrawing& d) { return d.NewChartShape(); }, "Chart ");
}

TDrwChart::~TDrwChart() = default;

void TDrwChart::SetShape(TShapeClientAnchor* shape) {
    TDrwAnchor::SetShape(shape);
    if (shape && shape->Object)
        if (auto* part = dynamic_cast<TShapeOutsideMsoChart*>(shape->Object.get()))
            AttachChart(*this, *part->Root);
}

TChartSheetOptions TDrwChart::SheetOptions() const {
    if (!shtProps_)
        throw Exception("Property has no data");
    const uint16_t bits = shtProps_->Word(0);
    TChartSheetOptions options;
    if (bits & 0x0002)
        options.Include(csoOnlyVisibleCells);
    if (bits & 0x0004)
        options.Include(csoDoNotSize);
    return options;
}

void TDrwChart::SetSheetOptions(TChartSheetOptions value) {
    if (!shtProps_)
        throw Exception("Property has no data");
    uint16_t bits = shtProps_->Word(0) & ~0x0006;
    if (value.Contains(csoOnlyVisibleCells))
        bits |= 0x0002;
    if (value.Contains(csoDoNotSize))
        bits |= 0x0004;
    if (shtProps_->Body.size() < 2)
        shtProps_->Body.resize(2);
    shtProps_->SetWord(0, bits);
}

void TDrwChart::DeclareProperties(TPropertyList& p) {
    using T = TDrwChart;
    p.AddFn<T>("DefaultTextA", [](T* t) { return &t->DefaultTextA(); });
    p.AddFn<T>("DefaultTextB", [](T* t) { return &t->DefaultTextB(); });
    p.AddFn<T>("Labels", [](T* t) { return &t->Labels(); });
    p.AddFn<T>("Series", [](T* t) { return &t->Series(); });
    p.AddFn<T>("PlotArea", [](T* t) { return &t->PlotArea(); });
    p.AddFn<T>(
        "SheetOptions", [](T* t) { return t->SheetOptions(); },
        [](T* t, TChartSheetOptions v) { t->SetSheetOptions(v); });
}

void AttachChart(TDrwChart& item, TChartRecord& root) {
    // Whatever was attached before goes.
    item.rec_ = nullptr;
    item.shtProps_ = nullptr;
    item.defaultTextA_ = std::make_unique<xlschart::TChartText>();
    item.defaultTextB_ = std::make_unique<xlschart::TChartText>();
    item.plotArea_ = std::make_unique<TChartPlotArea>();
    item.paintFrame_ = std::make_unique<xlschart::TPaintFrame>();
    item.series_->Clear();
    item.labels_->Clear();
    TChartRecord* list = &root;
    if (root.Count() > 0 && root.Items(0).Id == crBOF) {
        list = nullptr;
        for (const auto& r : root.Children)
            if (r->Id == crCHART) {
                list = r.get();
                break;
            }
        if (!list)
            throw Exception("Can not find CHART record.");
        item.rec_ = list;
    }
    for (int i = 0; i < list->Count(); ++i) {
        TChartRecord& r = list->Items(i);
        switch (r.Id) {
        case crSERIES:
            item.series_->Add()->AttachRecords(&r);
            break;
        case crDEFAULTTEXT: {
            if (i + 1 >= list->Count() || list->Items(i + 1).Id != crTEXT)
                throw Exception("Excpected Chart record missing: TEXT");
            TChartRecord& text = list->Items(++i);
            if (r.Word(0) == 2)
                item.defaultTextA_->AttachRecords(&text);
            else if (r.Word(0) == 3)
                item.defaultTextB_->AttachRecords(&text);
            break;
        }
        case crTEXT:
            item.labels_->Add()->AttachRecords(&r);
            break;
        case crFRAME:
            item.paintFrame_->AttachRecords(&r);
            break;
        case crAXISPARENT:
            item.plotArea_->AttachRecords(&r);
            break;
        case crSHTPROPS:
            item.shtProps_ = &r;
            break;
        default:
            break;
        }
    }
}
