#include "spreadsheet/charts/DataPoint.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/drawing/ChartRecords.h"

void TDataPoint::AttachRecords(TChartRecord* record) {
    TRecordObject::AttachRecords(record);
    if (!record || record->Children.empty())
        throw Exception("DATAFORMAT has no child records");
    LineFormat.AttachRecords(FindChild(record, crLINEFORMAT));
    AreaFormat.AttachRecords(FindChild(record, crAREAFORMAT));
    MarkerFormat.AttachRecords(FindChild(record, crMARKERFORMAT));
    PieFormat = FindChild(record, crPIEFORMAT);
    AttachedLabel = FindChild(record, crATTACHEDLABEL);
}

TDataPoint* TDataPoints::Add() {
    items_.push_back(std::make_unique<TDataPoint>());
    return items_.back().get();
}
