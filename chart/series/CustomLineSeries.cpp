#include "chart/series/CustomLineSeries.h"

TCustomLineSeries::TCustomLineSeries(TComponent* owner) : TChartSeries(owner) {}

void TCustomLineSeries::DeclareProperties(TPropertyList& p) {
    using S = TCustomLineSeries;
    p.Add("LinePen", &S::LinePen, &S::SetLinePen);
    p.Add("TreatNulls", &S::TreatNulls, &S::SetTreatNulls).Default(tnDontPaint);
}

void TCustomLineSeries::Assign(TPersistent* source) {
    if (auto* line = dynamic_cast<TCustomLineSeries*>(source))
        treatNulls_ = line->treatNulls_;
    TChartSeries::Assign(source);
}
