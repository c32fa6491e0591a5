// Making series for galleries and editors, and changing a series' type in place.

#include "chart/control/SeriesFactory.h"

#include "chart/control/Chart.h"
#include "chart/series/BarSeries.h"
#include "chart/series/PointSeries.h"
#include "tests/chart/registry/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct TPointValues {
    std::vector<double> x, y;
    std::vector<std::string> labels;
    bool operator==(const TPointValues&) const = default;
};

TPointValues ValuesOf(const TChartSeries* series) {
    TPointValues values;
    for (int i = 0; i < series->Count(); ++i) {
        values.x.push_back(series->XValueAt(i));
        values.y.push_back(series->YValueAt(i));
        values.labels.push_back(series->XLabel(i));
    }
    return values;
}

// Notes the kinds of series events the chart tells its listeners.
class TSeriesEventLog : public IChartEventListener {
public:
    void ChartEvent(TPlotEvent& event) override {
        if (auto* e = dynamic_cast<TPlotSeriesEvent*>(&event))
            events.push_back({e->Series, e->Kind});
    }
    std::vector<std::pair<TCustomChartSeries*, TSeriesEventKind>> events;
};

class SeriesFactory : public ::testing::Test {
protected:
    void SetUp() override {
        owner = new TComponent(nullptr);
        chart = new TChart(owner);
        chart->SetName("Chart1");
        watch = new TFreeWatch(nullptr);
    }
    void TearDown() override {
        watch->Free();
        owner->Free();
    }
    TLineSeries* AddLine(const std::string& name) {
        auto* series = new TLineSeries(owner);
        series->SetName(name);
        series->SetParentChart(chart);
        return series;
    }
    int SeriesIndex(const TChartSeries* series) const {
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (chart->SeriesAt(i) == series)
                return i;
        return -1;
    }

    TComponent* owner = nullptr;
    TChart* chart = nullptr;
    TFreeWatch* watch = nullptr;
};

TEST_F(SeriesFactory, MakeSeriesNamesItInItsOwnerAndPutsItOnTheChart) {
    AddLine("Series1");
    TChartSeries* second = MakeSeries(owner, chart, TPointSeries::StaticClass());
    EXPECT_EQ(second->ClassType(), TPointSeries::StaticClass());
    EXPECT_EQ(second->Owner(), owner);
    EXPECT_EQ(second->Name(), "Series2");
    EXPECT_EQ(second->ParentChart(), chart);
    EXPECT_EQ(SeriesIndex(second), 1);

    // Without an owner the chart owns it, and names it among its own components.
    TChartSeries* ownedByChart = MakeSeries(nullptr, chart, TLineSeries::StaticClass());
    EXPECT_EQ(ownedByChart->Owner(), chart);
    EXPECT_EQ(ownedByChart->Name(), "Series1");
    // A chart owning one of its series owns the next ones too.
    TChartSeries* next = MakeSeries(owner, chart, TLineSeries::StaticClass());
    EXPECT_EQ(next->Owner(), chart);
    EXPECT_EQ(next->Name(), "Series2");
    EXPECT_EQ(chart->SeriesCount(), 4);

    // Without a chart the series stays detached.
    TChartSeries* detached = MakeSeries(owner, nullptr, TLineSeries::StaticClass());
    EXPECT_EQ(detached->ParentChart(), nullptr);
    EXPECT_EQ(detached->Owner(), owner);
    EXPECT_EQ(detached->Name(), "Series3");
}

TEST_F(SeriesFactory, MakeSeriesGivesAFunctionNamedInTheSeriesOwner) {
    TChartSeries* first =
        MakeSeries(owner, chart, TLineSeries::StaticClass(), TRegistrySumFunction::StaticClass());
    TChartSeries* second =
        MakeSeries(owner, chart, TPointSeries::StaticClass(), TRegistrySumFunction::StaticClass());
    for (auto [series, name] : {std::pair{first, "PlotFunction1"}, {second, "PlotFunction2"}}) {
        SCOPED_TRACE(name);
        TPlotFunction* function = series->Function();
        ASSERT_NE(function, nullptr);
        EXPECT_EQ(function->ClassType(), TRegistrySumFunction::StaticClass());
        EXPECT_EQ(function->Name(), name);
        EXPECT_EQ(function->Owner(), owner);
        EXPECT_EQ(function->ParentSeries(), series);
        EXPECT_FALSE(series->ManualData());
    }
}

TEST_F(SeriesFactory, MakeSeriesRefusesClassesThatMakeNoSeriesOrFunctions) {
    AddLine("Series1");
    const int components = owner->ComponentCount();
    struct Case {
        TClass series;
        TClass function;
    };
    const Case cases[] = {
        {TChart::StaticClass(), nullptr},
        {TComponent::StaticClass(), nullptr},
        {nullptr, nullptr},
        {TLineSeries::StaticClass(), TLineSeries::StaticClass()},
        {TLineSeries::StaticClass(), TComponent::StaticClass()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.series ? c.series->ClassName() : "none") + " " +
                     (c.function ? c.function->ClassName() : "none"));
        EXPECT_THROW(MakeSeries(owner, chart, c.series, c.function), EComponentError);
        EXPECT_EQ(owner->ComponentCount(), components);
        EXPECT_EQ(chart->SeriesCount(), 1);
    }
}

TEST_F(SeriesFactory, ReplacingBySameClassKeepsTheSeriesUntouched) {
    TLineSeries* line = AddLine("Series1");
    line->AddXYValue(1, 10);
    TChartSeries* series = line;
    watch->Watch(line);
    const int components = owner->ComponentCount();
    ReplaceSeriesClass(series, TLineSeries::StaticClass());
    EXPECT_EQ(series, line);
    EXPECT_FALSE(watch->Freed());
    EXPECT_EQ(owner->ComponentCount(), components);
    EXPECT_EQ(series->Count(), 1);
    EXPECT_EQ(series->Name(), "Series1");
}

TEST_F(SeriesFactory, ALineBecomesAPointSeriesWithItsPointsSettingsEventsAndPlace) {
    TLineSeries* line = AddLine("Series1");
    TLineSeries* other = AddLine("Series2");
    line->AddXYValue(1, 10, "a");
    line->AddXYValue(2, 20, "b");
    line->AddXYValue(3, 15, "c");
    line->SetTitle("Напряжение");
    line->SetSeriesColor(clGreen);
    int clicks = 0;
    line->OnClick = [&](TChartSeries*, int, TMouseButton, TShiftState, int, int) { ++clicks; };
    auto* tool = new TRegistryProbeSeriesTool(owner);
    tool->SetParentChart(chart);
    tool->SetSeries(line);
    // A series fed by the line.
    TLineSeries* follower = AddLine("Series3");
    follower->AddDataSourceItem(line);
    follower->ReloadFromSource();
    ASSERT_EQ(follower->Count(), 3);

    TSeriesEventLog log;
    chart->AddListener(&log);
    watch->Watch(line);
    const TPointValues before = ValuesOf(line);
    const int components = owner->ComponentCount();

    TChartSeries* series = line;
    ReplaceSeriesClass(series, TPointSeries::StaticClass());
    chart->RemoveListener(&log);

    EXPECT_TRUE(watch->Freed());
    ASSERT_NE(dynamic_cast<TPointSeries*>(series), nullptr);
    EXPECT_EQ(series->Name(), "Series1");
    EXPECT_EQ(series->Owner(), owner);
    EXPECT_EQ(owner->ComponentCount(), components);
    EXPECT_EQ(chart->SeriesCount(), 3);
    EXPECT_EQ(SeriesIndex(series), 0);
    EXPECT_EQ(SeriesIndex(other), 1);
    EXPECT_EQ(ValuesOf(series), before);
    EXPECT_EQ(series->Title(), "Напряжение");
    EXPECT_EQ(series->OwnSeriesColor(), clGreen);
    ASSERT_TRUE(series->OnClick);
    series->OnClick(series, 0, mbLeft, {}, 0, 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(tool->Series(), series);
    // The follower now takes its points from the new series.
    EXPECT_EQ(follower->DataSource(), series);
    series->AddXYValue(4, 30);
    EXPECT_EQ(follower->Count(), 4);
    // The chart told its listeners of the new title.
    bool titleChanged = false;
    for (const auto& [s, kind] : log.events)
        titleChanged = titleChanged || (s == series && kind == sekChangeTitle);
    EXPECT_TRUE(titleChanged);
}

TEST_F(SeriesFactory, ALineFedByASourceBecomesABarSeriesKeepingItsPointsSourceAndPlace) {
    TLineSeries* source = AddLine("Series1");
    source->AddXYValue(1, 10, "a");
    source->AddXYValue(2, 20, "b");
    TLineSeries* line = AddLine("Series2");
    line->AddDataSourceItem(source);
    line->ReloadFromSource();
    line->SetTitle("Скорость");
    line->SetSeriesColor(clNavy);
    const TPointValues before = ValuesOf(line);

    TChartSeries* series = line;
    ReplaceSeriesClass(series, TBarSeries::StaticClass());

    ASSERT_NE(dynamic_cast<TBarSeries*>(series), nullptr);
    EXPECT_EQ(series->Name(), "Series2");
    EXPECT_EQ(SeriesIndex(series), 1);
    EXPECT_EQ(ValuesOf(series), before);
    EXPECT_EQ(series->Title(), "Скорость");
    EXPECT_EQ(series->OwnSeriesColor(), clNavy);
    EXPECT_EQ(series->DataSource(), source);
    // Still fed: a point added to the source reaches the bars.
    source->AddXYValue(3, 30, "c");
    EXPECT_EQ(series->Count(), 3);
}

TEST_F(SeriesFactory, AReplacedSeriesTakesTheOldOnesPlaceInItsGroup) {
    TLineSeries* first = AddLine("Series1");
    TLineSeries* second = AddLine("Series2");
    TSeriesGroup* group = chart->SeriesGroups()->AddGroup();
    group->Series().Add(first);
    group->Series().Add(second);
    TChartSeries* series = second;
    ReplaceSeriesClass(series, TPointSeries::StaticClass());
    ASSERT_EQ(group->Series().Count(), 2);
    EXPECT_EQ(group->Series()[0], first);
    EXPECT_EQ(group->Series()[1], series);
    EXPECT_EQ(chart->SeriesGroups()->Contains(series), 0);
}

TEST_F(SeriesFactory, AReplacedSeriesKeepsTakingItsPointsFromItsSource) {
    TLineSeries* source = AddLine("Source");
    source->AddXYValue(1, 5);
    source->AddXYValue(2, 6);
    TLineSeries* line = AddLine("Series1");
    line->AddDataSourceItem(source);
    line->ReloadFromSource();
    ASSERT_EQ(line->Count(), 2);

    TChartSeries* series = line;
    ReplaceSeriesClass(series, TPointSeries::StaticClass());
    EXPECT_EQ(series->DataSource(), source);
    ASSERT_EQ(source->LinkedSeriesCount(), 1);
    EXPECT_EQ(source->LinkedSeries(0), series);
    EXPECT_EQ(ValuesOf(series), ValuesOf(source));
    source->AddXYValue(3, 7);
    EXPECT_EQ(series->Count(), 3);
    EXPECT_EQ(SeriesIndex(series), 1);
}

TEST_F(SeriesFactory, AFunctionSeriesKeepsItsFunctionComputingFromItsSource) {
    TLineSeries* source = AddLine("Source");
    source->AddXYValue(1, 5);
    source->AddXYValue(3, 6);
    TChartSeries* series =
        MakeSeries(owner, chart, TLineSeries::StaticClass(), TRegistrySumFunction::StaticClass());
    TPlotFunction* function = series->Function();
    series->SetDataSource(source);
    // Every point of the series carries the sum of the source's values.
    auto sums = [](const TChartSeries* s) { return ValuesOf(s).y; };
    ASSERT_FALSE(sums(series).empty());
    EXPECT_EQ(sums(series), std::vector<double>(sums(series).size(), 11));

    ReplaceSeriesClass(series, TPointSeries::StaticClass());
    ASSERT_NE(dynamic_cast<TPointSeries*>(series), nullptr);
    EXPECT_EQ(series->Function(), function);
    EXPECT_EQ(function->ParentSeries(), series);
    EXPECT_EQ(series->DataSource(), source);
    ASSERT_FALSE(sums(series).empty());
    EXPECT_EQ(sums(series), std::vector<double>(sums(series).size(), 11));
    // The function goes on computing for the new series.
    source->AddXYValue(5, 4);
    function->Recompute();
    ASSERT_FALSE(sums(series).empty());
    EXPECT_EQ(sums(series), std::vector<double>(sums(series).size(), 15));
}

TEST_F(SeriesFactory, ASeriesWithoutAChartChangesTypeToo) {
    auto* line = new TLineSeries(owner);
    line->SetName("Series1");
    line->AddXYValue(1, 2);
    TChartSeries* series = line;
    ReplaceSeriesClass(series, TRegistryProbeSeries::StaticClass());
    EXPECT_EQ(series->ClassType(), TRegistryProbeSeries::StaticClass());
    EXPECT_EQ(series->Name(), "Series1");
    EXPECT_EQ(series->ParentChart(), nullptr);
    EXPECT_EQ(series->Count(), 1);
}

TEST_F(SeriesFactory, AClassThatMakesNoSeriesLeavesTheOldOneInPlace) {
    TLineSeries* line = AddLine("Series1");
    line->AddXYValue(1, 2);
    TChartSeries* series = line;
    const int components = owner->ComponentCount();
    EXPECT_THROW(ReplaceSeriesClass(series, TChart::StaticClass()), EComponentError);
    EXPECT_EQ(series, line);
    EXPECT_EQ(owner->ComponentCount(), components);
    EXPECT_EQ(chart->SeriesCount(), 1);
    EXPECT_EQ(series->Count(), 1);
    EXPECT_EQ(series->Name(), "Series1");
}

} // namespace
