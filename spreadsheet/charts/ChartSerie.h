#pragma once
// A chart's series and texts over their records: a series' formulas (values, second values,
// categories, name) live in its AI records, its default data point and data points in its
// DATAFORMAT records; a text's parts in the records under its TEXT record.

#include "platform/classes/Collection.h"
#include "spreadsheet/charts/DataPoint.h"

#include <memory>
#include <string>

class TFormulaHandler;

Q4_ENUM(TSerieItemGeomtery, sigDefault, sigCylinder, sigPyramid, sigChoppedPyramid, sigCone,
        sigChoppedCone);

// A series name holds at most this many characters (its count is one byte).
constexpr int kMaxSerieNameLength = 255;

class TXLSChartSerie : public TCollectionItem {
    Q4_CLASS(TXLSChartSerie, TCollectionItem)
public:
    explicit TXLSChartSerie(TCollection* collection);
    ~TXLSChartSerie() override;

    // `series` is a SERIES record.
    void AttachRecords(TChartRecord* series);

    // Formulas of the AI records; each raises "Property has no data" without its AI.
    std::u16string Values() const;
    // Also sets the series' value count to the cells of an area.
    void SetValues(const std::u16string& text);
    std::u16string Values2() const;
    void SetValues2(const std::u16string& text);
    std::u16string Category() const;
    void SetCategory(const std::u16string& text);
    // A text in double quotes is the series' own name (at most 255 characters kept); anything
    // else a formula, whose result names the series.
    std::u16string SerieName() const;
    void SetSerieName(const std::u16string& text);
    TSerieItemGeomtery Geomtery() const;
    void SetGeomtery(TSerieItemGeomtery value);
    // True when the default data point has more than two records. Setting it adds the default
    // data point's records; false changes nothing.
    bool HasDefDataPoint() const;
    void SetHasDefDataPoint(bool value);

    TDataPoint& DefDataPoint() { return *defDataPoint_; }
    TDataPoints& DataPoints() { return *dataPoints_; }
    TChartRecord* Series() const { return series_; }

    static void DeclareProperties(TPropertyList& p);

private:
    enum TAiKind { aiName, aiValues, aiCategory, aiValues2, aiCount };
    TFormulaHandler* Handler() const;
    TChartRecord& Ai(TAiKind kind) const;
    std::u16string Formula(TAiKind kind) const;
    void SetFormula(TAiKind kind, const std::u16string& text);
    void SetNameText(std::u16string text);

    TChartRecord* series_ = nullptr;
    int ai_[aiCount] = {-1, -1, -1, -1};
    std::unique_ptr<TDataPoint> defDataPoint_;
    std::unique_ptr<TDataPoints> dataPoints_;
    TChartRecord* barShape_ = nullptr;
};

class TXLSChartSeries : public TCollection {
    Q4_CLASS(TXLSChartSeries, TCollection)
public:
    TXLSChartSeries(TPersistent* chart, TFormulaHandler* handler, int sheetIndex = 0)
        : TCollection(TXLSChartSerie::StaticClass(), chart), Handler(handler),
          SheetIndex(sheetIndex) {}
    TXLSChartSerie* Add() { return static_cast<TXLSChartSerie*>(TCollection::Add()); }
    TXLSChartSerie* Items(int index) const { return Item<TXLSChartSerie>(index); }

    TFormulaHandler* Handler;
    // The sheet a series name formula is calculated on: the one SheetIndexOf points to (a
    // sheet's charts, which keep it current) when set, else SheetIndex.
    int SheetIndex;
    const int* SheetIndexOf = nullptr;
    int CalcSheet() const { return SheetIndexOf ? *SheetIndexOf : SheetIndex; }
};

// A text of a chart (a title or a label) and its position, link and AI records.
class TChartLabel : public TCollectionItem {
    Q4_CLASS(TChartLabel, TCollectionItem)
public:
    explicit TChartLabel(TCollection* collection) : TCollectionItem(collection) {}
    // `text` is a TEXT record.
    void AttachRecords(TChartRecord* text);

    TChartRecord* Text = nullptr;
    TChartRecord* SeriesText = nullptr;
    TChartRecord* ObjectLink = nullptr;
    TChartRecord* Pos = nullptr;
    TChartRecord* Ai = nullptr;
};

class TChartLabels : public TCollection {
    Q4_CLASS(TChartLabels, TCollection)
public:
    explicit TChartLabels(TPersistent* chart) : TCollection(TChartLabel::StaticClass(), chart) {}
    TChartLabel* Add() { return static_cast<TChartLabel*>(TCollection::Add()); }
    TChartLabel* Items(int index) const { return Item<TChartLabel>(index); }
};

// The text of a SERIESTEXT body (16-bit zero, count, flag 1 for 16-bit characters, the
// characters), and a body for a text.
std::u16string SeriesTextOf(const std::vector<uint8_t>& body);
std::vector<uint8_t> SeriesTextBody(const std::u16string& text);
