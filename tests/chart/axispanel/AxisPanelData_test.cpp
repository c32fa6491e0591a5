// The axis panel's data side: automatic axis extremes, which axes show, depth sizes, free
// colours, the series list and its events, and circular data sources.

#include "tests/chart/axispanel/AxisPanelTestSupport.h"

#include "chart/draw/PlotFont.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/rtl/Threads.h"
#include "tests/chart/support/CanvasCallLog.h"

#include <gtest/gtest.h>

#include <thread>

using namespace axistest;

namespace {

// X running x0, x0 + 1 ...; Y 100, 102, 104 ... (or from y0).
TPoints Line(int count, double x0 = 0, double y0 = 100) {
    return LinePoints(count, x0, y0, 2);
}

class AxisPanelData : public AxisPanelFixture {};

} // namespace

TEST_F(AxisPanelData, AutomaticExtremesOfTheSeriesBoundToAnAxis) {
    struct Case {
        const char* what;
        std::function<void(AxisPanelData&, TTestAxisPanel*)> build;
        bool onBottom; // else the left axis
        double minimum, maximum;
    };
    const Case cases[] = {
        {"no series bound", [](AxisPanelData&, TTestAxisPanel*) {}, true, 0, 0},
        {"two ranges 0..10 and 5..20",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{0, 1}, {10, 2}});
             f.AddSeries(p, {{5, 3}, {20, 4}});
         },
         true, 0, 20},
        {"Y values on the left axis",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{0, -3}, {10, 7}});
             f.AddSeries(p, {{0, 2}, {10, 9}});
         },
         false, -3, 9},
        {"only inactive series: they count",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{2, 1}, {8, 2}})->SetActive(false);
         },
         true, 2, 8},
        {"an active series hides the inactive ones",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{-50, 1}, {80, 2}})->SetActive(false);
             f.AddSeries(p, {{3, 1}, {4, 2}});
         },
         true, 3, 4},
        {"a series on the top axis is not the bottom axis'",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{100, 1}, {200, 2}})->SetHorizAxis(aTopAxis);
             f.AddSeries(p, {{3, 1}, {4, 2}});
         },
         true, 3, 4},
        {"a series on both horizontal axes counts",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {{-7, 1}, {4, 2}})->SetHorizAxis(aBothHorizAxis);
         },
         true, -7, 4},
        {"an empty series adds nothing",
         [](AxisPanelData& f, TTestAxisPanel* p) {
             f.AddSeries(p, {});
             f.AddSeries(p, {{6, 1}, {9, 2}});
         },
         true, 6, 9},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        c.build(*this, panel);
        TChartAxis* axis = c.onBottom ? panel->BottomAxis() : panel->LeftAxis();
        const bool x = c.onBottom;
        EXPECT_EQ(panel->CalcAxisExtreme(axis, true, x), c.minimum) << c.what;
        EXPECT_EQ(panel->CalcAxisExtreme(axis, false, x), c.maximum) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, ExtremesOfAPage) {
    struct Case {
        const char* what;
        int points, page;
        bool scaleLastPage, autoScale;
        double xMin, xMax;
    };
    // 10 points a page; X runs 0, 1, 2 ... and Y 100, 102, 104 ...
    const Case cases[] = {
        {"first page", 25, 1, true, false, 0, 9},
        {"middle page", 25, 2, true, false, 10, 19},
        {"short last page as it is", 25, 3, true, false, 20, 24},
        {"short last page scaled as if full: 20 + 10 x 4 / 5", 25, 3, false, false, 20, 28},
        {"one point on the last page: 20 + 10 / 1", 21, 3, false, false, 20, 30},
        {"full last page is not stretched", 30, 3, false, false, 20, 29},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        AddSeries(panel, Line(c.points));
        panel->Pages()->SetMaxPointsPerPage(10);
        panel->Pages()->SetScaleLastPage(c.scaleLastPage);
        panel->Pages()->SetAutoScale(c.autoScale);
        panel->Pages()->SetCurrent(c.page);
        EXPECT_EQ(panel->XMinimumOfAxis(panel->BottomAxis()), c.xMin) << c.what;
        EXPECT_EQ(panel->XMaximumOfAxis(panel->BottomAxis()), c.xMax) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, AutoScaleTakesTheValuesOfThePageOnly) {
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, Line(25));
    AddSeries(panel, Line(5, 0, -40)); // no point on page 3
    panel->Pages()->SetMaxPointsPerPage(10);
    panel->Pages()->SetCurrent(3);
    // Without auto scale the value axis spans every point of both series.
    EXPECT_EQ(panel->YMinimumOfAxis(panel->LeftAxis()), -40);
    EXPECT_EQ(panel->YMaximumOfAxis(panel->LeftAxis()), 148);
    panel->Pages()->SetAutoScale(true);
    EXPECT_EQ(panel->YMinimumOfAxis(panel->LeftAxis()), 140);
    EXPECT_EQ(panel->YMaximumOfAxis(panel->LeftAxis()), 148);
}

TEST_F(AxisPanelData, APageBeyondTheFewerPointsOfTheOtherAxisReadsNoValueOutside) {
    // The pages are counted on the fuller axis; the top axis' series has one page only.
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, Line(25));
    AddSeries(panel, Line(5, 50))->SetHorizAxis(aTopAxis);
    panel->Pages()->SetMaxPointsPerPage(10);
    panel->Pages()->SetCurrent(3);
    ASSERT_EQ(panel->Pages()->Current(), 3);
    const double low = panel->XMinimumOfAxis(panel->TopAxis());
    const double high = panel->XMaximumOfAxis(panel->TopAxis());
    EXPECT_GE(low, 50);
    EXPECT_LE(high, 54 + 10);
    EXPECT_LE(low, high);
}

TEST_F(AxisPanelData, DepthAxisExtremes) {
    TTestAxisPanel* panel = MakePanel();
    panel->SetView3D(true);
    for (int i = 0; i < 3; ++i)
        AddSeries(panel, Line(3));
    panel->AssignDepthSlots();
    ASSERT_EQ(panel->MaxDepthOrder(), 2);
    // The series have no Z values: the depth axis labels them by title.
    EXPECT_EQ(panel->DepthAxis()->EffectiveLabelStyle(), talText);
    EXPECT_EQ(panel->CalcAxisExtreme(panel->DepthAxis(), true, false), -0.5);
    EXPECT_EQ(panel->CalcAxisExtreme(panel->DepthAxis(), false, false), 2.5);
    // With value labels the series' own Z orders are combined.
    panel->DepthAxis()->SetLabelStyle(talValue);
    EXPECT_EQ(panel->CalcAxisExtreme(panel->DepthAxis(), true, false), 0);
    EXPECT_EQ(panel->CalcAxisExtreme(panel->DepthAxis(), false, false), 2);
}

TEST_F(AxisPanelData, DepthSlotsPutTheFirstSeriesDeepest) {
    struct Case {
        bool view3D, ownDepth, depthInverted;
        std::vector<int> zOrders;
    };
    const Case cases[] = {
        {false, true, false, {0, 0, 0}},
        {true, false, false, {0, 0, 0}},
        {true, true, false, {2, 1, 0}},
        {true, true, true, {0, 1, 2}},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        panel->SetView3D(c.view3D);
        panel->SetOwnDepthPerSeries(c.ownDepth);
        panel->DepthAxis()->SetInverted(c.depthInverted);
        std::vector<TStraightLineSeries*> series;
        for (int i = 0; i < 3; ++i)
            series.push_back(AddSeries(panel, Line(3)));
        panel->AssignDepthSlots();
        std::vector<int> z;
        for (TStraightLineSeries* s : series)
            z.push_back(s->EffectiveZOrder());
        EXPECT_EQ(z, c.zOrders) << c.view3D << c.ownDepth << c.depthInverted;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, DepthSizes) {
    struct Case {
        const char* what;
        int plotWidth, percent;
        bool orthogonal;
        int orthoAngle, series;
        int seriesDepthX, seriesDepthY, depthX;
    };
    const Case cases[] = {
        {"orthogonal at 45 degrees", 400, 15, true, 45, 1, 6, 6, 6},
        {"perspective: doubled", 400, 15, false, 45, 1, 12, 12, 12},
        {"a tie rounds to even: 7.5", 500, 15, true, 45, 1, 8, 8, 8},
        {"a tie rounds to even: 4.5", 300, 15, true, 45, 1, 4, 4, 4},
        {"steep: 6 / tan 60 and back", 400, 15, true, 60, 1, 3, 5, 3},
        {"flat: tan 30 shortens Y only", 400, 15, true, 30, 1, 6, 3, 6},
        {"three series take three slots", 400, 15, true, 45, 3, 6, 6, 18},
        {"whole percent", 400, 100, true, 45, 1, 40, 40, 40},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        panel->SetView3D(true);
        panel->View3DOptions()->SetOrthogonal(c.orthogonal);
        panel->View3DOptions()->SetOrthoAngle(c.orthoAngle);
        panel->SetChart3DPercent(c.percent);
        for (int i = 0; i < c.series; ++i)
            AddSeries(panel, Line(2));
        panel->SetPlotRect({10, 10, 10 + c.plotWidth, 210});
        panel->RecalcPlotSize();
        ASSERT_EQ(panel->PlotWidth(), c.plotWidth) << c.what;
        panel->AssignDepthSlots();
        panel->ComputeDepthSizes();
        EXPECT_EQ(panel->SeriesDepth3DX(), c.seriesDepthX) << c.what;
        EXPECT_EQ(panel->SeriesDepth3DY(), c.seriesDepthY) << c.what;
        EXPECT_EQ(panel->Depth3DX(), c.depthX) << c.what;
        panel->SetView3D(false);
        panel->ComputeDepthSizes();
        EXPECT_EQ(panel->Depth3DX(), 0) << c.what;
        EXPECT_EQ(panel->SeriesDepth3DY(), 0) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, ThreeDPercentOutsideItsRangeIsRefused) {
    TTestAxisPanel* panel = MakePanel();
    for (int bad : {0, -5, 101}) {
        try {
            panel->SetChart3DPercent(bad);
            ADD_FAILURE() << bad << " was taken";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "3D effect percent must be between 1 and 100");
        }
        EXPECT_EQ(panel->Chart3DPercent(), 15);
    }
    panel->SetChart3DPercent(100);
    EXPECT_EQ(panel->Chart3DPercent(), 100);
}

TEST_F(AxisPanelData, WhichAxesShow) {
    TTestAxisPanel* panel = MakePanel();
    // Without series every axis but the depth ones shows.
    EXPECT_TRUE(panel->AxisShownRule(panel->BottomAxis()));
    EXPECT_TRUE(panel->AxisShownRule(panel->TopAxis()));
    EXPECT_FALSE(panel->AxisShownRule(panel->DepthAxis()));
    // A series on the bottom and left axes hides the top and right ones.
    AddSeries(panel, Line(3));
    EXPECT_TRUE(panel->AxisShownRule(panel->BottomAxis()));
    EXPECT_TRUE(panel->AxisShownRule(panel->LeftAxis()));
    EXPECT_FALSE(panel->AxisShownRule(panel->TopAxis()));
    EXPECT_FALSE(panel->AxisShownRule(panel->RightAxis()));
    panel->BottomAxis()->SetVisible(false);
    EXPECT_FALSE(panel->AxisShownRule(panel->BottomAxis()));
    panel->BottomAxis()->SetVisible(true);
    panel->SetAxisVisible(false);
    EXPECT_FALSE(panel->AxisShownRule(panel->LeftAxis()));
    panel->SetAxisVisible(true);
    // The depth axis shows in 3D once made visible.
    panel->SetView3D(true);
    EXPECT_FALSE(panel->AxisShownRule(panel->DepthAxis()));
    panel->DepthAxis()->SetVisible(true);
    EXPECT_TRUE(panel->AxisShownRule(panel->DepthAxis()));
    // A series drawn without axes, first in the list, hides them all.
    TTestAxisPanel* pies = MakePanel();
    auto* pie = new TAxislessSeries(form);
    pie->AddXYValue(0, 1);
    pies->AttachSeries(pie);
    AddSeries(pies, Line(3));
    for (TChartAxis* axis : {pies->BottomAxis(), pies->LeftAxis(), pies->TopAxis()})
        EXPECT_FALSE(pies->AxisShownRule(axis));
}

TEST_F(AxisPanelData, AChartOfSeriesWithoutAxesDrawsNoAxisAndKeepsItsPlotRectangle) {
    TTestAxisPanel* panel = MakePanel();
    auto* pie = new TAxislessSeries(form);
    pie->AddXYValue(0, 1);
    panel->AttachSeries(pie);
    panel->log.clear();
    Draw(panel);
    for (const std::string& line : panel->log)
        EXPECT_NE(line, "group axis");
    // The plot rectangle is the panel less its margins (3 %, 4 %) and frame.
    const TRect r = panel->PlotRect();
    const int frame = panel->FrameWidth();
    EXPECT_EQ(r.Left, 400 * 3 / 100 + frame);
    EXPECT_EQ(r.Right, 400 - 400 * 3 / 100 - frame);
    EXPECT_EQ(r.Top, 250 * 4 / 100 + frame);
    EXPECT_EQ(r.Bottom, 250 - 250 * 4 / 100 - frame);
}

TEST_F(AxisPanelData, AFixedPlotRectangleStaysWhileTheScalesFollowIt) {
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, {{0, 0}, {10, 10}});
    panel->SetPlotRect({50, 30, 250, 130});
    Draw(panel);
    EXPECT_EQ(panel->PlotRect(), (TRect{50, 30, 250, 130}));
    EXPECT_EQ(panel->BottomAxis()->StartPixel(), 50);
    EXPECT_EQ(panel->BottomAxis()->EndPixel(), 250);
    // Unfixed, the axes take their room: labels below and left of the rectangle.
    panel->SetFixedPlotRect(false);
    Draw(panel);
    EXPECT_GT(panel->PlotRect().Left, 400 * 3 / 100 + panel->FrameWidth());
    EXPECT_LT(panel->PlotRect().Bottom, 250 - 250 * 4 / 100 - panel->FrameWidth());
    EXPECT_EQ(panel->BottomAxis()->StartPixel(), panel->PlotRect().Left);
}

TEST_F(AxisPanelData, SeriesMarginsWidenOnlyAutomaticEndsAndOffsetsSwapWhenInverted) {
    struct Case {
        const char* what;
        bool automatic, inverted;
        int minimumOffset, maximumOffset;
        int leftShift, rightShift; // pixels the data's ends lie inside the axis' ends
    };
    const Case cases[] = {
        {"automatic: the series' 12 and 7 pixels", true, false, 0, 0, 12, 7},
        {"manual range: no series margins", false, false, 0, 0, 0, 0},
        {"offsets add to the margins", true, false, 3, 5, 15, 12},
        {"inverted: the offsets swap sides", false, true, 3, 5, 5, 3},
        {"inverted automatic: margins stay by side", true, true, 0, 0, 12, 7},
    };
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        TStraightLineSeries* s = AddSeries(panel, {{0, 0}, {100, 10}});
        s->marginLeft = 12;
        s->marginRight = 7;
        TChartAxis* axis = panel->BottomAxis();
        if (!c.automatic)
            axis->SetMinMax(0, 100);
        axis->SetInverted(c.inverted);
        axis->SetMinimumOffset(c.minimumOffset);
        axis->SetMaximumOffset(c.maximumOffset);
        panel->SetPlotRect({0, 0, 300, 200});
        panel->FitAxesIntoPlot();
        panel->ApplySeriesMargins();
        const int lowPixel = axis->PixelOfX(0), highPixel = axis->PixelOfX(100);
        const int left = std::min(lowPixel, highPixel), right = std::max(lowPixel, highPixel);
        EXPECT_NEAR(left, c.leftShift, 1) << c.what;
        EXPECT_NEAR(300 - right, c.rightShift, 1) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, FreeColoursFromThePalette) {
    TTestAxisPanel* panel = MakePanel();
    panel->SetColorPalette({clRed, clGreen, clBlue, clYellow});
    TStraightLineSeries* a = AddSeries(panel, Line(2));
    TStraightLineSeries* b = AddSeries(panel, Line(2));
    TStraightLineSeries* c = AddSeries(panel, Line(2));
    EXPECT_EQ(a->SeriesColor(), clRed);
    EXPECT_EQ(b->SeriesColor(), clGreen);
    EXPECT_EQ(c->SeriesColor(), clBlue);
    // Every colour but the last taken: the last comes without asking, taken or not.
    a->SetSeriesColor(clYellow);
    EXPECT_EQ(panel->FreeSeriesColor(true, nullptr), clRed);
    a->SetSeriesColor(clRed);
    EXPECT_EQ(panel->FreeSeriesColor(true, nullptr), clYellow);
    c->SetSeriesColor(clYellow);
    EXPECT_EQ(panel->FreeSeriesColor(true, nullptr), clBlue);
    EXPECT_EQ(panel->PaletteColor(6), clBlue);
    EXPECT_EQ(panel->PaletteColor(-1), clYellow);
    // An empty palette is the module's.
    panel->SetColorPalette({});
    EXPECT_EQ(panel->PaletteColor(0), PaletteColorOf(0));
}

TEST_F(AxisPanelData, SeriesJoinLeaveAndSwapWithTheirEvents) {
    TTestAxisPanel* panel = MakePanel();
    TSeriesEventCounter counter;
    panel->AddListener(&counter);
    std::vector<std::string> added, removed;
    panel->OnAddSeries = [&](TCustomChartSeries* s) { added.push_back(s->Name()); };
    panel->OnRemoveSeries = [&](TCustomChartSeries* s) { removed.push_back(s->Name()); };
    TStraightLineSeries* one = AddSeries(panel, Line(2), "Line1");
    TStraightLineSeries* two = AddSeries(panel, Line(2), "Line2");
    panel->AttachSeries(one); // already there: nothing
    EXPECT_EQ(panel->SeriesTotal(), 2);
    EXPECT_EQ(added, (std::vector<std::string>{"Line1", "Line2"}));

    TSeriesGroup* group = panel->SeriesGroups()->AddGroup();
    group->Series().Add(one);
    group->Series().Add(two);
    const int oneIndex = one->ComponentIndex(), twoIndex = two->ComponentIndex();
    counter.kinds.clear();
    panel->SwapSeries(0, 1);
    EXPECT_EQ(panel->SeriesAt(0), two);
    EXPECT_EQ(group->Series()[0], two);
    EXPECT_EQ(two->ComponentIndex(), oneIndex);
    EXPECT_EQ(one->ComponentIndex(), twoIndex);
    EXPECT_EQ(counter.kinds, (std::vector<TSeriesEventKind>{sekSwap}));

    counter.kinds.clear();
    panel->DetachSeriesAt(-1);
    panel->DetachSeries(one);
    EXPECT_EQ(panel->SeriesTotal(), 1);
    EXPECT_EQ(one->ParentChart(), nullptr);
    EXPECT_EQ(removed, (std::vector<std::string>{"Line1"}));
    ASSERT_FALSE(counter.kinds.empty());
    EXPECT_EQ(counter.kinds.front(), sekRemove);

    panel->SetSeriesEventsMuted(true);
    counter.kinds.clear();
    two->SetTitle("muted");
    EXPECT_TRUE(counter.kinds.empty());
    panel->RemoveListener(&counter);
    panel->OnAddSeries = nullptr;
    panel->OnRemoveSeries = nullptr;
    one->Free();
}

TEST_F(AxisPanelData, DestroySeriesFreesOnlyTheClassAskedFor) {
    TTestAxisPanel* panel = MakePanel();
    AddSeries(panel, Line(2), "Line1");
    auto* pie = new TAxislessSeries(form);
    pie->SetName("Pie1");
    panel->AttachSeries(pie);
    AddSeries(panel, Line(2), "Line3");
    panel->DestroySeries(TAxislessSeries::StaticClass());
    ASSERT_EQ(panel->SeriesTotal(), 2);
    EXPECT_EQ(panel->SeriesAt(0)->Name(), "Line1");
    EXPECT_EQ(panel->SeriesAt(1)->Name(), "Line3");
    EXPECT_EQ(form->FindComponent("Pie1"), nullptr);
    panel->DestroySeries();
    EXPECT_EQ(panel->SeriesTotal(), 0);
    EXPECT_EQ(form->FindComponent("Line1"), nullptr);
}

TEST_F(AxisPanelData, CircularSourcesAreRefusedAndAnExistingCircleEnds) {
    TTestAxisPanel* panel = MakePanel();
    TStraightLineSeries* a = AddSeries(panel, Line(2), "A");
    TStraightLineSeries* b = AddSeries(panel, Line(2), "B");
    TStraightLineSeries* c = AddSeries(panel, Line(2), "C");
    TStraightLineSeries* d = AddSeries(panel, Line(2), "D");
    // B takes from A: A may not take from B.
    b->DataSources().Add(a);
    try {
        panel->RefuseCircularSource(a, b);
        ADD_FAILURE() << "a circle was taken";
    } catch (const ChartException& e) {
        EXPECT_EQ(e.Message(), "Circular Series dependences are not allowed");
    }
    // A circle already there between C and D (as a description may hold: its sources are added
    // unchecked) ends the walk; adding through the list is checked.
    c->AddDataSourceItem(d);
    EXPECT_THROW(d->DataSources().Add(c), ChartException);
    d->AddDataSourceItem(c);
    EXPECT_NO_THROW(panel->RefuseCircularSource(a, c));
    EXPECT_THROW(panel->RefuseCircularSource(c, d), ChartException);
    // Loading the chart checks every series' sources.
    EXPECT_THROW(panel->Loaded(), ChartException);
    c->DataSources().Clear();
    d->DataSources().Clear();
    b->DataSources().Clear();
    EXPECT_NO_THROW(panel->Loaded());
}

TEST_F(AxisPanelData, TheChartIsUsedOnTheThreadThatMadeIt) {
    TTestAxisPanel* panel = MakePanel();
    EXPECT_TRUE(panel->OnOwnThread());
    bool elsewhere = true;
    std::thread([&] { elsewhere = panel->OnOwnThread(); }).join();
    EXPECT_FALSE(elsewhere);
    // A worker that hands each reading over to the chart's thread (and waits for it) feeds the
    // chart while it repaints.
    TStraightLineSeries* fed = AddSeries(panel, {});
    constexpr int readings = 10000;
    std::thread worker([fed] {
        for (int i = 0; i < readings; ++i)
            TThread::Synchronize(nullptr, [fed, i] { fed->AddXYValue(i, 12 + (i % 7) * 0.25); });
    });
    int paints = 0;
    while (fed->Count() < readings) {
        CheckSynchronize(10);
        if (fed->Count() / 1000 > paints) {
            ++paints;
            Grab(panel);
        }
    }
    worker.join();
    EXPECT_EQ(fed->Count(), readings);
    EXPECT_EQ(fed->XValues()->ValueAt(readings - 1), readings - 1);
    EXPECT_EQ(paints, readings / 1000);
#ifndef NDEBUG
    // A feed from another thread stops a debug build at once.
    TStraightLineSeries* line = AddSeries(panel, Line(2));
    EXPECT_DEATH(std::thread([&] { line->AddXYValue(5, 5); }).join(), "another thread");
#endif
}

TEST_F(AxisPanelData, AssignCopiesTheSettingsButNotTheSeries) {
    TTestAxisPanel* source = MakePanel();
    source->SetChart3DPercent(40);
    source->SetAxisBehind(false);
    source->SetAxisVisible(false);
    source->SetClipPoints(false);
    source->SetView3DWalls(false);
    source->SetColorPalette({clRed, clBlue});
    source->LeftAxis()->SetMinMax(6, 30);
    source->BottomAxis()->Title()->SetCaption("Время");
    source->Pages()->SetMaxPointsPerPage(12);
    new TChartAxis(source->CustomAxes());
    AddSeries(source, Line(3));
    TTestAxisPanel* copy = MakePanel();
    copy->Assign(source);
    EXPECT_EQ(copy->Chart3DPercent(), 40);
    EXPECT_FALSE(copy->AxisBehind());
    EXPECT_FALSE(copy->AxisVisible());
    EXPECT_FALSE(copy->ClipPoints());
    EXPECT_FALSE(copy->View3DWalls());
    EXPECT_EQ(copy->ColorPalette(), (std::vector<TColor>{clRed, clBlue}));
    EXPECT_EQ(copy->LeftAxis()->Minimum(), 6);
    EXPECT_EQ(copy->LeftAxis()->Maximum(), 30);
    EXPECT_FALSE(copy->LeftAxis()->Automatic());
    EXPECT_EQ(copy->BottomAxis()->Title()->Caption(), "Время");
    EXPECT_EQ(copy->Pages()->MaxPointsPerPage(), 12);
    EXPECT_EQ(copy->CustomAxesList()->Count(), 1);
    EXPECT_EQ(copy->Axes()->Count(), 7);
    EXPECT_EQ(copy->SeriesTotal(), 0);
}

TEST_F(AxisPanelData, LegendSeriesAndTexts) {
    TTestAxisPanel* panel = MakePanel();
    TStraightLineSeries* a = AddSeries(panel, Line(2), "Voltage");
    TStraightLineSeries* hidden = AddSeries(panel, Line(2), "Hidden");
    TStraightLineSeries* off = AddSeries(panel, Line(5), "Off");
    hidden->SetShowInLegend(false);
    off->SetActive(false);
    off->SetTitle("Порог");
    EXPECT_EQ(panel->LegendSeriesAt(0, true), a);
    EXPECT_EQ(panel->LegendSeriesAt(1, true), nullptr);
    EXPECT_EQ(panel->LegendSeriesAt(1, false), off);
    EXPECT_EQ(panel->LegendSeriesTitle(1, false), "Порог");
    EXPECT_EQ(panel->LegendSeriesTitle(0, true), "Voltage");
    EXPECT_EQ(panel->LegendSeriesTitle(5, false), "");
    EXPECT_EQ(panel->ActiveSeriesTotal(), 2);
    EXPECT_EQ(panel->MostSeriesPoints(), 2);

    // Texts are measured per line in the font.
    TPlotFont font;
    int lines = -1;
    EXPECT_EQ(panel->WidestTextLine(&font, "", lines), 0);
    EXPECT_EQ(lines, 0);
    const int wide = panel->WidestTextLine(&font, "10:22:05", lines);
    EXPECT_EQ(lines, 1);
    EXPECT_EQ(panel->WidestTextLine(&font, "15:03\r10:22:05", lines), wide);
    EXPECT_EQ(lines, 2);
    EXPECT_GT(wide, panel->WidestTextLine(&font, "15:03", lines));
    EXPECT_GT(panel->FontHeight(&font), 0);
}

TEST_F(AxisPanelData, ALegendSymbolInTheLegendsColourStaysVisible) {
    TTestAxisPanel* panel = MakePanel();
    TBitmap target(100, 60);
    panel->DrawCanvas()->AttachCanvas(target.Canvas());
    charttest::TCanvasCallLog log(*target.Canvas());
    struct Case {
        TColor brush, legendBack;
        std::vector<std::string> rectangles; // pen colour and brush of each rectangle drawn
    };
    const Case cases[] = {
        {clRed, clWhite, {"pen=000000/1/solid brush=0000FF/solid"}},
        {clWhite,
         clWhite,
         {"pen=000000/1/solid brush=FFFFFF/solid", "pen=000000/1/solid brush=FFFFFF/clear"}},
        {clBlack,
         clBlack,
         {"pen=000000/1/solid brush=000000/solid", "pen=FFFFFF/1/solid brush=000000/clear"}},
    };
    for (const Case& c : cases) {
        log.Clear();
        panel->SetLegendBackColor(c.legendBack);
        TCanvas3D& canvas = *panel->DrawCanvas();
        canvas.Pen()->SetColor(clBlack);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(c.brush);
        panel->DrawLegendSymbolRect({10, 10, 30, 20});
        std::vector<std::string> drawn;
        for (const std::string& line : log.Matching("RECTANGLE"))
            drawn.push_back(line.substr(line.find("pen=")));
        EXPECT_EQ(drawn, c.rectangles) << c.brush;
        EXPECT_EQ(canvas.Pen()->Color(), clBlack);
    }
}

TEST_F(AxisPanelData, HiddenAxesMayStillTakeRoomAndNoAxisTakesItAll) {
    struct Case {
        const char* what;
        std::function<void(TTestAxisPanel*)> setUp;
        int leftShift, topShift; // against the rectangle of a chart whose left axis is hidden
    };
    const Case cases[] = {
        {"hidden left axis", [](TTestAxisPanel* p) { p->LeftAxis()->SetVisible(false); }, 0, 0},
        {"the axes list keeps room for the hidden top axis",
         [](TTestAxisPanel* p) {
             p->LeftAxis()->SetVisible(false);
             p->Axes()->LabelPositionHook = [p](TChartAxis* axis) {
                 return axis == p->TopAxis() ? 30 : 0;
             };
         },
         0, 30},
        {"a title wider than the chart takes nothing",
         [](TTestAxisPanel* p) {
             p->LeftAxis()->Title()->SetCaption("U");
             p->LeftAxis()->SetTitleSize(5000);
         },
         0, 0},
    };
    TRect reference;
    for (const Case& c : cases) {
        TTestAxisPanel* panel = MakePanel();
        AddSeries(panel, Line(3));
        c.setUp(panel);
        Draw(panel);
        if (&c == &cases[0])
            reference = panel->PlotRect();
        EXPECT_EQ(panel->PlotRect().Left - reference.Left, c.leftShift) << c.what;
        EXPECT_EQ(panel->PlotRect().Top - reference.Top, c.topShift) << c.what;
        EXPECT_EQ(panel->PlotRect().Bottom, reference.Bottom) << c.what;
        panel->DestroySeries();
        panel->Free();
    }
}

TEST_F(AxisPanelData, SeriesMadeByClass) {
    TTestAxisPanel* panel = MakePanel();
    TChartSeries* made = panel->AttachSeries(TStraightLineSeries::StaticClass());
    EXPECT_EQ(made->Owner(), panel->Owner());
    EXPECT_EQ(panel->SeriesAt(0), made);
    EXPECT_THROW(panel->AttachSeries(TLogTool::StaticClass()), ChartException);
    EXPECT_EQ(panel->SeriesTotal(), 1);
}

TEST_F(AxisPanelData, AChartThatIsFreedTellsNobodyOfItsSeriesLeaving) {
    TTestAxisPanel* panel = MakePanel();
    TStraightLineSeries* series = AddSeries(panel, Line(2));
    TSeriesEventCounter counter;
    panel->AddListener(&counter);
    int removed = 0;
    panel->OnRemoveSeries = [&](TCustomChartSeries*) { ++removed; };
    panel->Free();
    EXPECT_EQ(removed, 0);
    EXPECT_TRUE(counter.kinds.empty());
    // The series stays with the form, without a chart.
    EXPECT_EQ(series->ParentChart(), nullptr);
    EXPECT_EQ(series->GetHorizAxis(), nullptr);
}
