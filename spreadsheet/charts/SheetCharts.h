#pragma once
// The workbook's chart sheets: each holds its chart's records and the chart's drawing. The
// collection owns the record trees of its charts: a drawing read inside a chart's records
// goes to the last chart sheet, and the chart sheet being written gives its drawing to the
// writer.

#include "platform/classes/Collection.h"
#include "spreadsheet/drawing/ChartRecords.h"

#include <memory>
#include <string>

class TEscherGroup;

class TSheetChart : public TCollectionItem {
    Q4_CLASS(TSheetChart, TCollectionItem)
public:
    explicit TSheetChart(TCollection* collection);
    ~TSheetChart() override;

    TEscherDrawing* Drawing() const { return drawing_.get(); }
    // Takes the drawing over (the one before goes).
    void AddDrawing(std::unique_ptr<TEscherDrawing> drawing);
    std::string DisplayName() const override;

    int32_t SheetIndex = 0;
    std::u16string Name = u"Chart";
    // The chart's records (whose root belongs to the collection).
    std::unique_ptr<TChartRecord> Records;

    static void DeclareProperties(TPropertyList& p);

private:
    std::unique_ptr<TEscherDrawing> drawing_;
};

class TSheetCharts : public TCollection, public TChartRecordOwner {
    Q4_CLASS(TSheetCharts, TCollection)
public:
    TSheetCharts(TPersistent* owner, TEscherGroup* group, TXFonts* fonts);
    TSheetChart* Add() { return static_cast<TSheetChart*>(TCollection::Add()); }
    TSheetChart* Items(int index) const { return Item<TSheetChart>(index); }

    // Raises "Chart record parent is not of excpected type" when there is no chart sheet.
    TEscherDrawing& NewChartDrawing() override;
    const TEscherDrawing* ChartDrawing() const override;
    TXFonts* ChartFonts() const override { return Fonts; }

    TEscherGroup* Group;
    TXFonts* Fonts;
    // The chart sheet being written.
    int WritingIndex = 0;
};
