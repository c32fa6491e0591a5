#pragma once
// The object part of a chart shape: the chart's records from its BOF to its EOF record, which
// follow the shape's OBJ record, held as a record tree, and the chart's own embedded drawing.
// While it exists it tells the workbook's font list which fonts its records name, so that no
// font a chart refers to goes away under it.

#include "spreadsheet/drawing/ChartRecords.h"
#include "spreadsheet/drawing/Shape.h"
#include "spreadsheet/formats/XFont.h"

#include <memory>

class TEscherGroup;

class TShapeOutsideMsoChart : public TShapeOutsideMso, public TChartRecordOwner, public TXFontUser {
public:
    TShapeOutsideMsoChart(TEscherGroup* group, TXFonts* fonts);
    ~TShapeOutsideMsoChart() override;

    // Raises "Chart Assign not implemented".
    std::unique_ptr<TShapeOutsideMso> AssignObject() const override;
    int ReadObject(TDrawingReader& reader) override;
    void WriteObject(TBIFFStream& stream) const override;

    TEscherDrawing& NewChartDrawing() override;
    const TEscherDrawing* ChartDrawing() const override { return Drawing.get(); }
    TXFonts* ChartFonts() const override { return Fonts; }

    bool UsesFont(int index) const override;
    void FontDeleted(int) override {}

    // Its children are the chart's records.
    std::unique_ptr<TChartRecord> Root;
    std::unique_ptr<TEscherDrawing> Drawing;
    TEscherGroup* Group;
    TXFonts* Fonts;
};
