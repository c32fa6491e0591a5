#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/View3DOptions.h"
#include "chart/tools/RotateTool.h"
#include "chart/util/ChartUtils.h"
#include "platform/forms/Timer.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <cmath>
#include <memory>

namespace {

// A canvas that says it renders true 3D (drawing is the standard canvas').
class TTrue3DCanvas : public TPlotCanvas3D {
public:
    bool RendersTrue3D() override { return true; }
};

class RotateToolTest : public tooltest::ToolChartFixture {
protected:
    TRotateTool* AddTool() {
        auto* tool = new TRotateTool(form);
        tool->SetParentChart(chart);
        return tool;
    }
    TView3DOptions& View() { return *chart->View3DOptions(); }
    void SetAngles(double elevation, double rotation) {
        View().SetElevationValue(elevation);
        View().SetRotationValue(rotation);
    }
    // Press, one move to the end, release.
    void DragOnce(int x0, int y0, int x1, int y1) {
        Press(x0, y0);
        MoveTo(x1, y1);
        Release(x1, y1);
    }
};

struct TurnCase {
    TRotateToolStyles Style;
    double Elevation, Rotation, ElevationStep, RotationStep;
    double NewElevation, NewRotation;
};

TEST_F(RotateToolTest, TheStandardCanvasWrapsTheRotationAndKeepsTheElevationAbove) {
    TRotateTool* tool = AddTool();
    const TurnCase cases[] = {
        {rsAll, 345, 345, 30, 30, 360, 15},   // elevation stops at level, rotation wraps
        {rsAll, 300, 10, -40, -20, 270, 350}, // stops looking straight down, wraps below 0
        {rsAll, 345, 350, -10, 10, 335, 360}, // 360 itself is kept
        {rsAll, 280, 100, 0, 0, 280, 100},    // zero steps leave both
        {rsRotation, 345, 100, 10, 10, 345, 110}, {rsElevation, 300, 100, 10, 10, 310, 100},
    };
    for (const TurnCase& c : cases) {
        tool->SetStyle(c.Style);
        SetAngles(c.Elevation, c.Rotation);
        View().SetOrthogonal(true);
        tool->ApplyRotation(c.ElevationStep, c.RotationStep);
        SCOPED_TRACE(testing::Message() << c.Elevation << " + " << c.ElevationStep << ", "
                                        << c.Rotation << " + " << c.RotationStep);
        EXPECT_DOUBLE_EQ(View().ElevationValue(), c.NewElevation);
        EXPECT_DOUBLE_EQ(View().RotationValue(), c.NewRotation);
        EXPECT_FALSE(View().Orthogonal());
    }
}

TEST_F(RotateToolTest, ATrue3DCanvasWrapsBothAngles) {
    chart->ReplaceDrawCanvas(std::make_unique<TTrue3DCanvas>());
    TRotateTool* tool = AddTool();
    SetAngles(350, 5);
    tool->ApplyRotation(20, -10);
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 10);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 355);
    tool->ApplyRotation(-30, 10);
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 340);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 5);
}

TEST_F(RotateToolTest, ADragAcrossTheWholeChartTurnsByNinetyDegreesAtSpeedFifty) {
    TRotateTool* tool = AddTool();
    struct SpeedCase {
        int Speed;
        bool Inverted;
        double Rotation;
    };
    const SpeedCase cases[] = {{50, false, 75}, {100, false, 120}, {0, false, 30}, {50, true, 255}};
    for (const SpeedCase& c : cases) {
        tool->SetSpeed(c.Speed);
        tool->SetInverted(c.Inverted);
        SetAngles(345, 345);
        DragOnce(0, 150, chart->Width(), 150);
        EXPECT_DOUBLE_EQ(View().RotationValue(), c.Rotation) << "speed " << c.Speed;
        EXPECT_DOUBLE_EQ(View().ElevationValue(), 345);
    }
    // The chart turned to 3D, and the drags were the tool's: no zoom.
    EXPECT_TRUE(chart->View3D());
    EXPECT_EQ(zooms, 0);
}

TEST_F(RotateToolTest, DraggingUpStopsAtLevelAndDownAtStraightFromAbove) {
    TRotateTool* tool = AddTool();
    SetAngles(345, 345);
    Press(200, 300);
    MoveTo(200, 150); // +45
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 360);
    MoveTo(200, 0); // +45 more, still level
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 360);
    MoveTo(200, 300); // -90
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 270);
    MoveTo(200, 150); // +45 from the lower stop
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 315);
    EXPECT_TRUE(tool->Dragging());
    Release(200, 150);
    EXPECT_FALSE(tool->Dragging());
    // A move without the drag turns nothing.
    MoveTo(100, 20, Qt::NoButton);
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 315);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 345);
}

TEST_F(RotateToolTest, OnlyItsButtonTurnsAndTheScreenCursorShowsTheHandMeanwhile) {
    TRotateTool* tool = AddTool();
    int rotates = 0;
    tool->OnRotate = [&](TObject* sender) {
        EXPECT_EQ(sender, tool);
        ++rotates;
    };
    SetAngles(345, 345);
    Press(100, 100, Qt::RightButton);
    MoveTo(200, 100, Qt::RightButton);
    Release(200, 100, Qt::RightButton);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 345);
    EXPECT_EQ(rotates, 0);

    const TCursor before = Screen->Cursor();
    Press(100, 100);
    EXPECT_EQ(Screen->Cursor(), crPlotHand);
    MoveTo(140, 100);
    MoveTo(180, 100);
    Release(180, 100);
    EXPECT_EQ(Screen->Cursor(), before);
    EXPECT_EQ(rotates, 2);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 3); // 345 + 18, round past the full circle

    // Cursor 0 leaves the screen's cursor alone.
    tool->SetCursor(crDefault);
    Press(100, 100);
    EXPECT_EQ(Screen->Cursor(), before);
    Release(100, 100);
}

TEST_F(RotateToolTest, WithoutInertiaTheTurnEndsAtTheRelease) {
    TRotateTool* tool = AddTool();
    SetAngles(345, 345);
    DragOnce(100, 100, 200, 100);
    const double rotation = View().RotationValue();
    EXPECT_EQ(tool->InertiaTimer(), nullptr);
    Repaint();
    Repaint();
    EXPECT_DOUBLE_EQ(View().RotationValue(), rotation);
}

TEST_F(RotateToolTest, InertiaKeepsTurningAndEveryDrawingSlowsItDownToAStop) {
    TRotateTool* tool = AddTool();
    tool->SetInertia(50);
    SetAngles(345, 100);
    // 40 pixels across and 30 up: 9 degrees of rotation and 9 of elevation.
    DragOnce(100, 100, 140, 70);
    ASSERT_NE(tool->InertiaTimer(), nullptr);
    EXPECT_TRUE(tool->InertiaTimer()->Enabled());
    EXPECT_EQ(tool->InertiaTimer()->Interval(), 1u);
    EXPECT_DOUBLE_EQ(tool->RotationStep(), 9);
    const double rotation = View().RotationValue();

    // A tick turns by the steps and keeps the timer going.
    tool->InertiaTimer()->OnTimer()(tool->InertiaTimer());
    EXPECT_DOUBLE_EQ(View().RotationValue(), rotation + 9);
    EXPECT_TRUE(tool->InertiaTimer()->Enabled());

    // Each drawing event takes (100 - 50) per mille off each step.
    tool->ChartToolEvent(ctkBeforeDraw);
    EXPECT_DOUBLE_EQ(tool->RotationStep(), 9 * 0.95);
    int events = 1;
    while (tool->InertiaTimer()->Enabled() && events < 1000) {
        const double step = tool->RotationStep();
        tool->ChartToolEvent(ctkAfterDraw);
        EXPECT_LE(std::fabs(tool->RotationStep()), std::fabs(step));
        ++events;
    }
    EXPECT_FALSE(tool->InertiaTimer()->Enabled());
    EXPECT_LE(std::fabs(tool->RotationStep()), 0.01);
    EXPECT_LE(std::fabs(tool->ElevationStep()), 0.01);
    // 9 * 0.95^n falls to 0.01 after 133 events; one more finds both steps resting.
    EXPECT_EQ(events, 134);

    // A new press stops a turn at once.
    DragOnce(100, 100, 140, 100);
    EXPECT_TRUE(tool->InertiaTimer()->Enabled());
    Press(100, 100);
    EXPECT_FALSE(tool->InertiaTimer()->Enabled());
    Release(100, 100);
}

TEST_F(RotateToolTest, AVisibleOutlineHoldsTheChartsRepaintingUntilTheRelease) {
    TRotateTool* tool = AddTool();
    tool->Pen()->SetVisible(true);
    chart->SetView3D(true);
    const QImage before = Repaint();
    Press(100, 100);
    MoveTo(160, 100);
    EXPECT_FALSE(chart->RepaintEnabled());
    // The box went over the chart as it was: the chart itself was not drawn again.
    const QImage outlined = Paint();
    EXPECT_GT(tooltest::DifferingPixels(before, outlined), 0);
    charttest::SavePicture(outlined, "tools-rotate-outline");
    MoveTo(220, 100);
    Release(220, 100);
    EXPECT_TRUE(chart->RepaintEnabled());
    const QImage turned = Paint();
    EXPECT_EQ(tooltest::DifferingPixels(turned, Repaint()), 0);
    EXPECT_GT(tooltest::DifferingPixels(before, turned), 0);
}

TEST_F(RotateToolTest, PictureOfATurnedChart) {
    TLineSeries* series = AddSeries({{1, 20}, {3, 65}, {5, 40}, {7, 90}, {9, 55}});
    series->SetTitle("Напряжение");
    chart->SetView3D(true);
    chart->Legend()->SetVisible(true);
    AddTool();
    SetAngles(345, 345);
    View().SetZoom(75);
    // 120 pixels to the left and 50 down: 27 degrees round and 15 further from above.
    DragOnce(300, 100, 180, 150);
    EXPECT_DOUBLE_EQ(View().RotationValue(), 318);
    EXPECT_DOUBLE_EQ(View().ElevationValue(), 330);
    charttest::SavePicture(Repaint(), "tools-rotated-chart");
}

} // namespace
