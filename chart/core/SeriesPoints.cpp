// The point operations of a series: adding with the X order kept and every parallel list (value
// lists, colours, labels, mark positions) in step, deleting, swapping and sorting, point
// colours, batches, the visible and paging ranges, and sample data.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/core/PlotFunction.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/ChartMessages.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace {

// The library's default palette, for series without a chart. (The chart utilities will offer
// the same table; this copy stays private to the series until then.)
constexpr TColor DefaultPalette[] = {0x0000FF, 0x008000, 0x00FFFF, 0xFF0000, 0xFFFFFF,
                                     0x808080, 0xFF00FF, 0x808000, 0x800000, 0x000080,
                                     0x00FF00, 0x008080, 0x800080, 0xC0C0C0, 0xFFFF00,
                                     0x000000, 0xC0DCC0, 0xF0CAA6, 0xF0FBFF, 0xA4A0A0};
constexpr int DefaultPaletteSize = sizeof(DefaultPalette) / sizeof(DefaultPalette[0]);

// Sample data only: any sequence will do, but it is reseeded for each fill.
std::mt19937& SampleRandom() {
    thread_local std::mt19937 generator(7774444);
    return generator;
}

int Random(int n) {
    return std::uniform_int_distribution<int>(0, n - 1)(SampleRandom());
}

} // namespace

void TChartSeries::CheckPointIndex(int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
}

// ---- adding -------------------------------------------------------------------------------------

void TChartSeries::InsertPointColor(int index, TColor color) {
    if (!colors_) {
        if (color == clDefault)
            return; // a series without colours of its own carries no colour storage
        colors_.emplace(static_cast<size_t>(Count() - 1), clDefault);
    }
    auto& colors = *colors_;
    if (index > static_cast<int>(colors.size()))
        colors.resize(static_cast<size_t>(index), clDefault);
    colors.insert(colors.begin() + index, color);
}

int TChartSeries::AddXYValue(double x, double y, const std::string& label, TColor color) {
    xValues_->SetTempValue(x);
    yValues_->SetTempValue(y);
    if (OnBeforeAdd && !OnBeforeAdd(this))
        return -1;
    const int index = xValues_->InsertTempValue();
    yValues_->InsertValueAt(index, yValues_->TempValue());
    for (int i = 2; i < valueLists_.Count(); ++i)
        valueLists_[i]->InsertValueAt(index, valueLists_[i]->TempValue());
    InsertPointColor(index, color);
    if (!label.empty() || !labels_.Empty())
        labels_.Insert(index, label);
    if (updateDepth_ == 0)
        PointAdded(this, index);
    return index;
}

int TChartSeries::AddValue(double value, const std::string& label, TColor color) {
    if (yMandatory_)
        return AddXYValue(Count(), value, label, color);
    return AddXYValue(value, yValues_->Count(), label, color);
}

int TChartSeries::AddNullValue(const std::string& label) {
    return AddValue(defaultNullValue_, label, clNone);
}

int TChartSeries::AddNullPoint(double x, double y, const std::string& label) {
    return AddXYValue(x, y, label, clNone);
}

int TChartSeries::CopyValuesFrom(TChartSeries* source, int index) {
    source->CheckPointIndex(index);
    double x = source->xValues_->ValueAt(index);
    double y = source->yValues_->ValueAt(index);
    if (source->yMandatory_ != yMandatory_)
        std::swap(x, y);
    const int result = xValues_->AppendValue(x);
    yValues_->InsertValueAt(result, y);
    for (int i = 2; i < valueLists_.Count(); ++i) {
        const double v =
            i < source->valueLists_.Count() ? source->valueLists_[i]->ValueAt(index) : 0;
        valueLists_[i]->InsertValueAt(result, v);
    }
    return result;
}

// The colour and label follow AddXYValue's rules, so that a series that already has colours or
// labels keeps them in step with its points whatever the source holds.
void TChartSeries::CopyPointFrom(TChartSeries* source, int index) {
    const int result = CopyValuesFrom(source, index);
    InsertPointColor(result, source->OwnPointColor(index));
    const std::string& label = source->labels_.Get(index);
    if (!label.empty() || !labels_.Empty())
        labels_.Insert(result, label);
    if (updateDepth_ == 0)
        PointAdded(this, result);
}

void TChartSeries::PointAdded(TChartSeries* sender, int index) {
    if (OnAfterAdd && !ComponentState().Contains(csDestroying))
        OnAfterAdd(sender, index);
    NotifyLinked(lePointAdded, index);
    if (Active())
        Repaint();
}

// ---- removing and reordering --------------------------------------------------------------------

void TChartSeries::ClearPointLists() {
    for (int i = 0; i < valueLists_.Count(); ++i)
        valueLists_[i]->RemoveAll();
    colors_.reset();
    labels_.Clear();
    if (markPoints_) {
        markPoints_->ClearPositions();
        markPoints_->ClearItems();
    }
}

void TChartSeries::ClearValues() {
    firstVisible_ = lastVisible_ = -1;
    ClearPointLists();
    if (function_ != nullptr)
        function_->ClearState();
    // A series being destroyed no longer calls its user's code, but its linked series still hear.
    if (OnClearValues && !ComponentState().Contains(csDestroying))
        OnClearValues(this);
    NotifyLinked(leCleared, 0);
    if (Active() && ParentChart() && !ParentChart()->ChartDestroying())
        Repaint();
}

void TChartSeries::DeletePoint(int index) {
    if (index < 0 || index >= Count())
        throw ChartException(Format(ChartMsg(msgSeriesDelete), {index, Count() - 1}));
    for (int i = 0; i < valueLists_.Count(); ++i)
        valueLists_[i]->DeleteValue(index);
    if (colors_ && index < static_cast<int>(colors_->size()))
        colors_->erase(colors_->begin() + index);
    labels_.Delete(index);
    if (markPoints_)
        markPoints_->DeletePoint(index);
    NotifyLinked(lePointsDeleted, index);
    if (Active())
        Repaint();
}

void TChartSeries::DeletePointColors(int first, int count) {
    if (!colors_)
        return;
    auto& colors = *colors_;
    const int last = std::min(static_cast<int>(colors.size()), first + count);
    if (first < last)
        colors.erase(colors.begin() + first, colors.begin() + last);
    if (colors.empty())
        colors_.reset();
}

void TChartSeries::DeletePoints(int start, int count, bool renumber) {
    if (start < 0)
        throw EChartIndexError(start, Count());
    if (start >= Count() || count <= 0)
        return;
    count = std::min(count, Count() - start);
    for (int i = 0; i < valueLists_.Count(); ++i)
        valueLists_[i]->DeleteRange(start, count);
    DeletePointColors(start, count);
    labels_.DeleteRange(start, count);
    // Only the positions go: custom mark items stay where they are, as DeletePoint does not do.
    // Removing them too would keep custom mark texts on their points; left as it was designed.
    if (markPoints_)
        markPoints_->DeletePositions(start, count);
    NotifyLinked(lePointsDeleted, -1);
    if (Active())
        Repaint();
    if (renumber)
        notMandatory_->FillIndexSequence();
}

void TChartSeries::SwapPoints(int a, int b) {
    CheckPointIndex(a);
    CheckPointIndex(b);
    for (int i = 0; i < valueLists_.Count(); ++i)
        valueLists_[i]->SwapValues(a, b);
    if (colors_) {
        auto& colors = *colors_;
        if (std::max(a, b) >= static_cast<int>(colors.size()))
            colors.resize(static_cast<size_t>(std::max(a, b)) + 1, clDefault);
        std::swap(colors[static_cast<size_t>(a)], colors[static_cast<size_t>(b)]);
    }
    if (!labels_.Empty())
        labels_.Exchange(a, b);
}

void TChartSeries::ApplyValueOrder() {
    if (mandatory_->Order() != loNone)
        mandatory_->SortByOrder();
    if (notMandatory_->ValueSource().empty())
        notMandatory_->FillIndexSequence();
    Repaint();
}

// ---- colours ------------------------------------------------------------------------------------

TColor TChartSeries::OwnPointColor(int index) const {
    if (colors_ && index >= 0 && index < static_cast<int>(colors_->size()))
        return (*colors_)[static_cast<size_t>(index)];
    return clDefault;
}

TColor TChartSeries::PointColor(int index) const {
    const TColor own = OwnPointColor(index);
    if (own != clDefault)
        return own;
    if (!colorEachPoint_)
        return SeriesColor();
    if (ParentChart())
        return ParentChart()->PaletteColor(index);
    return DefaultPalette[((index % DefaultPaletteSize) + DefaultPaletteSize) % DefaultPaletteSize];
}

void TChartSeries::SetPointColor(int index, TColor color) {
    CheckPointIndex(index);
    if (!colors_) {
        if (color == clDefault)
            return;
        colors_.emplace(static_cast<size_t>(Count()), clDefault);
    }
    if (index >= static_cast<int>(colors_->size()))
        colors_->resize(static_cast<size_t>(index) + 1, clDefault);
    (*colors_)[static_cast<size_t>(index)] = color;
    Repaint();
}

void TChartSeries::SetXLabel(int index, const std::string& label) {
    CheckPointIndex(index);
    labels_.Put(index, label);
    Repaint();
}

// ---- batches ------------------------------------------------------------------------------------

void TChartSeries::EndUpdate() {
    if (updateDepth_ == 0)
        return;
    if (--updateDepth_ > 0)
        return;
    NotifyLinked(leReloaded, 0);
    if (ParentChart())
        ParentChart()->NotifySeries(this, sekDataChanged);
    if (Active())
        Repaint();
}

// ---- visible and paging ranges ------------------------------------------------------------------

void TChartSeries::VisibleEdgeValues(double& low, double& high) const {
    const TRect r = ParentChart()->ChartRect();
    TChartAxis* axis = yMandatory_ ? horizAxisBound_ : vertAxisBound_;
    const bool offsets = axis->MinimumOffset() != 0 || axis->MaximumOffset() != 0;
    int lowPixel, highPixel;
    if (yMandatory_) {
        lowPixel = axis->Inverted() ? r.Right : r.Left;
        highPixel = axis->Inverted() ? r.Left : r.Right;
        if (offsets) {
            lowPixel += axis->MinimumOffset();
            highPixel -= axis->MaximumOffset();
        }
    } else {
        lowPixel = axis->Inverted() ? r.Top : r.Bottom;
        highPixel = axis->Inverted() ? r.Bottom : r.Top;
        if (offsets) {
            lowPixel -= axis->MaximumOffset();
            highPixel += axis->MinimumOffset();
        }
    }
    low = axis->PixelToValue(lowPixel);
    high = axis->PixelToValue(highPixel);
}

void TChartSeries::UpdateVisibleRange() {
    firstVisible_ = lastVisible_ = -1;
    const int count = Count();
    if (count == 0)
        return;
    const int n = count - 1;
    TChartAxis* axis = yMandatory_ ? horizAxisBound_ : vertAxisBound_;
    if (!calcVisiblePoints_ || notMandatory_->Order() == loNone || !axis || !ParentChart()) {
        firstVisible_ = 0;
        lastVisible_ = n;
        return;
    }
    double low = 0, high = 0;
    VisibleEdgeValues(low, high);
    const TChartValueList& values = *notMandatory_;
    int first = 0;
    if (values.ValueAt(0) <= low) {
        while (first <= n && low > values.ValueAt(first))
            ++first;
        if (first > n)
            return;
    }
    int last = n;
    if (values.ValueAt(n) > high) {
        last = first;
        while (last < n && high > values.ValueAt(last))
            ++last;
        if (!drawBetweenPoints_)
            while (last > 0 && high < values.ValueAt(last))
                --last;
    }
    firstVisible_ = first;
    lastVisible_ = last;
}

void TChartSeries::PageRange(int& first, int& last) const {
    const int count = Count();
    first = last = -1;
    if (count == 0)
        return;
    const int perPage = ParentChart() ? ParentChart()->MaxPointsPerPage() : 0;
    if (perPage <= 0) {
        first = 0;
        last = count - 1;
        return;
    }
    const int page = ParentChart()->CurrentPage();
    first = perPage * (page - 1);
    if (first >= count)
        first = perPage * std::max(0, count / perPage - 1);
    last = first + perPage - 1;
    if (last >= count)
        last = count % perPage + first - 1;
}

// ---- sample data --------------------------------------------------------------------------------

void TChartSeries::FillSampleValues(int count) {
    if (count < 0)
        throw ChartException(ChartMsg(msgFillSample));
    if (count == 0)
        count = sampleCount_ > 0 ? sampleCount_ : DefaultSampleCount();
    ClearValues();
    SampleRandom().seed(static_cast<unsigned>(Random(7774444)));
    BeginUpdate();
    try {
        AddSampleValues(count, false);
        ApplyValueOrder();
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
    manualData_ = false;
}

// Where sample values start and how far they spread: from the chart's current extremes when it
// holds points, else X over 0 .. count - 1 (dates from today) and Y over 0 .. 1000.
void TChartSeries::SampleRange(int count, double& x, double& stepX, double& y, double& rangeY) {
    double minX = 0, maxX = count - 1, minY = 0, maxY = 1000;
    TChartHost* chart = ParentChart();
    bool chartHasPoints = false;
    if (chart)
        for (int i = 0; i < chart->SeriesCount() && !chartHasPoints; ++i)
            chartHasPoints = chart->SeriesAt(i)->Count() > 0;
    if (chartHasPoints && horizAxisBound_ && vertAxisBound_) {
        TChartAxis* valueAxis = yMandatory_ ? vertAxisBound_ : horizAxisBound_;
        TChartAxis* positionAxis = yMandatory_ ? horizAxisBound_ : vertAxisBound_;
        minY = chart->CalcAxisExtreme(valueAxis, true, !yMandatory_);
        maxY = chart->CalcAxisExtreme(valueAxis, false, !yMandatory_);
        if (maxY == minY) {
            if (minY == 0)
                maxY = 1000;
            else
                maxY = 2 * minY;
        }
        minX = chart->CalcAxisExtreme(positionAxis, true, yMandatory_);
        maxX = chart->CalcAxisExtreme(positionAxis, false, yMandatory_);
        if (maxX == minX)
            maxX = minX == 0 ? count - 1 : 2 * minX;
    } else if (notMandatory_->DateTime()) {
        minX = Date();
        maxX = minX + count - 1;
    }
    stepX = count > 1 ? (maxX - minX) / (count - 1) : 0;
    rangeY = std::clamp(maxY - minY, -2147483647.0, 2147483647.0);
    x = minX;
    y = minY + Random(100) * rangeY / 100;
}

void TChartSeries::AddSampleValues(int count, bool onlyMandatory) {
    double x = 0, stepX = 0, y = 0, rangeY = 0;
    SampleRange(count, x, stepX, y, rangeY);
    const double q = rangeY / 4;
    for (int i = 0; i < count; ++i) {
        y = std::fabs(y + q * Random(100) / 100 - q / 2);
        if (onlyMandatory)
            AddValue(y);
        else if (yMandatory_)
            AddXYValue(x, y);
        else
            AddXYValue(y, x);
        x += stepX;
    }
}

void TChartSeries::PrepareForGallery(bool enabled) {
    FillSampleValues(4);
    // A sample chart is too small to show its marks; a type that wants them shows them again.
    Marks()->SetVisible(false);
    Marks()->Font()->SetSize(7);
    Marks()->Callout()->SetLength(4);
    Marks()->SetDrawEvery(2);
    SetColorEachPoint(true);
    if (!enabled) {
        SetSeriesColor(clSilver);
    } else if (TChartHost* chart = ParentChart()) {
        const bool first = chart->SeriesCount() > 0 && chart->SeriesAt(0) == this;
        SetSeriesColor(chart->PaletteColor(first ? 0 : 3));
    }
}
