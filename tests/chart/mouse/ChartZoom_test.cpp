// Zoom by dragging a band over the chart: how long a drag must be and which way zooms or undoes,
// the band's extent by direction, the axes' new ranges, animated steps, and undo bringing back
// exactly the scales from before the first zoom or scroll.

#include "tests/chart/mouse/MouseTestSupport.h"

#include "tests/chart/support/ChartTestSupport.h"

#include <functional>

using namespace mousetest;

namespace {

using ChartZoom = ChartMouseFixture;

TEST_F(ChartZoom, ABandDraggedDownRightZoomsTheAxesToItsEdgesAndUpLeftUndoes) {
    const std::vector<TAxisScale> before = AllScales();
    TChartAxis* bottom = chart->BottomAxis();
    TChartAxis* left = chart->LeftAxis();
    const double x0 = ValueAt(*bottom, 150), x1 = ValueAt(*bottom, 167);
    const double yTop = ValueAt(*left, 100), yBottom = ValueAt(*left, 117);
    const double pixelX = ValueAt(*bottom, 1) - ValueAt(*bottom, 0);

    Drag(150, 100, 167, 117);
    EXPECT_EQ(zooms, 1);
    EXPECT_TRUE(chart->IsZoomed());
    EXPECT_TRUE(chart->ScalesSaved());
    EXPECT_FALSE(bottom->Automatic());
    EXPECT_NEAR(bottom->Minimum(), x0, 1e-9);
    EXPECT_NEAR(bottom->Maximum(), x1, 1e-9);
    EXPECT_NEAR(left->Minimum(), yBottom, 1e-9);
    EXPECT_NEAR(left->Maximum(), yTop, 1e-9);
    EXPECT_NEAR(bottom->Maximum() - bottom->Minimum(), 17 * pixelX, 1e-9);
    // The top axis takes the horizontal edges, the right axis the vertical ones.
    EXPECT_FALSE(chart->TopAxis()->Automatic());
    EXPECT_FALSE(chart->RightAxis()->Automatic());
    // The chart drew again with the new range across the plot.
    EXPECT_NEAR(bottom->InternalMinimum(), x0, 1e-9);

    Drag(167, 117, 150, 100);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(zooms, 1);
    EXPECT_FALSE(chart->IsZoomed());
    EXPECT_FALSE(chart->ScalesSaved());
    EXPECT_EQ(AllScales(), before);
}

TEST_F(ChartZoom, TheDragsLengthAndDirectionDecideBetweenZoomUndoAndNothing) {
    struct TCase {
        const char* what;
        std::function<void(TPlotZoom&)> set;
        int x0, y0, x1, y1;
        int zooms, undos;
    };
    const auto none = [](TPlotZoom&) {};
    const TCase cases[] = {
        {"17 x 17 down and right", none, 150, 100, 167, 117, 1, 0},
        {"17 x 17 up and left", none, 167, 117, 150, 100, 0, 1},
        {"40 across, only 16 down", none, 150, 100, 190, 116, 0, 0},
        {"16 across, 40 down", none, 150, 100, 166, 140, 0, 0},
        {"down and left: across decides", none, 200, 100, 150, 150, 0, 1},
        {"up and right: across decides", none, 150, 150, 200, 100, 1, 0},
        {"up-left zooms when asked", [](TPlotZoom& z) { z.UpLeftZooms = true; }, 200, 150, 150, 100,
         1, 0},
        {"a larger minimum", [](TPlotZoom& z) { z.MinimumPixels = 30; }, 150, 100, 180, 140, 0, 0},
        {"vertical: down zooms, across ignored", [](TPlotZoom& z) { z.Direction = tzdVertical; },
         200, 100, 195, 140, 1, 0},
        {"vertical: up undoes", [](TPlotZoom& z) { z.Direction = tzdVertical; }, 150, 140, 250, 100,
         0, 1},
        {"vertical: too short down", [](TPlotZoom& z) { z.Direction = tzdVertical; }, 150, 100, 250,
         116, 0, 0},
        {"horizontal: right zooms, down ignored", [](TPlotZoom& z) { z.Direction = tzdHorizontal; },
         150, 100, 200, 101, 1, 0},
        {"zoom not allowed", [](TPlotZoom& z) { z.Allow = false; }, 150, 100, 250, 200, 0, 0},
        {"another button zooms", [](TPlotZoom& z) { z.MouseButton = mbMiddle; }, 150, 100, 250, 200,
         0, 0},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        TPlotZoom defaults;
        chart->Zoom()->Assign(&defaults);
        chart->Zoom()->MinimumPixels = 16;
        chart->Zoom()->UpLeftZooms = false;
        c.set(*chart->Zoom());
        zooms = undos = 0;
        Drag(c.x0, c.y0, c.x1, c.y1);
        EXPECT_EQ(zooms, c.zooms);
        EXPECT_EQ(undos, c.undos);
        EXPECT_FALSE(chart->Zoom()->Active);
        // Back to the automatic scales for the next case.
        chart->ResetZoom();
        Paint();
    }
}

TEST_F(ChartZoom, ADirectionalBandSpansThePlotAndLeavesTheOtherAxesAlone) {
    const TRect plot = chart->PlotRect();
    struct TCase {
        TPlotZoomDirection direction;
        TRect band; // the zoom's corners after a press at (150, 100) and a move to (170, 160)
        TChartAxis* untouched;
        TChartAxis* zoomed;
    };
    const TCase cases[] = {
        {tzdVertical, {plot.Left, 100, plot.Right, 160}, chart->BottomAxis(), chart->LeftAxis()},
        {tzdHorizontal, {150, plot.Top, 170, plot.Bottom}, chart->LeftAxis(), chart->BottomAxis()},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.direction);
        chart->Zoom()->Direction = c.direction;
        const TAxisScale untouched = Scale(c.untouched);
        zooms = 0;
        Press(150, 100);
        MoveTo(170, 160);
        EXPECT_EQ(chart->Zoom()->Rect(), c.band);
        Release(170, 160);
        Paint();
        EXPECT_EQ(zooms, 1);
        EXPECT_EQ(Scale(c.untouched), untouched);
        EXPECT_FALSE(c.zoomed->Automatic());
        chart->ResetZoom();
        Paint();
    }
}

TEST_F(ChartZoom, ZoomScrollZoomThenOneUndoBringsBackTheFirstScales) {
    const std::vector<TAxisScale> before = AllScales();
    const double internalMinimum = chart->BottomAxis()->InternalMinimum();
    Drag(100, 80, 300, 220);
    Drag(200, 150, 240, 170, Qt::RightButton);
    EXPECT_GE(scrolls, 1);
    Drag(120, 80, 200, 160);
    EXPECT_EQ(zooms, 2);
    ASSERT_NE(AllScales(), before);
    Drag(200, 160, 120, 80);
    EXPECT_EQ(undos, 1);
    EXPECT_EQ(AllScales(), before);
    EXPECT_EQ(chart->BottomAxis()->InternalMinimum(), internalMinimum);

    // Manual scales come back as they were set, also the ends the zoom moved past each other.
    chart->LeftAxis()->SetMinMax(-5, 7);
    const std::vector<TAxisScale> manual = AllScales();
    Paint();
    Drag(100, 40, 300, 60);
    Drag(200, 60, 200, 250, Qt::RightButton);
    chart->ResetZoom();
    EXPECT_EQ(AllScales(), manual);
}

TEST_F(ChartZoom, UndoAfterAnAxisWasAddedRestoresTheSavedAxesAndLeavesTheNewOne) {
    const std::vector<TAxisScale> before = AllScales();
    Drag(100, 80, 300, 220);
    ASSERT_TRUE(chart->ScalesSaved());
    auto* added = static_cast<TChartAxis*>(chart->CustomAxesList()->Add());
    added->SetMinMax(5, 6);
    Drag(300, 220, 100, 80);
    EXPECT_EQ(undos, 1);
    ASSERT_EQ(chart->AxisCount(), static_cast<int>(before.size()) + 1);
    std::vector<TAxisScale> after = AllScales();
    EXPECT_EQ(after.back(), (TAxisScale{false, false, false, 5, 6}));
    after.pop_back();
    EXPECT_EQ(after, before);
}

TEST_F(ChartZoom, AnAnimatedZoomStepsAThirdOfTheWayLeftEachTimeThenLands) {
    struct TCase {
        int steps;
        double factor;
    };
    for (const TCase c : {TCase{4, 3.0}, TCase{3, 2.0}, TCase{1, 3.0}, TCase{3, 0.0}}) {
        SCOPED_TRACE(::testing::Message() << c.steps << " steps, factor " << c.factor);
        chart->ResetZoom();
        Paint();
        chart->Zoom()->Animated = true;
        chart->Zoom()->AnimatedSteps = c.steps;
        ZoomStepFactor = c.factor;
        TChartAxis* bottom = chart->BottomAxis();
        std::vector<double> seen;
        chart->OnBeforeDrawChart = [&](TObject*) { seen.push_back(bottom->Minimum()); };
        double minimum = bottom->Minimum();
        const double target = ValueAt(*bottom, 200);
        Drag(200, 100, 300, 200);
        ZoomStepFactor = 3.0;
        chart->OnBeforeDrawChart = nullptr;
        // Each step repaints at once; the paint after the release shows the target.
        ASSERT_EQ(seen.size(), static_cast<std::size_t>(std::max(c.steps, 1)));
        const double factor = c.factor >= 1 ? c.factor : 1;
        for (int i = 0; i + 1 < c.steps; ++i) {
            minimum += (target - minimum) / factor;
            EXPECT_NEAR(seen[static_cast<std::size_t>(i)], minimum, 1e-9) << "step " << i + 1;
        }
        EXPECT_NEAR(seen.back(), target, 1e-9);
        EXPECT_NEAR(bottom->Minimum(), target, 1e-9);
    }
}

TEST_F(ChartZoom, TheBandIsDrawnOverThePictureWhileDraggingAndGoneAfter) {
    const QImage plain = Paint();
    Press(120, 90);
    MoveTo(200, 140);
    MoveTo(280, 200);
    const QImage during = Paint();
    charttest::SavePicture(during, "chart-zoom-band");
    // The outline runs round the band, its right and bottom side inside the corner reached.
    int changedOnBand = 0, samples = 0;
    for (int x = 121; x < 279; x += 7, samples += 2) {
        changedOnBand += during.pixel(x, 90) != plain.pixel(x, 90);
        changedOnBand += during.pixel(x, 199) != plain.pixel(x, 199);
    }
    for (int y = 91; y < 199; y += 7, samples += 2) {
        changedOnBand += during.pixel(120, y) != plain.pixel(120, y);
        changedOnBand += during.pixel(279, y) != plain.pixel(279, y);
    }
    EXPECT_EQ(changedOnBand, samples);
    EXPECT_EQ(during.pixel(200, 140), plain.pixel(200, 140)) << "the earlier band is gone";
    EXPECT_EQ(during.pixel(240, 170), plain.pixel(240, 170)) << "the band's inside stays clear";
    Release(280, 200);
    chart->ResetZoom();
    EXPECT_EQ(Paint(), plain);
}

} // namespace
