#include "CoreTestSupport.h"

#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

namespace {

class ChartSeriesTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
};

TEST_F(ChartSeriesTest, NewSeriesDefaults) {
    TChartSeries series(nullptr);
    EXPECT_EQ(series.XValues()->Name(), "X");
    EXPECT_EQ(series.XValues()->Order(), loAscending);
    EXPECT_EQ(series.YValues()->Name(), "Y");
    EXPECT_EQ(series.YValues()->Order(), loNone);
    EXPECT_EQ(series.MandatoryValueList(), series.YValues());
    EXPECT_EQ(series.NotMandatoryValueList(), series.XValues());
    EXPECT_FALSE(series.HasPointColors());
    EXPECT_EQ(series.OwnSeriesColor(), clDefault);
    EXPECT_EQ(series.ValueFormat(), "#,##0.###");
    EXPECT_EQ(series.PercentFormat(), "##0.## %");
    EXPECT_EQ(series.Depth(), -1);
    EXPECT_EQ(series.ZOrder(), -1);
    EXPECT_EQ(series.HorizAxis(), aBottomAxis);
    EXPECT_EQ(series.VertAxis(), aLeftAxis);
    EXPECT_EQ(series.RecalcOptions(), rOnAll);
    EXPECT_EQ(series.FirstVisibleIndex(), -1);
    EXPECT_EQ(series.GetHorizAxis(), nullptr); // no chart, no axes
}

TEST_F(ChartSeriesTest, JoiningAChartTakesAFreeColourThatIsNotStored) {
    TChartSeries first(nullptr), second(nullptr);
    first.SetName("Series1");
    first.SetParentChart(&chart);
    EXPECT_EQ(first.SeriesColor(), 0x0000FF); // palette entry 0
    EXPECT_EQ(first.OwnSeriesColor(), clDefault);
    EXPECT_EQ(first.GetHorizAxis(), chart.BottomAxis());
    EXPECT_EQ(first.GetVertAxis(), chart.LeftAxis());
    EXPECT_GE(chart.refreshes, 1); // asked the chart to reload it from its source
    EXPECT_EQ(ComponentToText(&first).find("SeriesColor"), std::string::npos);

    second.SetSeriesColor(clGreen); // an own colour is kept and stored
    second.SetParentChart(&chart);
    EXPECT_EQ(second.SeriesColor(), clGreen);
    EXPECT_NE(ComponentToText(&second).find("SeriesColor = clGreen"), std::string::npos);

    first.SetParentChart(nullptr);
    EXPECT_EQ(chart.SeriesCount(), 1);
    EXPECT_EQ(first.GetHorizAxis(), nullptr);
}

TEST_F(ChartSeriesTest, AxisBindingFollowsTheAxisSettings) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    series.SetHorizAxis(aTopAxis);
    EXPECT_EQ(series.GetHorizAxis(), chart.TopAxis());
    series.SetVertAxis(aRightAxis);
    EXPECT_EQ(series.GetVertAxis(), chart.RightAxis());
    series.SetVertAxis(aBothVertAxis); // "both" positions on the left axis and uses either
    EXPECT_EQ(series.GetVertAxis(), chart.LeftAxis());
    EXPECT_TRUE(series.UsesAxis(chart.RightAxis()));
    EXPECT_FALSE(series.UsesAxis(chart.BottomAxis()));

    auto* custom = static_cast<TChartAxis*>(chart.CustomAxes()->Add());
    EXPECT_EQ(chart.AxisCount(), 7);
    series.SetCustomHorizAxis(custom);
    EXPECT_EQ(series.HorizAxis(), aCustomHorizAxis);
    EXPECT_EQ(series.GetHorizAxis(), custom);
    series.SetHorizAxis(aBottomAxis); // forgets the custom axis
    EXPECT_EQ(series.CustomHorizAxis(), nullptr);
    EXPECT_EQ(series.GetHorizAxis(), chart.BottomAxis());

    series.SetCustomVertAxis(custom);
    delete custom; // a dying custom axis sends its series back to the left axis
    EXPECT_EQ(series.VertAxis(), aLeftAxis);
    EXPECT_EQ(series.GetVertAxis(), chart.LeftAxis());
    EXPECT_EQ(chart.AxisCount(), 6);
}

TEST_F(ChartSeriesTest, DepthSlotsAndDrawingDirection) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    chart.view3D = true;
    chart.maxZOrder = 1;
    series.AssignZOrder(); // automatic: the next slot
    EXPECT_EQ(series.EffectiveZOrder(), 2);
    EXPECT_EQ(chart.maxZOrder, 2);
    series.CalcZRange(); // series depth 15, Depth -1
    EXPECT_EQ(series.StartZ(), 30);
    EXPECT_EQ(series.EndZ(), 45);
    EXPECT_EQ(series.MiddleZ(), 37);
    series.SetDepth(4);
    series.CalcZRange();
    EXPECT_EQ(series.EndZ(), 34);
    EXPECT_EQ(series.MiddleZ(), 32);

    chart.view3D = false;
    series.AssignZOrder();
    EXPECT_EQ(series.EffectiveZOrder(), 0);

    EXPECT_TRUE(series.DrawsAscending());
    chart.BottomAxis()->SetInverted(true);
    EXPECT_FALSE(series.DrawsAscending());
    chart.rotationInverted = true; // a view turned round swaps the direction again
    EXPECT_TRUE(series.DrawsAscending());
    EXPECT_FALSE(series.NormalRotation());
}

TEST_F(ChartSeriesTest, SharedDepthSlots) {
    TChartSeries a(nullptr), b(nullptr);
    a.SetParentChart(&chart);
    b.SetParentChart(&chart);
    EXPECT_FALSE(a.SharesZOrder()); // the chart applies no Z order
    chart.applyZOrder = true;
    EXPECT_TRUE(a.SharesZOrder());
    EXPECT_TRUE(a.FirstInZOrder());
    EXPECT_FALSE(b.FirstInZOrder());
    b.SetZOrder(3);
    EXPECT_FALSE(a.SharesZOrder());
    EXPECT_TRUE(b.FirstInZOrder());
    b.SetActive(false);
    EXPECT_FALSE(b.FirstInZOrder());
}

TEST_F(ChartSeriesTest, SeriesColourSetterKeepsAutomaticColours) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    chart.events.clear();
    series.SetSeriesColor(0x0000FF); // the automatic colour itself: stays automatic
    EXPECT_EQ(series.OwnSeriesColor(), clDefault);
    EXPECT_TRUE(chart.events.empty());
    series.SetSeriesColor(clNavy);
    EXPECT_EQ(series.OwnSeriesColor(), clNavy);
    ASSERT_EQ(chart.events.size(), 1u);
    EXPECT_EQ(chart.events[0].second, sekChangeColor);
}

// A fake hit test: the series answers from a script of point indexes.
class ScriptedSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    std::vector<int> answers;
    int PointAt(int, int) override {
        const int a = answers.front();
        answers.erase(answers.begin());
        return a;
    }
};

TEST_F(ChartSeriesTest, MouseEnterAndLeaveFireOncePerCrossing) {
    ScriptedSeries series(nullptr);
    series.SetParentChart(&chart);
    std::vector<std::string> log;
    EXPECT_FALSE(series.CheckMouse(0, 0)); // no cursor and no handlers: not even asked
    series.OnMouseEnter = [&](TObject*) { log.push_back("enter"); };
    series.OnMouseLeave = [&](TObject*) { log.push_back("leave"); };
    series.SetCursor(-21);
    series.answers = {3, 3, -1, -1};
    EXPECT_TRUE(series.CheckMouse(1, 1));
    EXPECT_EQ(chart.cursor, -21);
    EXPECT_TRUE(series.CheckMouse(1, 1));
    EXPECT_FALSE(series.CheckMouse(9, 9));
    EXPECT_FALSE(series.CheckMouse(9, 9));
    EXPECT_EQ(log, (std::vector<std::string>{"enter", "leave"}));
    series.SetParentChart(nullptr); // leaving gives the chart its cursor back
    EXPECT_EQ(chart.cursor, 0);
}

TEST_F(ChartSeriesTest, DrawingHooksTellToolsThenEvents) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    std::vector<std::string> log;
    series.BeforeDrawValues = [&](TObject*) {
        log.push_back("before " + std::to_string(chart.toolEvents.size()));
    };
    series.AfterDrawValues = [&](TObject*) {
        log.push_back("after " + std::to_string(chart.toolEvents.size()));
    };
    series.DoBeforeDrawValues();
    series.DoAfterDrawValues();
    EXPECT_EQ(log, (std::vector<std::string>{"before 1", "after 2"}));
    ASSERT_EQ(chart.toolEvents.size(), 2u);
    EXPECT_EQ(chart.toolEvents[0].second, ctkBeforeDrawSeries);
    EXPECT_EQ(chart.toolEvents[1].second, ctkAfterDrawSeries);
    std::vector<std::string> styles;
    series.ListSubStyles([&](const std::string& s) { styles.push_back(s); });
    EXPECT_EQ(styles, std::vector<std::string>{"Normal"});
}

// Points drawn in order, from the first visible to the last or back.
class RecordingSeries : public TChartSeries {
public:
    using TChartSeries::TChartSeries;
    std::vector<int> drawn;
    void DrawPoint(int index) override { drawn.push_back(index); }
};

TEST_F(ChartSeriesTest, VisiblePointsAreDrawnInTheAxisDirection) {
    RecordingSeries series(nullptr);
    series.SetParentChart(&chart);
    for (double x : {5.0, 10.0, 15.0, 20.0, 25.0})
        series.AddXYValue(x, x);
    chart.BottomAxis()->SetMinMax(10, 20);
    chart.Layout();
    series.UpdateVisibleRange();
    series.DrawVisiblePoints();
    EXPECT_EQ(series.drawn, (std::vector<int>{1, 2, 3}));
    chart.BottomAxis()->SetInverted(true);
    chart.Layout();
    series.drawn.clear();
    series.UpdateVisibleRange();
    series.DrawVisiblePoints();
    EXPECT_EQ(series.drawn, (std::vector<int>{3, 2, 1}));
    EXPECT_EQ(series.FirstDrawIndex(), 3);
    EXPECT_EQ(series.LastDrawIndex(), 1);
}

TEST_F(ChartSeriesTest, PixelConversionsGoThroughTheBoundAxes) {
    TChartSeries series(nullptr);
    series.SetParentChart(&chart);
    series.AddXYValue(0, 0);
    series.AddXYValue(10, 100);
    chart.Layout(); // 0..10 over 100..300, 0..100 over 250..50
    int x = 0, y = 0;
    series.PointPixels(1, x, y);
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 50);
    EXPECT_EQ(series.XValueToPixel(5), 200);
    EXPECT_EQ(series.MandatoryValueToPixel(50), 150);
    EXPECT_DOUBLE_EQ(series.XPixelToValue(150), 2.5);
    EXPECT_DOUBLE_EQ(series.YPixelToValue(150), 50);
    EXPECT_TRUE(series.PointInChartRect(1));
    EXPECT_EQ(series.MandatoryAxis(), chart.LeftAxis());
}

// What the marks are told by the point operations and the depth placement.
class RecordingMarks : public TSeriesMarkPoints {
public:
    std::vector<std::string> calls;
    void ClearPositions() override { calls.push_back("clear positions"); }
    void ClearItems() override { calls.push_back("clear items"); }
    void DeletePoint(int index) override { calls.push_back("delete " + std::to_string(index)); }
    void DeletePositions(int first, int count) override {
        calls.push_back("delete positions " + std::to_string(first) + " " + std::to_string(count));
    }
    void SetParentChart(TChartHost* chart) override {
        calls.push_back(chart ? "chart" : "no chart");
    }
    void SetZPosition(int z) override { calls.push_back("z " + std::to_string(z)); }
};

class MarkedSeries : public TChartSeries {
public:
    explicit MarkedSeries(TComponent* owner) : TChartSeries(owner) { SetMarkPoints(&marks); }
    ~MarkedSeries() override { SetMarkPoints(nullptr); }
    RecordingMarks marks;
};

TEST_F(ChartSeriesTest, MarksFollowThePointsAndTheDepth) {
    MarkedSeries series(nullptr);
    series.SetParentChart(&chart);
    chart.view3D = true;
    chart.maxZOrder = 1;
    series.AssignZOrder();
    series.CalcZRange();
    for (int i = 0; i < 5; ++i)
        series.AddXYValue(i, i);
    series.DeletePoint(1);
    series.DeletePoints(1, 2);
    series.ClearValues();
    EXPECT_EQ(series.marks.calls,
              (std::vector<std::string>{"chart", "z 37", "delete 1", "delete positions 1 2",
                                        "clear positions", "clear items"}));
}

class TSmallSeries : public TChartSeries {
    Q4_CLASS(TSmallSeries, TChartSeries)
public:
    using TChartSeries::TChartSeries;
};

TEST_F(ChartSeriesTest, AFreedSeriesLeavesItsChartWhole) {
    auto* series = new TSmallSeries(nullptr);
    series->SetParentChart(&chart);
    series->Free();
    EXPECT_EQ(chart.detachedClasses, std::vector<std::string>{"TSmallSeries"});
    EXPECT_EQ(chart.SeriesCount(), 0);
}

TEST_F(ChartSeriesTest, ADyingSeriesCallsNoUserCodeButLeavesItsChart) {
    int cleared = 0;
    {
        TChartSeries series(nullptr);
        series.SetParentChart(&chart);
        series.AddXYValue(1, 1);
        series.OnClearValues = [&](TChartSeries*) { ++cleared; };
    }
    EXPECT_EQ(cleared, 0);
    EXPECT_EQ(chart.SeriesCount(), 0);
}

// A series type with a third dimension keeps it in step with X and Y.
class SizedSeries : public TChartSeries {
public:
    explicit SizedSeries(TComponent* owner) : TChartSeries(owner), size(AddValueList("Size")) {}
    int Add(double x, double y, double s) {
        size->SetTempValue(s);
        return AddXYValue(x, y);
    }
    TChartValueList* size;
};

TEST_F(ChartSeriesTest, FurtherValueListsStayInStep) {
    SizedSeries series(nullptr);
    series.Add(3, 30, 300);
    series.Add(1, 10, 100);
    series.Add(2, 20, 200);
    EXPECT_EQ(ValuesOf(*series.size), (std::vector<double>{100, 200, 300}));
    series.SwapPoints(0, 2);
    series.DeletePoint(1);
    EXPECT_EQ(ValuesOf(*series.size), (std::vector<double>{300, 100}));
    EXPECT_EQ(series.ValueListByName("size"), series.size);
    EXPECT_EQ(series.ValueListByName("X"), series.YValues()); // only lists from the third on
    TChartSeries plain(nullptr);
    plain.AddXYValue(5, 50);
    series.CopyPointFrom(&plain, 0); // a source without the list gives 0
    EXPECT_EQ(ValuesOf(*series.size), (std::vector<double>{300, 100, 0}));
}

} // namespace
