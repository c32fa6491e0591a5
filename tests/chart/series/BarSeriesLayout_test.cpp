// Where bars go: their width against a Python model of the bar-size rules, side-by-side and
// stacked placement, 100 % stacks with nothing to share, one series stacked on itself, the
// narrowed depth, bounds without a pen, extremes and the hit test.

#include "tests/chart/series/BarTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/MarksCallout.h"
#include "chart/core/SeriesMarks.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace seriestest;

namespace {

class BarLayout : public ShapeFixture {
protected:
    TBarSeries* AddBars(int points, double value = 10) {
        auto* bars = AddSeries<TBarSeries>();
        for (int i = 0; i < points; ++i)
            bars->AddXYValue(i, value + i);
        return bars;
    }
};

// One row of the bar-size table: series of the same class, their points and settings.
struct TBarSizeRow {
    int series;
    int points;
    bool sideMargins;
    bool automatic;
    bool autoBarSize;
    int percent;
    int customWidth;
    TMultiBar multiBar;
    int axisPixels; // 0: whatever the chart gives
    int expected;   // -1: only the Python model decides
};

TEST_F(BarLayout, BarSizeFollowsThePythonModelOfTheWidthRules) {
    const std::vector<TBarSizeRow> rows = {
        {3, 10, true, true, false, 70, 0, mbSide, 600, 12},  // W = 54, Nearest(37.8) div 3
        {1, 10, true, true, false, 24, 0, mbSide, 600, 14},  // a computed 13 becomes 14
        {2, 10, true, true, false, 70, 7, mbSide, 0, 7},     // a custom width is kept, odd too
        {1, 0, true, true, false, 70, 0, mbSide, 0, 0},      // no point slots
        {2, 8, false, false, false, 80, 0, mbSide, 0, -1},   // a fixed axis: pixel span
        {2, 8, true, true, true, 90, 0, mbStacked, 0, -1},   // from the axis range
        {3, 5, true, true, false, 100, 0, mbSideAll, 0, -1}, // every point a slot
        {2, 12, false, true, false, 55, 0, mbNone, 0, -1},   // one slot for all
    };
    for (const TBarSizeRow& row : rows) {
        SCOPED_TRACE(testing::Message() << "row of " << row.series << " x " << row.points << " at "
                                        << row.percent << " %");
        for (int i = chart->SeriesCount() - 1; i >= 0; --i)
            chart->SeriesAt(i)->Free();
        TChartAxis* bottom = chart->BottomAxis();
        bottom->SetAutomatic(row.automatic);
        if (!row.automatic)
            bottom->SetMinMax(-1, 9);
        std::vector<TBarSeries*> series;
        for (int k = 0; k < row.series; ++k)
            series.push_back(AddBars(row.points));
        TBarSeries* bars = series.back();
        bars->SetSideMargins(row.sideMargins);
        bars->SetMultiBar(row.multiBar);
        bars->SetBarWidthPercent(row.percent);
        bars->SetCustomBarWidth(row.customWidth);
        bars->SetAutoBarSize(row.autoBarSize);
        // Widen the chart until the bottom axis has the pixels the row asks for.
        int width = 400;
        for (int attempt = 0; attempt < 6; ++attempt) {
            Draw(width, 300);
            if (row.axisPixels == 0 || bottom->PixelSize() == row.axisPixels)
                break;
            width += row.axisPixels - bottom->PixelSize();
        }
        if (row.axisPixels != 0) {
            ASSERT_EQ(bottom->PixelSize(), row.axisPixels);
        }
        bars->CalcBarSize();
        // The pixel span of the positions on a fixed axis comes from the axis itself.
        TChartValueList& x = *bars->XValues();
        const double step = bars->Count() > 0 ? (x.Highest() - x.Lowest()) / bars->Count() : 0;
        const int span =
            std::abs(bottom->PixelOfX(x.Highest() + step) - bottom->PixelOfX(x.Lowest()));
        std::ostringstream program;
        program << "size,slots,count,pct,custom,auto,autosize,lo,hi,span = " << bottom->PixelSize()
                << "," << bars->PointSlots() << "," << bars->BarCount() << "," << row.percent << ","
                << row.customWidth << "," << (row.automatic ? 1 : 0) << ","
                << (row.autoBarSize ? 1 : 0) << "," << bottom->InternalMinimum() << ","
                << bottom->InternalMaximum() << "," << span << "\n"
                << R"(if custom:
    print(custom)
elif slots <= 0:
    print(0)
else:
    if autosize:
        w = round(size / (hi - lo + 2))
    elif auto:
        w = size // slots
    else:
        w = span // slots
    b = round(pct * 0.01 * w) // count
    print(b + 1 if b > 0 and b % 2 else b)
)";
        const std::vector<int> model = IntegersOf(RunPython(program.str()));
        ASSERT_EQ(model.size(), 1u);
        EXPECT_EQ(bars->BarSize(), model[0]);
        if (row.expected >= 0) {
            EXPECT_EQ(bars->BarSize(), row.expected);
        }
    }
}

TEST_F(BarLayout, ANewSeriesAskedForItsMarginsBeforeAnyDrawingCountsOneSlot) {
    auto* bars = new TBarSeries(owner);
    int left = 0, right = 0;
    bars->GetHorizMargins(left, right);
    EXPECT_EQ(bars->BarCount(), 1);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(right, 0);
    bars->Free();
}

TEST_F(BarLayout, SideBySideBarsStandOneBarApartAndOffsetMovesThemAll) {
    std::vector<TBarSeries*> series;
    for (int k = 0; k < 3; ++k)
        series.push_back(AddBars(10));
    Draw();
    const int size = series[0]->BarSize();
    ASSERT_GT(size, 0);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(series[1]->PixelX(i) - series[0]->PixelX(i), size) << i;
        EXPECT_EQ(series[2]->PixelX(i) - series[1]->PixelX(i), size) << i;
        // The middle series is centred on its position: (2 - 1.5 - 1) x size.
        EXPECT_EQ(series[1]->PixelX(i), PX(i) + RoundEven(-0.5 * size)) << i;
    }
    const int before = series[1]->PixelX(4);
    series[1]->SetOffsetPercent(50);
    EXPECT_EQ(series[1]->PixelX(4) - before, RoundEven(size * 0.5));
    // Alone (mbNone) a bar is centred on its position.
    series[0]->SetMultiBar(mbNone);
    Draw();
    EXPECT_EQ(series[0]->PixelX(3), PX(3) - series[0]->BarSize() / 2);
    EXPECT_EQ(series[2]->MultiBar(), mbNone) << "every series of the class follows";
}

TEST_F(BarLayout, StackedBarsStackOnTheirOwnSideOfZeroAndWithinTheirGroup) {
    auto* a = AddSeries<TBarSeries>({{0, 3}, {1, -2}, {2, 4}});
    auto* b = AddSeries<TBarSeries>({{0, -1}, {1, 0}, {2, 6}});
    auto* c = AddSeries<TBarSeries>({{0, 2}, {1, -4}, {2, 1}});
    auto* other = AddSeries<TBarSeries>({{0, 50}, {1, 50}, {2, 50}});
    other->SetStackGroup(1);
    a->SetMultiBar(mbStacked);
    Draw();
    EXPECT_EQ(c->StackBase(0, false), 3);  // positives before it: 3 (not -1)
    EXPECT_EQ(c->StackBase(1, false), -2); // negatives before it: -2 (not 0)
    EXPECT_EQ(b->StackBase(1, false), 0);  // a 0 stacks on positives: none there
    EXPECT_EQ(c->StackBase(2, false), 10); // the other group's 50 is not below it
    EXPECT_EQ(other->StackBase(2, false), 0);
    EXPECT_EQ(c->PixelY(2), PY(11));
    EXPECT_EQ(c->BarOrigin(2), PY(10));
    EXPECT_EQ(c->HighestY(), 11);
    EXPECT_EQ(c->LowestY(), -6);
    // Two groups: two columns per point, the other group in the second one.
    EXPECT_EQ(a->BarCount(), 2);
    EXPECT_EQ(c->OrderPosition(), 1);
    EXPECT_EQ(other->OrderPosition(), 2);
    EXPECT_EQ(other->PixelX(0) - a->PixelX(0), a->BarSize());
}

TEST_F(BarLayout, HundredPercentStacksPutAColumnOfZerosAtPixelZero) {
    auto* a = AddSeries<TBarSeries>({{0, 0}, {1, 1}});
    auto* b = AddSeries<TBarSeries>({{0, 0}, {1, 3}});
    a->SetMultiBar(mbStacked100);
    Draw();
    for (TBarSeries* s : {a, b}) {
        EXPECT_EQ(s->PixelY(0), 0);
        EXPECT_EQ(s->BarOrigin(0), 0);
    }
    EXPECT_EQ(a->PixelY(1), PY(25));
    EXPECT_EQ(b->BarOrigin(1), PY(25));
    EXPECT_EQ(b->PixelY(1), PY(100));
    EXPECT_EQ(b->HighestY(), 100);
    EXPECT_EQ(b->LowestY(), 0);
}

TEST_F(BarLayout, SelfStackedSeriesIsOneBarAtItsOwnPlace) {
    AddSeries<TPointSeries>({{0, 1}});
    auto* bars = AddSeries<TBarSeries>({{0, 10}, {1, 20}, {2, 30}});
    bars->SetMultiBar(mbSelfStack);
    Draw();
    EXPECT_EQ(bars->FirstVisibleIndex(), 0);
    EXPECT_EQ(bars->LastVisibleIndex(), 2);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bars->PixelX(i), PX(1) - bars->BarSize() / 2) << i;
    EXPECT_EQ(bars->LowestX(), 1);
    EXPECT_EQ(bars->HighestX(), 1);
    EXPECT_EQ(bars->HighestY(), 60);
    EXPECT_EQ(bars->BarOrigin(2), PY(30));
    EXPECT_EQ(bars->PixelY(2), PY(60));
}

TEST_F(BarLayout, DepthPercentKeepsTheMiddleOfTheSlot) {
    chart->SetView3D(true);
    auto* bars = AddBars(4);
    Draw();
    const int z0 = bars->StartZ(), z1 = bars->EndZ();
    bars->SetDepthPercent(50);
    Draw();
    const int d = RoundEven(0.25 * (z1 - z0));
    ASSERT_GT(d, 0);
    EXPECT_EQ(bars->StartZ(), z0 + d);
    EXPECT_EQ(bars->EndZ(), z1 - d);
}

TEST_F(BarLayout, AHiddenPenWidensTheBarAndLengthensItTowardTheOrigin) {
    auto* bars = AddSeries<TBarSeries>({{2, 40}, {4, -20}});
    chart->LeftAxis()->SetMinMax(-50, 100);
    Draw();
    const TRect up = bars->GetBarBounds(0), down = bars->GetBarBounds(1);
    bars->BarPen()->SetVisible(false);
    const TRect upHidden = bars->GetBarBounds(0), downHidden = bars->GetBarBounds(1);
    EXPECT_EQ(upHidden.Left, up.Left);
    EXPECT_EQ(upHidden.Right, up.Right + 1);
    EXPECT_EQ(upHidden.Top, up.Top);
    EXPECT_EQ(upHidden.Bottom, up.Bottom + 1);
    // Below the origin the origin is the bar's top.
    EXPECT_EQ(downHidden.Top, down.Top + 1);
    EXPECT_EQ(downHidden.Bottom, down.Bottom);
    EXPECT_EQ(up.Right - up.Left, bars->BarSize() + 1);
    EXPECT_EQ(up.Bottom, PY(0));
}

TEST_F(BarLayout, HorizontalBarsRunAlongTheHorizontalAxis) {
    auto* bars = AddSeries<THorizBarSeries>();
    chart->BottomAxis()->SetMinMax(0, 100);
    chart->LeftAxis()->SetMinMax(0, 10);
    bars->AddXYValue(40, 2);
    bars->AddXYValue(70, 6);
    Draw();
    const TRect r = bars->GetBarBounds(1);
    EXPECT_EQ(r.Left, chart->BottomAxis()->PixelOfX(0));
    EXPECT_EQ(r.Right, chart->BottomAxis()->PixelOfX(70));
    EXPECT_EQ(r.Bottom - r.Top, bars->BarSize() - 1);
    EXPECT_EQ(bars->HighestX(), 70);
    EXPECT_EQ(bars->LowestX(), 0); // UseYOrigin reaches the origin
    const int y = (r.Top + r.Bottom) / 2;
    EXPECT_EQ(bars->PointAt(chart->BottomAxis()->PixelOfX(50), y), 1);
    EXPECT_EQ(bars->PointAt(chart->BottomAxis()->PixelOfX(80), y), -1);
}

TEST_F(BarLayout, PointAtFindsTheBarUnderTheMouseAndNothingBesideIt) {
    auto* bars = AddSeries<TBarSeries>({{2, 40}, {5, 80}, {8, 20}});
    Draw();
    for (int i = 0; i < 3; ++i) {
        const TRect r = bars->GetBarBounds(i);
        const int y = (r.Top + r.Bottom) / 2;
        EXPECT_EQ(bars->PointAt((r.Left + r.Right) / 2, y), i);
        EXPECT_EQ(bars->PointAt(r.Left - 1, y), -1);
        EXPECT_EQ(bars->PointAt((r.Left + r.Right) / 2, r.Top - 2), -1);
    }
    // A pyramid answers inside its triangle only.
    bars->SetBarStyle(bsPyramid);
    const TRect r = bars->GetBarBounds(1);
    EXPECT_EQ(bars->PointAt(r.Left + 1, r.Top + 3), -1);
    EXPECT_EQ(bars->PointAt((r.Left + r.Right) / 2, r.Top + 3), 1);
}

TEST_F(BarLayout, UseYOriginReachesTheOriginAndMarksLeaveRoomAboveTheBars) {
    auto* bars = AddSeries<TBarSeries>({{1, 10}, {2, 20}});
    bars->SetYOrigin(-5);
    EXPECT_EQ(bars->LowestY(), -5);
    bars->SetUseYOrigin(false);
    EXPECT_EQ(bars->LowestY(), 10);
    bars->SetUseYOrigin(true);
    Draw();
    int top = 0, bottom = 0;
    bars->GetVertMargins(top, bottom);
    EXPECT_GT(top, bars->Marks()->Callout()->Length());
    EXPECT_EQ(bottom, 0) << "no value lies below the origin";
    bars->Marks()->SetVisible(false);
    top = 0;
    bars->GetVertMargins(top, bottom);
    EXPECT_EQ(top, 0);
}

TEST_F(BarLayout, FullWidthBarsTouchTheirNeighbourLessHalfThePen) {
    auto* bars = AddBars(4);
    bars->SetBarWidthPercent(100);
    bars->BarPen()->SetWidth(3);
    Draw();
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(bars->GetBarBounds(i).Right, bars->PixelX(i + 1) + 1 - 1) << i;
    EXPECT_EQ(bars->GetBarBounds(3).Right, bars->PixelX(3) + bars->BarSize() + 1 - 1);
    // On an inverted axis a bar reaches back to the one before it.
    chart->BottomAxis()->SetInverted(true);
    Draw();
    EXPECT_EQ(bars->GetBarBounds(2).Right, bars->PixelX(1));
    EXPECT_EQ(bars->GetBarBounds(0).Right, bars->PixelX(0) + bars->BarSize() + 3);
}

TEST_F(BarLayout, ANewSeriesTakesTheWayTheChartsBarsAreShown) {
    auto* first = AddBars(3);
    first->SetMultiBar(mbStacked);
    first->SetSideMargins(false);
    auto* second = AddBars(3);
    EXPECT_EQ(second->MultiBar(), mbStacked);
    EXPECT_FALSE(second->SideMargins());
    // A horizontal bar series is of another class: it keeps its own.
    auto* horiz = AddSeries<THorizBarSeries>();
    EXPECT_EQ(horiz->MultiBar(), mbSide);
    EXPECT_EQ(second->DefaultSampleCount(), 3) << "as many samples as the other bars have";
}

TEST_F(BarLayout, MarksStandBeyondTheValueEndOfTheirBar) {
    auto* bars = AddSeries<TBarSeries>({{2, 40}, {6, -30}});
    chart->LeftAxis()->SetMinMax(-60, 100);
    bars->SetAutoMarkPosition(false);
    Draw();
    TSeriesMarks* marks = bars->Marks();
    const TMarksCallout* callout = marks->Callout();
    const int lift = callout->Length() + callout->Distance();
    const TSeriesMarkPosition* up = marks->Positions().EntryAt(0);
    const TSeriesMarkPosition* down = marks->Positions().EntryAt(1);
    ASSERT_NE(up, nullptr);
    ASSERT_NE(down, nullptr);
    const TRect r0 = bars->GetBarBounds(0);
    // Centred on the bar, its arrow from the bar's top up by the callout.
    EXPECT_EQ(up->ArrowFrom.X, bars->PixelX(0) + bars->BarSize() / 2);
    EXPECT_EQ(up->ArrowFrom.Y, PY(40) - callout->Distance());
    EXPECT_EQ(up->ArrowTo.Y, PY(40) - lift);
    EXPECT_LT(up->Top + up->Height, r0.Top);
    // Below the origin the mark hangs under the bar.
    EXPECT_EQ(down->ArrowFrom.Y, PY(-30) + callout->Distance());
    EXPECT_EQ(down->ArrowTo.Y, PY(-30) + lift + down->Height);
    EXPECT_GT(down->Top, PY(-30));
}

} // namespace
