// Scrolling: dragging with the scroll button moves every axis across the move so that the content
// follows the mouse, within the plot and as OnAllowScroll lets it; the wheel moves the vertical
// axes by 3 % of their range a notch.

#include "tests/chart/mouse/MouseTestSupport.h"

using namespace mousetest;

namespace {

using ChartScroll = ChartMouseFixture;

TEST_F(ChartScroll, ADragMovesTheAxesAcrossItByThePixelsMoved) {
    struct TCase {
        const char* what;
        TPanningMode mode;
        int dx, dy;
        bool horizontal, vertical;
    };
    const TCase cases[] = {
        {"right and down", pmBoth, 40, 30, true, true},
        {"left and up", pmBoth, -40, -30, true, true},
        {"only across allowed", pmHorizontal, 40, 30, true, false},
        {"only up and down allowed", pmVertical, 40, 30, false, true},
        {"no panning", pmNone, 40, 30, false, false},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        chart->ResetZoom();
        Paint();
        chart->SetAllowPanning(c.mode);
        TChartAxis* bottom = chart->BottomAxis();
        TChartAxis* left = chart->LeftAxis();
        const TAxisScale bottomBefore = Scale(bottom), leftBefore = Scale(left);
        const TAxisScale topBefore = Scale(chart->TopAxis());
        const double dxValue = ValueAt(*bottom, 200) - ValueAt(*bottom, 200 + c.dx);
        const double dyValue = ValueAt(*left, 150) - ValueAt(*left, 150 + c.dy);
        scrolls = 0;
        Drag(200, 150, 200 + c.dx, 150 + c.dy, Qt::RightButton);
        if (c.horizontal) {
            // The content follows the mouse: dragging right shows smaller values.
            EXPECT_EQ(c.dx > 0, dxValue < 0);
            EXPECT_NEAR(bottom->Minimum(), bottomBefore.Minimum + dxValue, 1e-9);
            EXPECT_NEAR(bottom->Maximum(), bottomBefore.Maximum + dxValue, 1e-9);
            EXPECT_NE(Scale(chart->TopAxis()), topBefore) << "every horizontal axis moves";
        } else {
            EXPECT_EQ(Scale(bottom), bottomBefore);
        }
        if (c.vertical) {
            EXPECT_EQ(c.dy > 0, dyValue > 0);
            EXPECT_NEAR(left->Minimum(), leftBefore.Minimum + dyValue, 1e-9);
            EXPECT_NEAR(left->Maximum(), leftBefore.Maximum + dyValue, 1e-9);
        } else {
            EXPECT_EQ(Scale(left), leftBefore);
        }
        EXPECT_EQ(scrolls > 0, c.horizontal || c.vertical);
        EXPECT_EQ(zooms, 0) << "the scroll button does not zoom";
    }
}

TEST_F(ChartScroll, LeavingThePlotEndsTheScrollWithTheButtonStillHeld) {
    const TRect plot = chart->PlotRect();
    TChartAxis* bottom = chart->BottomAxis();
    Press(200, 150, Qt::RightButton);
    MoveTo(220, 150, Qt::RightButton);
    const TAxisScale moved = Scale(bottom);
    // The plot's edge still counts as inside.
    MoveTo(plot.Right, 150, Qt::RightButton);
    const TAxisScale atEdge = Scale(bottom);
    EXPECT_NE(atEdge, moved);
    EXPECT_TRUE(chart->PanningState()->Active);
    MoveTo(plot.Right + 1, 150, Qt::RightButton);
    EXPECT_FALSE(chart->PanningState()->Active);
    MoveTo(200, 150, Qt::RightButton);
    MoveTo(150, 120, Qt::RightButton);
    EXPECT_EQ(Scale(bottom), atEdge);
    Release(150, 120, Qt::RightButton);
}

TEST_F(ChartScroll, OnAllowScrollMayForbidTheScrollOrChangeItsRange) {
    TChartAxis* bottom = chart->BottomAxis();
    TChartAxis* left = chart->LeftAxis();
    const TAxisScale bottomBefore = Scale(bottom);
    std::vector<TChartAxis*> asked;
    chart->OnAllowScroll = [&](TChartAxis* axis, double&, double&, bool& allow) {
        asked.push_back(axis);
        allow = axis != bottom;
    };
    Drag(200, 150, 240, 190, Qt::RightButton);
    EXPECT_EQ(Scale(bottom), bottomBefore);
    EXPECT_NE(std::count(asked.begin(), asked.end(), left), 0);
    EXPECT_NE(std::count(asked.begin(), asked.end(), bottom), 0);
    EXPECT_FALSE(left->Automatic());

    // The handler's range is what is set, even with its ends the wrong way round: no error
    // escapes the mouse handler.
    chart->OnAllowScroll = [&](TChartAxis* axis, double& minimum, double& maximum, bool&) {
        if (axis == bottom) {
            minimum = 100;
            maximum = 50;
        }
    };
    Drag(200, 150, 240, 150, Qt::RightButton);
    EXPECT_EQ(bottom->Minimum(), 50);
    EXPECT_EQ(bottom->Maximum(), 100);
}

TEST_F(ChartScroll, AWheelNotchMovesTheVerticalAxesByThreePercentOfTheirRange) {
    TChartAxis* left = chart->LeftAxis();
    TChartAxis* right = chart->RightAxis();
    left->SetMinMax(0, 200);
    right->SetMinMax(-50, 50);
    const TAxisScale bottom = Scale(chart->BottomAxis());
    Wheel(-120);
    EXPECT_DOUBLE_EQ(left->Minimum(), 6);
    EXPECT_DOUBLE_EQ(left->Maximum(), 206);
    EXPECT_DOUBLE_EQ(right->Minimum(), -47);
    EXPECT_EQ(Scale(chart->BottomAxis()), bottom);
    Wheel(120);
    Wheel(120);
    EXPECT_DOUBLE_EQ(left->Minimum(), 6 - 2 * 6);
    EXPECT_DOUBLE_EQ(left->Maximum(), 206 - 2 * 6);
    // A fine wheel scrolls once its parts make a notch.
    Wheel(-60);
    EXPECT_DOUBLE_EQ(left->Minimum(), -6);
    Wheel(-60);
    EXPECT_DOUBLE_EQ(left->Minimum(), 0);
}

TEST_F(ChartScroll, TheWheelScrollsNothingWhenSwitchedOffOrDenied) {
    struct TCase {
        const char* what;
        std::function<void()> set;
        bool moves;
    };
    const TCase cases[] = {
        {"only horizontal panning", [this] { chart->SetAllowPanning(pmHorizontal); }, false},
        {"no panning", [this] { chart->SetAllowPanning(pmNone); }, false},
        {"vertical panning", [this] { chart->SetAllowPanning(pmVertical); }, true},
        {"wheel scrolling off", [] { WheelScrollEnabled = false; }, false},
        {"OnAllowScroll denies",
         [this] {
             chart->OnAllowScroll = [](TChartAxis*, double&, double&, bool& allow) {
                 allow = false;
             };
         },
         false},
        // The handler's changed range is not used by the wheel, only its answer.
        {"OnAllowScroll changes the range",
         [this] {
             chart->OnAllowScroll = [](TChartAxis*, double& minimum, double& maximum, bool&) {
                 minimum = -1000;
                 maximum = 1000;
             };
         },
         true},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        chart->SetAllowPanning(pmBoth);
        chart->OnAllowScroll = nullptr;
        chart->LeftAxis()->SetMinMax(0, 100);
        c.set();
        Wheel(-120);
        WheelScrollEnabled = true;
        EXPECT_EQ(chart->LeftAxis()->Minimum(), c.moves ? 3 : 0);
        EXPECT_EQ(chart->LeftAxis()->Maximum(), c.moves ? 103 : 100);
    }
}

} // namespace
