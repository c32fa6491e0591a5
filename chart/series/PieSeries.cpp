#include "chart/series/PieSeries.h"

#include "chart/control/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/ChartMessages.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <utility>

namespace {

constexpr double Pi = 3.14159265358979323846;

// Sample values only: any sequence will do, seeded once from the clock.
int SampleRandom(int n) {
    static std::mt19937 generator(
        static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    return std::uniform_int_distribution<int>(0, n - 1)(generator);
}

// Positions of the library's texts the pie uses.
constexpr int msgOther = 127;
constexpr int msgPieValues = 132;
constexpr int msgFirstSampleLabel = 40; // "Cars", then seven more

// Clears a handler for the duration and gives it back on every path.
template <class F> class THandlerOff {
public:
    explicit THandlerOff(F& handler) : handler_(handler), saved_(std::exchange(handler, nullptr)) {}
    ~THandlerOff() { handler_ = std::move(saved_); }
    THandlerOff(const THandlerOff&) = delete;
    THandlerOff& operator=(const THandlerOff&) = delete;

private:
    F& handler_;
    F saved_;
};

class TQuietScope {
public:
    explicit TQuietScope(bool& flag) : flag_(flag), old_(std::exchange(flag, true)) {}
    ~TQuietScope() { flag_ = old_; }
    TQuietScope(const TQuietScope&) = delete;
    TQuietScope& operator=(const TQuietScope&) = delete;

private:
    bool& flag_;
    bool old_;
};

} // namespace

// ---- slice lists --------------------------------------------------------------------------------

int TSliceValueList::Value(int index) const {
    return index >= 0 && index < Count() ? values_[static_cast<std::size_t>(index)] : 0;
}

void TSliceValueList::SetValue(int index, int value) {
    if (index < 0)
        return;
    if (index >= Count())
        values_.resize(static_cast<std::size_t>(index) + 1, 0);
    int& entry = values_[static_cast<std::size_t>(index)];
    if (entry == value)
        return;
    entry = value;
    if (owner_ != nullptr)
        owner_->Repaint();
}

void TSliceValueList::Delete(int index) {
    if (index >= 0 && index < Count())
        values_.erase(values_.begin() + index);
}

void TSliceValueList::Exchange(int a, int b, int count) {
    if (values_.empty() || a < 0 || b < 0)
        return;
    const int size = std::max({count, a + 1, b + 1});
    if (Count() < size)
        values_.resize(static_cast<std::size_t>(size), 0);
    std::swap(values_[static_cast<std::size_t>(a)], values_[static_cast<std::size_t>(b)]);
}

// ---- other slice and marks ----------------------------------------------------------------------

void TPieOtherSlice::DeclareProperties(TPropertyList& p) {
    using S = TPieOtherSlice;
    p.Add("Color", &S::Color, &S::SetColor, TColorTypeInfo()).Default(clDefault);
    p.Add("Style", &S::Style, &S::SetStyle).Default(poNone);
    p.Add("Text", &S::OwnText, &S::SetText).Stored(&S::TextStored);
    p.Add("Value", &S::Value, &S::SetValue).Default(0.0);
}

void TPieOtherSlice::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TPieOtherSlice*>(source)) {
        color_ = s->color_;
        style_ = s->style_;
        text_ = s->text_;
        value_ = s->value_;
        return;
    }
    TPersistent::Assign(source);
}

std::string TPieOtherSlice::Text() const {
    return text_.empty() ? ChartMsg(msgOther) : text_;
}

void TPieOtherSlice::Changed() {
    if (owner_ != nullptr)
        owner_->Repaint();
}

void TPieMarks::DeclareProperties(TPropertyList& p) {
    using S = TPieMarks;
    p.Add("LegSize", &S::LegSize, &S::SetLegSize).Default(0);
    p.Add("VertCenter", &S::VertCenter, &S::SetVertCenter).Default(false);
}

void TPieMarks::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TPieMarks*>(source)) {
        legSize_ = s->legSize_;
        vertCenter_ = s->vertCenter_;
        return;
    }
    TPersistent::Assign(source);
}

void TPieMarks::SetLegSize(int value) {
    if (std::exchange(legSize_, value) != value && owner_ != nullptr)
        owner_->Repaint();
}

void TPieMarks::SetVertCenter(bool value) {
    if (std::exchange(vertCenter_, value) != value && owner_ != nullptr)
        owner_->Repaint();
}

// ---- the pie ------------------------------------------------------------------------------------

TPieSeries::TPieSeries(TComponent* owner) : TCircledSeries(owner) {
    otherSlice_ = std::make_unique<TPieOtherSlice>(this);
    pieMarks_ = std::make_unique<TPieMarks>(this);
    XValues()->SetName({});
    YValues()->SetName(ChartMsg(msgPieValues).empty() ? "Pie" : ChartMsg(msgPieValues));
    Marks()->SetVisible(true);
    Marks()->Callout()->SetDefaultLength(8);
    SetColorEachPoint(true);
    useSeriesColor_ = false;
    useNotMandatory_ = false;
    Gradient()->SetStartColor(clWhite);
    Gradient()->SetDirection(gdRadial);
}

TPieSeries::~TPieSeries() {
    pieMarks_.reset();
    otherSlice_.reset();
}

void TPieSeries::DeclareProperties(TPropertyList& p) {
    using S = TPieSeries;
    p.Add("AngleSize", &S::AngleSize, &S::SetAngleSize).Default(360);
    p.Add("AutoMarkPosition", &S::AutoMarkPosition, &S::SetAutoMarkPosition).Default(true);
    p.Add("CircleBackColor", &S::CircleBackColor, &S::SetCircleBackColor, TColorTypeInfo())
        .Default(clDefault);
    p.Add("Dark3D", &S::Dark3D, &S::SetDark3D).Default(true);
    p.Add("DarkPen", &S::DarkPen, &S::SetDarkPen).Default(0);
    p.Add("ExplodeBiggest", &S::ExplodeBiggest, &S::SetExplodeBiggest).Default(0);
    p.Add("Gradient", &S::Gradient, &S::SetGradient);
    p.Add("GradientBright", &S::GradientBright, &S::SetGradientBright).Default(0);
    p.Add("MultiPie", &S::MultiPie, &S::SetMultiPie).Default(mpAutomatic);
    p.Add("OtherSlice", &S::OtherSlice, &S::SetOtherSlice);
    p.Add("PieMarks", &S::PieMarks, &S::SetPieMarks);
    p.Add("PiePen", &S::PiePen, &S::SetPiePen);
    p.Add("PieValues", &S::PieValues, &S::SetPieValues);
    p.Add("RotationAngle", &S::RotationAngle, &S::SetRotationAngle).Default(0);
    p.Add("UsePatterns", &S::UsePatterns, &S::SetUsePatterns).Default(false);
}

void TPieSeries::Assign(TPersistent* source) {
    if (auto* s = dynamic_cast<TPieSeries*>(source)) {
        angleSize_ = s->angleSize_;
        autoMarkPosition_ = s->autoMarkPosition_;
        dark3D_ = s->dark3D_;
        darkPen_ = s->darkPen_;
        explodeBiggest_ = s->explodeBiggest_;
        exploded_.Assign(s->exploded_);
        heights_.Assign(s->heights_);
        multiPie_ = s->multiPie_;
        usePatterns_ = s->usePatterns_;
        otherSlice_->Assign(s->otherSlice_.get());
        pieMarks_->Assign(s->pieMarks_.get());
    }
    TCircledSeries::Assign(source);
    SetColorEachPoint(true);
}

void TPieSeries::DefineProperties(TFiler* filer) {
    RemoveOtherSlice();
    TCircledSeries::DefineProperties(filer);
}

void TPieSeries::SetExplodeBiggest(int value) {
    SetField(explodeBiggest_, value);
    ExplodeBiggestSlice();
}

void TPieSeries::SetGradientBright(int value) {
    SetField(gradientBright_, value);
    if (value == 0)
        Gradient()->SetStartColor(clWhite);
}

void TPieSeries::ApplyOwn3DOptions() {
    TCustomChart* chart = Chart();
    if (chart == nullptr)
        return;
    TView3DOptions* options = chart->View3DOptions();
    options->SetOrthogonal(false);
    options->SetRotation(360);
    options->SetElevation(315);
    options->SetPerspective(0);
    options->SetTilt(0);
}

void TPieSeries::PointAdded(TChartSeries* sender, int index) {
    if (!quiet_)
        TCircledSeries::PointAdded(sender, index);
}

void TPieSeries::NotifyLinked(int event, int index) {
    if (!quiet_)
        TCircledSeries::NotifyLinked(event, index);
}

// ---- grouping -----------------------------------------------------------------------------------

int TPieSeries::OtherSliceIndex() const {
    return XValues()->IndexOfValue(OtherSliceX);
}

void TPieSeries::RemoveOtherSlice() {
    const int other = OtherSliceIndex();
    if (other < 0)
        return;
    TQuietScope quiet(quiet_);
    TCircledSeries::DeletePoint(other);
}

void TPieSeries::PrepareForChartDraw() {
    TCircledSeries::PrepareForChartDraw();
    // A mark the user placed for the other slice stays with it.
    std::optional<TSeriesMarkPosition> otherMark;
    if (const int other = OtherSliceIndex(); other >= 0)
        if (TSeriesMarkPosition* p = Marks()->Positions().EntryAt(other); p && p->Custom)
            otherMark = *p;
    if (YValues()->Order() != loNone)
        YValues()->SortByOrder();
    RemoveOtherSlice();
    angles_.clear();
    XValues()->FillIndexSequence();
    GroupSlices();
    if (const int other = OtherSliceIndex(); other >= 0 && otherMark)
        Marks()->Positions().StoreAt(other, *otherMark);
}

void TPieSeries::GroupSlices() {
    const TPieOtherStyle style = otherSlice_->Style();
    const double total = YValues()->SumAbs();
    if (style == poNone || total <= 0)
        return;
    double grouped = 0;
    bool any = false;
    const int n = XValues()->Count();
    for (int i = 0; i < n; ++i) {
        double v = std::fabs(YValues()->ValueAt(i));
        if (style == poBelowPercent)
            v = v * 100 / total;
        if (v < otherSlice_->Value()) {
            XValues()->SetValueAt(i, GroupedX);
            grouped += std::fabs(YValues()->ValueAt(i));
            any = true;
        }
    }
    if (!any)
        return;
    TQuietScope quiet(quiet_);
    THandlerOff<TSeriesOnBeforeAdd> beforeAdd(OnBeforeAdd);
    const int index = AddXYValue(OtherSliceX, grouped, otherSlice_->Text(), otherSlice_->Color());
    if (index >= 0)
        // Percentages stay relative to every point before grouping.
        YValues()->HoldSumAbs(total);
}

int TPieSeries::LegendCount(bool otherList) const {
    int grouped = 0;
    const int n = XValues()->Count();
    for (int i = 0; i < n; ++i)
        if (IsGrouped(i))
            ++grouped;
    return otherList ? grouped : n - grouped;
}

int TPieSeries::LegendToValueIndex(int item, bool otherList) const {
    int seen = -1;
    const int n = XValues()->Count();
    for (int i = 0; i < n; ++i)
        if (IsGrouped(i) == otherList && ++seen == item)
            return i;
    return item;
}

TColor TPieSeries::LegendItemColor(int index) const {
    return PointColor(LegendToValueIndex(index));
}

// ---- angles -------------------------------------------------------------------------------------

const std::vector<TPieSeries::TSliceAngle>& TPieSeries::Angles() {
    if (angles_.empty() && Count() > 0)
        CalcAngles();
    return angles_;
}

void TPieSeries::CalcAngles() {
    const int n = Count();
    angles_.assign(static_cast<std::size_t>(n), {});
    int first = FirstVisibleIndex();
    int last = LastVisibleIndex();
    if (first < 0) {
        first = 0;
        last = n - 1;
    }
    double total = 0;
    if (otherSlice_->Style() != poNone || FirstVisibleIndex() < 0) {
        for (int i = 0; i < n; ++i)
            if (!IsGrouped(i))
                total += std::fabs(YValues()->ValueAt(i));
    } else {
        for (int i = first; i <= last && i < n; ++i)
            total += std::fabs(YValues()->ValueAt(i));
    }
    const double size = angleSize_ * Pi / 180;
    const double k = total != 0 ? size / total : 0;
    double sum = 0;
    for (int i = first; i <= last && i < n; ++i) {
        TSliceAngle& a = angles_[static_cast<std::size_t>(i)];
        a.Start = i == first ? 0 : angles_[static_cast<std::size_t>(i - 1)].End;
        if (total == 0) {
            a.End = size;
        } else {
            if (!IsGrouped(i))
                sum += std::fabs(YValues()->ValueAt(i));
            a.End = sum == total ? size : sum * k;
        }
        if (a.End - a.Start > size)
            a.End = a.Start + size;
        a.Middle = (a.Start + a.End) / 2;
    }
}

void TPieSeries::ExplodeBiggestSlice() {
    if (explodeBiggest_ <= 0 || Count() == 0)
        return;
    int first = 0, last = Count() - 1;
    if (ParentChart() != nullptr && ParentChart()->MaxPointsPerPage() > 0)
        PageRange(first, last);
    int biggest = -1;
    for (int i = std::max(first, 0); i <= last && i < Count(); ++i)
        if (biggest < 0 || YValues()->ValueAt(i) > YValues()->ValueAt(biggest))
            biggest = i;
    if (biggest >= 0)
        exploded_.SetValue(biggest, explodeBiggest_);
}

TPoint TPieSeries::ExplodeOffset(int index) {
    if (!explodedDrawing_ || exploded_.Count() == 0)
        return {0, 0};
    const int p = exploded_.Value(index);
    if (p <= 0 || index < 0 || index >= static_cast<int>(Angles().size()))
        return {0, 0};
    const double a = angles_[static_cast<std::size_t>(index)].Middle + Rotation();
    const double f = p * 0.01;
    return {RoundEven(std::cos(a) * XRadius() * f), RoundEven(std::sin(a) * f * YRadius())};
}

void TPieSeries::ExplodedRadius(int index, int& rx, int& ry) const {
    const double f = 1 + exploded_.Value(index) * 0.01;
    rx = RoundEven(XRadius() * f);
    ry = RoundEven(YRadius() * f);
}

int TPieSeries::SliceDepth(int index) const {
    if (index >= heights_.Count())
        return EndZ();
    return StartZ() + RoundEven(heights_.Value(index) * (EndZ() - StartZ()) * 0.01);
}

// ---- points -------------------------------------------------------------------------------------

void TPieSeries::ClearValues() {
    TCircledSeries::ClearValues();
    angles_.clear();
}

void TPieSeries::DeletePoint(int index) {
    TCircledSeries::DeletePoint(index);
    exploded_.Delete(index);
    heights_.Delete(index);
    angles_.clear();
}

void TPieSeries::SwapPoints(int a, int b) {
    TCircledSeries::SwapPoints(a, b);
    exploded_.Exchange(a, b, Count());
    heights_.Exchange(a, b, Count());
}

double TPieSeries::HighestX() {
    TChartAxis* axis = GetHorizAxis();
    return axis != nullptr ? axis->Maximum() : 0;
}

double TPieSeries::LowestX() {
    TChartAxis* axis = GetHorizAxis();
    return axis != nullptr ? axis->Minimum() : 0;
}

double TPieSeries::HighestY() {
    TChartAxis* axis = GetVertAxis();
    return axis != nullptr ? axis->Maximum() : 0;
}

double TPieSeries::LowestY() {
    TChartAxis* axis = GetVertAxis();
    return axis != nullptr ? axis->Minimum() : 0;
}

void TPieSeries::UpdateVisibleRange() {
    const int n = Count();
    int first = n > 0 ? 0 : -1;
    int last = n - 1;
    if (otherSlice_->Style() == poNone && ParentChart() != nullptr &&
        ParentChart()->MaxPointsPerPage() > 0 && n > 0) {
        PageRange(first, last);
        if (first < 0 || last < first) {
            first = 0;
            last = n - 1;
        }
    }
    SetVisibleRange(first, last);
}

// ---- gallery ------------------------------------------------------------------------------------

void TPieSeries::AddSampleValues(int count, bool) {
    for (int k = 0; k < count; ++k)
        AddValue(1 + SampleRandom(1000), ChartMsg(msgFirstSampleLabel + k % 8), clDefault);
}

void TPieSeries::PrepareForGallery(bool enabled) {
    TCircledSeries::PrepareForGallery(enabled);
    ClearValues();
    FillSampleValues(8);
    if (TCustomChart* chart = Chart()) {
        chart->SetChart3DPercent(75);
        chart->View3DOptions()->SetOrthogonal(false);
        chart->View3DOptions()->SetRotation(0);
        chart->View3DOptions()->SetElevation(305);
    }
    Marks()->Callout()->SetLength(0);
    Marks()->SetDrawEvery(1);
    Gradient()->SetVisible(true);
    SetColorEachPoint(enabled);
}

void TPieSeries::ApplyGallery3D(bool is3D) {
    TCircledSeries::ApplyGallery3D(is3D);
    if (TCustomChart* chart = Chart()) {
        chart->View3DOptions()->SetOrthogonal(false);
        chart->View3DOptions()->SetRotation(0);
        chart->View3DOptions()->SetElevation(305);
        SetCircled(!chart->View3D());
    }
}
