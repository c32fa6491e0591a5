// The legend's settings: the style it takes in effect, whether it is drawn, its checked setters
// and its stored form.

#include "tests/chart/control/ControlTestSupport.h"

#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

TEST_F(ChartFixture, LegendStyleInEffectAndWhetherItIsDrawn) {
    TChartLegend* legend = chart->Legend();
    struct Case {
        int activeSeries;
        int inactiveSeries;
        bool checkBoxes;
        TLegendStyle style;
        TLegendStyle effective;
        bool drawn;
    };
    const Case cases[] = {
        {0, 0, false, lsAuto, lsValues, false},
        {1, 0, false, lsAuto, lsValues, true},
        {2, 0, false, lsAuto, lsSeries, true},
        {1, 1, false, lsAuto, lsValues, true},
        {0, 1, true, lsAuto, lsSeries, true},
        {0, 1, false, lsAuto, lsValues, false},
        {0, 0, true, lsValues, lsValues, false},
        {1, 0, false, lsLastValues, lsLastValues, true},
        {0, 0, true, lsSeriesGroups, lsSeriesGroups, true},
    };
    for (const Case& c : cases) {
        while (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->SetParentChart(nullptr);
        for (int i = 0; i < c.activeSeries; ++i)
            AddSeries();
        for (int i = 0; i < c.inactiveSeries; ++i)
            AddSeries()->SetActive(false);
        legend->SetCheckBoxes(c.checkBoxes);
        legend->SetLegendStyle(c.style);
        EXPECT_EQ(legend->EffectiveStyle(), c.effective)
            << c.activeSeries << " active, boxes " << c.checkBoxes << " style " << c.style;
        EXPECT_EQ(legend->ToBeDrawn(), c.drawn)
            << c.activeSeries << " active, boxes " << c.checkBoxes << " style " << c.style;
    }
    AddSeries();
    legend->SetVisible(false);
    EXPECT_FALSE(legend->ToBeDrawn());
}

TEST_F(ChartFixture, NegativeFirstValueIsRefusedAndZeroAccepted) {
    TChartLegend* legend = chart->Legend();
    legend->SetFirstValue(3);
    try {
        legend->SetFirstValue(-1);
        FAIL() << "no exception";
    } catch (const LegendException& e) {
        EXPECT_STREQ(e.what(), "First Legend Value must be > 0");
    }
    EXPECT_EQ(legend->FirstValue(), 3);
    legend->SetFirstValue(0);
    EXPECT_EQ(legend->FirstValue(), 0);
}

TEST_F(ChartFixture, RadioCheckBoxesLeaveOnlyTheFirstShownActiveSeries) {
    auto* hidden = AddSeries();
    hidden->SetShowInLegend(false);
    auto* off = AddSeries();
    off->SetActive(false);
    auto* first = AddSeries();
    auto* second = AddSeries();
    auto* third = AddSeries();
    chart->Legend()->SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(hidden->Active()) << "not in the legend";
    EXPECT_FALSE(off->Active());
    EXPECT_TRUE(first->Active());
    EXPECT_FALSE(second->Active());
    EXPECT_FALSE(third->Active());
}

TEST_F(ChartFixture, LegendForgetsItsSeriesWhenTheSeriesLeavesOrGoes) {
    auto* detached = AddSeries();
    chart->Legend()->SetSeries(detached);
    detached->SetParentChart(nullptr);
    EXPECT_EQ(chart->Legend()->Series(), nullptr);

    auto* freed = AddSeries();
    chart->Legend()->SetSeries(freed);
    freed->Free();
    EXPECT_EQ(chart->Legend()->Series(), nullptr);

    // A series of another chart, freed while the legend shows it.
    TChart other(nullptr);
    auto* foreign = new TTestLineSeries(owner);
    foreign->SetParentChart(&other);
    chart->Legend()->SetSeries(foreign);
    foreign->Free();
    EXPECT_EQ(chart->Legend()->Series(), nullptr);
}

TEST_F(ChartFixture, LegendSettingsAreStoredWhenTheyDifferFromTheDefaults) {
    EXPECT_EQ(ComponentToText(chart).find("Legend."), std::string::npos);
    chart->Legend()->SetAlignment(laLeft);
    chart->Legend()->SetMaxNumRows(4);
    chart->Legend()->SetTopPos(25);
    chart->Legend()->DividingLines()->SetVisible(true);
    chart->Legend()->SetLeft(30);
    const std::string text = ComponentToText(chart);
    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    EXPECT_EQ(copy.Legend()->Alignment(), laLeft);
    EXPECT_EQ(copy.Legend()->MaxNumRows(), 4);
    EXPECT_EQ(copy.Legend()->TopPos(), 25);
    EXPECT_TRUE(copy.Legend()->DividingLines()->Visible());
    EXPECT_TRUE(copy.Legend()->CustomPosition());
    EXPECT_EQ(copy.Legend()->Left(), 30);
}

} // namespace
