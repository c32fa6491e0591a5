#include "chart/core/ChartAxis.h"
#include "chart/tools/AxisArrowTool.h"
#include "chart/tools/AxisScrollTool.h"
#include "chart/tools/AxisScrolling.h"
#include "platform/graphics/Cursors.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <memory>

namespace {

class AxisArrowToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        AddSeries({{0, 0}, {10, 100}});
        tool = new TAxisArrowTool(form);
        tool->SetAxis(chart->LeftAxis());
        tool->OnClick = [this](TAxisArrowTool*, bool atStart) { clicks.push_back(atStart); };
        Paint();
    }
    TChartAxis* Left() const { return chart->LeftAxis(); }
    // A press and release on an arrow of the left axis (0 start, 1 end).
    void ClickArrow(int which) {
        const int x = Left()->AxisPosition();
        const int y = which == 0 ? Left()->StartPixel() + 5 : Left()->EndPixel() - 5;
        Press(x, y);
        Release(x, y);
        Paint();
    }

    TAxisArrowTool* tool = nullptr;
    std::vector<bool> clicks;
};

TEST_F(AxisArrowToolTest, ArrowsAreHitAlongTheirLengthCloseToTheAxisLine) {
    const int line = Left()->AxisPosition();
    const int start = Left()->StartPixel();
    const int end = Left()->EndPixel();
    struct Case {
        TAxisArrowToolPosition position;
        int across, along, expected;
    };
    const Case cases[] = {
        {aaBoth, 0, start + 1, 0},   {aaBoth, 2, start + 15, 0},
        {aaBoth, -2, end - 1, 1},    {aaBoth, 3, start + 5, -1},
        {aaBoth, -3, end - 5, -1},   {aaBoth, 0, start, -1},
        {aaBoth, 0, start + 16, -1}, {aaBoth, 0, (start + end) / 2, -1},
        {aaStart, 0, end - 5, -1},   {aaEnd, 0, start + 5, -1},
        {aaEnd, 0, end - 15, 1},
    };
    for (const auto& c : cases) {
        tool->SetPosition(c.position);
        EXPECT_EQ(tool->HitArrow(line + c.across, c.along), c.expected)
            << "position " << c.position << " across " << c.across << " along " << c.along;
    }
    // On an axis shorter than both arrows a point inside both is the start arrow's.
    tool->SetPosition(aaBoth);
    tool->SetLength((end - start) / 2 + 10);
    EXPECT_EQ(tool->HitArrow(line, (start + end) / 2), 0);
}

TEST_F(AxisArrowToolTest, ClicksScrollByAPercentOfTheSpan) {
    struct Case {
        int arrow;
        bool inverted;
        double minimum, maximum;
    };
    const Case cases[] = {
        {0, false, 10, 110}, {0, true, -10, 90}, {1, false, -10, 90}, {1, true, 10, 110}};
    for (const auto& c : cases) {
        Left()->SetMinMax(0, 100);
        tool->SetScrollInverted(c.inverted);
        scrolls = 0;
        ClickArrow(c.arrow);
        EXPECT_DOUBLE_EQ(Left()->Minimum(), c.minimum) << c.arrow << " " << c.inverted;
        EXPECT_DOUBLE_EQ(Left()->Maximum(), c.maximum) << c.arrow << " " << c.inverted;
        EXPECT_FALSE(Left()->Automatic());
        EXPECT_EQ(scrolls, 1);
    }
    EXPECT_EQ(clicks, (std::vector<bool>{true, true, false, false}));
    EXPECT_EQ(zooms, 0);
}

TEST_F(AxisArrowToolTest, AVetoedScrollChangesNothingButTheClickIsStillTold) {
    int asked = 0;
    chart->OnAllowScroll = [&](TChartAxis* axis, double& minimum, double& maximum, bool& allow) {
        ++asked;
        EXPECT_EQ(axis, Left());
        EXPECT_DOUBLE_EQ(minimum, 10);
        EXPECT_DOUBLE_EQ(maximum, 110);
        allow = false;
    };
    ClickArrow(0);
    EXPECT_EQ(asked, 1);
    EXPECT_DOUBLE_EQ(Left()->Minimum(), 0);
    EXPECT_DOUBLE_EQ(Left()->Maximum(), 100);
    EXPECT_EQ(scrolls, 0);
    EXPECT_EQ(clicks.size(), 1u);
}

TEST_F(AxisArrowToolTest, ZeroPercentIgnoresClicksButShowsTheHand) {
    tool->SetScrollPercent(0);
    ClickArrow(0);
    EXPECT_DOUBLE_EQ(Left()->Minimum(), 0);
    EXPECT_TRUE(clicks.empty());
    MoveTo(Left()->AxisPosition(), Left()->StartPixel() + 5, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
}

TEST_F(AxisArrowToolTest, ASeriesOnBothVerticalAxesTakesTheRightAxisAlong) {
    TChartSeries* both = AddSeries({{0, 0}, {10, 100}});
    both->SetVertAxis(aBothVertAxis);
    chart->RightAxis()->SetMinMax(0, 50);
    Paint();
    ClickArrow(0);
    EXPECT_DOUBLE_EQ(Left()->Minimum(), 10);
    // The same step in values, not the right axis' own percent.
    EXPECT_DOUBLE_EQ(chart->RightAxis()->Minimum(), 10);
    EXPECT_DOUBLE_EQ(chart->RightAxis()->Maximum(), 60);
}

TEST_F(AxisArrowToolTest, ALogarithmicAxisIsNeverScrolledToZeroOrBelow) {
    Left()->SetMinMax(1, 100);
    Left()->SetLogarithmic(true);
    Paint();
    ClickArrow(1);
    EXPECT_DOUBLE_EQ(Left()->Minimum(), 1);
    EXPECT_DOUBLE_EQ(Left()->Maximum(), 100);
    EXPECT_EQ(scrolls, 0);
    ClickArrow(0);
    EXPECT_NEAR(Left()->Minimum(), 10.9, 1e-9);
    EXPECT_EQ(scrolls, 1);
}

TEST_F(AxisArrowToolTest, ArrowsAreDrawnAtBothEndsOfTheAxis) {
    tool->SetActive(false);
    const QImage bare = Repaint();
    tool->SetActive(true);
    tool->Brush()->SetColor(clRed);
    const QImage arrows = Repaint();
    const int line = Left()->AxisPosition();
    const QRgb red = qRgb(255, 0, 0);
    EXPECT_EQ(arrows.pixel(line, Left()->StartPixel() + 8), red);
    EXPECT_EQ(arrows.pixel(line, Left()->EndPixel() - 8), red);
    EXPECT_NE(bare.pixel(line, Left()->StartPixel() + 8), red);
    EXPECT_EQ(arrows.pixel(line, (Left()->StartPixel() + Left()->EndPixel()) / 2),
              bare.pixel(line, (Left()->StartPixel() + Left()->EndPixel()) / 2));
    charttest::SavePicture(arrows, "tools-axis-arrows");
}

// ---- the axis scroll tool -----------------------------------------------------------------------

class AxisScrollToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        AddSeries({{0, 0}, {10, 100}});
        tool = new TAxisScrollTool(form);
        tool->SetParentChart(chart);
        Paint();
    }
    // A drag of an axis from its middle by (dx, dy).
    void DragAxis(TChartAxis* axis, int dx, int dy) {
        const int mid = (axis->StartPixel() + axis->EndPixel()) / 2;
        const int x = axis->Horizontal() ? mid : axis->AxisPosition();
        const int y = axis->Horizontal() ? axis->AxisPosition() : mid;
        Press(x, y);
        EXPECT_EQ(tool->DragAxis(), axis);
        MoveTo(x + dx, y + dy);
        Release(x + dx, y + dy);
        EXPECT_EQ(tool->DragAxis(), nullptr);
    }

    TAxisScrollTool* tool = nullptr;
};

TEST_F(AxisScrollToolTest, TheRangeFollowsThePointerBySign) {
    struct Case {
        bool vertical, axisInverted, scrollInverted;
        int move;
        // The expected shift in units of span * 10 / size.
        int sign;
    };
    const Case cases[] = {
        {true, false, false, -10, -1}, {true, false, false, 10, 1},   {true, true, false, -10, 1},
        {true, false, true, -10, 1},   {false, false, false, -10, 1}, {false, false, false, 10, -1},
        {false, true, false, -10, -1}, {false, false, true, -10, -1},
    };
    for (const auto& c : cases) {
        TChartAxis* axis = c.vertical ? chart->LeftAxis() : chart->BottomAxis();
        chart->LeftAxis()->SetMinMax(0, 100);
        chart->BottomAxis()->SetMinMax(0, 10);
        axis->SetInverted(c.axisInverted);
        tool->SetScrollInverted(c.scrollInverted);
        Paint();
        const double span = axis->Maximum() - axis->Minimum();
        const int size = axis->PixelSize();
        const double before = axis->Minimum();
        DragAxis(axis, c.vertical ? 0 : c.move, c.vertical ? c.move : 0);
        EXPECT_NEAR(axis->Minimum() - before, c.sign * span * 10 / size, 1e-9)
            << (c.vertical ? "vertical" : "horizontal") << " inverted " << c.axisInverted
            << " scroll-inverted " << c.scrollInverted << " move " << c.move;
        axis->SetInverted(false);
    }
    EXPECT_EQ(zooms, 0);
}

TEST_F(AxisScrollToolTest, AxesSharingASeriesFollowByTheirOwnScale) {
    TChartSeries* both = AddSeries({{0, 0}, {10, 100}});
    both->SetVertAxis(aBothVertAxis);
    chart->RightAxis()->SetMinMax(0, 50);
    Paint();
    const int leftSize = chart->LeftAxis()->PixelSize();
    const int rightSize = chart->RightAxis()->PixelSize();
    DragAxis(chart->LeftAxis(), 0, 10);
    EXPECT_NEAR(chart->LeftAxis()->Minimum(), 100.0 * 10 / leftSize, 1e-9);
    EXPECT_NEAR(chart->RightAxis()->Minimum(), 50.0 * 10 / rightSize, 1e-9);
    // The bottom axis is of the other orientation and stays.
    EXPECT_DOUBLE_EQ(chart->BottomAxis()->Minimum(), 0);
}

TEST_F(AxisScrollToolTest, AToolBoundToOneAxisIgnoresTheOthers) {
    tool->SetAxis(chart->BottomAxis());
    const int x = chart->LeftAxis()->AxisPosition();
    const int y = (chart->LeftAxis()->StartPixel() + chart->LeftAxis()->EndPixel()) / 2;
    EXPECT_EQ(tool->AxisAt(x, y), nullptr);
    chart->BottomAxis()->SetVisible(false);
    Paint();
    const int mid = (chart->BottomAxis()->StartPixel() + chart->BottomAxis()->EndPixel()) / 2;
    EXPECT_EQ(tool->AxisAt(mid, chart->BottomAxis()->AxisPosition()), nullptr);
}

TEST_F(AxisScrollToolTest, AnIdlePointerOverAnAxisShowsTheHand) {
    const TChartAxis* left = chart->LeftAxis();
    MoveTo(left->AxisPosition(), (left->StartPixel() + left->EndPixel()) / 2, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
}

TEST(AxisScrolling, AnAxisOfNoPixelsOrALogarithmicOneGoingToZeroStays) {
    auto chart = std::make_unique<TChart>(nullptr);
    TChartAxis* axis = chart->LeftAxis();
    axis->SetMinMax(0, 100);
    ASSERT_EQ(axis->PixelSize(), 0);
    EXPECT_FALSE(ScrollAxisByPixels(*axis, 10));
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0);
    axis->SetMinMax(1, 100);
    axis->SetLogarithmic(true);
    EXPECT_FALSE(ScrollAxisBy(*axis, -1));
    EXPECT_TRUE(ScrollAxisBy(*axis, -0.5));
    EXPECT_DOUBLE_EQ(axis->Minimum(), 0.5);
    EXPECT_EQ(OppositeAxis(*chart->BottomAxis()), chart->TopAxis());
    EXPECT_EQ(OppositeAxis(*chart->DepthAxis()), nullptr);
}

} // namespace
