// Where the line family's points land and what the axes and the mouse learn from them:
// stacking checked against a Python stack calculator, extremes, margins, depth slots, the
// visible range and the hit test.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"

#include <gtest/gtest.h>

#include <limits>
#include <sstream>

using namespace seriestest;

namespace {

class LineLayout : public SeriesFixture {};

// Series of the table below: kind, values, active.
struct TStackRow {
    const char* kind;
    std::vector<double> values;
    bool active;
};

TEST_F(LineLayout, StackedPointsSitOnThePartnersBeforeThemAsPythonAddsThemUp) {
    const std::vector<TStackRow> rows = {
        {"line", {3, -2, 5, 0}, true},  {"point", {10, 10, 10, 10}, true},
        {"line", {7, 7, 7, 7}, false},  {"line", {1, -4}, true},
        {"line", {-1, 0, 2, -3}, true}, {"horiz", {}, true},
    };
    std::vector<TCustomSeries*> series;
    for (const TStackRow& row : rows) {
        TCustomSeries* s = nullptr;
        if (std::string(row.kind) == "point")
            s = AddSeries<TPointSeries>();
        else if (std::string(row.kind) == "horiz")
            s = AddSeries<THorizLineSeries>();
        else
            s = AddSeries<TLineSeries>();
        for (std::size_t i = 0; i < row.values.size(); ++i)
            s->AddXYValue(static_cast<double>(i), row.values[i]);
        s->SetActive(row.active);
        series.push_back(s);
    }
    chart->LeftAxis()->SetMinMax(-20, 30);
    for (TCustomSeriesStack mode : {cssStack, cssStack100}) {
        series[4]->SetStacked(mode);
        Draw();
        TChartAxis* left = chart->LeftAxis();
        std::ostringstream program;
        program << "rows=[('line',[3,-2,5,0],True),('point',[10]*4,True),('line',[7]*4,False),"
                   "('line',[1,-4],True),('line',[-1,0,2,-3],True),('horiz',[],True)]\n"
                << "end,size,mn,mx=" << left->EndPixel() << "," << left->PixelSize()
                << ",-20.0,30.0\n"
                << "mode='" << (mode == cssStack ? "stack" : "stack100") << "'\n"
                << R"(def partner(a, b):
    ka, kb = rows[a][0], rows[b][0]
    # a horizontal line is a kind of line; a point series is neither
    return ka == kb or {ka, kb} == {'line', 'horiz'}
def stacksum(s, i, v, only_below):
    total = 0
    for j, (kind, vals, active) in enumerate(rows):
        if only_below and j == s:
            break
        if not active or len(vals) <= i:
            continue
        if j != s and not partner(s, j):
            continue
        w = vals[i]
        if (w > 0) if v >= 0 else (w < 0):
            total += w
    return total
def pixel(value):
    return round(end - (value - mn) * (size / (mx - mn)))
out = []
for s in (0, 3, 4):
    for i, v in enumerate(rows[s][1]):
        below = stacksum(s, i, v, True)
        if mode == 'stack':
            out.append(min(pixel(below + v), end))
        else:
            total = stacksum(s, i, v, False)
            out.append(end if total == 0 else pixel((below + v) * 100 / total))
print(*out)
)";
        const std::vector<int> expected = IntegersOf(RunPython(program.str()));
        std::vector<int> actual;
        for (int s : {0, 3, 4})
            for (int i = 0; i < series[s]->Count(); ++i)
                actual.push_back(series[s]->PixelY(i));
        EXPECT_EQ(actual, expected) << "mode " << mode;
        // The point series is of another kind and keeps its own positions and setting.
        EXPECT_EQ(series[1]->Stacked(), cssNone);
        EXPECT_EQ(series[1]->PixelY(0), PY(10));
    }
}

TEST_F(LineLayout, StackSumsTakeOnlyTheValuesOnTheSameSideOfZero) {
    TLineSeries* a = AddSeries({{0, 3}});
    TLineSeries* b = AddSeries({{0, -2}});
    TLineSeries* c = AddSeries({{0, -1}});
    (void)a;
    (void)b;
    EXPECT_EQ(c->StackBelow(0, -1), -2);
    EXPECT_EQ(c->StackBelow(0, 0), 3);
    EXPECT_EQ(c->StackTotal(0, 5), 3);
    // Without a chart there is nothing below.
    auto* alone = new TLineSeries(owner);
    alone->AddXYValue(0, 4);
    EXPECT_EQ(alone->StackBelow(0, 4), 0);
}

TEST_F(LineLayout, FullStacksWithNothingToShareAndOverflowingStacksStayAtTheAxisEnd) {
    TLineSeries* a = AddSeries({{1, 0}, {2, 50}});
    TLineSeries* b = AddSeries({{1, 0}, {2, 80}});
    b->SetStacked(cssStack100);
    Draw();
    EXPECT_EQ(b->PixelY(0), chart->LeftAxis()->EndPixel());
    b->SetStacked(cssStack);
    chart->LeftAxis()->SetMinMax(200, 300);
    Draw();
    // 50 + 80 lies below the axis' range: held at its end.
    EXPECT_EQ(b->PixelY(1), chart->LeftAxis()->EndPixel());
    EXPECT_EQ(a->Stacked(), cssStack);
}

TEST_F(LineLayout, StackingReachesEverySeriesOfTheSettersKind) {
    struct Case {
        bool setOnHorizontal;
        TCustomSeriesStack line, horiz;
    };
    const Case cases[] = {{false, cssStack, cssNone}, {true, cssStack, cssStack}};
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries<TLineSeries>();
        THorizLineSeries* horiz = AddSeries<THorizLineSeries>();
        (c.setOnHorizontal ? static_cast<TCustomSeries*>(horiz) : line)->SetStacked(cssStack);
        EXPECT_EQ(line->Stacked(), c.line) << c.setOnHorizontal;
        EXPECT_EQ(horiz->Stacked(), c.horiz) << c.setOnHorizontal;
        line->Free();
        horiz->Free();
    }
}

TEST_F(LineLayout, ValueExtremes) {
    struct Case {
        const char* what;
        TCustomSeriesStack stacked;
        TTreatNullsStyle treat;
        double lowest, highest;
    };
    const Case cases[] = {
        {"all nulls", cssNone, tnDontPaint, 0, 0},
        {"all nulls drawn at their values", cssNone, tnIgnore, -5, 40},
        {"all nulls, full stack", cssStack100, tnDontPaint, 0, 100},
    };
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries();
        line->AddXYValue(1, 40, "", clNone);
        line->AddXYValue(2, -5, "", clNone);
        line->SetTreatNulls(c.treat);
        line->SetStacked(c.stacked);
        EXPECT_EQ(line->LowestY(), c.lowest) << c.what;
        EXPECT_EQ(line->HighestY(), c.highest) << c.what;
        // The position direction keeps the plain extremes.
        EXPECT_EQ(line->LowestX(), 1) << c.what;
        EXPECT_EQ(line->HighestX(), 2) << c.what;
        line->Free();
    }
    // A stack raises the top to the sum and lowers the bottom to the negative sum.
    TLineSeries* a = AddSeries({{1, 30}, {2, -10}});
    TLineSeries* b = AddSeries({{1, 20}, {2, -15}});
    b->SetStacked(cssStack);
    EXPECT_EQ(b->HighestY(), 50);
    EXPECT_EQ(b->LowestY(), -25);
    EXPECT_EQ(a->HighestY(), 30);
}

TEST_F(LineLayout, MarginsMakeRoomForPointersStairsOutlinesAndLineHeight) {
    struct Case {
        const char* what;
        std::function<void(TLineSeries*)> set;
        bool view3D;
        int left, right, top, bottom;
    };
    const Case cases[] = {
        {"nothing", [](TLineSeries*) {}, false, 0, 0, 0, 0},
        {"pointer 4 x 6",
         [](TLineSeries* s) {
             s->Pointer()->SetVisible(true);
             s->Pointer()->SetVertSize(6);
         },
         false, 5, 5, 7, 7},
        {"stairs with a pen of 7",
         [](TLineSeries* s) {
             s->SetStairs(true);
             s->LinePen()->SetWidth(7);
         },
         false, 7, 7, 7, 7},
        {"outline of 9",
         [](TLineSeries* s) {
             s->OutLine()->SetVisible(true);
             s->OutLine()->SetWidth(9);
         },
         false, 9, 9, 9, 9},
        {"line height 12 in 2D", [](TLineSeries* s) { s->SetLineHeight(12); }, false, 0, 0, 0, 0},
        {"line height 12 in 3D", [](TLineSeries* s) { s->SetLineHeight(12); }, true, 0, 0, 0, 12},
    };
    for (const Case& c : cases) {
        chart->SetView3D(c.view3D);
        TLineSeries* line = AddSeries({{1, 1}});
        c.set(line);
        int left = -1, right = -1, top = -1, bottom = -1;
        line->GetHorizMargins(left, right);
        line->GetVertMargins(top, bottom);
        EXPECT_EQ(left, c.left) << c.what;
        EXPECT_EQ(right, c.right) << c.what;
        EXPECT_EQ(top, c.top) << c.what;
        EXPECT_EQ(bottom, c.bottom) << c.what;
        line->Free();
    }
}

TEST_F(LineLayout, StackedSeriesShareTheDepthSlotBeforeThemAndTheFirstTakesTheFirstSlot) {
    chart->SetView3D(true);
    TLineSeries* line = AddSeries({{1, 1}});
    line->SetStacked(cssOverlap);
    chart->SetMaxZOrder(-1);
    line->AssignZOrder();
    EXPECT_EQ(line->EffectiveZOrder(), 0);
    auto* points = AddSeries<TPointSeries>({{1, 1}});
    TLineSeries* second = AddSeries({{1, 1}});
    second->SetStacked(cssOverlap);
    chart->SetMaxZOrder(-1);
    line->AssignZOrder();
    points->AssignZOrder();
    second->AssignZOrder();
    EXPECT_EQ(points->EffectiveZOrder(), 1);
    EXPECT_EQ(second->EffectiveZOrder(), 1);
}

TEST_F(LineLayout, PointsWhosePointerReachesIntoThePlotAreVisible) {
    auto* points = AddSeries<TPointSeries>();
    Draw();
    TChartAxis* bottom = chart->BottomAxis();
    const int right = chart->PlotRect().Right;
    // Inside, 2 pixels beyond the right edge (the pointer of 4 reaches in), 10 beyond (it
    // does not).
    points->AddXYValue(5, 50);
    points->AddXYValue(bottom->PixelToValue(right + 2), 50);
    points->AddXYValue(bottom->PixelToValue(right + 10), 50);
    Draw();
    EXPECT_EQ(points->FirstVisibleIndex(), 0);
    EXPECT_EQ(points->LastVisibleIndex(), 1);
    EXPECT_TRUE(points->PointInChartRect(1));
    EXPECT_FALSE(points->PointInChartRect(2));
}

TEST_F(LineLayout, APointerAsLargeAsAnIntHoldsReachesThePlotWithoutOverflowing) {
    auto* points = AddSeries<TPointSeries>();
    TChartAxis* bottom = chart->BottomAxis();
    points->AddXYValue(5, 50);
    Draw();
    points->AddXYValue(bottom->PixelToValue(chart->PlotRect().Right + 1000), 50);
    points->Pointer()->SetHorizSize(std::numeric_limits<int>::max());
    points->Pointer()->SetVertSize(std::numeric_limits<int>::max());
    EXPECT_TRUE(points->PointInChartRect(0));
    EXPECT_TRUE(points->PointInChartRect(1));
}

TEST_F(LineLayout, PointerHitsAreStrictlyInsideThePointersSizes) {
    struct Case {
        int dx, dy;
        TSeriesPointerStyle style;
        bool hit;
    };
    const Case cases[] = {{0, 0, psRectangle, true},  {3, 3, psRectangle, true},
                          {4, 0, psRectangle, false}, {0, 4, psRectangle, false},
                          {-3, 0, psRectangle, true}, {0, 0, psNothing, false}};
    TLineSeries* line = AddSeries({{5, 50}});
    for (const Case& c : cases) {
        line->Pointer()->SetStyle(c.style);
        EXPECT_EQ(line->PointerHit(0, 100, 100, 100 + c.dx, 100 + c.dy), c.hit)
            << c.dx << "," << c.dy << " style " << c.style;
    }
}

TEST_F(LineLayout, TheMouseFindsPointsSegmentsAndPointers) {
    TLineSeries* line = AddSeries({{2, 20}, {6, 60}, {8, 20}});
    Draw();
    const int midX = (PX(2) + PX(6)) / 2, midY = (PY(20) + PY(60)) / 2;
    struct Case {
        const char* what;
        bool clickable, pointer;
        TPoint at;
        int expected;
    };
    const Case cases[] = {
        {"a point's own pixel, nothing clickable", false, false, {PX(6), PY(60)}, 1},
        {"the middle of the first segment", true, false, {midX, midY}, 0},
        {"the middle of a segment that is not clickable", false, false, {midX, midY}, -1},
        {"beside the pointer of the last point", false, true, {PX(8) + 3, PY(20) - 3}, 2},
        {"nowhere near", true, true, {PX(4), PY(90)}, -1},
    };
    for (const Case& c : cases) {
        line->SetClickableLine(c.clickable);
        line->Pointer()->SetVisible(c.pointer);
        EXPECT_EQ(line->PointAt(c.at.X, c.at.Y), c.expected) << c.what;
    }
    // A pointer hit tells OnClickPointer which point and where.
    int clicked = -1;
    TPoint where;
    line->OnClickPointer = [&](TCustomSeries*, int index, int x, int y) {
        clicked = index;
        where = {x, y};
    };
    line->Pointer()->SetVisible(true);
    EXPECT_EQ(line->PointAt(PX(2) + 1, PY(20)), 0);
    EXPECT_EQ(clicked, 0);
    EXPECT_EQ(where, (TPoint{PX(2) + 1, PY(20)}));
    EXPECT_TRUE(line->HandlesClicks());
}

TEST_F(LineLayout, StairsAndTheSegmentEnteringTheVisibleRangeAreClickable) {
    TLineSeries* line = AddSeries({{1, 20}, {4, 60}, {8, 20}});
    line->SetStairs(true);
    Draw();
    // The stair's riser stands at the second point.
    EXPECT_EQ(line->PointAt(PX(4), (PY(20) + PY(60)) / 2), 0);
    line->SetInvertedStairs(true);
    EXPECT_EQ(line->PointAt(PX(1), (PY(20) + PY(60)) / 2), 0);
    // Up first: the riser at the second point now belongs to the segment that leaves it.
    EXPECT_EQ(line->PointAt(PX(4), (PY(20) + PY(60)) / 2), 1);
    EXPECT_EQ(line->PointAt((PX(1) + PX(4)) / 2, PY(20)), -1);
    // From 2 on, the first point lies before the visible range; its segment still answers.
    line->SetStairs(false);
    chart->BottomAxis()->SetMinMax(2, 10);
    Draw();
    ASSERT_EQ(line->FirstVisibleIndex(), 1);
    const double t = (3.0 - 1) / (4 - 1);
    EXPECT_EQ(line->PointAt(PX(3), PY(20 + t * 40)), 0);
    line->SetClickableLine(false);
    EXPECT_EQ(line->PointAt(PX(3), PY(20 + t * 40)), -1);
}

} // namespace

namespace {

class LineOrigins : public SeriesFixture {};

TEST_F(LineOrigins, LinesRiseFromTheValueAxisLowEnd) {
    struct Case {
        bool horizontal, inverted;
    };
    for (const Case& c :
         {Case{false, false}, Case{false, true}, Case{true, false}, Case{true, true}}) {
        TCustomSeries* series =
            c.horizontal ? static_cast<TCustomSeries*>(AddSeries<THorizLineSeries>({{5, 50}}))
                         : AddSeries<TLineSeries>({{5, 50}});
        TChartAxis* axis = c.horizontal ? chart->BottomAxis() : chart->LeftAxis();
        axis->SetInverted(c.inverted);
        Draw();
        // The pixel of the axis' minimum, wherever the axis puts it.
        const int low = c.horizontal ? PX(0) : PY(0);
        EXPECT_EQ(series->OriginPos(0), low) << c.horizontal << c.inverted;
        axis->SetInverted(false);
        series->Free();
    }
}

TEST_F(LineOrigins, AnAreaFillsDownToTheOriginAndAnswersClicksInside) {
    TLineSeries* line = AddSeries({{2, 40}, {6, 60}});
    line->SetDrawArea(true);
    Draw();
    ASSERT_EQ(canvas->Shapes.size(), 1u);
    const std::vector<TPoint> band = {
        {PX(2), PY(0)}, {PX(2), PY(40)}, {PX(6), PY(60)}, {PX(6), PY(0)}};
    EXPECT_EQ(canvas->Shapes[0].points, band);
    line->SetClickableLine(false);
    EXPECT_EQ(line->PointAt(PX(4), PY(20)), 0);
    EXPECT_EQ(line->PointAt(PX(4), PY(80)), -1);
    // With stairs the band is the step: flat at the first point's height.
    line->SetStairs(true);
    EXPECT_EQ(line->PointAt(PX(5), PY(45)), -1);
    EXPECT_EQ(line->PointAt(PX(5), PY(35)), 0);
}

} // namespace

namespace {

class HorizontalStacks : public SeriesFixture {};

TEST_F(HorizontalStacks, HorizontalLinesStackAlongTheBottomAxis) {
    auto* first = AddSeries<THorizLineSeries>({{2, 10}, {3, 20}});
    auto* second = AddSeries<THorizLineSeries>({{4, 10}, {1, 20}});
    second->SetStacked(cssStack);
    Draw();
    EXPECT_EQ(second->PixelX(0), PX(6));
    EXPECT_EQ(second->PixelX(1), PX(4));
    // The position stays where the point is.
    EXPECT_EQ(second->PixelY(0), PY(10));
    // Its area starts at the first series' values.
    EXPECT_EQ(second->OriginPos(1), PX(3));
    EXPECT_EQ(first->PixelX(0), PX(2));
    EXPECT_EQ(second->HighestX(), 6);
}

} // namespace
