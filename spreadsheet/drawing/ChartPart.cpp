#include "spreadsheet/drawing/ChartPart.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/EscherDrawing.h"

TShapeOutsideMsoChart::TShapeOutsideMsoChart(TEscherGroup* group, TXFonts* fonts)
    : Root(TChartRecord::NewRoot(this)), Group(group), Fonts(fonts) {
    ObjectKind = okChart;
    if (Fonts)
        Fonts->AddUser(this);
}

TShapeOutsideMsoChart::~TShapeOutsideMsoChart() {
    // The records give back the fonts they count once this part no longer holds on to them.
    if (Fonts)
        Fonts->RemoveUser(this);
    Root.reset();
}

std::unique_ptr<TShapeOutsideMso> TShapeOutsideMsoChart::AssignObject() const {
    throw Exception("Chart Assign not implemented");
}

int TShapeOutsideMsoChart::ReadObject(TDrawingReader& reader) {
    ReadChartRecords(*Root, reader.Stream());
    return 0;
}

void TShapeOutsideMsoChart::WriteObject(TBIFFStream& stream) const {
    WriteChartRecords(*Root, stream);
}

TEscherDrawing& TShapeOutsideMsoChart::NewChartDrawing() {
    Drawing = std::make_unique<TEscherDrawing>(Group, nullptr, nullptr);
    return *Drawing;
}

bool TShapeOutsideMsoChart::UsesFont(int index) const {
    return ChartTreeUsesFont(*Root, index);
}
