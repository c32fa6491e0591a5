#pragma once
// Data points of a chart series: the records under a series' DATAFORMAT record (line, area
// and marker formats, the pie format and the attached label).

#include "spreadsheet/charts/RecordObjects.h"

#include <memory>
#include <vector>

class TXLSChartSerie;

class TDataPoint : public xlschart::TRecordObject {
    Q4_CLASS(TDataPoint, xlschart::TRecordObject)
public:
    // `record` is a DATAFORMAT record; raises "DATAFORMAT has no child records" when it has
    // none.
    void AttachRecords(TChartRecord* record) override;

    xlschart::TLineFormat LineFormat;
    xlschart::TAreaFormat AreaFormat;
    xlschart::TMarkerFormat MarkerFormat;
    TChartRecord* PieFormat = nullptr;
    TChartRecord* AttachedLabel = nullptr;
};

class TDataPoints : public TPersistent {
    Q4_CLASS(TDataPoints, TPersistent)
public:
    explicit TDataPoints(TXLSChartSerie* serie = nullptr) : Serie(serie) {}
    int Count() const { return static_cast<int>(items_.size()); }
    TDataPoint* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TDataPoint* Add();
    void Clear() { items_.clear(); }

    TXLSChartSerie* Serie;

private:
    std::vector<std::unique_ptr<TDataPoint>> items_;
};
