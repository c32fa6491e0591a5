#include "chart/core/ChartAxis.h"
#include "chart/tools/CursorTool.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <string>
#include <vector>

namespace {

using tooltest::DifferingPixels;

// One OnChange or OnSnapChange as heard.
struct Heard {
    int x, y;
    double xValue, yValue;
    int index;
};

class CursorToolTest : public tooltest::ToolChartFixture {
protected:
    TCursorTool* AddCursor(TChartSeries* series = nullptr) {
        auto* tool = new TCursorTool(form);
        tool->SetParentChart(chart);
        if (series)
            tool->SetSeries(series);
        tool->OnChange = [this](TCursorTool*, int x, int y, double xv, double yv, TChartSeries*,
                                int index) {
            changes.push_back({x, y, xv, yv, index});
        };
        tool->OnSnapChange = [this](TCursorTool*, int x, int y, double xv, double yv, TChartSeries*,
                                    int index) {
            snaps.push_back({x, y, xv, yv, index});
        };
        return tool;
    }
    int MidX() const {
        return (chart->BottomAxis()->StartPixel() + chart->BottomAxis()->EndPixel()) / 2;
    }
    int MidY() const {
        return (chart->LeftAxis()->StartPixel() + chart->LeftAxis()->EndPixel()) / 2;
    }

    std::vector<Heard> changes;
    std::vector<Heard> snaps;
};

TEST_F(CursorToolTest, TheFirstDrawingCentresTheCursorOnTheAxesAndTellsOnce) {
    TCursorTool* tool = AddCursor();
    EXPECT_EQ(tool->CursorX(), -1);
    Paint();
    EXPECT_EQ(tool->CursorX(), MidX());
    EXPECT_EQ(tool->CursorY(), MidY());
    EXPECT_DOUBLE_EQ(tool->XValue(), chart->BottomAxis()->PixelToValue(MidX()));
    EXPECT_DOUBLE_EQ(tool->YValue(), chart->LeftAxis()->PixelToValue(MidY()));
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].index, -1);
    EXPECT_EQ(changes[0].x, MidX());
    // Later drawings place it from its values and tell nobody.
    Repaint();
    EXPECT_EQ(changes.size(), 1u);
    EXPECT_EQ(tool->CursorX(), MidX());
}

TEST_F(CursorToolTest, TheCursorKeepsItsValuesWhenTheAxesScroll) {
    TCursorTool* tool = AddCursor();
    Paint();
    const double x = tool->XValue();
    chart->BottomAxis()->SetMinMax(2, 12);
    Paint();
    EXPECT_DOUBLE_EQ(tool->XValue(), x);
    EXPECT_EQ(tool->CursorX(), chart->BottomAxis()->PixelOf(x));
    EXPECT_NE(tool->CursorX(), MidX());
}

struct NearestCase {
    TCursorToolStyle style;
    TSnapStyle snapStyle;
    double x, y;
    int expected;
};

TEST_F(CursorToolTest, TheNearestPointIsMeasuredInAxisValuesAndTiesKeepTheLowerIndex) {
    // Points 0 (1, 10), 1 (3, 10), 2 (5, 50), 3 (5, 90).
    TChartSeries* series = AddSeries({{1, 10}, {3, 10}, {5, 50}, {5, 90}});
    TCursorTool* tool = AddCursor(series);
    Paint();
    const NearestCase cases[] = {
        // Euclidean: (2, 10) is 1 from points 0 and 1: the lower wins.
        {cssBoth, snapDefault, 2, 10, 0},
        {cssBoth, snapDefault, 3.1, 12, 1},
        // Unscaled: 40 values up is far more than 2 values across.
        {cssBoth, snapDefault, 3, 48, 2},
        // Along one direction only: x 5 is shared by points 2 and 3.
        {cssVertical, snapDefault, 4.9, 0, 2},
        {cssHorizontal, snapDefault, 0, 85, 3},
        {cssHorizontal, snapDefault, 0, 10, 0},
        // The snap style overrides the cursor style.
        {cssBoth, snapVertical, 3.2, 90, 1},
        {cssVertical, snapHorizontal, 1, 75, 3},
    };
    for (const auto& c : cases) {
        tool->SetXValue(c.x);
        tool->SetYValue(c.y);
        tool->SetSnapStyle(c.snapStyle);
        EXPECT_EQ(tool->FindNearestIndex(c.style), c.expected)
            << "style " << c.style << " snap " << c.snapStyle << " at " << c.x << "," << c.y;
    }
}

TEST_F(CursorToolTest, NoPointsOrNoSeriesNeverSnap) {
    TChartSeries* empty = AddSeries({});
    TCursorTool* tool = AddCursor(empty);
    tool->SetSnap(true);
    Paint();
    EXPECT_EQ(tool->FindNearestIndex(cssBoth), -1);
    EXPECT_EQ(tool->SnapToSeries(), -1);
    ASSERT_FALSE(changes.empty());
    EXPECT_EQ(changes.back().index, -1);
    tool->SetSeries(nullptr);
    EXPECT_EQ(tool->SnapToSeries(), -1);
}

TEST_F(CursorToolTest, HitPartsFollowTheToleranceAndTheStyle) {
    TCursorTool* tool = AddCursor();
    Paint();
    const int cx = tool->CursorX();
    const int cy = tool->CursorY();
    struct Case {
        TCursorToolStyle style;
        int dx, dy;
        TCursorPart expected;
    };
    const Case cases[] = {
        {cssBoth, 0, 0, curCrossing},        {cssBoth, 3, -3, curCrossing},
        {cssBoth, 40, 2, curHorizLine},      {cssBoth, -2, 40, curVertLine},
        {cssBoth, 4, 40, curNone},           {cssBoth, 40, -4, curNone},
        {cssHorizontal, 0, 0, curHorizLine}, {cssHorizontal, 1, 40, curNone},
        {cssVertical, 0, 0, curVertLine},    {cssVertical, 40, 1, curNone},
        {cssScope, 1, 1, curCrossing},       {cssScopeOnly, 30, 0, curHorizLine},
    };
    for (const auto& c : cases) {
        tool->SetStyle(c.style);
        EXPECT_EQ(tool->HitPart(cx + c.dx, cy + c.dy), c.expected)
            << "style " << c.style << " offset " << c.dx << "," << c.dy;
    }
    // Outside the axes' rectangle nothing is hit, also on the line's extension.
    tool->SetStyle(cssBoth);
    EXPECT_EQ(tool->HitPart(chart->BottomAxis()->EndPixel() + 2, cy), curNone);
    // A limited direction is bounded around the pointer itself, so a limited horizontal line
    // is hit on its extension, even beyond the axes; the vertical bounds still hold.
    tool->SetHorizSize(20);
    EXPECT_EQ(tool->HitPart(chart->BottomAxis()->EndPixel() + 2, cy), curHorizLine);
    EXPECT_EQ(tool->HitPart(cx, chart->LeftAxis()->EndPixel() + 2), curNone);
}

TEST_F(CursorToolTest, DraggingTheVerticalLineMovesOnlyXAndSnapsOncePerPoint) {
    TChartSeries* series = AddSeries({{0, 0}, {2, 20}, {4, 40}, {6, 60}, {8, 80}, {10, 100}});
    TCursorTool* tool = AddCursor(series);
    tool->SetStyle(cssVertical);
    tool->SetSnap(true);
    Paint();
    changes.clear();
    const double yBefore = tool->YValue();
    const int x0 = tool->CursorX();
    const int y = tool->CursorY() + 40;
    Press(x0, y);
    EXPECT_EQ(tool->DragPart(), curVertLine);
    // Small steps stay near the same point; only a change of point is told as a snap.
    for (int step = 1; step <= 10; ++step)
        MoveTo(x0 + step, y);
    Release(x0 + 10, y);
    Paint();
    EXPECT_EQ(changes.size(), 10u);
    EXPECT_EQ(snaps.size(), 1u);
    ASSERT_FALSE(snaps.empty());
    EXPECT_EQ(snaps[0].index, tool->LastSnapIndex());
    EXPECT_DOUBLE_EQ(tool->XValue(), series->XValueAt(snaps[0].index));
    EXPECT_DOUBLE_EQ(tool->YValue(), yBefore);
    EXPECT_EQ(tool->DragPart(), curNone);
    EXPECT_EQ(zooms, 0);
    // A drag far enough reaches the next point and snaps once more.
    const int x1 = tool->CursorX();
    Press(x1, y);
    MoveTo(chart->BottomAxis()->PixelOf(7.9), y);
    Release(chart->BottomAxis()->PixelOf(7.9), y);
    ASSERT_EQ(snaps.size(), 2u);
    EXPECT_EQ(snaps[1].index, 4);
    EXPECT_DOUBLE_EQ(tool->XValue(), 8);
}

TEST_F(CursorToolTest, AMoveOutsideTheBoundsWhileDraggingLeavesTheCursor) {
    TCursorTool* tool = AddCursor();
    Paint();
    const int cx = tool->CursorX();
    const int cy = tool->CursorY();
    Press(cx, cy);
    EXPECT_EQ(tool->DragPart(), curCrossing);
    MoveTo(chart->BottomAxis()->EndPixel() + 5, cy);
    EXPECT_EQ(tool->CursorX(), cx);
    MoveTo(cx + 7, cy - 5);
    EXPECT_EQ(tool->CursorX(), cx + 7);
    EXPECT_EQ(tool->CursorY(), cy - 5);
    Release(cx + 7, cy - 5);
}

TEST_F(CursorToolTest, APressOffTheCursorLeavesTheZoomWorking) {
    // The chart zooms only while some series uses its axes.
    AddSeries({{0, 0}, {10, 100}});
    TCursorTool* tool = AddCursor();
    Paint();
    const int x0 = tool->CursorX() + 30;
    const int y0 = tool->CursorY() - 60;
    charttest::Drag(chart, x0, y0, x0 + 60, y0 + 50);
    Paint();
    EXPECT_EQ(tool->DragPart(), curNone);
    EXPECT_EQ(zooms, 1);
    // A drag that starts on the cursor moves it and zooms nothing.
    charttest::Drag(chart, tool->CursorX(), tool->CursorY(), tool->CursorX() + 40,
                    tool->CursorY() + 30);
    EXPECT_EQ(zooms, 1);
}

TEST_F(CursorToolTest, FollowMouseMovesWithoutAButtonAndIgnoresPresses) {
    TCursorTool* tool = AddCursor();
    tool->SetFollowMouse(true);
    Paint();
    changes.clear();
    MoveTo(100, 120, Qt::NoButton);
    EXPECT_EQ(tool->CursorX(), 100);
    EXPECT_EQ(tool->CursorY(), 120);
    EXPECT_EQ(changes.size(), 1u);
    Press(100, 120);
    EXPECT_EQ(tool->DragPart(), curNone);
    Release(100, 120);
}

TEST_F(CursorToolTest, ASeriesSetOutsideLoadingSnapsAtOnce) {
    TChartSeries* series = AddSeries({{1, 10}, {9, 90}});
    TCursorTool* tool = AddCursor();
    tool->SetSnap(true);
    tool->SetXValue(8);
    tool->SetYValue(70);
    tool->SetSeries(series);
    EXPECT_DOUBLE_EQ(tool->XValue(), 9);
    EXPECT_DOUBLE_EQ(tool->YValue(), 90);
    EXPECT_EQ(tool->LastSnapIndex(), -1);
}

// ---- the exclusive-or drawing -------------------------------------------------------------------

struct XorCase {
    const char* name;
    TCursorToolStyle style;
    TScopeCursorStyle scope;
    int horizSize;
};

class CursorToolXor : public CursorToolTest, public ::testing::WithParamInterface<XorCase> {};

TEST_P(CursorToolXor, AMovedCursorLeavesExactlyWhatAFullRepaintDraws) {
    const XorCase& c = GetParam();
    const QImage bare = Paint();
    TCursorTool* tool = AddCursor();
    tool->SetStyle(c.style);
    tool->SetScopeStyle(c.scope);
    tool->SetHorizSize(c.horizSize);
    tool->SetVertSize(c.horizSize);
    tool->SetFollowMouse(true);
    const QImage placed = Paint();
    EXPECT_GT(DifferingPixels(bare, placed), 10);
    const int cx = tool->CursorX();
    const int cy = tool->CursorY();
    MoveTo(cx + 37, cy - 23, Qt::NoButton);
    const QImage moved = Paint();
    EXPECT_NE(DifferingPixels(moved, placed), 0);
    // The erase drew the old cursor away exactly: the buffer holds what a new drawing holds.
    EXPECT_EQ(DifferingPixels(moved, Repaint()), 0);
    // And back to the start gives the first picture byte for byte.
    MoveTo(cx, cy, Qt::NoButton);
    EXPECT_EQ(Paint(), placed);
    tool->SetActive(false);
    EXPECT_EQ(Repaint(), bare);
}

INSTANTIATE_TEST_SUITE_P(Styles, CursorToolXor,
                         ::testing::Values(XorCase{"both", cssBoth, scsRectangle, 0},
                                           XorCase{"horizontal", cssHorizontal, scsRectangle, 0},
                                           XorCase{"limited", cssBoth, scsRectangle, 30},
                                           XorCase{"scope-circle", cssScope, scsCircle, 10},
                                           XorCase{"scope-diamond", cssScopeOnly, scsDiamond, 6},
                                           XorCase{"camera", cssScopeOnly, scsCamera, 12}),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             for (char& ch : name)
                                 if (ch == '-')
                                     ch = '_';
                             return name;
                         });

} // namespace
