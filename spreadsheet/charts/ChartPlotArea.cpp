#include "spreadsheet/charts/ChartPlotArea.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "spreadsheet/drawing/ChartRecords.h"

void TChartStyle::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    DefaultDataPoint.reset();
    if (!record)
        return;
    Chart3D.AttachRecords(FindChild(record, crCHART3D));
    Legend.AttachRecords(FindChild(record, crLEGEND));
    for (const auto& child : record->Children)
        // A chart group's default data point names a series above 0xF000 (0xFFFD).
        if (child->Id == crDATAFORMAT && child->Word(2) > 0xF000) {
            DefaultDataPoint = std::make_unique<TDataPoint>();
            DefaultDataPoint->AttachRecords(child.get());
            break;
        }
}

namespace {

std::unique_ptr<TChartStyle> NewStyle(uint16_t id) {
    switch (id) {
    case crBAR:
        return std::make_unique<TChartStyleBarColumn>();
    case crLINE:
        return std::make_unique<TChartStyleLine>();
    case crPIE:
        return std::make_unique<TChartStylePie>();
    case crAREA:
        return std::make_unique<TChartStyleArea>();
    case crSCATTER:
        return std::make_unique<TChartStyleScatter>();
    case crRADAR:
        return std::make_unique<TChartStyleRadar>();
    case crSURFACE:
        return std::make_unique<TChartStyleSurface>();
    case crRADARAREA:
        return std::make_unique<TChartStyleRadarArea>();
    case crBOPPOP:
        return std::make_unique<TChartStyleBopPop>();
    default:
        throw Exception(Format("Unknown chart style %.4X", {int(id)}));
    }
}

} // namespace

void TChartPlotArea::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    if (!record)
        return;
    for (const auto& child : record->Children) {
        switch (child->Id) {
        case crCHARTFORMAT:
            if (child->Children.empty())
                throw Exception("Chart style record is missing");
            Style = NewStyle(child->Children.front()->Id);
            Style->AttachRecords(child.get());
            break;
        case crAXIS:
            switch (child->Word(0)) {
            case 0:
                CategoryAxis.AttachRecords(child.get());
                break;
            case 1:
                ValueAxis.AttachRecords(child.get());
                break;
            case 2:
                SerieAxis.AttachRecords(child.get());
                break;
            default:
                throw Exception(Format("Unknown axis type %d", {int(child->Word(0))}));
            }
            break;
        case crFRAME:
            PaintFrame.AttachRecords(child.get());
            break;
        default:
            break;
        }
    }
}
