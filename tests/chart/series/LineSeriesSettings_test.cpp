// What each series type starts with and what it takes from another series, the legend symbol,
// and values no pixel can hold.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace seriestest;

namespace {

class LineSettings : public SeriesFixture {};

TEST_F(LineSettings, EachTypeStartsWithItsOwnLook) {
    struct Case {
        const char* what;
        TCustomSeries* series;
        bool connect, pointer, clickable, yMandatory;
        const char* editor;
    };
    const Case cases[] = {
        {"line", new TLineSeries(owner), true, false, true, true, "TCustomSeriesEditor"},
        {"horizontal line", new THorizLineSeries(owner), true, false, true, false,
         "TCustomSeriesEditor"},
        {"point", new TPointSeries(owner), false, true, false, true, "TSeriesPointerEditor"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.series->ConnectPoints(), c.connect) << c.what;
        EXPECT_EQ(c.series->Pointer()->Visible(), c.pointer) << c.what;
        EXPECT_EQ(c.series->ClickableLine(), c.clickable) << c.what;
        EXPECT_EQ(c.series->YMandatory(), c.yMandatory) << c.what;
        EXPECT_EQ(c.series->EditorClassName(), c.editor) << c.what;
        EXPECT_FALSE(c.series->DrawArea()) << c.what;
        EXPECT_EQ(c.series->TreatNulls(), tnDontPaint) << c.what;
        EXPECT_EQ(c.series->Stacked(), cssNone) << c.what;
        EXPECT_EQ(c.series->AreaColor(), clDefault) << c.what;
        EXPECT_TRUE(c.series->ColorEachLine()) << c.what;
        EXPECT_TRUE(c.series->Dark3D()) << c.what;
        EXPECT_FALSE(c.series->OutLine()->Visible()) << c.what;
    }
    EXPECT_EQ(cases[1].series->XValues()->Order(), loNone);
    EXPECT_EQ(cases[1].series->YValues()->Order(), loAscending);
}

TEST_F(LineSettings, AssignTakesTheSettingsAndKeepsEachTypesLook) {
    auto* points = new TPointSeries(owner);
    points->SetStairs(true);
    points->SetTreatNulls(tnSkip);
    points->Pointer()->SetStyle(psStar);
    points->SetTransparency(30);
    auto* line = new TLineSeries(owner);
    line->Assign(points);
    EXPECT_TRUE(line->Stairs());
    EXPECT_EQ(line->TreatNulls(), tnSkip);
    EXPECT_EQ(line->Pointer()->Style(), psStar);
    // A pointer from another kind of series is hidden; the line connects its points.
    EXPECT_FALSE(line->Pointer()->Visible());
    EXPECT_TRUE(line->ConnectPoints());
    EXPECT_FALSE(line->DrawArea());
    EXPECT_EQ(line->Transparency(), 30);
    // From a line the pointer keeps its visibility.
    auto* shown = new TLineSeries(owner);
    shown->Pointer()->SetVisible(true);
    auto* copy = new THorizLineSeries(owner);
    copy->Assign(shown);
    EXPECT_TRUE(copy->Pointer()->Visible());
    // A point series stays a point series.
    auto* back = new TPointSeries(owner);
    back->Assign(line);
    EXPECT_TRUE(back->Pointer()->Visible());
    EXPECT_FALSE(back->ConnectPoints());
    EXPECT_FALSE(back->ClickableLine());
    EXPECT_TRUE(back->Stairs());
}

TEST_F(LineSettings, APointSeriesKeepsItsTransparencyAndEachPointsColourInThePointer) {
    auto* points = new TPointSeries(owner);
    points->SetTransparency(40);
    EXPECT_EQ(points->Pointer()->Transparency(), 40);
    points->Pointer()->SetTransparency(15);
    EXPECT_EQ(points->Transparency(), 15);
    points->Pointer()->Brush()->SetColor(clYellow);
    points->SetColorEachPoint(true);
    EXPECT_EQ(points->Pointer()->Brush()->Color(), clDefault);
    // A line series keeps its own transparency apart from the pointer's.
    auto* line = new TLineSeries(owner);
    line->SetTransparency(25);
    EXPECT_EQ(line->Pointer()->Transparency(), 0);
}

TEST_F(LineSettings, TheLegendSymbolIsALineAPointerOrBoth) {
    struct Case {
        const char* what;
        bool pointer;
        int segments, shapes;
    };
    const Case cases[] = {
        {"a plain line", false, 1, 0},
        {"a line with pointers", true, 1, 1},
    };
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries({{1, 1}});
        line->SetSeriesColor(clBlue);
        line->Pointer()->SetVisible(c.pointer);
        Draw();
        canvas->Segments.clear();
        canvas->Shapes.clear();
        canvas->BeginGroup("Series legend");
        line->DrawLegendShape(-1, {10, 10, 30, 20});
        canvas->EndGroup();
        ASSERT_EQ(static_cast<int>(canvas->Segments.size()), c.segments) << c.what;
        EXPECT_EQ(canvas->Segments[0].from, (TPoint{10, 15})) << c.what;
        EXPECT_EQ(canvas->Segments[0].to, (TPoint{30, 15})) << c.what;
        EXPECT_EQ(canvas->Segments[0].color, clBlue) << c.what;
        EXPECT_EQ(static_cast<int>(canvas->Shapes.size()), c.shapes) << c.what;
        line->Free();
    }
    // A point series shows its pointer alone, as large as the symbol allows.
    auto* points = AddSeries<TPointSeries>({{1, 1}});
    Draw();
    canvas->Shapes.clear();
    canvas->BeginGroup("Series legend");
    points->DrawLegendShape(-1, {10, 10, 30, 20});
    canvas->EndGroup();
    EXPECT_TRUE(canvas->Segments.empty());
    ASSERT_EQ(canvas->Shapes.size(), 1u);
    EXPECT_EQ(canvas->Shapes[0].points[0], (TPoint{16, 11}));
}

TEST_F(LineSettings, ValuesBeyondAnyPixelLandOnTheAxisLimits) {
    const double huge = 1e300, inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (TCustomSeriesStack stacked : {cssNone, cssStack, cssStack100}) {
        TLineSeries* below = AddSeries({{1, huge}, {2, huge}, {3, -huge}});
        TLineSeries* line = AddSeries({{1, huge}, {2, nan}, {3, inf}});
        line->SetStacked(stacked);
        Draw();
        for (int i = 0; i < line->Count(); ++i) {
            EXPECT_LE(std::abs(line->PixelY(i)), TChartAxis::PixelLimit) << stacked << " " << i;
            EXPECT_LE(std::abs(line->OriginPos(i)), TChartAxis::PixelLimit) << stacked;
        }
        for (const TSegment& s : canvas->Segments) {
            EXPECT_LE(std::abs(s.from.Y), TChartAxis::PixelLimit);
            EXPECT_LE(std::abs(s.to.Y), TChartAxis::PixelLimit);
        }
        below->Free();
        line->Free();
    }
}

} // namespace
