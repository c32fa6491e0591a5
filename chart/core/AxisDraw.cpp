// Where an axis stands beside the chart rectangle, and its title and labels. Labels are drawn
// from the largest value down; each one drawn adds its pixel to the tick list that the ticks and
// grids use afterwards (AxisTicks.cpp).

#include "chart/core/ChartAxis.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/draw/View3DOptions.h"
#include "chart/util/DateSteps.h"
#include "platform/rtl/Math.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <utility>

namespace {

// The most labels one drawing puts on an axis: value labels over a wider range are not drawn,
// depth labels stop there.
constexpr int MaxAxisLabels = 10000;
// The most labels the chart's next-label event gives.
constexpr int MaxEventLabels = 2000;

// A drawing group on the chart canvas, closed on every way out.
class TDrawingGroup {
public:
    TDrawingGroup(TCanvas3D* canvas, const char* name) : canvas_(canvas) {
        canvas_->BeginGroup(name);
    }
    ~TDrawingGroup() { canvas_->EndGroup(); }
    TDrawingGroup(const TDrawingGroup&) = delete;
    TDrawingGroup& operator=(const TDrawingGroup&) = delete;

private:
    TCanvas3D* canvas_;
};

} // namespace

TAxisDrawHost* TChartAxis::DrawHost() const {
    return dynamic_cast<TAxisDrawHost*>(chart_);
}

int TChartAxis::WallSize(TChartAxis* axis) const {
    TAxisDrawHost* host = DrawHost();
    return host && axis ? host->WallSizeOfAxis(axis) : 0;
}

int TChartAxis::AxisSize() const {
    int size = 0;
    if (axisPen_->Visible())
        size = axisPen_->Width() + 1;
    if (ticks_->Visible())
        size += tickLength_;
    if (minorTicks_->Visible())
        size = std::max(size, minorTickLength_);
    return size;
}

// Outward is down for a bottom axis, up for a top one, left for a left one, right for a right
// one (and for the depth axis, which stands on the right).
int TChartAxis::MoveOutward(int pixel, int amount) const {
    if (horizontal_)
        return otherSide_ ? pixel - amount : pixel + amount;
    return otherSide_ ? pixel + amount : pixel - amount;
}

// Takes amount pixels from rect on the axis' side and answers that side's new place.
int TChartAxis::TakeRoom(TRect& rect, int amount) const {
    if (horizontal_) {
        if (otherSide_)
            return rect.Top += amount;
        return rect.Bottom -= amount;
    }
    if (otherSide_)
        return rect.Right -= amount;
    return rect.Left += amount;
}

void TChartAxis::SetPositionsBeside(const TRect& rect) {
    iPosAxis_ = ApplyPositionOffset(SideOf(rect), rect);
    iPosLabels_ = MoveOutward(iPosAxis_, AxisSize());
    iPosTitle_ = MoveOutward(iPosLabels_, LabelsRoom());
}

void TChartAxis::CalcAxisRoom(TRect& rect, bool takeRoom) {
    CheckDateTime();
    if (!takeRoom) {
        SetPositionsBeside(rect);
        return;
    }
    if (isDepthAxis_)
        iPosTitle_ = otherSide_ ? rect.Right : rect.Left;
    else if (title_->Visible() && !title_->Caption().empty())
        iPosTitle_ = TakeRoom(
            rect, TextSize(title_->Font(), title_->Angle(), titleSize_, &title_->Caption()));
    else
        iPosTitle_ = TakeRoom(rect, 0);
    if (Labels()) {
        int room = LabelsRoom();
        if (TAxisDrawHost* host = DrawHost())
            room = host->AxisLabelsRoom(this, room);
        iPosLabels_ = TakeRoom(rect, room);
    } else {
        iPosLabels_ = TakeRoom(rect, 0);
    }
    const int room = WallSize(this) + AxisSize();
    iPosAxis_ = TakeRoom(rect, std::max(room, 0));
    iPosTitle_ = ApplyPositionOffset(iPosTitle_, rect);
    iPosLabels_ = ApplyPositionOffset(iPosLabels_, rect);
}

void TChartAxis::CalcTitlePosition() {
    iPosTitle_ = MoveOutward(iPosLabels_, LabelsRoom());
}

void TChartAxis::DrawAxis(bool setAxisPosition) {
    TCanvas3D* canvas = chart_ ? chart_->ChartCanvas() : nullptr;
    if (!canvas)
        return;
    struct TCanvasScope {
        TCanvas3D*& slot;
        ~TCanvasScope() { slot = nullptr; }
    } scope{canvas_};
    canvas_ = canvas;
    TDrawingGroup group(canvas_, "axis");
    CheckDateTime();
    if (setAxisPosition) {
        const TRect r = chart_->ChartRect();
        iPosAxis_ = ApplyPositionOffset(SideOf(r), r);
    }
    if (title_->Visible() && !title_->Caption().empty())
        DrawTitle();
    tickPixels_.clear();
    tickValues_.clear();
    labelToggle_ = false;
    alternateRowWidth_ = -1;
    drawingLabelsRoom_ = -1;
    if (!horizontal_) {
        // Measured before any label is drawn: measuring may change the canvas' font.
        if (labelsAlternate_)
            AlternateRowWidth();
        if (labelsAlign_ == alOpposite)
            DrawingLabelsRoom();
    }
    if (items_->Automatic())
        DrawLabels();
    else
        DrawCustomLabels();
    DrawTicksAndGrid();
}

void TChartAxis::DrawTitle() {
    TDrawingGroup group(canvas_, "title");
    canvas_->SelectFont(title_->Font());
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->SetBackgroundMode(TRANSPARENT);
    const std::string& caption = title_->Caption();
    if (isDepthAxis_) {
        canvas_->SetTextAlignment(otherSide_ ? TA_LEFT : TA_RIGHT);
        canvas_->AngledTextAtDepth(iPosTitle_, DepthAxisPosition(), chart_->Depth3D() / 2, caption,
                                   title_->Angle());
        canvas_->SetTextAlignment(TA_LEFT);
        return;
    }
    // The title is never drawn as a mantissa and exponent.
    struct TExponentOff {
        bool& flag;
        bool saved;
        ~TExponentOff() { flag = saved; }
    } exponentOff{labelsExponent_, std::exchange(labelsExponent_, false)};
    if (horizontal_)
        DrawAxisText(iCenterPos_, iPosTitle_, 0, title_.get(), caption, title_->Angle());
    else
        DrawAxisText(iPosTitle_, iCenterPos_, 0, title_.get(), caption, title_->Angle());
}

// The date-time table step labels follow: Increment's, raised until it holds the label step;
// none (dtNone) unless the axis shows exact date-times with an increment.
int TChartAxis::LabelDateStep(double step) const {
    if (!axisDateTime_ || !exactDateTime_ || increment_ == 0)
        return dtNone;
    int index = DateStepOf(increment_);
    while (index < dtOneYear && step > DateStepLength(static_cast<TDateStepKind>(index)))
        ++index;
    return index;
}

void TChartAxis::DrawLabels() {
    items_->ClearAutomatic();
    const TAxisLabelStyle style = EffectiveLabelStyle();
    if (style == talNone)
        return;
    canvas_->SelectFont(LabelsFont());
    const double step = CalcLabelStep();
    const int dateStep = LabelDateStep(step);
    const bool monthly = dateStep > dtOneWeek && dateStep <= dtOneYear;
    if (!(step > 0 || monthly) || !(iMaximum_ >= iMinimum_))
        return;
    switch (style) {
    case talValue:
        if (DrawEventLabels())
            break;
        if (logarithmic_ && increment_ == 0)
            DrawLogarithmicLabels();
        else
            DrawValueLabels(step, dateStep);
        break;
    case talMark:
        DrawSeriesLabels(true);
        break;
    case talText:
        if (isDepthAxis_)
            DrawDepthLabels();
        else
            DrawSeriesLabels(false);
        break;
    default:
        break;
    }
}

// One label step down: whole months and years for steps of half a month and longer on an exact
// date-time axis, plain subtraction otherwise.
double TChartAxis::PreviousLabelValue(double value, double step, int dateStep) const {
    if (axisDateTime_ && exactDateTime_ && dateStep >= dtHalfMonth && dateStep <= dtOneYear) {
        StepDateTime(true, false, value, static_cast<TDateStepKind>(dateStep), step);
        return value;
    }
    return value - step;
}

void TChartAxis::DrawValueLabels(double step, int dateStep) {
    if (std::fabs(iRange_ / step) >= MaxAxisLabels)
        return;
    double v = iMaximum_;
    if (axisDateTime_ && exactDateTime_ && dateStep >= dtOneDay && dateStep <= dtOneYear)
        v = RoundDateToStep(iMaximum_, static_cast<TDateStepKind>(dateStep));
    else if (roundFirstLabel_ && step > 0 && LabelValueText(iMinimum_) != LabelValueText(iMaximum_))
        v = std::trunc(iMaximum_ / step) * step;
    for (int n = 0; v > iMaximum_ && n < MaxAxisLabels; ++n)
        v = PreviousLabelValue(v, step, dateStep);
    if (iRangeZero_ || std::fabs(iMaximum_ - iMinimum_) < 1e-10 ||
        LabelValueText(v) == LabelValueText(v - step)) {
        // One label: the range (or the step) is below what the labels can tell apart.
        DrawValueLabel(v);
        return;
    }
    const double limit = iMinimum_ >= 0 ? (iMinimum_ - 1e-12) / (1 + 1e-12) : iMinimum_;
    for (int n = 0; v >= limit && n < MaxAxisLabels; ++n) {
        DrawValueLabel(v);
        const double next = PreviousLabelValue(v, step, dateStep);
        if (!(next < v))
            break; // a step lost in the value's precision
        v = next;
    }
}

void TChartAxis::DrawLogarithmicLabels() {
    if (iMinimum_ == iMaximum_)
        return;
    // The first power: the one nearest the minimum; a minimum of 0 or below becomes a small
    // positive one, which is the first power itself.
    double s;
    if (iMinimum_ > 0) {
        s = NearestLogPower(iMinimum_);
    } else {
        iMinimum_ = iMinimum_ < 0 ? NearestLogPower(1e-10) : 0.1;
        s = iMinimum_;
    }
    const bool minorGrid = minorGrid_->Visible();
    if (minorGrid && s >= iMinimum_) {
        const double below =
            std::pow(logarithmicBase_, std::log(s) / std::log(logarithmicBase_) - 1);
        if (below < iMinimum_)
            AddTick(PixelOf(below), below);
    }
    if (logarithmicBase_ > 1) {
        int drawn = 0;
        double v = s;
        for (int n = 0; v <= iMaximum_ && n < MaxAxisLabels; ++n, v *= logarithmicBase_)
            if (v >= iMinimum_) {
                DrawValueLabel(v);
                ++drawn;
            }
        if (drawn == 0) {
            const double d = s / logarithmicBase_;
            v = s;
            for (int n = 0; v <= iMaximum_ && n < MaxAxisLabels; ++n, v += d)
                if (v >= iMinimum_)
                    DrawValueLabel(v);
        }
    }
    if (minorGrid && s > iMaximum_)
        AddTick(PixelOf(s), s);
}

// Labels at the values the chart's next-label event gives; false when there is no such event or
// it asks for the axis' own labels.
bool TChartAxis::DrawEventLabels() {
    TAxisDrawHost* host = DrawHost();
    if (!host || !host->OnGetNextAxisLabel())
        return false;
    TAxisOnGetNextLabel handler = host->OnGetNextAxisLabel();
    double value = iMinimum_;
    for (int index = 0; index <= MaxEventLabels; ++index) {
        bool stop = false;
        handler(this, index, value, stop);
        if (stop)
            return index > 0;
        if (value < iMinimum_ - 1e-7 || value > iMaximum_ + 1e-7)
            return true;
        DrawValueLabel(value);
    }
    return true;
}

// Labels from the series' marks or point labels, one per point index, spaced so that they keep
// LabelsSeparation percent of their extent apart.
void TChartAxis::DrawSeriesLabels(bool marks) {
    std::vector<TChartSeries*> series;
    int first = INT_MAX, last = -1;
    for (int i = 0; i < chart_->SeriesCount(); ++i) {
        TChartSeries* s = chart_->SeriesAt(i);
        if (!s->Active() || !s->UsesAxis(this))
            continue;
        s->UpdateVisibleRange();
        series.push_back(s);
        if (s->FirstVisibleIndex() >= 0) {
            first = std::min(first, s->FirstVisibleIndex());
            last = std::max(last, s->LastVisibleIndex());
        }
    }
    const bool alongWidth = horizontal_ == (labelsAngle_ != 90 && labelsAngle_ != 270);
    TAxisOnGetLabel& onGetLabel = chart_->OnGetAxisLabel();
    bool drawnBefore = false;
    int previousPixel = 0;
    double previousHalf = 0;
    for (int index = first; index <= last; ++index) {
        std::string text;
        double value = 0;
        for (TChartSeries* s : series) {
            if (index < s->FirstVisibleIndex() || index > s->LastVisibleIndex())
                continue;
            std::string t = marks ? s->MarkText(index) : s->Labels().Get(index);
            if (onGetLabel)
                onGetLabel(this, s, index, t);
            if (!t.empty()) {
                text = std::move(t);
                value = horizontal_ ? s->XValueAt(index) : s->YValueAt(index);
                break;
            }
        }
        if (text.empty() || value < iMinimum_ || value > iMaximum_)
            continue;
        const int pixel = PixelOf(value);
        if (!tickOnLabelsOnly_)
            AddTick(pixel, value);
        if (!Labels())
            continue;
        int lines = 0;
        const int width = chart_->WidestTextLine(LabelsFont(), text, lines);
        const int extent = alongWidth ? width : chart_->FontHeight(LabelsFont()) * lines;
        double half = extent / 2.0;
        if (labelsSeparation_ != 0 && drawnBefore) {
            half = (Trunc(extent * 0.02 * labelsSeparation_) + extent) / 2.0;
            if (std::abs(pixel - previousPixel) < half + previousHalf)
                continue;
        }
        drawnBefore = true;
        previousPixel = pixel;
        previousHalf = half;
        DrawLabelAt(pixel, text, nullptr, value);
    }
}

// The depth axis names the series, one per depth slot.
void TChartAxis::DrawDepthLabels() {
    TAxisOnGetLabel& onGetLabel = chart_->OnGetAxisLabel();
    const double last = std::trunc(iMaximum_);
    double i = std::trunc(iMinimum_);
    for (int n = 0; i <= last && n < MaxAxisLabels; ++n, i += 1) {
        const double value = iMaximum_ - i - 0.5;
        const int pixel = PixelOf(value);
        if (!tickOnLabelsOnly_)
            AddTick(pixel, value);
        if (!Labels())
            continue;
        const int index = static_cast<int>(i);
        std::string text;
        if (index >= 0 && index < chart_->SeriesCount())
            text = SeriesTitleText(chart_->SeriesAt(index));
        if (onGetLabel)
            onGetLabel(this, nullptr, index, text);
        DrawLabelAt(pixel, text, nullptr, value);
    }
}

void TChartAxis::DrawCustomLabels() {
    for (int i = 0; i < items_->Count(); ++i) {
        TAxisItem* item = (*items_)[i];
        const double value = item->Value();
        if (value < minimum_ || value > maximum_)
            continue;
        const int pixel = PixelOf(value);
        if (!tickOnLabelsOnly_)
            AddTick(pixel, value);
        if (item->Visible())
            DrawLabelAt(pixel, item->Text().empty() ? LabelValueText(value) : item->Text(), item,
                        value);
    }
}

void TChartAxis::DrawValueLabel(double value) {
    const int pixel = PixelOf(value);
    if (!labelsOnAxis_ && !(pixel > iStartPos_ && pixel < iEndPos_))
        return;
    if (!tickOnLabelsOnly_)
        AddTick(pixel, value);
    if (Labels())
        DrawLabelAt(pixel, LabelValueText(value), nullptr, value);
}

void TChartAxis::AddTick(int pixel, double value) {
    tickPixels_.push_back(pixel);
    tickValues_.push_back(value);
}

int TChartAxis::DrawingLabelsRoom() {
    if (drawingLabelsRoom_ < 0)
        drawingLabelsRoom_ = LabelsRoom();
    return drawingLabelsRoom_;
}

int TChartAxis::AlternateRowWidth() {
    if (alternateRowWidth_ < 0)
        alternateRowWidth_ = MaxLabelsWidth();
    return alternateRowWidth_;
}

// item: a custom label (drawn with its own shape), or none for a computed one, which joins the
// automatic items.
void TChartAxis::DrawLabelAt(int pixel, const std::string& text, TAxisItem* item, double value) {
    if (tickOnLabelsOnly_)
        AddTick(pixel, value);
    TPlotFont* font = LabelsFont();
    if (item)
        font = item->Font();
    else if (items_->Automatic())
        font = items_->AppendAutomatic(value, text)->Font();
    canvas_->SelectFont(font);
    canvas_->Brush()->SetStyle(bsClear);
    canvas_->SetBackgroundMode(TRANSPARENT);
    if (isDepthAxis_) {
        int z = pixel;
        const TView3DOptions* view = canvas_->View3DOptions();
        if (view && (view->Orthogonal() || view->Rotation() == 360))
            z += canvas_->CharHeight() / 2;
        const int x =
            otherSide_ ? iPosLabels_ : iPosLabels_ - canvas_->MeasureTextWidth("W") / 2 - 2;
        DrawAxisText(x, DepthAxisPosition(), z, item, text, labelsAngle_);
        return;
    }
    int labels = iPosLabels_;
    if (labelsAlternate_) {
        // Every second label one row further out: the first on horizontal axes, the second on
        // vertical ones.
        labelToggle_ = !labelToggle_;
        if (labelToggle_ == horizontal_)
            labels = MoveOutward(labels, horizontal_ ? canvas_->CharHeight() : AlternateRowWidth());
    }
    if (horizontal_)
        DrawAxisText(pixel, labels, 0, item, text, labelsAngle_);
    else
        DrawAxisText(labels, pixel, 0, item, text, labelsAngle_);
}

bool TChartAxis::ClickedAt(int x, int y) {
    if (!shown_ || !chart_)
        return false;
    // Across the axis: from the labels to 3 pixels inside the axis line (only the line when the
    // labels are hidden).
    const int outer = Labels() ? iPosLabels_ : iPosAxis_;
    const int inner = Labels() ? MoveOutward(iPosAxis_, -3) : iPosAxis_;
    const int a = std::min(outer, inner), b = std::max(outer, inner);
    TRect r = horizontal_ ? TRect{iStartPos_, a, iEndPos_, b} : TRect{a, iStartPos_, b, iEndPos_};
    TCanvas3D* canvas = chart_->ChartCanvas();
    if (chart_->View3D() && canvas)
        r = canvas->ProjectRect(r, otherSide_ ? chart_->Depth3D() : 0);
    return x >= std::min(r.Left, r.Right) && x <= std::max(r.Left, r.Right) &&
           y >= std::min(r.Top, r.Bottom) && y <= std::max(r.Top, r.Bottom);
}
