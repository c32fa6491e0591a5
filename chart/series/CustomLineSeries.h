#pragma once
// The base of every series that joins its points with a line: what a null point (one whose
// colour is clNone) does to the line, and the line's pen, which is the element's own pen.

#include "chart/core/ChartSeries.h"

// tnDontPaint breaks the line at a null point; tnSkip joins its neighbours; tnIgnore draws it
// at its stored value.
Q4_ENUM(TTreatNullsStyle, tnDontPaint, tnSkip, tnIgnore);

class TCustomLineSeries : public TChartSeries {
    Q4_CLASS(TCustomLineSeries, TChartSeries)

    explicit TCustomLineSeries(TComponent* owner);
    static void DeclareProperties(TPropertyList& p);
    // Copies TreatNulls from another line series, then the series settings.
    void Assign(TPersistent* source) override;

    TTreatNullsStyle TreatNulls() const { return treatNulls_; }
    void SetTreatNulls(TTreatNullsStyle value) { SetField(treatNulls_, value); }
    TChartPen* LinePen() const { return Pen(); }
    void SetLinePen(TChartPen* value) { Pen()->Assign(value); }

private:
    TTreatNullsStyle treatNulls_ = tnDontPaint;
};
