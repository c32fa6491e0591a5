#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "chart/core/SeriesPointer.h"
#include "chart/tools/DragMarksTool.h"
#include "chart/tools/MarksTipTool.h"
#include "chart/tools/NearestTool.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Cursors.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

using tooltest::DifferingPixels;

// A chart with one line series of labelled points whose pointers show.
class SeriesPointToolTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        series = AddSeries({});
        series->AddXYValue(2, 20, "Север");
        series->AddXYValue(5, 70, "Юг");
        series->AddXYValue(8, 40, "Запад");
        series->Pointer()->SetVisible(true);
        Paint();
    }
    TPoint PointAt(int index) const { return {series->PixelX(index), series->PixelY(index)}; }

    TLineSeries* series = nullptr;
};

// ---- mark tips ----------------------------------------------------------------------------------

class MarksTipToolTest : public SeriesPointToolTest {
protected:
    TMarksTipTool* AddTips() {
        auto* tool = new TMarksTipTool(form);
        tool->SetParentChart(chart);
        return tool;
    }
    void Hover(TPoint p) { MoveTo(p.X, p.Y, Qt::NoButton); }
};

TEST_F(MarksTipToolTest, HoveringAPointShowsItsMarkTextAndLeavingTakesItAway) {
    TMarksTipTool* tool = AddTips();
    int cancels = 0;
    tool->OnCancelHint = [&](TObject*) { ++cancels; };
    Hover(PointAt(1));
    EXPECT_EQ(chart->Hint(), "Юг");
    EXPECT_TRUE(chart->ShowHint());
    // The tip's style was lent to the marks only while the text was made.
    EXPECT_EQ(series->Marks()->Style(), smsLabel);
    tool->SetStyle(smsValue);
    Hover(PointAt(2));
    EXPECT_EQ(chart->Hint(), series->ValueText(2));
    Hover({PointAt(2).X + 30, PointAt(2).Y - 60});
    EXPECT_EQ(chart->Hint(), "");
    EXPECT_EQ(cancels, 1);
}

TEST_F(MarksTipToolTest, ATipChangedByItsHandlerIsShownAndAClickToolIgnoresMoves) {
    TMarksTipTool* tool = AddTips();
    tool->OnGetText = [](TMarksTipTool*, std::string& text) { text = "[" + text + "]"; };
    tool->SetMouseAction(mtmClick);
    Hover(PointAt(0));
    EXPECT_EQ(chart->Hint(), "");
    Press(PointAt(0).X, PointAt(0).Y);
    Release(PointAt(0).X, PointAt(0).Y);
    EXPECT_EQ(chart->Hint(), "[Север]");
}

TEST_F(MarksTipToolTest, WithTwoTipToolsMovingOffAPointKeepsTheTip) {
    AddTips();
    AddTips();
    Hover(PointAt(1));
    ASSERT_EQ(chart->Hint(), "Юг");
    Hover({PointAt(1).X + 40, PointAt(1).Y + 40});
    EXPECT_EQ(chart->Hint(), "Юг");
}

TEST_F(MarksTipToolTest, ARaisingHandlerLeavesTheMarksAndTheRepaintingAsTheyWere) {
    TMarksTipTool* tool = AddTips();
    tool->SetStyle(smsValue);
    tool->OnGetText = [](TMarksTipTool*, std::string&) { throw std::runtime_error("no text"); };
    // The handler raises while the marks have the tip's style and repainting is off.
    try {
        tool->ChartMouseEvent(1, mbLeft, {}, PointAt(0).X, PointAt(0).Y);
        ADD_FAILURE() << "the handler's exception was lost";
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(series->Marks()->Style(), smsLabel);
    EXPECT_TRUE(chart->RepaintEnabled());
}

TEST_F(MarksTipToolTest, TheDelaysAreTheApplicationsAndAnInactiveToolTakesItsTipAway) {
    TMarksTipTool* one = AddTips();
    TMarksTipTool* other = AddTips();
    const int pause = Application->HintPause();
    one->SetMouseDelay(120);
    EXPECT_EQ(Application->HintPause(), 120);
    EXPECT_EQ(other->MouseDelay(), 120);
    other->SetHideDelay(4000);
    EXPECT_EQ(one->HideDelay(), 4000);
    Application->SetHintPause(pause);
    Hover(PointAt(0));
    ASSERT_EQ(chart->Hint(), "Север");
    one->SetActive(false);
    EXPECT_EQ(chart->Hint(), "");
}

// ---- the nearest point --------------------------------------------------------------------------

class NearestToolTest : public SeriesPointToolTest {
protected:
    TNearestTool* AddNearest(TChartSeries* of) {
        auto* tool = new TNearestTool(form);
        tool->SetParentChart(chart);
        tool->SetSeries(of);
        tool->OnChange = [this](TObject*) { ++changes; };
        return tool;
    }
    int changes = 0;
};

TEST_F(NearestToolTest, TheNearestPointIsThePixelNearestInsideThePlot) {
    // Points 0 (1, 50) and 1 (3, 50) lie equally far from x = 2; point 2 lies beyond the axis.
    TLineSeries* ties = AddSeries({{1, 50}, {3, 50}, {12, 50}});
    Paint();
    // A mouse position whose rounded distances to points 0 and 1 are equal (ties to even).
    const int mid = (ties->PixelX(0) + ties->PixelX(1)) / 2;
    const auto rounded = [&](int index, int x, int y) {
        const double dx = ties->PixelX(index) - x, dy = ties->PixelY(index) - y;
        return std::nearbyint(std::sqrt(dx * dx + dy * dy));
    };
    int y = ties->PixelY(0);
    while (rounded(0, mid, y) != rounded(1, mid, y))
        --y;
    ASSERT_GT(y, chart->LeftAxis()->StartPixel());
    EXPECT_EQ(TNearestTool::NearestPoint(ties, mid, y), 0);
    EXPECT_EQ(TNearestTool::NearestPoint(ties, mid + 2, y), 1);
    // Far to the right: point 2 would be nearest but lies outside the plot.
    EXPECT_EQ(TNearestTool::NearestPoint(ties, 399, ties->PixelY(0)), 1);
    // Null points are passed over unless asked for.
    ties->SetPointColor(1, clNone);
    EXPECT_EQ(TNearestTool::NearestPoint(ties, mid + 1, y), 0);
    EXPECT_EQ(TNearestTool::NearestPoint(ties, ties->PixelX(1), y, true), 1);
    TLineSeries* empty = AddSeries({});
    Paint();
    EXPECT_EQ(TNearestTool::NearestPoint(empty, mid, y), -1);
}

TEST_F(NearestToolTest, MovesFollowTheMouseAndLeavingTheChartClearsTheMarker) {
    TNearestTool* tool = AddNearest(series);
    MoveTo(PointAt(2).X - 15, PointAt(2).Y + 10, Qt::NoButton);
    EXPECT_EQ(tool->NearestIndex(), 2);
    EXPECT_EQ(tool->MouseX(), PointAt(2).X - 15);
    EXPECT_EQ(changes, 1);
    chart->NotifyTools(ctkMouseLeave);
    EXPECT_EQ(tool->NearestIndex(), -1);
    // Without a series the tool ignores the mouse.
    tool->SetSeries(nullptr);
    MoveTo(PointAt(0).X, PointAt(0).Y, Qt::NoButton);
    EXPECT_EQ(tool->NearestIndex(), -1);
    EXPECT_EQ(changes, 1);
}

TEST_F(NearestToolTest, TheInvertedMarkerGoesAwayExactly) {
    const QImage bare = Repaint();
    for (TNearestToolStyle style : {hsCircle, hsRectangle, hsDiamond}) {
        TNearestTool* tool = AddNearest(series);
        tool->SetFullRepaint(false);
        tool->SetStyle(style);
        tool->SetSize(12);
        Paint();
        MoveTo(PointAt(1).X + 30, PointAt(1).Y + 25, Qt::NoButton);
        const QImage marked = Paint();
        EXPECT_GT(DifferingPixels(bare, marked), 20) << "style " << style;
        if (style == hsCircle)
            charttest::SavePicture(marked, "tools-nearest-marker");
        MoveTo(PointAt(0).X + 8, PointAt(0).Y - 5, Qt::NoButton);
        EXPECT_EQ(tool->NearestIndex(), 0);
        // What the buffer holds now is what a drawing from scratch holds.
        EXPECT_EQ(DifferingPixels(Paint(), Repaint()), 0) << "style " << style;
        chart->NotifyTools(ctkMouseLeave);
        EXPECT_EQ(DifferingPixels(Paint(), bare), 0) << "style " << style;
        tool->Free();
        Paint();
    }
}

TEST_F(NearestToolTest, TheSeriesOwnPointMarkerPutsTheSeriesPenBack) {
    TNearestTool* tool = AddNearest(series);
    tool->SetStyle(hsSeries);
    series->LinePen()->SetColor(clNavy);
    MoveTo(PointAt(1).X, PointAt(1).Y, Qt::NoButton);
    Paint();
    EXPECT_EQ(tool->NearestIndex(), 1);
    EXPECT_EQ(series->LinePen()->Color(), clNavy);
    EXPECT_EQ(series->LinePen()->Style(), psSolid);
}

// ---- dragged marks ------------------------------------------------------------------------------

class DragMarksToolTest : public SeriesPointToolTest {
protected:
    void SetUp() override {
        SeriesPointToolTest::SetUp();
        series->Marks()->SetVisible(true);
        tool = new TDragMarksTool(form);
        tool->SetParentChart(chart);
        tool->OnDraggingMark = [this](TDragMarksTool*, int index, TMouseButton, TShiftState, int,
                                      int) { dragging.push_back(index); };
        tool->OnDraggedMark = [this](TDragMarksTool*, int index, TMouseButton, TShiftState, int,
                                     int) { dragged.push_back(index); };
        Paint();
    }
    TPoint MarkCentre(int index) {
        const TRect r = series->Marks()->Positions().EntryAt(index)->Bounds();
        return {(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }

    TDragMarksTool* tool = nullptr;
    std::vector<int> dragging;
    std::vector<int> dragged;
};

TEST_F(DragMarksToolTest, ADraggedMarkMovesByTheWholeDragAndStaysCustom) {
    ASSERT_NE(series->Marks()->Positions().EntryAt(1), nullptr);
    const TSeriesMarkPosition before = *series->Marks()->Positions().EntryAt(1);
    const TPoint at = MarkCentre(1);
    Press(at.X, at.Y);
    EXPECT_EQ(tool->MarkIndex(), 1);
    MoveTo(at.X + 5, at.Y - 2);
    MoveTo(at.X + 12, at.Y - 9);
    MoveTo(at.X + 20, at.Y - 15);
    Release(at.X + 20, at.Y - 15);
    const QImage picture = Paint();
    EXPECT_EQ(dragging, (std::vector<int>{1, 1, 1}));
    EXPECT_EQ(dragged, (std::vector<int>{1}));
    EXPECT_EQ(tool->MarkIndex(), -1);
    const TSeriesMarkPosition& after = *series->Marks()->Positions().EntryAt(1);
    EXPECT_TRUE(after.Custom);
    EXPECT_EQ(after.Left, before.Left + 20);
    EXPECT_EQ(after.Top, before.Top - 15);
    EXPECT_EQ(after.ArrowTo.X, before.ArrowTo.X + 20);
    EXPECT_EQ(after.ArrowTo.Y, before.ArrowTo.Y - 15);
    EXPECT_EQ(zooms, 0);
    charttest::SavePicture(picture, "tools-dragged-mark");
}

TEST_F(DragMarksToolTest, HiddenMarksShowNoHandAndPressesOffMarksReachTheChart) {
    const TPoint at = MarkCentre(2);
    MoveTo(at.X, at.Y, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
    Press(at.X + 60, at.Y + 60);
    EXPECT_EQ(tool->MarkIndex(), -1);
    Release(at.X + 60, at.Y + 60);
    EXPECT_TRUE(dragged.empty());
}

} // namespace
