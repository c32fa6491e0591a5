#include "CoreTestSupport.h"

#include "chart/core/ChartElement.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

namespace {

class ChartElementTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
};

int Count(const TTestChart& chart, TSeriesEventKind kind) {
    int n = 0;
    for (const auto& e : chart.events)
        n += e.second == kind;
    return n;
}

TEST_F(ChartElementTest, SettersRepaintAndBroadcastOnlyOnChange) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    chart.invalidations = 0;
    chart.events.clear();

    series.SetActive(true); // already active
    series.SetTitle("");
    series.SetShowInLegend(true);
    EXPECT_EQ(chart.invalidations, 0);
    EXPECT_TRUE(chart.events.empty());

    series.SetActive(false);
    EXPECT_EQ(chart.invalidations, 1);
    EXPECT_EQ(Count(chart, sekChangeActive), 1);

    series.SetTitle("Напряжение");
    series.SetTitle("Напряжение");
    EXPECT_EQ(chart.invalidations, 2);
    EXPECT_EQ(Count(chart, sekChangeTitle), 1);

    series.SetShowInLegend(false);
    EXPECT_EQ(chart.invalidations, 3);
    series.Brush()->SetColor(clRed); // an owned brush or pen repaints through its owner
    series.Pen()->SetWidth(3);
    EXPECT_EQ(chart.invalidations, 5);
}

TEST_F(ChartElementTest, StyleAndIdentifierAreStoredOnlyWhenSet) {
    TChartSeries series(nullptr);
    series.SetName("Series1");
    const std::string plain = ComponentToText(&series);
    EXPECT_EQ(plain.find("Identifier"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("Style"), std::string::npos) << plain;

    // A stored style keeps its six low bits only.
    const std::string text = "object Series1: TChartSeries\n"
                             "  Identifier = 'power'\n"
                             "  Style = 255\n"
                             "end\n";
    TChartSeries read(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    EXPECT_EQ(read.StyleFlags(), 63);
    EXPECT_EQ(read.Identifier(), "power");
    const std::string written = ComponentToText(&read);
    EXPECT_NE(written.find("Style = 63"), std::string::npos) << written;
    EXPECT_NE(written.find("Identifier = 'power'"), std::string::npos) << written;
}

TEST_F(ChartElementTest, AssignCopiesElementSettingsAndRefusesStrangers) {
    TChartSeries source(nullptr), target(nullptr);
    source.SetTitle("Порог");
    source.SetShowInLegend(false);
    source.SetStyleFlags(5);
    source.SetIdentifier("threshold");
    source.SetTag(7);
    source.Pen()->SetColor(clRed);
    source.Pen()->SetWidth(2);
    source.SetActive(false);
    target.Assign(&source);
    EXPECT_EQ(target.Title(), "Порог");
    EXPECT_FALSE(target.ShowInLegend());
    EXPECT_EQ(target.StyleFlags(), 5);
    EXPECT_EQ(target.Identifier(), "threshold");
    EXPECT_EQ(target.Tag(), 7);
    EXPECT_EQ(target.Pen()->Color(), clRed);
    EXPECT_EQ(target.Pen()->Width(), 2);
    EXPECT_FALSE(target.Active());

    TComponent stranger(nullptr);
    EXPECT_THROW(target.Assign(&stranger), EConvertError);
}

TEST_F(ChartElementTest, SeriesIsItsChartsChildAndKnowsItsKin) {
    TChartSeries series(nullptr);
    EXPECT_TRUE(series.HasParent());
    EXPECT_EQ(series.GetParentComponent(), nullptr);
    series.SetParentComponent(&chart); // a description puts the series into its chart
    EXPECT_EQ(series.ParentChart(), &chart);
    EXPECT_EQ(series.GetParentComponent(), &chart);
    EXPECT_EQ(chart.SeriesCount(), 1);

    TCustomChartSeries plain(nullptr);
    EXPECT_TRUE(series.IsSameKindAs(&plain));
    EXPECT_TRUE(plain.IsSameKindAs(&series));
    EXPECT_FALSE(series.IsSameKindAs(nullptr));

    series.ApplyGallery3D(true);
    EXPECT_TRUE(chart.view3D);
    int left = -1, right = -1;
    series.GetHorizMargins(left, right);
    EXPECT_EQ(left + right, 0);
}

} // namespace
