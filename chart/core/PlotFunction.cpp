#include "chart/core/PlotFunction.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartMessages.h"
#include "chart/util/DateSteps.h"

#include <cmath>

TPlotFunction::TPlotFunction(TComponent* owner) : TComponent(owner) {}

TPlotFunction::~TPlotFunction() {
    if (parent_ != nullptr)
        parent_->ForgetFunction(this);
}

void TPlotFunction::DeclareProperties(TPropertyList& p) {
    using F = TPlotFunction;
    p.Add("Period", &F::Period, &F::SetPeriod);
    p.Add("PeriodAlign", &F::PeriodAlign, &F::SetPeriodAlign).Default(paCenter);
    p.Add("PeriodStyle", &F::PeriodStyle, &F::SetPeriodStyle).Default(psNumPoints);
}

void TPlotFunction::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TPlotFunction*>(source)) {
        period_ = other->period_;
        periodStyle_ = other->periodStyle_;
        periodAlign_ = other->periodAlign_;
        return;
    }
    TComponent::Assign(source);
}

void TPlotFunction::SetPeriod(double value) {
    // NaN is refused with the negative values: it is not ">= 0" either.
    if (!(value >= 0))
        throw ChartException(ChartMsg(msgFunctionPeriod));
    if (value == period_)
        return;
    period_ = value;
    Recompute();
}

void TPlotFunction::SetPeriodStyle(TFunctionPeriodStyle value) {
    if (value == periodStyle_)
        return;
    periodStyle_ = value;
    Recompute();
}

void TPlotFunction::SetPeriodAlign(TFunctionPeriodAlign value) {
    if (value == periodAlign_)
        return;
    periodAlign_ = value;
    Recompute();
}

void TPlotFunction::AttachTo(TChartSeries* series) {
    if (series == parent_)
        return;
    if (parent_ != nullptr)
        parent_->ForgetFunction(this);
    if (series != nullptr)
        series->SetFunction(this);
}

TComponent* TPlotFunction::GetParentComponent() const {
    return parent_;
}

void TPlotFunction::SetParentComponent(TComponent* parent) {
    if (auto* series = dynamic_cast<TChartSeries*>(parent))
        AttachTo(series);
}

void TPlotFunction::FinishUpdate() {
    if (!updating_)
        return;
    updating_ = false;
    Recompute();
}

void TPlotFunction::Recompute() {
    if (!updating_ && parent_ != nullptr)
        parent_->ReloadFromSource();
}

void TPlotFunction::AddResultPoint(bool sourceYMandatory, double value, double position) {
    if (parent_ == nullptr)
        return;
    if (sourceYMandatory)
        parent_->AddXYValue(position, value, {}, clDefault);
    else
        parent_->AddXYValue(value, position, {}, clDefault);
}

void TPlotFunction::AddPointsFrom(TChartSeries* source) {
    if (updating_ || source == nullptr || parent_ == nullptr)
        return;
    if (parent_->DataSources().Count() > 1)
        ComputeAcrossSources(source);
    else if (source->Count() > 0)
        ComputeFrom(source, *source->NotMandatoryValueList());
}

void TPlotFunction::ComputeAcrossSources(TChartSeries* source) {
    const TDataSourcesList& sources = parent_->DataSources();
    TChartSeries* leader = source;
    for (int i = 0; i < sources.Count(); ++i) {
        auto* series = dynamic_cast<TChartSeries*>(sources[i]);
        if (series != nullptr && series->Count() > leader->Count())
            leader = series;
    }
    const TChartValueList& positions = *leader->NotMandatoryValueList();
    for (int i = 0; i < leader->Count(); ++i) {
        const double value = ComputeAcross(sources, i);
        const double position = positions.ValueAt(i);
        if (leader->YMandatory())
            parent_->AddXYValue(position, value, leader->XLabel(i), clDefault);
        else
            parent_->AddXYValue(value, position, leader->XLabel(i), clDefault);
    }
}

void TPlotFunction::ComputePeriodPoint(TChartSeries* source, int first, int last, double position) {
    AddResultPoint(source->YMandatory(), ComputeValue(source, first, last), position);
}

void TPlotFunction::ComputeWhole(TChartSeries* source, TChartValueList& positions) {
    if (parent_ == nullptr)
        return;
    const double value = ComputeValue(source, -1, -1);
    if (parent_->AllowSinglePoint()) {
        const double middle = positions.Lowest() + positions.Spread() / 2;
        if (parent_->YMandatory())
            parent_->AddXYValue(middle, value, {}, clDefault);
        else
            parent_->AddXYValue(value, middle, {}, clDefault);
    } else {
        AddResultPoint(source->YMandatory(), value, positions.Lowest());
        AddResultPoint(source->YMandatory(), value, positions.Highest());
    }
}

double TPlotFunction::AlignedPosition(double first, double last) const {
    switch (periodAlign_) {
    case paFirst:
        return first;
    case paLast:
        return last;
    default:
        return (first + last) / 2;
    }
}

double TPlotFunction::NextBoundary(double b) const {
    TChartAxis* axis = parent_ != nullptr ? parent_->GetHorizAxis() : nullptr;
    const TDateStepKind step = DateStepOf(period_);
    if (axis == nullptr || !axis->ExactDateTime() || !axis->IsDateTime() || step < dtHalfMonth ||
        step == dtNone)
        return b + period_;
    if (step != dtHalfMonth) {
        TDateTime value = b;
        StepDateTime(true, true, value, step, period_);
        return value;
    }
    // Half months run from the 1st to the 15th and from the 15th to the next 1st.
    int year, month, day;
    DecodeDate(b, year, month, day);
    if (day < 15)
        return EncodeDate(year, month, 15);
    return month == 12 ? EncodeDate(year + 1, 1, 1) : EncodeDate(year, month + 1, 1);
}

void TPlotFunction::ComputeByPeriods(TChartSeries* source, TChartValueList& positions) {
    const int n = std::min(source->Count(), positions.Count());
    if (n == 0)
        return;
    int start = 0;
    if (periodStyle_ == psNumPoints) {
        // A period below one point counts as one point.
        const double rounded = std::nearbyint(period_);
        const int size = rounded < 1 ? 1 : (rounded > n ? n + 1 : static_cast<int>(rounded));
        // A final group shorter than the period adds nothing.
        for (int last = size - 1; last < n; start = last + 1, last = start + size - 1)
            ComputePeriodPoint(source, start, last,
                               AlignedPosition(positions.ValueAt(start), positions.ValueAt(last)));
        return;
    }
    if (positions.Spread() / period_ > MaxRangePeriods)
        return;
    double b = positions.ValueAt(0);
    while (start <= n - 1) {
        const double periodStart = b;
        const double next = NextBoundary(b);
        // A period too small to move the boundary ends the periods.
        if (!(next > b) || !std::isfinite(next))
            break;
        b = next;
        int last = start;
        while (last < n - 1 && positions.ValueAt(last + 1) < b)
            ++last;
        const double position = AlignedPosition(periodStart, b - period_ / 1000);
        if (positions.ValueAt(start) < b) {
            ComputePeriodPoint(source, start, last, position);
            start = last + 1;
        } else {
            AddResultPoint(source->YMandatory(), 0, position);
        }
    }
}

void TPlotFunction::ComputeFrom(TChartSeries* source, TChartValueList& positions) {
    if (period_ != 0)
        ComputeByPeriods(source, positions);
    else
        ComputeWhole(source, positions);
}

void TPlotFunction::SetupForGallery(TChartHost* chart) {
    if (chart == nullptr)
        return;
    for (int i = 0; i < chart->SeriesCount(); ++i)
        chart->SeriesAt(i)->PrepareForGallery(true);
}

double TPlotFunction::ComputeValue(TChartSeries*, int, int) {
    return 0;
}

double TPlotFunction::ComputeAcross(const TDataSourcesList&, int) {
    return 0;
}
