// The axis panel's rules about axes: which axes are shown, the automatic extremes of an axis
// from the series bound to it (paging included), and the depth of the 3D view.

#include "chart/axispanel/AxisPanel.h"

#include "chart/draw/DrawRoutines.h"

#include <algorithm>
#include <cmath>

// ---- which axes are shown -----------------------------------------------------------------------

bool TCustomAxisPanel::AxisBoundToSeries(TChartAxis* axis, bool answerWithoutSeries) const {
    bool anyActive = false;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if (!series->Active())
            continue;
        anyActive = true;
        if (!series->HasAxes())
            return false;
        if (series->UsesAxis(axis))
            return true;
    }
    return anyActive ? false : answerWithoutSeries;
}

bool TCustomAxisPanel::AxisShownRule(TChartAxis* axis) const {
    if (!axisVisible_ || !axis->Visible())
        return false;
    if (axis->IsDepthAxis())
        return View3D();
    return AxisBoundToSeries(axis, true);
}

bool TCustomAxisPanel::AxisWithoutActiveSeries(TChartAxis* axis) const {
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if (series->Active() && series->UsesAxis(axis))
            return false;
    }
    return true;
}

TChartSeries* TCustomAxisPanel::FirstSeriesOnAxis(TChartAxis* axis) const {
    const bool takeInactive = AxisWithoutActiveSeries(axis);
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if ((series->Active() || takeInactive) && series->UsesAxis(axis))
            return series;
    }
    return nullptr;
}

TChartSeries* TCustomAxisPanel::FullestSeriesOnAxis(TChartAxis* axis) const {
    const bool takeInactive = AxisWithoutActiveSeries(axis);
    TChartSeries* fullest = nullptr;
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if ((series->Active() || takeInactive) && series->UsesAxis(axis) &&
            (fullest == nullptr || series->Count() > fullest->Count()))
            fullest = series;
    }
    return fullest;
}

// ---- automatic extremes -------------------------------------------------------------------------

namespace {

// Keeps the smallest (or largest) of the values combined; the first replaces the start value 0.
class TExtreme {
public:
    explicit TExtreme(bool minimum) : minimum_(minimum) {}
    void Combine(double value) {
        if (first_ || (minimum_ ? value < result_ : value > result_))
            result_ = value;
        first_ = false;
    }
    double Result() const { return result_; }

private:
    bool minimum_;
    bool first_ = true;
    double result_ = 0;
};

bool BoundInDimension(TChartSeries* series, TChartAxis* axis, bool xValues) {
    if (xValues)
        return series->HorizAxis() == aBothHorizAxis || series->GetHorizAxis() == axis;
    return series->VertAxis() == aBothVertAxis || series->GetVertAxis() == axis;
}

} // namespace

double TCustomAxisPanel::CalcAxisExtreme(TChartAxis* axis, bool minimum, bool xValues) {
    CheckThread();
    TExtreme extreme(minimum);
    if (axis->IsDepthAxis()) {
        if (axis->EffectiveLabelStyle() != talValue)
            return minimum ? -0.5 : maxDepthOrder_ + 0.5;
        for (int i = 0; i < SeriesCount(); ++i) {
            TChartSeries* series = SeriesAt(i);
            if (series->Active())
                extreme.Combine(minimum ? series->LowestZ() : series->HighestZ());
        }
        return extreme.Result();
    }
    TChartSeries* first = FirstSeriesOnAxis(axis);
    const bool isXDimension = ((first == nullptr || first->YMandatory()) && xValues) ||
                              (first != nullptr && !first->YMandatory() && !xValues);
    if (pages_->Paging() && isXDimension)
        return PagedExtreme(axis, minimum, xValues);
    const bool takeInactive = AxisWithoutActiveSeries(axis);
    for (int i = 0; i < SeriesCount(); ++i) {
        TChartSeries* series = SeriesAt(i);
        if ((!series->Active() && !takeInactive) || series->Count() == 0 ||
            !BoundInDimension(series, axis, xValues))
            continue;
        if (pages_->Paging() && pages_->AutoScale()) {
            const int from = pages_->FirstValueIndex();
            if (from >= series->Count())
                continue;
            const int to = std::min(from + pages_->MaxPointsPerPage(), series->Count()) - 1;
            TChartValueList* list = xValues ? series->XValues() : series->YValues();
            for (int j = from; j <= to; ++j)
                extreme.Combine(list->ValueAt(j));
        } else {
            extreme.Combine(SeriesExtreme(series, minimum, xValues));
        }
    }
    return extreme.Result();
}

double TCustomAxisPanel::SeriesExtreme(TChartSeries* series, bool minimum, bool xValues) {
    if (xValues)
        return minimum ? series->LowestX() : series->HighestX();
    return minimum ? series->LowestY() : series->HighestY();
}

double TCustomAxisPanel::PagedExtreme(TChartAxis* axis, bool minimum, bool xValues) {
    TChartSeries* series = FullestSeriesOnAxis(axis);
    if (series == nullptr || series->Count() == 0)
        return 0;
    int first = 0, last = 0;
    series->PageRange(first, last);
    // A page past the series' points holds nothing: as no points.
    if (first < 0 || last < first || last >= series->Count())
        return 0;
    TChartValueList* list = xValues ? series->XValues() : series->YValues();
    if (minimum)
        return list->ValueAt(first);
    const double low = list->ValueAt(first);
    const double high = list->ValueAt(last);
    const int n = last - first + 1;
    const int perPage = pages_->MaxPointsPerPage();
    if (pages_->ScaleLastPage() || n >= perPage)
        return high;
    // The last, shorter page scaled as if it were full.
    if (high == low)
        return low + static_cast<double>(perPage) / n;
    return low + perPage * (high - low) / n;
}

// ---- depth --------------------------------------------------------------------------------------

void TCustomAxisPanel::ComputeDepthSizes() {
    if (!View3D()) {
        depth3DX_ = depth3DY_ = seriesDepth3DX_ = seriesDepth3DY_ = 0;
        return;
    }
    TView3DOptions* options = View3DOptions();
    double f = chart3DPercent_ * 0.001;
    if (!options->Orthogonal())
        f *= 2;
    seriesDepth3DX_ = RoundEven(PlotWidth() * f);
    const double r = options->OrthoRatio();
    if (r > 1)
        seriesDepth3DX_ = RoundEven(seriesDepth3DX_ / r);
    seriesDepth3DY_ = RoundEven(seriesDepth3DX_ * r);
    const int slots = OwnDepthPerSeries() ? std::max(1, maxDepthOrder_ + 1) : 1;
    depth3DX_ = slots * seriesDepth3DX_;
    depth3DY_ = slots * seriesDepth3DY_;
}

void TCustomAxisPanel::UpdateRotationInverted() {
    TView3DOptions* options = View3DOptions();
    rotationInverted_ = View3D() && ((options->Orthogonal() && options->OrthoAngle() > 90) ||
                                     (!options->Orthogonal() && options->Rotation() < 180));
}

bool TCustomAxisPanel::PlaneFacesAway(int z) {
    TCanvas3D* canvas = DrawCanvas();
    if (canvas->RendersTrue3D())
        return false;
    const std::vector<TPoint> corners = canvas->ProjectCorners(PlotRect(), z);
    return !IsBackFacing(corners.at(0), corners.at(1), corners.at(2));
}

// ---- ranges -------------------------------------------------------------------------------------

void TCustomAxisPanel::AxisRangeSet(TChartAxis*) {
    // Custom axes have no master axis to follow yet; only the thread is checked.
    CheckThread();
}
