// The texts a series gives its points: value and percent texts, the mark text by the marks'
// style, the legend text by the legend's text style, and the title the series goes by.

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartSeries.h"
#include "chart/util/DateSteps.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/FloatFormat.h"

#include <algorithm>
#include <cmath>

namespace {

// The legend's text styles, in the order of the legend's TLegendTextStyle.
enum TLegendColumns {
    lcPlain,
    lcLeftValue,
    lcRightValue,
    lcLeftPercent,
    lcRightPercent,
    lcXValue,
    lcValue,
    lcPercent,
    lcXAndValue,
    lcXAndPercent
};

// value x 100 / total, or 100 when the total is 0.
double Share(double value, double total) {
    return total == 0 ? 100 : value * 100 / total;
}

} // namespace

std::string TChartSeries::ValueText(int index) const {
    return FormatFloat(ValueFormat(), MandatoryValueAt(index));
}

std::string TChartSeries::LabelOrValueText(int index) const {
    const std::string& label = labels_.Get(index);
    return label.empty() ? ValueText(index) : label;
}

std::string TChartSeries::XText(int index) const {
    const double value = notMandatory_->ValueAt(index);
    if (horizAxisBound_ != nullptr)
        return horizAxisBound_->LabelValueText(value);
    return FormatFloat(ValueFormat(), value);
}

std::string TChartSeries::PercentText(int index, bool withTotal) const {
    const double total = mandatory_->SumAbs();
    std::string text =
        FormatFloat(PercentFormat(), Share(std::fabs(MandatoryValueAt(index)), total));
    if (!withTotal)
        return text;
    const bool multiLine = markPoints_ != nullptr && markPoints_->MultiLine();
    return text + (multiLine ? "\rof " : " of ") + FormatFloat(ValueFormat(), total);
}

std::string TChartSeries::MarkText(int index) {
    std::string text;
    if (markPoints_ != nullptr && markPoints_->CustomItemText(index, text)) {
        if (text.size() >= 2 && text.compare(text.size() - 2, 2, "\r\n") == 0)
            text.resize(text.size() - 2);
    } else {
        const TSeriesMarksStyle style = markPoints_ != nullptr ? markPoints_->Style() : smsLabel;
        const bool multiLine = markPoints_ != nullptr && markPoints_->MultiLine();
        const std::string sep(1, multiLine ? LineSeparator : ' ');
        switch (style) {
        case smsValue:
            text = ValueText(index);
            break;
        case smsPercent:
            text = PercentText(index, false);
            break;
        case smsLabel:
            text = LabelOrValueText(index);
            break;
        case smsLabelPercent:
            text = LabelOrValueText(index) + sep + PercentText(index, false);
            break;
        case smsLabelValue:
            text = LabelOrValueText(index) + sep + ValueText(index);
            break;
        case smsLegend:
            if (ParentChart() != nullptr)
                text = ParentChart()->LegendValueText(this, index);
            if (!multiLine)
                std::replace(text.begin(), text.end(), ColumnSeparator, ' ');
            break;
        case smsPercentTotal:
            text = PercentText(index, true);
            break;
        case smsLabelPercentTotal:
            text = LabelOrValueText(index) + sep + PercentText(index, true);
            break;
        case smsXValue:
            text = XText(index);
            break;
        case smsXY:
            text = XText(index) + sep + ValueText(index);
            break;
        case smsSeriesTitle:
            text = DisplayTitle();
            break;
        case smsPointIndex:
            text = std::to_string(index);
            break;
        case smsPercentRelative: {
            // Shares of the first point's value; a first value of 0 gives 0 rather than a
            // division by zero.
            const double first = MandatoryValueAt(0);
            double share = 100;
            if (index != 0)
                share = first == 0 ? 0 : MandatoryValueAt(index) * 100 / first;
            text = FormatFloat(PercentFormat(), share);
            break;
        }
        }
    }
    if (OnGetMarkText)
        OnGetMarkText(this, index, text);
    return text;
}

std::string TChartSeries::LegendItemText(int index, int textStyle) const {
    const int i = SourceIndex(index);
    const std::string& label = labels_.Get(i);
    const double v = MandatoryValueAt(i);
    auto value = [&] {
        if (mandatory_->DateTime())
            return FormatDateTime(DefaultDateTimeFormatFor(v), v);
        return FormatFloat(ValueFormat(), v);
    };
    auto percent = [&] { return FormatFloat(PercentFormat(), Share(v, mandatory_->SumAbs())); };
    auto x = [&] {
        const double xv = xValues_->ValueAt(i);
        return horizAxisBound_ != nullptr ? horizAxisBound_->LabelValueText(xv)
                                          : FormatFloat(ValueFormat(), xv);
    };
    const std::string sep(1, ColumnSeparator);
    switch (textStyle) {
    case lcPlain:
        return label;
    case lcLeftValue:
        return label.empty() ? value() : value() + sep + label;
    case lcRightValue:
        return label.empty() ? value() : label + sep + value();
    case lcLeftPercent:
        return label.empty() ? percent() : percent() + sep + label;
    case lcRightPercent:
        return label.empty() ? percent() : label + sep + percent();
    case lcXValue:
        return x();
    case lcValue:
        return value();
    case lcPercent:
        return percent();
    case lcXAndValue:
        return x() + sep + value();
    case lcXAndPercent:
        return x() + sep + percent();
    default:
        return label;
    }
}

std::string TChartSeries::DisplayTitle() const {
    std::string title = Title();
    std::replace(title.begin(), title.end(), ColumnSeparator, ' ');
    if (!title.empty())
        return title;
    if (!Name().empty())
        return Name();
    TChartHost* chart = ParentChart();
    if (chart == nullptr)
        return {};
    for (int i = 0; i < chart->SeriesCount(); ++i)
        if (chart->SeriesAt(i) == this)
            return "Series" + std::to_string(i + 1);
    return {};
}
