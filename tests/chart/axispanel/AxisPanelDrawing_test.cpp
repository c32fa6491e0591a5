// The axis panel's drawing: the order of its steps and events, the plot rectangle the axes leave,
// the order series are painted in, the clip around them, and a drawing that raises.

#include "tests/chart/axispanel/AxisPanelTestSupport.h"

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace axistest;

namespace {

const TEventLog kBefore = {"background",    "ctkBeforeDraw", "OnBeforeDrawChart",
                           "titles before", "wall room",     "walls"};
const TEventLog kAxes = {"ctkBeforeDrawAxes", "group axes", "OnBeforeDrawAxes", "end axes"};
const TEventLog kSeries = {"ctkBeforeDrawSeries",
                           "OnBeforeDrawSeries",
                           "group Line1",
                           "before values Line1",
                           "clip",
                           "unclip",
                           "after values Line1",
                           "end Line1",
                           "group Line2",
                           "before values Line2",
                           "clip",
                           "unclip",
                           "after values Line2",
                           "end Line2",
                           "ctkAfterDrawSeries"};
const TEventLog kAfter = {"titles after", "ctkAfterDraw", "OnAfterDraw"};

TEventLog Join(std::initializer_list<TEventLog> parts) {
    TEventLog out;
    for (const TEventLog& part : parts)
        out.insert(out.end(), part.begin(), part.end());
    return out;
}

class PipelineTest : public AxisPanelFixture {
protected:
    TTestAxisPanel* ChartWithTwoSeries() {
        TTestAxisPanel* panel = MakePanel();
        AddSeries(panel, {{0, 1}, {10, 5}}, "Line1");
        AddSeries(panel, {{0, 3}, {10, 2}}, "Line2");
        auto* tool = new TLogTool(form);
        tool->log = &panel->log;
        tool->SetParentChart(panel);
        panel->log.clear();
        return panel;
    }
};

} // namespace

TEST_F(PipelineTest, EventOrderWithTheAxesBehindAndInFront) {
    struct Case {
        bool axisBehind;
        TEventLog expected;
    };
    const Case cases[] = {
        {true, Join({kBefore, kAxes, kSeries, kAfter})},
        {false, Join({kBefore, kSeries, kAxes, kAfter})},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = ChartWithTwoSeries();
        panel->SetAxisBehind(c.axisBehind);
        panel->log.clear();
        Draw(panel);
        EXPECT_EQ(PipelineEvents(panel->log), c.expected) << "AxisBehind " << c.axisBehind;
        EXPECT_TRUE(panel->RepaintEnabled());
        EXPECT_EQ(panel->logCanvas->OpenGroups(), 0);
        EXPECT_EQ(panel->logCanvas->ClipDepth(), 0);
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(PipelineTest, InactiveToolsHearNothingAndTheZoomBandComesLast) {
    TTestAxisPanel* panel = ChartWithTwoSeries();
    auto* quiet = new TLogTool(form);
    quiet->log = &panel->log;
    quiet->SetParentChart(panel);
    quiet->SetActive(false);
    panel->Zoom()->Active = true;
    panel->Zoom()->X0 = 20;
    panel->Zoom()->Y0 = 20;
    panel->Zoom()->X1 = 120;
    panel->Zoom()->Y1 = 90;
    panel->log.clear();
    Draw(panel);
    const TEventLog expected = Join(
        {kBefore, kAxes, kSeries, {"titles after", "zoom band", "ctkAfterDraw", "OnAfterDraw"}});
    // The inactive tool adds no second "ctkBeforeDraw" and the band is inverted once only.
    EXPECT_EQ(PipelineEvents(panel->log), expected);
}

TEST_F(PipelineTest, SeriesPaintInListOrderAndOnlyVisibleOnesOpenAGroup) {
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, {{0, 1}, {10, 5}}, "Line1");
    TStraightLineSeries* empty = AddSeries(panel, {}, "Line2");
    AddSeries(panel, {{0, 2}, {10, 4}}, "Line3");
    TStraightLineSeries* hidden = AddSeries(panel, {{0, 2}, {10, 4}}, "Line4");
    hidden->SetActive(false);
    panel->log.clear();
    Draw(panel);
    TEventLog groups;
    for (const std::string& line : panel->log)
        if (line.rfind("group Line", 0) == 0)
            groups.push_back(line);
    EXPECT_EQ(groups, (TEventLog{"group Line1", "group Line3"}));
    EXPECT_EQ(empty->FirstVisibleIndex(), -1);
}

TEST_F(PipelineTest, AFailingTitleLeavesTheChartRepaintable) {
    TTestAxisPanel* panel = ChartWithTwoSeries();
    struct Case {
        const char* what;
        std::function<void(TTestAxisPanel*)> breakIt;
    };
    const Case cases[] = {
        {"title before the series",
         [](TTestAxisPanel* p) {
             p->titles = [](bool before) {
                 if (before)
                     throw Exception("title markup is not closed");
             };
         }},
        {"title after the series",
         [](TTestAxisPanel* p) {
             p->titles = [](bool before) {
                 if (!before)
                     throw Exception("title markup is not closed");
             };
         }},
        {"before-draw event",
         [](TTestAxisPanel* p) {
             p->OnBeforeDrawSeries = [](TObject*) { throw Exception("handler failed"); };
         }},
        {"a series' before-draw event",
         [](TTestAxisPanel* p) {
             dynamic_cast<TChartSeries*>(p->SeriesAt(0))->BeforeDrawValues = [](TObject*) {
                 throw Exception("series failed");
             };
         }},
        {"a series' point",
         [](TTestAxisPanel* p) {
             dynamic_cast<TStraightLineSeries*>(p->SeriesAt(1))->raiseAtPoint = 1;
         }},
    };
    for (const Case& c : cases) {
        c.breakIt(panel);
        EXPECT_THROW(Draw(panel), Exception) << c.what;
        EXPECT_TRUE(panel->RepaintEnabled()) << c.what;
        EXPECT_EQ(panel->logCanvas->OpenGroups(), 0) << c.what;
        EXPECT_EQ(panel->logCanvas->ClipDepth(), 0) << c.what;
        EXPECT_FALSE(panel->FixedPlotRect()) << c.what;
        // Mended, the next drawing runs through to its end.
        panel->titles = nullptr;
        panel->OnBeforeDrawSeries = [panel](TObject*) {
            panel->log.push_back("OnBeforeDrawSeries");
        };
        panel->SeriesAt(0)->BeforeDrawValues = nullptr;
        dynamic_cast<TStraightLineSeries*>(panel->SeriesAt(1))->raiseAtPoint = -1;
        panel->log.clear();
        Draw(panel);
        EXPECT_EQ(PipelineEvents(panel->log).back(), "OnAfterDraw") << c.what;
    }
}

// The fault this guards against: repainting left switched off by a drawing that raised, so that
// every later change was ignored and the window kept showing the old picture.
TEST_F(PipelineTest, AWindowWhoseTitleRaisedShowsNewPointsOnceTheTitleIsMended) {
    TTestAxisPanel* panel = ChartWithTwoSeries();
    panel->SetColor(clWhite);
    TChartSeries* line = panel->SeriesAt(0);
    line->SetSeriesColor(clRed);
    panel->SeriesAt(1)->SetSeriesColor(clGreen);
    panel->titles = [](bool) { throw Exception("title markup is not closed"); };
    EXPECT_THROW(Draw(panel), Exception);
    panel->titles = nullptr;
    // The window draws the mended chart; then a new point must reach the window too.
    const QImage mended = Grab(panel);
    charttest::SavePicture(mended, "axispanel-mended");
    line->AddXYValue(20, 9);
    const QImage grown = Grab(panel);
    charttest::SavePicture(grown, "axispanel-repainted");
    // The second line now stops half way: the window shows the new scale.
    EXPECT_NE(grown, mended);
    EXPECT_LT(charttest::CountColor(grown, clGreen),
              charttest::CountColor(mended, clGreen) * 3 / 4);
}

namespace {

// The order the series' points were drawn in, as "Line1 0" entries.
TEventLog PointsDrawn(const TEventLog& log) {
    TEventLog out;
    for (const std::string& line : log)
        if (line.rfind("point ", 0) == 0)
            out.push_back(line.substr(6));
    return out;
}

} // namespace

TEST_F(PipelineTest, SeriesOrderFollowsTheDepth) {
    struct Case {
        const char* what;
        bool view3D, depthInverted;
        int zOrder; // of both series; -1: the chart chooses
        TEventLog points;
    };
    const Case cases[] = {
        {"2D: list order", false, false, -1, {"Line1 0", "Line1 1", "Line2 0", "Line2 1"}},
        {"3D: the first series lies deepest and is drawn first",
         true,
         false,
         -1,
         {"Line1 0", "Line1 1", "Line2 0", "Line2 1"}},
        {"3D, depth axis inverted: the last series first",
         true,
         true,
         -1,
         {"Line2 0", "Line2 1", "Line1 0", "Line1 1"}},
        {"3D, both in one depth slot: point by point across the series",
         true,
         false,
         0,
         {"Line1 0", "Line2 0", "Line1 1", "Line2 1"}},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = ChartWithTwoSeries();
        panel->SetView3D(c.view3D);
        panel->DepthAxis()->SetInverted(c.depthInverted);
        panel->SeriesAt(0)->SetZOrder(c.zOrder);
        panel->SeriesAt(1)->SetZOrder(c.zOrder);
        panel->log.clear();
        Draw(panel);
        // Seen from the front: neither the front nor the back plane faces away.
        EXPECT_FALSE(panel->PlaneFacesAway(0)) << c.what;
        EXPECT_FALSE(panel->PlaneFacesAway(panel->Depth3DX())) << c.what;
        EXPECT_EQ(PointsDrawn(panel->log), c.points) << c.what;
        EXPECT_EQ(panel->logCanvas->OpenGroups(), 0) << c.what;
        EXPECT_EQ(panel->logCanvas->ClipDepth(), 0) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(PipelineTest, ThreeDimensionalChartKeepsTheEventOrderAndClipsToTheDepth) {
    TTestAxisPanel* panel = ChartWithTwoSeries();
    panel->SetView3D(true);
    panel->log.clear();
    Draw(panel);
    EXPECT_EQ(PipelineEvents(panel->log), Join({kBefore, kAxes, kSeries, kAfter}));
    // Two series, each in a slot of its own.
    EXPECT_GT(panel->SeriesDepth3DX(), 0);
    EXPECT_EQ(panel->Depth3DX(), 2 * panel->SeriesDepth3DX());
    EXPECT_EQ(panel->MaxDepthOrder(), 1);
    charttest::SavePicture(Grab(panel), "axispanel-3d");
}

TEST_F(PipelineTest, ATrue3DCanvasGetsTheBackgroundAndTitlesAfterTheProjection) {
    TTestAxisPanel* flat = ChartWithTwoSeries();
    TRect titlesRect;
    flat->titles = [&](bool before) {
        if (before)
            titlesRect = flat->PlotRect();
    };
    Draw(flat);
    const TRect flatTitles = titlesRect;
    flat->DestroySeries();
    flat->Free();

    TTestAxisPanel* panel = ChartWithTwoSeries();
    panel->SetView3D(true);
    panel->logCanvas->true3D = true;
    panel->titles = [&](bool before) {
        if (before)
            titlesRect = panel->PlotRect();
    };
    panel->log.clear();
    Draw(panel);
    const TEventLog expected =
        Join({{"ctkBeforeDraw", "OnBeforeDrawChart", "wall room", "background", "titles before",
               "walls"},
              kAxes,
              {"ctkBeforeDrawSeries", "OnBeforeDrawSeries", "group Line1", "before values Line1",
               "after values Line1", "end Line1", "group Line2", "before values Line2",
               "after values Line2", "end Line2", "ctkAfterDrawSeries"},
              kAfter});
    // No clip: a true 3D canvas clips by itself.
    EXPECT_EQ(PipelineEvents(panel->log), expected);
    // The titles see the rectangle the axes had not taken room from yet, as they do in 2D.
    EXPECT_EQ(titlesRect, flatTitles);
    EXPECT_NE(panel->PlotRect(), titlesRect);
    const TRect fitted = panel->PlotRect();

    // Raising while the rectangle is lent: the chart keeps the rectangle it had, unfixed.
    panel->titles = [](bool before) {
        if (before)
            throw Exception("title markup is not closed");
    };
    EXPECT_THROW(Draw(panel), Exception);
    EXPECT_EQ(panel->PlotRect(), fitted);
    EXPECT_FALSE(panel->FixedPlotRect());
    EXPECT_TRUE(panel->RepaintEnabled());
}

TEST_F(PipelineTest, TwoLinesRenderInTheirSeriesColours) {
    TTestAxisPanel* panel = MakePanel(400, 250);
    panel->SetColor(clWhite);
    TStraightLineSeries* voltage = AddSeries(panel, {{0, 12}, {5, 13.5}, {10, 11}, {15, 12.5}});
    TStraightLineSeries* threshold = AddSeries(panel, {{0, 10}, {15, 10}});
    voltage->SetSeriesColor(clGreen);
    threshold->SetSeriesColor(clRed);
    panel->LeftAxis()->SetMinMax(6, 30);
    TBitmap target(400, 250);
    panel->DrawToCanvas(target.Canvas(), {0, 0, 400, 250});
    const QImage& image = TGraphicsQt::Image(target);
    charttest::SavePicture(image, "axispanel-two-lines");
    for (int i = 1; i + 1 < voltage->Count(); ++i)
        EXPECT_EQ(charttest::PixelAt(image, voltage->PixelX(i), voltage->PixelY(i)), clGreen) << i;
    const int y = threshold->PixelY(0);
    const TRect plot = panel->PlotRect();
    EXPECT_EQ(y, panel->LeftAxis()->PixelOfY(10));
    for (int x = plot.Left + 1; x < plot.Right - 1; x += 37)
        EXPECT_EQ(charttest::PixelAt(image, x, y), clRed) << x;
    // The threshold runs from the left axis (whose line covers its first pixel) to the right
    // edge and no further.
    const TRect red = charttest::ColorBox(image, clRed);
    EXPECT_LE(red.Left, plot.Left + 2);
    EXPECT_GE(red.Left, plot.Left);
    EXPECT_EQ(red.Right, plot.Right);
}

TEST_F(PipelineTest, AChartSeenFromBehindPaintsItsSeriesTheOtherWayAndHidesTheBottomAxis) {
    struct Case {
        const char* what;
        int rotation, elevation;
        bool fromBehind;
        TEventLog order;
    };
    const Case cases[] = {
        {"turned a little: from the front",
         345,
         345,
         false,
         {"Line1 0", "Line1 1", "Line2 0", "Line2 1"}},
        {"turned round: from behind", 180, 345, true, {"Line2 0", "Line2 1", "Line1 0", "Line1 1"}},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = ChartWithTwoSeries();
        panel->SetView3D(true);
        panel->View3DOptions()->SetOrthogonal(false);
        panel->View3DOptions()->SetRotation(c.rotation);
        panel->View3DOptions()->SetElevation(c.elevation);
        panel->log.clear();
        Draw(panel);
        EXPECT_EQ(panel->PlaneFacesAway(0), c.fromBehind) << c.what;
        EXPECT_EQ(panel->PlaneFacesAway(panel->Depth3DX()), c.fromBehind) << c.what;
        EXPECT_EQ(PointsDrawn(panel->log), c.order) << c.what;
        int shown = 0;
        for (int i = 0; i < panel->Axes()->Count(); ++i)
            shown += panel->Axes()->Items(i)->Shown() ? 1 : 0;
        const auto drawn = std::count(panel->log.begin(), panel->log.end(), "group axis");
        EXPECT_EQ(drawn, shown - (c.fromBehind ? 1 : 0)) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}
