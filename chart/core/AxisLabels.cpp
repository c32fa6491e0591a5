// Label steps, label texts and label sizes of an axis. Every step loop here ends: a range or a
// step that is not a finite number gives the smallest step, and a step that stops growing ends
// the search.

#include "chart/core/ChartAxis.h"

#include "chart/core/ChartSeries.h"
#include "chart/core/SeriesList.h"
#include "chart/util/DateSteps.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Math.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

constexpr double OneSecond = 1.0 / 86400;

// Detaches the chart's label event for a while.
class TLabelEventPause {
public:
    explicit TLabelEventPause(TChartHost* chart) : chart_(chart) {
        if (chart_)
            saved_ = std::exchange(chart_->OnGetAxisLabel(), TAxisOnGetLabel());
    }
    ~TLabelEventPause() {
        if (chart_)
            chart_->OnGetAxisLabel() = std::move(saved_);
    }
    TLabelEventPause(const TLabelEventPause&) = delete;
    TLabelEventPause& operator=(const TLabelEventPause&) = delete;

private:
    TChartHost* chart_;
    TAxisOnGetLabel saved_;
};

} // namespace

double TChartAxis::NextNiceStep(double x) {
    if (std::isinf(x) || !(x > 0))
        return 1;
    if (x >= 10)
        return 10 * NextNiceStep(x / 10);
    if (x < 1)
        return NextNiceStep(x * 10) / 10;
    if (x < 2)
        return 2;
    if (x < 5)
        return 5;
    return 10;
}

double TChartAxis::NearestLogPower(double x) const {
    return std::pow(logarithmicBase_,
                    static_cast<double>(Round(std::log(x) / std::log(logarithmicBase_))));
}

double TChartAxis::LabelStepForCount(int count) {
    if (count < 1)
        return axisDateTime_ ? MinDateTimeStep : MinNumberStep;
    return axisDateTime_ ? StepForDateTimes(count) : StepForNumbers(count);
}

double TChartAxis::StepForNumbers(int n) {
    const double range = iRange_;
    if (!std::isfinite(range))
        return MinNumberStep;
    double step;
    if (increment_ > 0) {
        step = increment_;
    } else if (range != 0) {
        step = std::fabs(range) / (n + 1);
        if (logarithmic_)
            step = NearestLogPower(step);
        if (range >= 1.1 && chart_) {
            for (int i = 0; i < chart_->SeriesCount(); ++i) {
                TChartSeries* s = chart_->SeriesAt(i);
                const bool matching = horizontal_ ? s->YMandatory() : !s->YMandatory();
                if (s->Active() && matching && s->UsesAxis(this) && s->Count() <= n) {
                    step = std::max(step, 1.0);
                    break;
                }
            }
        }
    } else {
        step = 1;
    }
    if (labelsSeparation_ > 0 && std::isfinite(step) && step > 0) {
        int64_t count = n + 1;
        for (;;) {
            const double c = range / step;
            bool grow = true;
            if (std::fabs(c) < 2147483647.0) {
                count = Round(c);
                grow = count > n;
            }
            if (grow) {
                const double next = logarithmic_ ? step * logarithmicBase_ : NextNiceStep(step);
                if (!(next > step))
                    break; // a step that no longer grows (a base below 1) ends the search
                step = next;
            }
            if (count <= n || step > range || std::isinf(step))
                break;
        }
    }
    if (std::isinf(step))
        return range;
    return std::isnan(step) ? MinNumberStep : std::max(MinNumberStep, step);
}

double TChartAxis::StepForDateTimes(int n) {
    const double range = iRange_;
    double step = std::max(MinDateTimeStep, increment_);
    if (!std::isfinite(range))
        return step;
    if (step > 0 && n > 0) {
        if (range / step > 1000000)
            step = range / 1000000;
        while (n < Round(range / step) && std::isfinite(step)) {
            if (step >= 365)
                step *= 2;
            else if (step >= OneSecond)
                step = NextLargerDateStep(step);
            else
                step = NextNiceStep(step);
        }
    }
    return std::max(MinDateTimeStep, step);
}

double TChartAxis::LabelStepForSize(int labelSize) {
    int count = 1;
    if (labelSize > 0 && iAxisSize_ > 0) {
        const double w = labelsSeparation_ <= 0
                             ? labelSize
                             : labelSize + RoundEven(labelsSeparation_ * 0.01 * labelSize);
        count = static_cast<int>(std::min<int64_t>(Round(iAxisSize_ / w), 2147483647));
    }
    return LabelStepForCount(count);
}

int TChartAxis::LabelExtent(double value) {
    if (!chart_)
        return 0;
    const std::string text = LabelValueText(value);
    int lines = 0;
    const int width = chart_->WidestTextLine(LabelsFont(), text, lines);
    const bool across = horizontal_ ? (labelsAngle_ == 90 || labelsAngle_ == 270)
                                    : (labelsAngle_ == 0 || labelsAngle_ == 180);
    return across ? chart_->FontHeight(LabelsFont()) * lines : width;
}

double TChartAxis::CalcLabelStep() {
    double low = iMinimum_, high = iMaximum_;
    if (roundFirstLabel_ && increment_ != 0) {
        low = std::fabs(iMinimum_) > 9.2e18 ? iMinimum_ * increment_
                                            : static_cast<double>(Round(iMinimum_)) * increment_;
        high = static_cast<double>(Trunc(iMaximum_)) * increment_;
    }
    double middle = (low + high) / 2;
    while (std::isfinite(middle) && middle != 0 && Frac(middle) == 0)
        middle /= 2; // a value with decimals measures the widest label
    int extent = std::max({LabelExtent(low), LabelExtent(middle), LabelExtent(high)});
    if (increment_ != 0)
        extent = std::max({extent, LabelExtent(high - increment_), LabelExtent(low + increment_)});
    double step = LabelStepForSize(extent);
    if (!labelsAlternate_ && increment_ == 0 && step >= 2) {
        // Whole-number steps: measure the labels without decimals.
        SetIncrement(1);
        try {
            step = CalcLabelStep();
        } catch (...) {
            SetIncrement(0);
            throw;
        }
        SetIncrement(0);
    }
    if (labelsAlternate_)
        step = logarithmic_ ? step / logarithmicBase_ : step / 2;
    return step;
}

std::string TChartAxis::LabelValueText(double value) {
    std::string text;
    if (axisDateTime_) {
        const std::string& format =
            dateTimeFormat_.empty() ? DefaultDateTimeFormatFor(iRange_) : dateTimeFormat_;
        text = FormatDateTime(format, value);
    } else {
        text = FormatFloat(axisValuesFormat_, value);
    }
    if (chart_ && chart_->OnGetAxisLabel())
        chart_->OnGetAxisLabel()(this, nullptr, -1, text);
    if (labelsMultiLine_)
        std::replace(text.begin(), text.end(), ' ', '\r');
    return text;
}

// The widest value label and the most lines a value label has.
void TChartAxis::MeasureValueLabels(int& widest, int& lines) {
    const double step = CalcLabelStep();
    double low = iMinimum_, high = iMaximum_;
    if (step != 0 && ((axisDateTime_ && exactDateTime_) || roundFirstLabel_)) {
        low = static_cast<double>(Trunc(iMinimum_ / step)) * step;
        high = static_cast<double>(Trunc(iMaximum_ / step)) * step;
    }
    TLabelEventPause pause(chart_);
    widest = 0;
    lines = 0;
    auto measure = [&](double v) {
        int n = 0;
        widest = std::max(widest, chart_->WidestTextLine(LabelsFont(), LabelValueText(v), n));
        lines = std::max(lines, n);
    };
    if (step != 0) {
        double v = high;
        for (int n = 0; v >= low && n < MaxMeasuredLabels; ++n, v -= step)
            measure(v);
    } else {
        measure(low);
        measure(high);
    }
    int n = 0;
    widest += chart_->WidestTextLine(LabelsFont(), " ", n);
}

int TChartAxis::TextLabelsWidth() {
    TAxisOnGetLabel& onGetLabel = chart_->OnGetAxisLabel();
    if (isDepthAxis_) {
        // The depth axis' texts are the series' titles, one per depth slot.
        int widest = 0, lines = 0;
        for (int s = 0; s < chart_->SeriesCount(); ++s) {
            std::string text = SeriesTitleText(chart_->SeriesAt(s));
            if (onGetLabel)
                onGetLabel(this, nullptr, s, text);
            widest = std::max(widest, chart_->WidestTextLine(LabelsFont(), text, lines));
        }
        return widest;
    }
    if (!onGetLabel)
        return chart_->WidestLabelText(LabelsFont());
    int widest = 0, lines = 0;
    for (int s = 0; s < chart_->SeriesCount(); ++s) {
        const TLabelsList& labels = chart_->SeriesAt(s)->Labels();
        for (int i = 0; i < labels.Count(); ++i) {
            std::string text = labels.Get(i);
            onGetLabel(this, nullptr, -1, text);
            widest = std::max(widest, chart_->WidestTextLine(LabelsFont(), text, lines));
        }
    }
    return widest;
}

int TChartAxis::MaxLabelsWidth() {
    if (!chart_)
        return 0;
    if (!items_->Automatic()) {
        int widest = 0, lines = 0;
        for (int i = 0; i < items_->Count(); ++i) {
            TAxisItem* item = (*items_)[i];
            widest = std::max(widest, chart_->WidestTextLine(item->Font(), item->Text(), lines));
        }
        return widest;
    }
    switch (EffectiveLabelStyle()) {
    case talValue: {
        int widest = 0, lines = 0;
        MeasureValueLabels(widest, lines);
        return widest;
    }
    case talMark:
        return chart_->WidestMark();
    case talText:
        return TextLabelsWidth();
    default:
        return 0;
    }
}

int TChartAxis::TextSize(TPlotFont* font, int angle, int fixedSize, const std::string* text) {
    if (fixedSize != 0)
        return fixedSize;
    if (!chart_)
        return 0;
    const bool across = horizontal_ ? (angle == 0 || angle == 180) : (angle == 90 || angle == 270);
    if (across)
        return chart_->FontHeight(font);
    if (!text)
        return MaxLabelsWidth();
    int lines = 0;
    return chart_->WidestTextLine(font, *text, lines);
}

// The most lines a label has: multi-line labels and custom ones may have several.
int TChartAxis::MaxLabelsLines() {
    if (!chart_)
        return 1;
    int most = 1;
    if (!items_->Automatic()) {
        for (int i = 0; i < items_->Count(); ++i)
            most = std::max(most, TextLineCount((*items_)[i]->Text()));
    } else if (labelsMultiLine_ && EffectiveLabelStyle() == talValue) {
        int widest = 0, lines = 0;
        MeasureValueLabels(widest, lines);
        most = std::max(most, lines);
    }
    return most;
}

int TChartAxis::LabelsRoom() {
    int room = TextSize(LabelsFont(), labelsAngle_, labelsSize_, nullptr);
    const bool across = horizontal_ ? (labelsAngle_ == 0 || labelsAngle_ == 180)
                                    : (labelsAngle_ == 90 || labelsAngle_ == 270);
    // Labels of several lines grow away from the axis: they need a font height per line.
    if (across && labelsSize_ == 0)
        room *= MaxLabelsLines();
    return labelsAlternate_ ? 2 * room : room;
}

int TChartAxis::TextLineCount(const std::string& text) {
    const int separators = static_cast<int>(std::count(text.begin(), text.end(), '\r'));
    const bool textAfterLast = !text.empty() && text.back() != '\r';
    return separators + (textAfterLast ? 1 : 0);
}
