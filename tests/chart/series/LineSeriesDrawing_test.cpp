// What the line family draws for each point: segments, null points, the start at the plot's
// edge, stairs, pointers, the outline and shadow passes.

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

using namespace seriestest;

namespace {

bool SameSegment(const TSegment& s, TPoint a, TPoint b) {
    return s.from == a && s.to == b;
}

std::string Describe(const std::vector<TSegment>& segments) {
    std::ostringstream out;
    for (const TSegment& s : segments)
        out << "(" << s.from.X << "," << s.from.Y << ")-(" << s.to.X << "," << s.to.Y << ") ";
    return out.str();
}

class LineDrawing : public SeriesFixture {};

TEST_F(LineDrawing, EachPointAfterTheFirstDrawsTheSegmentFromThePointBefore) {
    TLineSeries* line = AddSeries({{1, 10}, {4, 60}, {8, 30}});
    line->SetSeriesColor(clBlue);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 2u) << Describe(canvas->Segments);
    EXPECT_TRUE(SameSegment(canvas->Segments[0], {PX(1), PY(10)}, {PX(4), PY(60)}));
    EXPECT_TRUE(SameSegment(canvas->Segments[1], {PX(4), PY(60)}, {PX(8), PY(30)}));
    for (const TSegment& s : canvas->Segments)
        EXPECT_EQ(s.color, clBlue);
    EXPECT_TRUE(canvas->Shapes.empty()) << "no pointers on a plain line";
}

TEST_F(LineDrawing, OnePointDrawsOnlyItsPointer) {
    TLineSeries* line = AddSeries({{5, 50}});
    Draw();
    EXPECT_TRUE(canvas->Segments.empty());
    EXPECT_TRUE(canvas->Shapes.empty());
    line->Pointer()->SetVisible(true);
    Draw();
    EXPECT_TRUE(canvas->Segments.empty());
    ASSERT_EQ(canvas->Shapes.size(), 1u);
    // A rectangle pointer of size 4 round the point.
    EXPECT_EQ(canvas->Shapes[0].points[0], (TPoint{PX(5) - 4, PY(50) - 4}));
    EXPECT_EQ(canvas->Shapes[0].points[1], (TPoint{PX(5) + 5, PY(50) + 5}));
}

TEST_F(LineDrawing, PointersFollowTheSegmentThatLeavesTheirPointAndSamePixelsDrawNoSegment) {
    TLineSeries* line = AddSeries({{2, 20}, {2, 20}, {6, 70}});
    line->Pointer()->SetVisible(true);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 1u) << Describe(canvas->Segments);
    EXPECT_TRUE(SameSegment(canvas->Segments[0], {PX(2), PY(20)}, {PX(6), PY(70)}));
    // Every point's pointer, the two at the same pixel included.
    EXPECT_EQ(canvas->Shapes.size(), 3u);
}

TEST_F(LineDrawing, NullPointsBreakSkipOrJoinTheLine) {
    struct Case {
        TTreatNullsStyle treat;
        std::vector<std::pair<TPoint, TPoint>> segments; // as value pairs (x, y)
        int pointers;
    };
    const Case cases[] = {
        {tnDontPaint, {}, 2},
        {tnSkip, {{{1, 10}, {9, 90}}}, 3},
        {tnIgnore, {{{1, 10}, {5, 40}}, {{5, 40}, {9, 90}}}, 3},
    };
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries({{1, 10}, {9, 90}});
        line->AddXYValue(5, 40, "", clNone);
        line->SetTreatNulls(c.treat);
        line->Pointer()->SetVisible(true);
        Draw();
        ASSERT_EQ(canvas->Segments.size(), c.segments.size())
            << c.treat << ": " << Describe(canvas->Segments);
        for (std::size_t i = 0; i < c.segments.size(); ++i) {
            const auto& [a, b] = c.segments[i];
            EXPECT_TRUE(SameSegment(canvas->Segments[i], {PX(a.X), PY(a.Y)}, {PX(b.X), PY(b.Y)}))
                << c.treat << ": " << Describe(canvas->Segments);
        }
        EXPECT_EQ(static_cast<int>(canvas->Shapes.size()), c.pointers) << c.treat;
        // With the line broken, no pointer stands at the null point.
        if (c.treat == tnDontPaint) {
            for (const TShape& s : canvas->Shapes)
                EXPECT_NE(s.points[0].X, PX(5) - 4);
        }
        line->Free();
    }
}

TEST_F(LineDrawing, StairsGoAcrossFirstOrUpFirst) {
    for (bool inverted : {false, true}) {
        TLineSeries* line = AddSeries({{2, 20}, {6, 70}});
        line->SetStairs(true);
        line->SetInvertedStairs(inverted);
        Draw();
        ASSERT_EQ(canvas->Segments.size(), 2u) << Describe(canvas->Segments);
        const TPoint corner = inverted ? TPoint{PX(2), PY(70)} : TPoint{PX(6), PY(20)};
        EXPECT_TRUE(SameSegment(canvas->Segments[0], {PX(2), PY(20)}, corner)) << inverted;
        EXPECT_TRUE(SameSegment(canvas->Segments[1], corner, {PX(6), PY(70)})) << inverted;
        line->Free();
    }
}

TEST_F(LineDrawing, HiddenPointsBeforeTheAxisStartTheLineAtThePlotEdge) {
    // Points at x = 1, 2, 3 with the bottom axis from 1.5 to 3: the first point lies outside,
    // and the line enters at the plot's edge (the right one when the axis is inverted) at the
    // height Python works out from the axes' figures.
    struct Case {
        bool logarithmic;
        double y0, y1;
        bool stairs, inverted;
    };
    const Case cases[] = {{false, 0, 10, false, false},
                          {false, 0, 10, true, false},
                          {true, 1, 100, false, false},
                          {true, 0, 100, false, false},
                          {false, 3, 17, false, true}};
    for (const Case& c : cases) {
        TChartAxis* left = chart->LeftAxis();
        TChartAxis* bottom = chart->BottomAxis();
        left->SetLogarithmic(c.logarithmic);
        left->SetMinMax(c.logarithmic ? 1 : 0, c.logarithmic ? 1000 : 20);
        bottom->SetMinMax(1.5, 3);
        bottom->SetInverted(c.inverted);
        TLineSeries* line = AddSeries({{1, c.y0}, {2, c.y1}, {3, c.y1}});
        line->SetStairs(c.stairs);
        Draw();
        const TRect plot = chart->PlotRect();
        const int edgeX = c.inverted ? plot.Right : plot.Left;
        std::ostringstream program;
        program << "import math\n"
                << "start,end,size=" << bottom->StartPixel() << "," << bottom->EndPixel() << ","
                << bottom->PixelSize() << "\n"
                << "top,bottom=" << left->StartPixel() << "," << left->EndPixel() << "\n"
                << "edge=" << edgeX << "\n"
                << "inverted,log,stairs=" << c.inverted << "," << c.logarithmic << "," << c.stairs
                << "\n"
                << "x0,y0,x1,y1=1.0," << c.y0 << ",2.0," << c.y1 << "\n"
                << R"(along = end - edge if inverted else edge - start
V = 1.5 + along * (3 - 1.5) / size
t = (V - x0) / (x1 - x0)
if stairs:
    v = y0
elif log:
    v = math.exp(math.log(y0) + (math.log(y1) - math.log(y0)) * t) if y0 > 0 and y1 > 0 else 0
else:
    v = y0 + t * (y1 - y0)
if log:
    y = bottom if v <= 0 else round(bottom - math.log(v) * ((bottom - top) / math.log(1000)))
else:
    y = round(bottom - v * ((bottom - top) / 20))
print(edge, y)
)";
        const std::vector<int> expected = IntegersOf(RunPython(program.str()));
        ASSERT_EQ(expected.size(), 2u);
        // The segment from the edge (drawn last when the points run from right to left).
        const TSegment* entering = nullptr;
        for (const TSegment& s : canvas->Segments)
            if (s.from.X == edgeX)
                entering = &s;
        ASSERT_NE(entering, nullptr) << Describe(canvas->Segments);
        EXPECT_EQ(entering->from, (TPoint{expected[0], expected[1]}))
            << "log " << c.logarithmic << " stairs " << c.stairs << " y0 " << c.y0 << " inverted "
            << c.inverted << ": " << Describe(canvas->Segments);
        // Straight to the first visible point, or across to below it on stairs.
        const TPoint to = c.stairs ? TPoint{PX(2), expected[1]} : TPoint{PX(2), PY(c.y1)};
        EXPECT_EQ(entering->to, to) << Describe(canvas->Segments);
        line->Free();
    }
}

TEST_F(LineDrawing, APointerWithoutColorEachLineLeavesTheSegmentsInTheSeriesColour) {
    TLineSeries* line = AddSeries();
    line->SetSeriesColor(clBlue);
    line->AddXYValue(1, 10, "", clRed);
    line->AddXYValue(5, 50, "", clGreen);
    line->AddXYValue(9, 20, "", clYellow);
    line->Pointer()->SetVisible(true);
    line->SetColorEachLine(false);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 2u);
    for (const TSegment& s : canvas->Segments)
        EXPECT_EQ(s.color, clBlue);
    std::vector<TColor> pointerColours;
    for (const TShape& s : canvas->Shapes)
        pointerColours.push_back(s.brush);
    EXPECT_EQ(pointerColours, (std::vector<TColor>{clRed, clGreen, clYellow}));
    // With ColorEachLine each segment takes its end point's colour.
    line->SetColorEachLine(true);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 2u);
    EXPECT_EQ(canvas->Segments[0].color, clGreen);
    EXPECT_EQ(canvas->Segments[1].color, clYellow);
}

TEST_F(LineDrawing, TheOutlineIsDrawnWideUnderTheLineAndTheLinePenIsKept) {
    TLineSeries* line = AddSeries({{1, 10}, {9, 90}});
    line->SetSeriesColor(clBlue);
    line->LinePen()->SetWidth(2);
    line->OutLine()->SetVisible(true);
    line->OutLine()->SetColor(clFuchsia);
    line->OutLine()->SetWidth(1);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 2u) << Describe(canvas->Segments);
    EXPECT_EQ(canvas->Segments[0].color, clFuchsia);
    EXPECT_EQ(canvas->Segments[0].width, 4);
    EXPECT_EQ(canvas->Segments[1].color, clBlue);
    EXPECT_EQ(canvas->Segments[1].width, 2);
    EXPECT_EQ(line->LinePen()->Width(), 2);
    EXPECT_EQ(line->OutLine()->Color(), clFuchsia);
    EXPECT_EQ(line->SeriesColor(), clBlue);
}

TEST_F(LineDrawing, TheShadowIsTheLineMovedInTheShadowColourAndTheAxesComeBack) {
    TLineSeries* line = AddSeries({{1, 10}, {9, 90}});
    line->SetSeriesColor(clBlue);
    line->Pointer()->SetVisible(true);
    line->Shadow()->SetVisible(true);
    line->Shadow()->SetColor(clGray);
    line->Shadow()->SetHorizSize(3);
    line->Shadow()->SetVertSize(5);
    Draw();
    ASSERT_EQ(canvas->Segments.size(), 2u) << Describe(canvas->Segments);
    const TSegment& shadow = canvas->Segments[0];
    EXPECT_EQ(shadow.color, clGray);
    // Where the axes moved by the shadow's sizes put the points (rounding as the axes round).
    chart->BottomAxis()->ShiftPixels(3);
    chart->LeftAxis()->ShiftPixels(5);
    const TPoint from{PX(1), PY(10)}, to{PX(9), PY(90)};
    chart->BottomAxis()->ShiftPixels(-3);
    chart->LeftAxis()->ShiftPixels(-5);
    EXPECT_EQ(shadow.from, from);
    EXPECT_EQ(shadow.to, to);
    EXPECT_LE(std::abs(from.Y - (PY(10) + 5)), 1);
    EXPECT_TRUE(SameSegment(canvas->Segments[1], {PX(1), PY(10)}, {PX(9), PY(90)}));
    // Pointers only in the series' own pass.
    EXPECT_EQ(canvas->Shapes.size(), 2u);
    EXPECT_TRUE(line->Pointer()->Visible());
    EXPECT_EQ(line->SeriesColor(), clBlue);
}

TEST_F(LineDrawing, APassThatFailsLeavesTheSeriesAndAxesAsTheyWere) {
    TLineSeries* line = AddSeries({{1, 10}, {5, 50}, {9, 90}});
    line->SetSeriesColor(clBlue);
    line->Pointer()->SetVisible(true);
    line->Shadow()->SetVisible(true);
    line->Shadow()->SetHorizSize(4);
    line->Shadow()->SetVertSize(4);
    line->OnGetPointerStyle = [](TCustomSeries*, int index) -> TSeriesPointerStyle {
        if (index == 1)
            throw std::runtime_error("style handler failed");
        return psRectangle;
    };
    // The shadow pass hides the pointer; the outline pass draws pointers and fails there, with
    // the line pen widened and the series in the outline's colour.
    line->OutLine()->SetVisible(true);
    line->LinePen()->SetWidth(3);
    EXPECT_ANY_THROW(Draw());
    EXPECT_EQ(chart->BottomAxis()->StartPixel(), PX(0));
    line->OnGetPointerStyle = nullptr;
    Draw();
    EXPECT_EQ(line->LinePen()->Width(), 3);
    EXPECT_TRUE(line->Pointer()->Visible());
    EXPECT_EQ(line->SeriesColor(), clBlue);
    const TSegment& own = canvas->Segments.back();
    EXPECT_EQ(own.to, (TPoint{PX(9), PY(90)}));
}

} // namespace

namespace {

class RibbonDrawing : public SeriesFixture {};

TEST_F(RibbonDrawing, RibbonsSteeperThanTheDepthAreDarkened) {
    struct Case {
        const char* what;
        double y0, y1;
        bool dark3D, darkened;
    };
    const Case cases[] = {
        {"steeply up", 0, 100, true, true},
        {"down", 100, 0, true, false},
        {"steeply up without Dark3D", 0, 100, false, false},
    };
    chart->SetView3D(true);
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries({{4, c.y0}, {5, c.y1}});
        line->SetSeriesColor(clBlue);
        line->SetDark3D(c.dark3D);
        Draw();
        ASSERT_EQ(canvas->Shapes.size(), 1u) << c.what;
        // Darkened: 64 off each channel of blue.
        EXPECT_EQ(canvas->Shapes[0].brush, c.darkened ? TColor(0xBF0000) : clBlue) << c.what;
        EXPECT_EQ(canvas->Shapes[0].points.size(), 4u) << c.what;
        line->Free();
    }
}

TEST_F(RibbonDrawing, ALineHeightAddsAFaceBelowEachSegmentAndAnEndFace) {
    chart->SetView3D(true);
    TLineSeries* line = AddSeries({{2, 50}, {5, 40}, {8, 45}});
    Draw();
    const std::size_t plain = canvas->Shapes.size();
    EXPECT_EQ(plain, 2u);
    line->SetLineHeight(6);
    Draw();
    EXPECT_EQ(canvas->Shapes.size(), plain + 3);
    // The face below the first segment: its lower edge lies 6 pixels under the upper one.
    const TShape& face = canvas->Shapes[0];
    ASSERT_EQ(face.points.size(), 4u);
    EXPECT_EQ(face.points[2].Y - face.points[1].Y, 6);
    EXPECT_EQ(face.points[3].Y - face.points[0].Y, 6);
}

} // namespace

namespace {

class TransparentLines : public SeriesFixture {};

TEST_F(TransparentLines, ATransparentLineLetsThePlotShowThrough) {
    // Off the grid lines, so that the plot's own colour lies under the line.
    TLineSeries* line = AddSeries({{1, 52}, {9, 52}});
    line->SetSeriesColor(clRed);
    line->LinePen()->SetWidth(3);
    Draw();
    const int x = PX(5), y = PY(52);
    const TColor background = charttest::PixelAt(Image(), x, y - 20);
    EXPECT_EQ(charttest::PixelAt(Image(), x, y), clRed);
    line->SetTransparency(50);
    Draw();
    const QImage image = Image();
    const TColor blended = charttest::PixelAt(image, x, y);
    // Half way between red and the plot's colour, channel by channel (1 either way).
    auto channel = [](TColor c, int shift) { return static_cast<int>((c >> shift) & 0xFF); };
    for (int shift : {0, 8, 16}) {
        const int expected = (channel(clRed, shift) + channel(background, shift)) / 2;
        EXPECT_NEAR(channel(blended, shift), expected, 1) << shift;
    }
    // The rest of the plot is untouched by the blend.
    EXPECT_EQ(charttest::PixelAt(image, x, y - 20), background);
}

} // namespace

namespace {

class LeadingNulls : public SeriesFixture {};

TEST_F(LeadingNulls, ALineThatStartsWithANullPointStartsAtItsFirstRealPoint) {
    struct Case {
        TTreatNullsStyle treat;
        std::size_t segments;
        TPoint firstFrom; // in values
    };
    const Case cases[] = {{tnDontPaint, 1, {4, 40}}, {tnSkip, 1, {4, 40}}, {tnIgnore, 2, {1, 90}}};
    for (const Case& c : cases) {
        TLineSeries* line = AddSeries();
        line->AddXYValue(1, 90, "", clNone);
        line->AddXYValue(4, 40);
        line->AddXYValue(8, 60);
        line->SetTreatNulls(c.treat);
        Draw();
        ASSERT_EQ(canvas->Segments.size(), c.segments) << c.treat << Describe(canvas->Segments);
        EXPECT_EQ(canvas->Segments[0].from, (TPoint{PX(c.firstFrom.X), PY(c.firstFrom.Y)}))
            << c.treat;
        EXPECT_EQ(canvas->Segments.back().to, (TPoint{PX(8), PY(60)})) << c.treat;
        line->Free();
    }
}

} // namespace
