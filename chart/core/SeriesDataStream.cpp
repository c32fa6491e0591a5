// What a series stores with a form beyond its published properties: its points ("Data") and
// its custom axes ("CustomHorizAxis", "CustomVertAxis", each the axis' index in the chart's
// custom-axes collection). Members of TChartSeries.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesDataBlock.h"
#include "platform/classes/Reader.h"
#include "platform/classes/Writer.h"

namespace {

// The axis' place in its collection; -1 when it belongs to none.
int CustomAxisIndex(const TChartAxis* axis) {
    return axis != nullptr && axis->Collection() != nullptr ? axis->Index() : -1;
}

// The chart's custom axis at index; none without a chart or for an index outside the
// collection (a description may name an axis that is no longer there).
TChartAxis* CustomAxisAt(TChartHost* chart, int index) {
    TChartCustomAxes* axes = chart != nullptr ? chart->CustomAxes() : nullptr;
    if (axes == nullptr || index < 0 || index >= axes->Count())
        return nullptr;
    return dynamic_cast<TChartAxis*>(axes->Items(index));
}

// One custom axis, stored by its index; set takes the axis read.
void DefineCustomAxis(TFiler* filer, const char* name, TChartSeries* series,
                      const TChartAxis* current, void (TChartSeries::*set)(TChartAxis*)) {
    const int index = CustomAxisIndex(current);
    filer->DefineProperty(
        name,
        [series, set](TReader* reader) {
            if (TChartAxis* axis = CustomAxisAt(series->ParentChart(), reader->ReadInteger()))
                (series->*set)(axis);
        },
        [index](TWriter* writer) { writer->WriteInteger(index); }, index >= 0);
}

} // namespace

void TChartSeries::DefinePointData(TFiler* filer) {
    filer->DefineBinaryProperty(
        "Data", [this](TStream& stream) { TSeriesDataBlock::Read(*this, stream); },
        [this](TStream& stream) { TSeriesDataBlock::Write(*this, stream); }, StoresPointData());
}

void TChartSeries::DefineCustomAxes(TFiler* filer) {
    DefineCustomAxis(filer, "CustomHorizAxis", this, customHorizAxis_,
                     &TChartSeries::SetCustomHorizAxis);
    DefineCustomAxis(filer, "CustomVertAxis", this, customVertAxis_,
                     &TChartSeries::SetCustomVertAxis);
}
