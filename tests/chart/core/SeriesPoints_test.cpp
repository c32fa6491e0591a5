#include "CoreTestSupport.h"

#include "chart/core/SeriesMarks.h"
#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class SeriesPointsTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
};

std::vector<std::string> LabelsOf(const TChartSeries& s) {
    std::vector<std::string> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s.XLabel(i));
    return out;
}

std::vector<TColor> ColorsOf(const TChartSeries& s) {
    std::vector<TColor> out;
    for (int i = 0; i < s.Count(); ++i)
        out.push_back(s.OwnPointColor(i));
    return out;
}

TEST_F(SeriesPointsTest, AddingKeepsXOrderAndParallelLists) {
    TChartSeries series(nullptr);
    EXPECT_EQ(series.AddXYValue(1, 5), 0);
    EXPECT_EQ(series.AddXYValue(3, 6), 1);
    EXPECT_EQ(series.AddXYValue(2, 7, "two"), 1);
    EXPECT_EQ(ValuesOf(*series.XValues()), (std::vector<double>{1, 2, 3}));
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{5, 7, 6}));
    // The first label fills the slots before it; later adds keep the labels in step.
    EXPECT_EQ(series.Labels().Count(), 2);
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"", "two", ""}));
    EXPECT_EQ(series.AddXYValue(0, 1), 0);
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"", "", "two", ""}));

    // AddValue positions at the count (X for a vertical series).
    TChartSeries values(nullptr);
    values.AddValue(10);
    values.AddValue(20);
    EXPECT_EQ(ValuesOf(*values.XValues()), (std::vector<double>{0, 1}));
    EXPECT_EQ(ValuesOf(*values.YValues()), (std::vector<double>{10, 20}));
}

TEST_F(SeriesPointsTest, ColourListIsMadeByTheFirstOwnColour) {
    TChartSeries series(nullptr);
    series.SetSeriesColor(clGreen);
    series.AddXYValue(1, 1, "", clDefault);
    series.AddXYValue(2, 2);
    EXPECT_FALSE(series.HasPointColors());
    series.AddXYValue(1.5, 3, "", clRed);
    ASSERT_TRUE(series.HasPointColors());
    EXPECT_EQ(ColorsOf(series), (std::vector<TColor>{clDefault, clRed, clDefault}));
    EXPECT_EQ(series.PointColor(0), clGreen);
    EXPECT_EQ(series.PointColor(1), clRed);

    series.AddNullPoint(4, 0);
    EXPECT_TRUE(series.IsNull(3));
    EXPECT_FALSE(series.IsNull(0));
    series.SetColorEachPoint(true); // points without own colours take palette colours
    EXPECT_EQ(series.PointColor(0), 0x0000FF);
    EXPECT_EQ(series.PointColor(2), 0x00FFFF);
    series.SetParentChart(&chart);
    chart.palette = {clNavy, clMaroon};
    EXPECT_EQ(series.PointColor(2), clNavy);
}

TEST_F(SeriesPointsTest, BeforeAddVetoAndAfterAddEvents) {
    TChartSeries series(nullptr);
    std::vector<int> added;
    series.OnAfterAdd = [&](TChartSeries*, int index) { added.push_back(index); };
    series.OnBeforeAdd = [](TChartSeries* s) { return s->Count() < 2; };
    EXPECT_EQ(series.AddXYValue(2, 0), 0);
    EXPECT_EQ(series.AddXYValue(1, 0), 0);
    EXPECT_EQ(series.AddXYValue(3, 0, "refused", clRed), -1);
    EXPECT_EQ(series.Count(), 2);
    EXPECT_FALSE(series.HasPointColors());
    EXPECT_TRUE(series.Labels().Empty());
    EXPECT_EQ(added, (std::vector<int>{0, 0}));
}

TEST_F(SeriesPointsTest, DeletingChecksIndexesAndKeepsListsInStep) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    for (int i = 0; i < 3; ++i)
        series.AddXYValue(i, 10 * i, "p" + std::to_string(i), i == 1 ? clRed : clDefault);
    for (int bad : {3, -1, 100}) {
        try {
            series.DeletePoint(bad);
            ADD_FAILURE() << bad << ": no error";
        } catch (const ChartException& e) {
            EXPECT_EQ(std::string(e.what()), "Series Delete: ValueIndex " + std::to_string(bad) +
                                                 " out of bounds (0 to 2).");
        }
    }
    EXPECT_EQ(series.Count(), 3);
    series.DeletePoint(1);
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{0, 20}));
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"p0", "p2"}));
    EXPECT_EQ(ColorsOf(series), (std::vector<TColor>{clDefault, clDefault}));
    EXPECT_EQ(series.YValues()->Highest(), 20); // the figures follow the delete

    // A range is clamped to the points there are; renumbering numbers the positions.
    for (int i = 5; i < 9; ++i)
        series.AddXYValue(i, i, "", clBlue);
    series.DeletePoints(1, 2, true);
    EXPECT_EQ(ValuesOf(*series.XValues()), (std::vector<double>{0, 1, 2, 3}));
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{0, 6, 7, 8}));
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"p0", "", "", ""}));
    series.DeletePoints(2, 1000);
    EXPECT_EQ(series.Count(), 2);
    EXPECT_EQ(series.YValues()->Highest(), 6);
    series.DeletePoints(5, 1); // beyond the points: nothing
    EXPECT_THROW(series.DeletePoints(-1, 1), EChartIndexError);
    series.DeletePoints(0, 2);
    EXPECT_EQ(series.Count(), 0);
    EXPECT_FALSE(series.HasPointColors()); // emptied by the range: freed
}

// B has colours and labels, A has neither: copying from A must keep B's lists in step, so that
// the next add with a colour lands on its own point.
TEST_F(SeriesPointsTest, CopiedPointsKeepColoursAndLabelsAligned) {
    TChartSeries a(nullptr), b(nullptr);
    a.AddXYValue(2.5, 99);
    for (int i = 0; i < 5; ++i)
        b.AddXYValue(i, i, "b" + std::to_string(i), i == 0 ? clRed : clDefault);
    b.CopyPointFrom(&a, 0);
    EXPECT_EQ(b.PointColorCount(), 6);
    EXPECT_EQ(b.Labels().Count(), 6);
    EXPECT_EQ(b.YValueAt(3), 99);
    EXPECT_EQ(b.XLabel(3), "");
    EXPECT_EQ(b.XLabel(4), "b3");
    b.AddXYValue(10, 10, "", clRed);
    EXPECT_EQ(b.PointColorCount(), 7);
    EXPECT_EQ(b.Labels().Count(), 7);
    EXPECT_EQ(b.OwnPointColor(6), clRed);
    EXPECT_EQ(b.OwnPointColor(3), clDefault);
    EXPECT_THROW(b.CopyPointFrom(&a, 1), EChartIndexError);

    // A horizontal series takes X and Y the other way round.
    class HorizSeries : public TChartSeries {
    public:
        explicit HorizSeries(TComponent* o) : TChartSeries(o) { SetXMandatory(); }
    } h(nullptr);
    h.CopyPointFrom(&a, 0);
    EXPECT_EQ(h.XValueAt(0), 99);
    EXPECT_EQ(h.YValueAt(0), 2.5);
}

TEST_F(SeriesPointsTest, ClearValuesAndBatches) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    int cleared = 0;
    std::vector<int> added;
    series.OnClearValues = [&](TChartSeries*) { ++cleared; };
    series.OnAfterAdd = [&](TChartSeries*, int i) { added.push_back(i); };
    series.ClearValues(); // empty: still announced
    EXPECT_EQ(cleared, 1);

    chart.events.clear();
    series.BeginUpdate();
    series.BeginUpdate();
    for (int i = 0; i < 100; ++i)
        series.AddXYValue(i, i);
    series.EndUpdate();
    EXPECT_TRUE(chart.events.empty()); // the outer batch is still open
    series.EndUpdate();
    series.EndUpdate(); // an extra end does nothing
    EXPECT_TRUE(added.empty());
    int dataChanged = 0;
    for (const auto& e : chart.events)
        dataChanged += e.second == sekDataChanged;
    EXPECT_EQ(dataChanged, 1);
    EXPECT_EQ(series.Count(), 100);
}

TEST_F(SeriesPointsTest, SwapAndApplyValueOrderMoveWholePoints) {
    TChartSeries series(nullptr);
    for (double y : {30.0, 10.0, 20.0})
        series.AddXYValue(series.Count(), y, "y" + std::to_string(static_cast<int>(y)),
                          y == 10 ? clRed : clDefault);
    series.SwapPoints(0, 2);
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{20, 10, 30}));
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"y20", "y10", "y30"}));
    EXPECT_THROW(series.SwapPoints(0, 3), EChartIndexError);

    series.YValues()->SetOrder(loDescending);
    series.ApplyValueOrder();
    EXPECT_EQ(ValuesOf(*series.YValues()), (std::vector<double>{30, 20, 10}));
    EXPECT_EQ(ValuesOf(*series.XValues()), (std::vector<double>{0, 1, 2})); // renumbered
    EXPECT_EQ(LabelsOf(series), (std::vector<std::string>{"y30", "y20", "y10"}));
    EXPECT_EQ(ColorsOf(series), (std::vector<TColor>{clDefault, clDefault, clRed}));
}

TEST_F(SeriesPointsTest, PageRanges) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    int first = 0, last = 0;
    series.PageRange(first, last);
    EXPECT_EQ(std::make_pair(first, last), std::make_pair(-1, -1));
    for (int i = 0; i < 10; ++i)
        series.AddXYValue(i, i);
    struct Case {
        int perPage, page, first, last;
    };
    const Case cases[] = {{4, 1, 0, 3}, {4, 3, 8, 9}, {4, 4, 4, 7}, {0, 1, 0, 9}, {10, 1, 0, 9}};
    for (const Case& c : cases) {
        chart.pointsPerPage = c.perPage;
        chart.currentPage = c.page;
        series.PageRange(first, last);
        EXPECT_EQ(first, c.first) << c.perPage << " per page, page " << c.page;
        EXPECT_EQ(last, c.last) << c.perPage << " per page, page " << c.page;
    }
}

TEST_F(SeriesPointsTest, VisibleRangeOnAManualAxis) {
    class BetweenSeries : public TChartSeries {
    public:
        explicit BetweenSeries(TComponent* o) : TChartSeries(o) { drawBetweenPoints_ = true; }
    };
    TChartSeries series(nullptr);
    BetweenSeries between(nullptr);
    series.SetParentChart(&chart);
    between.SetParentChart(&chart);
    for (double x : {5.0, 10.0, 15.0, 20.0, 25.0}) {
        series.AddXYValue(x, 1);
        between.AddXYValue(x, 1);
    }
    chart.BottomAxis()->SetMinMax(10, 20);
    chart.Layout();
    series.UpdateVisibleRange();
    EXPECT_EQ(series.FirstVisibleIndex(), 1);
    EXPECT_EQ(series.LastVisibleIndex(), 3);
    chart.BottomAxis()->SetMinMax(11, 19);
    chart.Layout();
    series.UpdateVisibleRange();
    between.UpdateVisibleRange();
    EXPECT_EQ(series.FirstVisibleIndex(), 2);
    EXPECT_EQ(series.LastVisibleIndex(), 2);
    EXPECT_EQ(between.LastVisibleIndex(), 3); // keeps the point after the edge to draw towards

    chart.BottomAxis()->SetMinMax(30, 40); // every point left of the chart rectangle
    chart.Layout();
    series.UpdateVisibleRange();
    EXPECT_EQ(series.FirstVisibleIndex(), -1);
    EXPECT_EQ(series.LastVisibleIndex(), -1);

    series.XValues()->SetOrder(loNone); // unordered: every point
    series.UpdateVisibleRange();
    EXPECT_EQ(series.FirstVisibleIndex(), 0);
    EXPECT_EQ(series.LastVisibleIndex(), 4);
}

TEST_F(SeriesPointsTest, SampleValues) {
    TChartSeries series(nullptr);
    EXPECT_THROW(series.FillSampleValues(-1), ChartException);
    series.SetManualData(true);
    series.FillSampleValues();
    EXPECT_EQ(series.Count(), 25);
    EXPECT_FALSE(series.ManualData());
    for (int i = 0; i < series.Count(); ++i) {
        EXPECT_EQ(series.XValueAt(i), i);
        EXPECT_GE(series.YValueAt(i), 0);
    }
    series.SetSampleCount(7);
    series.FillSampleValues(0);
    EXPECT_EQ(series.Count(), 7);

    series.XValues()->SetDateTime(true); // dates run from today (a fill renumbers them)
    series.ClearValues();
    series.AddSampleValues(3, false);
    EXPECT_EQ(series.XValueAt(0), Date());
    EXPECT_EQ(series.XValueAt(2), Date() + 2);

    series.SetParentChart(&chart);
    series.Marks()->SetVisible(true);
    series.PrepareForGallery(false);
    EXPECT_EQ(series.Count(), 4);
    EXPECT_TRUE(series.ColorEachPoint());
    EXPECT_EQ(series.SeriesColor(), clSilver);
    // A sample chart's marks are hidden, small, short and every second one.
    EXPECT_FALSE(series.Marks()->Visible());
    EXPECT_EQ(series.Marks()->Font()->Size(), 7);
    EXPECT_EQ(series.Marks()->Callout()->Length(), 4);
    EXPECT_EQ(series.Marks()->DrawEvery(), 2);
}

} // namespace
