#include "CoreTestSupport.h"

#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <map>

namespace {

const std::string NBSP = "\xC2\xA0";

// Marks as the series sees them: a style, the line layout and texts of custom items.
class TFakeMarks : public TSeriesMarkPoints {
public:
    TSeriesMarksStyle style = smsLabel;
    bool multiLine = false;
    std::map<int, std::string> items;

    void ClearPositions() override {}
    void ClearItems() override { items.clear(); }
    void DeletePoint(int) override {}
    void DeletePositions(int, int) override {}
    void SetParentChart(TChartHost*) override {}
    void SetZPosition(int) override {}
    TSeriesMarksStyle Style() const override { return style; }
    bool MultiLine() const override { return multiLine; }
    bool CustomItemText(int index, std::string& text) const override {
        auto it = items.find(index);
        if (it == items.end())
            return false;
        text = it->second;
        return true;
    }
};

class TMarkedSeries : public TChartSeries {
public:
    explicit TMarkedSeries(TFakeMarks* marks) : TChartSeries(nullptr) { SetMarkPoints(marks); }
};

// A chart whose legend shows two columns for every point.
class TLegendChart : public TTestChart {
public:
    std::string LegendValueText(TChartSeries*, int index) override {
        return "L" + std::to_string(index) + TChartSeries::ColumnSeparator + "R";
    }
};

// The legend's text styles by their order in the legend.
enum {
    Plain,
    LeftValue,
    RightValue,
    LeftPercent,
    RightPercent,
    XValue,
    Value,
    Percent,
    XAndValue,
    XAndPercent
};

class SeriesTextsTest : public ::testing::Test {
protected:
    SeriesTextsTest() : savedSettings(FormatSettings()) {
        FormatSettings() = TFormatSettings::Russian();
        chart.BottomAxis()->SetAxisValuesFormat("0.0"); // X texts come from the axis
        series.SetParentChart(&chart);
        series.SetTitle("Скорость");
        series.AddXYValue(1500, 1);
        series.AddXYValue(2500, 3, "Север");
        series.AddXYValue(3000, -4, "Юг");
    }
    ~SeriesTextsTest() override { FormatSettings() = savedSettings; }

    TFormatSettings savedSettings;
    ChartCoreSession session;
    TLegendChart chart;
    TFakeMarks marks;
    TMarkedSeries series{&marks};
};

TEST_F(SeriesTextsTest, MarkTextByStyle) {
    struct Case {
        TSeriesMarksStyle style;
        bool multiLine;
        int index;
        std::string text;
    };
    // Absolute sum 8: shares 12.5, 37.5 and 50; the relative shares are of point 0's value 1.
    const Case cases[] = {
        {smsValue, false, 1, "3"},
        {smsValue, false, 2, "-4"},
        {smsPercent, false, 0, "12,5 %"},
        {smsPercent, false, 2, "50 %"},
        {smsLabel, false, 0, "1"},
        {smsLabel, false, 1, "Север"},
        {smsLabelPercent, false, 1, "Север 37,5 %"},
        {smsLabelPercent, true, 1, "Север\r37,5 %"},
        {smsLabelValue, false, 2, "Юг -4"},
        {smsLabelValue, true, 0, "1\r1"},
        {smsLegend, false, 1, "L1 R"},
        {smsLegend, true, 1, "L1\x06R"},
        {smsPercentTotal, false, 1, "37,5 % of 8"},
        {smsPercentTotal, true, 1, "37,5 %\rof 8"},
        {smsLabelPercentTotal, false, 0, "1 12,5 % of 8"},
        {smsLabelPercentTotal, true, 2, "Юг\r50 %\rof 8"},
        {smsXValue, false, 1, "2500,0"},
        {smsXY, false, 2, "3000,0 -4"},
        {smsXY, true, 0, "1500,0\r1"},
        {smsSeriesTitle, false, 0, "Скорость"},
        {smsPointIndex, false, 2, "2"},
        {smsPercentRelative, false, 0, "100 %"},
        {smsPercentRelative, false, 1, "300 %"},
        {smsPercentRelative, false, 2, "-400 %"},
    };
    for (const Case& c : cases) {
        marks.style = c.style;
        marks.multiLine = c.multiLine;
        EXPECT_EQ(series.MarkText(c.index), c.text)
            << "style " << c.style << " multi-line " << c.multiLine << " point " << c.index;
    }
}

TEST_F(SeriesTextsTest, AnItemsOwnTextWinsAndTheEventHasTheLastWord) {
    marks.style = smsValue;
    marks.items[1] = "Два\r\nстроки\r\n";
    EXPECT_EQ(series.MarkText(1), "Два\r\nстроки"); // the final line break is dropped
    EXPECT_EQ(series.MarkText(0), "1");             // points without an item use the style

    series.OnGetMarkText = [](TChartSeries* sender, int index, std::string& text) {
        text += "|" + std::to_string(index) + "|" + sender->Title();
    };
    EXPECT_EQ(series.MarkText(1), "Два\r\nстроки|1|Скорость");
    EXPECT_EQ(series.MarkText(2), "-4|2|Скорость");
}

TEST_F(SeriesTextsTest, LegendTextByStyle) {
    struct Case {
        int style;
        int index;
        std::string text;
    };
    // The legend's percentage keeps the value's sign; points without a label show one column.
    const Case cases[] = {
        {Plain, 1, "Север"},
        {Plain, 0, ""},
        {LeftValue, 1, "3\x06Север"},
        {LeftValue, 0, "1"},
        {RightValue, 1,
         "Север\x06"
         "3"},
        {RightValue, 0, "1"},
        {LeftPercent, 2, "-50 %\x06Юг"},
        {LeftPercent, 0, "12,5 %"},
        {RightPercent, 1,
         "Север\x06"
         "37,5 %"},
        {XValue, 1, "2500,0"},
        {Value, 2, "-4"},
        {Percent, 2, "-50 %"},
        {XAndValue, 1,
         "2500,0\x06"
         "3"},
        {XAndPercent, 2, "3000,0\x06-50 %"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(series.LegendItemText(c.index, c.style), c.text)
            << "style " << c.style << " point " << c.index;
}

TEST_F(SeriesTextsTest, TextsOfASeriesWithoutAxesUseItsValueFormat) {
    TMarkedSeries loose(&marks);
    loose.AddXYValue(1234.5, 1234.5);
    marks.style = smsXY;
    EXPECT_EQ(loose.MarkText(0), "1" + NBSP + "234,5 1" + NBSP + "234,5");
    EXPECT_EQ(loose.LegendItemText(0, XValue), "1" + NBSP + "234,5");
    loose.SetValueFormat("0.00");
    loose.SetPercentFormat("0.0'%'");
    EXPECT_EQ(loose.LegendItemText(0, XAndPercent), "1234,50\x06"
                                                    "100,0%");
}

TEST(SeriesTexts, NumberTextsFollowTheRuntimeFormatting) {
    ChartCoreSession session;
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = TFormatSettings::Russian();
    TChartSeries series(nullptr);
    series.AddXYValue(0, 1234.5); // no label: the label shows the value
    EXPECT_EQ(series.MarkText(0), "1" + NBSP + "234,5");
    EXPECT_EQ(series.ValueText(0), "1" + NBSP + "234,5");
    EXPECT_EQ(series.PercentText(0, false), "100 %");
    FormatSettings() = TFormatSettings::Invariant();
    EXPECT_EQ(series.MarkText(0), "1,234.5");
    FormatSettings() = saved;
}

TEST(SeriesTexts, PercentagesOfZeroSums) {
    ChartCoreSession session;
    struct Case {
        std::vector<double> values;
        int index;
        bool relative;
        std::string text;
    };
    const Case cases[] = {
        {{1, 3}, 0, false, "25 %"},  {{1, 3}, 1, false, "75 %"},
        {{0, 0}, 1, false, "100 %"}, // nothing to share: every point is all of it
        {{0, 5}, 1, true, "0 %"},    // a first value of 0 gives no division by zero
        {{0, 5}, 0, true, "100 %"},  {{-2, 5}, 1, true, "-250 %"},
    };
    for (const Case& c : cases) {
        TFakeMarks marks;
        marks.style = c.relative ? smsPercentRelative : smsPercent;
        TMarkedSeries series(&marks);
        for (double v : c.values)
            series.AddValue(v);
        EXPECT_EQ(series.MarkText(c.index), c.text) << "point " << c.index;
    }
}

TEST(SeriesTexts, DateTimeValuesInTheLegendShowAsDates) {
    ChartCoreSession session;
    const TFormatSettings saved = FormatSettings();
    FormatSettings() = TFormatSettings::Russian();
    TChartSeries series(nullptr);
    series.YValues()->SetDateTime(true);
    series.AddXYValue(0, 45000.5, "полдень"); // 15 March 2023, noon
    series.AddXYValue(1, 0.25);               // 6 in the morning of no day
    EXPECT_EQ(series.LegendItemText(0, LeftValue), "15.03.2023\x06полдень");
    EXPECT_EQ(series.LegendItemText(1, Value), "6:00");
    EXPECT_EQ(series.MarkText(1), "0,25"); // marks show the number
    FormatSettings() = saved;
}

TEST(SeriesTexts, DisplayTitle) {
    ChartCoreSession session;
    TTestChart chart;
    TChartSeries first(nullptr), second(nullptr), third(nullptr);
    for (TChartSeries* s : {&first, &second, &third})
        s->SetParentChart(&chart);
    EXPECT_EQ(third.DisplayTitle(), "Series3"); // unnamed, untitled: its place in the chart
    second.SetName("Speed");
    EXPECT_EQ(second.DisplayTitle(), "Speed");
    second.SetTitle("Скорость\x06км/ч");
    EXPECT_EQ(second.DisplayTitle(), "Скорость км/ч");

    TChartSeries loose(nullptr);
    EXPECT_EQ(loose.DisplayTitle(), "");
}

} // namespace
