#include "SourcesTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "chart/util/DateSteps.h"
#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Points = std::vector<std::pair<double, double>>;

Points PointsOf(const TChartSeries& series) {
    Points out;
    for (int i = 0; i < series.Count(); ++i)
        out.emplace_back(series.XValueAt(i), series.YValueAt(i));
    return out;
}

// A source series on the chart and a series computed from it by a summing function.
class PlotFunctionTest : public ::testing::Test {
protected:
    void SetUp() override {
        source = new TChartSeries(&chart);
        source->SetParentChart(&chart);
        result = new TChartSeries(&chart);
        result->SetParentChart(&chart);
        sum = new TSumFunction(nullptr);
        result->SetFunction(sum);
        result->SetDataSource(source);
    }
    // Replaces the source's points (Y 1, 2, 3, ... unless given) and recomputes.
    void Fill(const std::vector<double>& xs, std::vector<double> ys = {}) {
        source->BeginUpdate();
        source->ClearValues();
        for (size_t i = 0; i < xs.size(); ++i)
            source->AddXYValue(xs[i], ys.empty() ? static_cast<double>(i + 1) : ys[i]);
        source->EndUpdate();
    }

    ChartCoreSession session;
    TSourcesChart chart;
    TChartSeries* source = nullptr;
    TChartSeries* result = nullptr;
    TSumFunction* sum = nullptr;
};

TEST_F(PlotFunctionTest, PeriodsMustNotBeNegativeAndRecomputeOnlyOnChange) {
    sum->SetPeriod(3);
    for (double bad : {-1.0, -1e-300, std::numeric_limits<double>::quiet_NaN()}) {
        try {
            sum->SetPeriod(bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const ChartException& e) {
            EXPECT_EQ(e.Message(), "Function Period should be >= 0");
        }
        EXPECT_EQ(sum->Period(), 3);
    }
    const int refreshes = chart.refreshes;
    sum->SetPeriod(3);
    sum->SetPeriodStyle(psNumPoints);
    sum->SetPeriodAlign(paCenter);
    EXPECT_EQ(chart.refreshes, refreshes);
    sum->SetPeriodAlign(paLast);
    sum->SetPeriodStyle(psRange);
    sum->SetPeriod(4);
    EXPECT_EQ(chart.refreshes, refreshes + 3);

    // An update holds the changes back and recomputes once at its end.
    sum->StartUpdate();
    sum->SetPeriod(5);
    sum->SetPeriodStyle(psNumPoints);
    EXPECT_EQ(chart.refreshes, refreshes + 3);
    sum->FinishUpdate();
    EXPECT_EQ(chart.refreshes, refreshes + 4);
    sum->FinishUpdate(); // none open: nothing
    EXPECT_EQ(chart.refreshes, refreshes + 4);

    TPlotFunction copy(nullptr);
    copy.Assign(sum);
    EXPECT_EQ(copy.Period(), 5);
    EXPECT_EQ(copy.PeriodStyle(), psNumPoints);
    EXPECT_EQ(copy.PeriodAlign(), paLast);
}

TEST_F(PlotFunctionTest, PeriodsOfPointsAndOfRanges) {
    const std::vector<double> seven = {0, 10, 20, 30, 40, 50, 60};
    struct Case {
        const char* what;
        TFunctionPeriodStyle style;
        double period;
        TFunctionPeriodAlign align;
        std::vector<double> xs;
        Points expected;
    };
    const Case cases[] = {
        {"3 of 7, centre", psNumPoints, 3, paCenter, seven, {{10, 6}, {40, 15}}},
        {"3 of 7, first", psNumPoints, 3, paFirst, seven, {{0, 6}, {30, 15}}},
        {"3 of 7, last", psNumPoints, 3, paLast, seven, {{20, 6}, {50, 15}}},
        {"whole", psNumPoints, 0, paCenter, {2, 3, 10}, {{6, 6}}},
        {"2.5 rounds to 2", psNumPoints, 2.5, paFirst, seven, {{0, 3}, {20, 7}, {40, 11}}},
        {"below a point", psNumPoints, 0.4, paFirst, {1, 2}, {{1, 1}, {2, 2}}},
        {"more than all", psNumPoints, 8, paFirst, seven, {}},
        // A range period ends a thousandth of the period before the next one begins.
        {"range with a gap",
         psRange,
         10,
         paCenter,
         {0, 1, 25},
         {{(0 + (10 - 0.01)) / 2, 3}, {(10 + (20 - 0.01)) / 2, 0}, {(20 + (30 - 0.01)) / 2, 3}}},
        {"range, first", psRange, 10, paFirst, {0, 1, 25}, {{0, 3}, {10, 0}, {20, 3}}},
        {"range, last",
         psRange,
         10,
         paLast,
         {0, 1, 25},
         {{10 - 0.01, 3}, {20 - 0.01, 0}, {30 - 0.01, 3}}},
        // Too fine to give results in any reasonable number, and too small to move a boundary.
        {"range 1e-300", psRange, 1e-300, paFirst, {0, 1, 6}, {}},
        {"range that stays put", psRange, 1, paFirst, {1e16, 1e16 + 2}, {}},
        {"points 1e-300", psNumPoints, 1e-300, paFirst, {5, 6}, {{5, 1}, {6, 2}}},
    };
    for (const Case& c : cases) {
        sum->StartUpdate();
        sum->SetPeriodStyle(c.style);
        sum->SetPeriodAlign(c.align);
        sum->SetPeriod(c.period);
        sum->FinishUpdate();
        Fill(c.xs);
        EXPECT_EQ(PointsOf(*result), c.expected) << c.what;
    }
    // The range case with a gap computed over points 0-1 and 2 only.
    sum->StartUpdate();
    sum->SetPeriodStyle(psRange);
    sum->SetPeriod(10);
    sum->FinishUpdate();
    sum->periods.clear();
    Fill({0, 1, 25});
    EXPECT_EQ(sum->periods, (std::vector<std::pair<int, int>>{{0, 1}, {2, 2}}));
}

TEST_F(PlotFunctionTest, WholeResultsSitOnTheRightAxis) {
    const int clears = sum->clears;
    Fill({4, 8, 20});
    EXPECT_EQ(sum->clears, clears + 1); // the series is cleared before it is computed again
    EXPECT_EQ(PointsOf(*result), (Points{{12, 6}}));
    EXPECT_EQ(sum->periods, (std::vector<std::pair<int, int>>{{-1, -1}}));

    // A series that takes no single point gets the value at both ends.
    auto* pair = new TNoSinglePointSeries(&chart);
    pair->SetParentChart(&chart);
    pair->SetFunction(new TSumFunction(nullptr));
    pair->SetDataSource(source);
    EXPECT_EQ(PointsOf(*pair), (Points{{4, 6}, {20, 6}}));

    // A horizontal series keeps its positions in Y and its values in X.
    auto* horiz = new THorizSeries(&chart);
    horiz->SetParentChart(&chart);
    horiz->AddXYValue(5, 1);
    horiz->AddXYValue(7, 3);
    auto* computed = new THorizSeries(&chart);
    computed->SetParentChart(&chart);
    auto* byTwo = new TSumFunction(nullptr);
    computed->SetFunction(byTwo);
    computed->SetDataSource(horiz);
    EXPECT_EQ(PointsOf(*computed), (Points{{12, 2}}));
    byTwo->SetPeriodAlign(paFirst);
    byTwo->SetPeriod(1);
    EXPECT_EQ(PointsOf(*computed), (Points{{5, 1}, {7, 3}}));
}

TEST_F(PlotFunctionTest, DateTimeRangesCountWholeMonths) {
    source->XValues()->SetDateTime(true);
    std::vector<double> days;
    for (TDateTime d = EncodeDate(2024, 1, 1); d < EncodeDate(2024, 4, 1); d += 1)
        days.push_back(d);
    Fill(days, std::vector<double>(days.size(), 1.0));
    sum->StartUpdate();
    sum->SetPeriodStyle(psRange);
    sum->SetPeriodAlign(paFirst);
    sum->SetPeriod(DateStepLength(dtOneMonth));
    sum->FinishUpdate();
    EXPECT_TRUE(result->XValues()->DateTime()); // taken from the source
    EXPECT_EQ(PointsOf(*result), (Points{{EncodeDate(2024, 1, 1), 31},
                                         {EncodeDate(2024, 2, 1), 29},
                                         {EncodeDate(2024, 3, 1), 31}}));
    sum->SetPeriod(DateStepLength(dtHalfMonth));
    EXPECT_EQ(PointsOf(*result), (Points{{EncodeDate(2024, 1, 1), 14},
                                         {EncodeDate(2024, 1, 15), 17},
                                         {EncodeDate(2024, 2, 1), 14},
                                         {EncodeDate(2024, 2, 15), 15},
                                         {EncodeDate(2024, 3, 1), 14},
                                         {EncodeDate(2024, 3, 15), 17}}));
    // Without exact steps a month is a plain number of days.
    chart.BottomAxis()->SetExactDateTime(false);
    sum->SetPeriod(0);
    sum->SetPeriod(DateStepLength(dtOneMonth));
    ASSERT_FALSE(result->Count() == 0);
    EXPECT_EQ(result->YValueAt(0), DateStepLength(dtOneMonth));
}

TEST_F(PlotFunctionTest, SeveralSourcesCombineIndexByIndex) {
    Fill({1, 2});
    auto* longer = new TChartSeries(&chart);
    longer->SetParentChart(&chart);
    longer->AddXYValue(10, 100, "a");
    longer->AddXYValue(20, 200, "b");
    longer->AddXYValue(30, 300, "c");
    result->DataSources().Add(longer);
    // The series with the most points leads: its positions and labels.
    EXPECT_EQ(PointsOf(*result), (Points{{10, 101}, {20, 202}, {30, 300}}));
    EXPECT_EQ(result->XLabel(2), "c");
    EXPECT_EQ(result->OwnPointColor(0), clDefault);
}

TEST_F(PlotFunctionTest, AFunctionBelongsToOneSeriesAtATime) {
    Fill({1, 2, 3});
    auto* other = new TChartSeries(&chart);
    other->SetParentChart(&chart);
    other->SetDataSource(source);
    sum->AttachTo(other);
    EXPECT_EQ(sum->ParentSeries(), other);
    EXPECT_EQ(sum->GetParentComponent(), other);
    EXPECT_EQ(result->Function(), nullptr);
    EXPECT_EQ(PointsOf(*other), (Points{{2, 6}}));
    // The parent a description names takes the function.
    sum->SetParentComponent(result);
    EXPECT_EQ(result->Function(), sum);
    EXPECT_EQ(other->Function(), nullptr);
    // A function freed by its owner is forgotten by its series.
    TComponent owner(nullptr);
    auto* owned = new TSumFunction(&owner);
    other->SetFunction(owned);
    EXPECT_EQ(owned->Owner(), &owner);
    owner.DestroyComponents();
    EXPECT_EQ(other->Function(), nullptr);
    other->ReloadFromSource();
    EXPECT_EQ(other->Count(), 3);
}

TEST_F(PlotFunctionTest, GalleryPreparesEverySeriesOfTheChart) {
    sum->SetupForGallery(&chart);
    EXPECT_EQ(source->Count(), 4);
    EXPECT_EQ(sum->EditorClassName(), "TPlotFunctionEditor");
}

} // namespace
