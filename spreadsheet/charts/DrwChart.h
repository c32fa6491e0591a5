#pragma once
// A chart on a sheet: the published view of a chart shape, over the chart's record tree. A new
// item asks the drawing for a chart shape (the default chart); an item for a chart read from a
// file takes that shape. Either way the item attaches to the records (AttachChart).

#include "platform/classes/TypeInfo.h"
#include "spreadsheet/charts/ChartPlotArea.h"
#include "spreadsheet/charts/ChartSerie.h"
#include "spreadsheet/drawingobjects/DrawingObjects.h"

#include <memory>

Q4_ENUM(TChartSheetOption, csoOnlyVisibleCells, csoDoNotSize);
using TChartSheetOptions = TSet<TChartSheetOption>;

class TDrwChart : public TDrwAnchor {
    Q4_CLASS(TDrwChart, TDrwAnchor)
public:
    explicit TDrwChart(TCollection* collection);
    ~TDrwChart() override;

    // Attaches to the chart part of the shape, when it has one.
    void SetShape(TShapeClientAnchor* shape) override;

    // The CHART record.
    TChartRecord* Rec() const { return rec_; }
    xlschart::TChartText& DefaultTextA() { return *defaultTextA_; }
    xlschart::TChartText& DefaultTextB() { return *defaultTextB_; }
    TChartLabels& Labels() { return *labels_; }
    TXLSChartSeries& Series() { return *series_; }
    TChartPlotArea& PlotArea() { return *plotArea_; }
    xlschart::TPaintFrame& PaintFrame() { return *paintFrame_; }
    // The bits of SHTPROPS; both raise "Property has no data" without that record.
    TChartSheetOptions SheetOptions() const;
    void SetSheetOptions(TChartSheetOptions value);

    static void DeclareProperties(TPropertyList& p);

private:
    friend void AttachChart(TDrwChart& item, TChartRecord& root);
    TChartRecord* rec_ = nullptr;
    TChartRecord* shtProps_ = nullptr;
    std::unique_ptr<xlschart::TChartText> defaultTextA_;
    std::unique_ptr<xlschart::TChartText> defaultTextB_;
    std::unique_ptr<TChartLabels> labels_;
    std::unique_ptr<TXLSChartSeries> series_;
    std::unique_ptr<TChartPlotArea> plotArea_;
    std::unique_ptr<xlschart::TPaintFrame> paintFrame_;
};

// Attaches an item to a chart's records: the series, default texts, labels, chart frame,
// plot area and sheet properties under the CHART record (found first when the list begins
// with BOF). Raises "Can not find CHART record." and "Excpected Chart record missing: TEXT";
// what was attached before a failure stays attached.
void AttachChart(TDrwChart& item, TChartRecord& root);

class TDrwCharts : public TDrwItems<TDrwChart> {
public:
    TDrwCharts(TPersistent* sheet, TEscherDrawing* drawing, TFormulaHandler* handler,
               TXFonts* fonts)
        : TDrwItems<TDrwChart>(sheet, drawing, handler, fonts) {}
    // The sheet whose formulas name the series (series names are calculated on it): the
    // sheet keeps it current; it is read whenever a name is calculated.
    int SheetIndex = 0;
};
