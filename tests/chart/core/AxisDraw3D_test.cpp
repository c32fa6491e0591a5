// Axes in the default orthogonal 3D view: grids on the back wall and along the floor and side
// wall, the depth axis with the series' names, labels at the axis' depth, solid axis lines; and
// pictures of a 2D and a 3D set of axes to look at.

#include "AxisDrawTestSupport.h"

#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {

constexpr int Depth = 40;

class AxisDraw3DTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TAxisScene scene{400, 300, {70, 50, 310, 240}, Depth};
    TChartSeries first{nullptr}, second{nullptr};
    TChartAxis* bottom = scene.chart.BottomAxis();
    TChartAxis* left = scene.chart.LeftAxis();
    TChartAxis* top = scene.chart.TopAxis();
    TChartAxis* depth = scene.chart.DepthAxis();

    void SetUp() override {
        for (TChartSeries* s : {&first, &second}) {
            s->SetParentChart(&scene.chart);
            s->SetHorizAxis(aBothHorizAxis);
            s->AddXYValue(0, 0);
            s->AddXYValue(100, 100);
        }
        first.SetTitle("Напряжение");
        second.SetTitle("Порог");
        for (TChartAxis* axis : {bottom, left, top})
            axis->SetIncrement(20);
        depth->SetMinMax(-0.5, 1.5); // two depth slots
        scene.Fit({bottom, top, left, depth});
    }
    // Only the grid of an axis is drawn.
    static void GridOnly(TChartAxis* axis) {
        for (TChartPen* pen :
             {static_cast<TChartPen*>(axis->Axis()), static_cast<TChartPen*>(axis->Ticks()),
              static_cast<TChartPen*>(axis->TicksInner()),
              static_cast<TChartPen*>(axis->MinorTicks())})
            pen->SetVisible(false);
    }
    TPoint At(int x, int y, int z) { return scene.canvas.Project(x, y, z); }
    std::vector<std::pair<TPoint, TPoint>> Drawn() const {
        std::vector<std::pair<TPoint, TPoint>> lines;
        for (const TDrawnLine& l : scene.Lines())
            lines.emplace_back(l.from, l.to);
        return lines;
    }
};

// With the axes behind the series, grid lines lie on the back wall and run from it to the
// grid's depth along the side wall (vertical axes) or the floor (horizontal ones); tools may hide
// either part. In front of the series they lie at depth 0.
TEST_F(AxisDraw3DTest, GridsOnTheWalls) {
    GridOnly(left);
    GridOnly(bottom);
    const TRect r = scene.chart.chartRect;
    struct Case {
        bool hideBack, hideSide, behind;
    } cases[] = {
        {false, false, true}, {true, false, true}, {false, true, true}, {false, false, false}};
    for (const Case& c : cases) {
        left->SetHideBackGrid(c.hideBack);
        left->SetHideSideGrid(c.hideSide);
        scene.chart.axisBehind = c.behind;
        scene.Draw({left});
        std::vector<std::pair<TPoint, TPoint>> expected;
        for (int v : {80, 60, 40, 20}) {
            const int g = left->PixelOf(v);
            if (!c.behind) {
                expected.emplace_back(At(r.Left + 1, g, 0), At(r.Right, g, 0));
                continue;
            }
            if (!c.hideBack)
                expected.emplace_back(At(r.Left, g, Depth), At(r.Right, g, Depth));
            if (!c.hideSide)
                expected.emplace_back(At(r.Left, g, Depth), At(r.Left, g, 0));
        }
        EXPECT_EQ(Drawn(), expected) << c.hideBack << c.hideSide << c.behind;
    }
    scene.chart.axisBehind = true;

    // The bottom axis: back wall and floor. The top axis' grid starts at the back, so it has
    // no part along the floor.
    scene.Draw({bottom});
    std::vector<std::pair<TPoint, TPoint>> expected;
    for (int v : {80, 60, 40, 20}) {
        const int g = bottom->PixelOf(v);
        expected.emplace_back(At(g, r.Top, Depth), At(g, r.Bottom, Depth));
        expected.emplace_back(At(g, r.Bottom, Depth), At(g, r.Bottom, 0));
    }
    EXPECT_EQ(Drawn(), expected);
    GridOnly(top);
    scene.Draw({top});
    expected.clear();
    for (int v : {80, 60, 40, 20})
        expected.emplace_back(At(top->PixelOf(v), r.Top, Depth),
                              At(top->PixelOf(v), r.Bottom, Depth));
    EXPECT_EQ(Drawn(), expected);
}

// The depth axis names the series, one per slot, beside its line along the depth at the
// chart's bottom right; its ticks and grid lie at the slots' depths.
TEST_F(AxisDraw3DTest, DepthAxis) {
    ASSERT_EQ(depth->EffectiveLabelStyle(), talText);
    depth->Grid()->SetVisible(false);
    depth->MinorTicks()->SetVisible(false);
    depth->TicksInner()->SetVisible(false);
    scene.Draw({depth});
    const TRect r = scene.chart.chartRect;
    const int across = depth->DepthAxisPosition();
    EXPECT_EQ(across, r.Bottom);
    const int pos = depth->AxisPosition();
    EXPECT_EQ(pos, r.Right);
    scene.canvas.SelectFont(depth->LabelsFont());
    const int h = scene.canvas.CharHeight();
    // Its labels' room is the widest series title.
    EXPECT_EQ(depth->LabelsRoom(), scene.canvas.MeasureTextWidth("Напряжение"));
    const std::vector<TDrawnText> texts = scene.Texts();
    ASSERT_EQ(scene.TextsOnly(), (std::vector<std::string>{"Напряжение", "Порог"}));
    const double values[] = {1.0, 0.0}; // the first series lies deeper
    for (int i = 0; i < 2; ++i) {
        const int z = depth->PixelOf(values[i]);
        EXPECT_EQ(TPoint(texts[i].x, texts[i].y), At(depth->LabelsPosition(), across, z + h / 2));
        EXPECT_EQ(texts[i].align, TA_LEFT);
    }
    EXPECT_EQ(depth->TickPositions(), (std::vector<int>{depth->PixelOf(1.0), depth->PixelOf(0.0)}));
    std::vector<std::pair<TPoint, TPoint>> expected{
        {At(pos, r.Bottom, depth->StartPixel()), At(pos, r.Bottom, depth->EndPixel())}};
    for (int z : depth->TickPositions())
        expected.emplace_back(At(pos + 1, across, z), At(pos + 1 + depth->TickLength(), across, z));
    EXPECT_EQ(Drawn(), expected);

    // Its grid crosses the left wall and the floor at each slot's depth.
    GridOnly(depth);
    depth->Grid()->SetVisible(true);
    scene.Draw({depth});
    expected.clear();
    for (int z : depth->TickPositions()) {
        expected.emplace_back(At(r.Left, r.Top, z), At(r.Left, r.Bottom, z));
        expected.emplace_back(At(r.Left, r.Bottom, z), At(r.Right, r.Bottom, z));
    }
    EXPECT_EQ(Drawn(), expected);
}

// A depth range far beyond the series is labelled up to a bound, not for ever.
TEST_F(AxisDraw3DTest, DepthLabelsAreBounded) {
    depth->SetMinMax(-1e9, 1e9);
    scene.chart.Layout();
    depth->SetLabels(false);
    depth->SetTickOnLabelsOnly(false);
    scene.Draw({depth});
    EXPECT_EQ(depth->TickPositions().size(), 10000u);
}

// Labels of an axis lie at its depth: the top axis' at the back.
TEST_F(AxisDraw3DTest, LabelsAtTheAxisDepth) {
    EXPECT_EQ(top->ZPixel(), Depth);
    scene.Draw({top, bottom});
    const std::vector<TDrawnText> texts = scene.Texts();
    ASSERT_EQ(texts.size(), 12u);
    for (int i = 0; i < 6; ++i) {
        const int v = 100 - 20 * i;
        EXPECT_EQ(TPoint(texts[i].x, texts[i].y),
                  At(top->PixelOf(v), top->LabelsPosition(), Depth));
        EXPECT_EQ(TPoint(texts[i + 6].x, texts[i + 6].y),
                  At(bottom->PixelOf(v), bottom->LabelsPosition(), 0));
    }
}

// In 3D a click is tested against the axis as projected: the top axis at the back.
TEST_F(AxisDraw3DTest, ClickedAtTheProjectedAxis) {
    scene.Draw({top, bottom});
    const int middle = (top->StartPixel() + top->EndPixel()) / 2;
    const TPoint back = At(middle, top->AxisPosition(), Depth);
    EXPECT_TRUE(top->ClickedAt(back.X, back.Y));
    EXPECT_FALSE(top->ClickedAt(middle, top->AxisPosition())); // where it would be flat
    const TPoint front = At(middle, bottom->AxisPosition(), 0);
    EXPECT_TRUE(bottom->ClickedAt(front.X, front.Y));
}

// Solid axis lines: a cylinder or a bar in the pen's colour, no line.
TEST_F(AxisDraw3DTest, SolidAxisLines) {
    GridOnly(left);
    left->Grid()->SetVisible(false);
    left->Axis()->SetVisible(true);
    left->Axis()->SetColor(0x00C000);
    for (TPenLineMode mode : {lmCylinder, lmRectangle}) {
        left->Axis()->SetLineMode(mode);
        scene.Draw({left});
        EXPECT_TRUE(scene.Lines().empty());
        int filled = 0;
        for (const std::string& line : scene.log.Lines())
            filled += line.find("brush=00C000") != std::string::npos;
        EXPECT_GT(filled, 0) << mode;
    }
}

// A 2D and a 3D set of axes, written for a look: every text inside the picture.
TEST(AxisPictures, TwoAndThreeDimensions) {
    ChartCoreSession session;
    for (const int depth : {0, Depth}) {
        // In 3D the chart keeps room for the depth above and to the right.
        TAxisScene scene(480, 320, {10, 10 + depth, 470 - depth, 310}, depth);
        TChartSeries first(nullptr), second(nullptr);
        for (TChartSeries* s : {&first, &second}) {
            s->SetParentChart(&scene.chart);
            s->SetHorizAxis(aBothHorizAxis);
            s->SetVertAxis(aBothVertAxis);
            s->AddXYValue(0, -5);
            s->AddXYValue(2000, 35);
        }
        first.SetTitle("Напряжение");
        second.SetTitle("Порог");
        TTestChart& chart = scene.chart;
        chart.BottomAxis()->Title()->SetCaption("Нижняя ось");
        chart.TopAxis()->Title()->SetCaption("Верхняя ось");
        chart.LeftAxis()->Title()->SetCaption("Левая ось");
        chart.RightAxis()->Title()->SetCaption("Правая ось");
        chart.RightAxis()->SetLabelsAngle(90);
        chart.TopAxis()->SetLabelsAlternate(true);
        chart.LeftAxis()->MinorGrid()->SetVisible(true);
        chart.LeftAxis()->MinorGrid()->SetColor(0xE0E0E0);
        chart.DepthAxis()->SetMinMax(-0.5, 1.5);
        std::vector<TChartAxis*> axes{chart.BottomAxis(), chart.TopAxis(), chart.LeftAxis(),
                                      chart.RightAxis()};
        if (depth > 0) {
            chart.DepthAxis()->Title()->SetCaption("Глубина");
            axes.push_back(chart.DepthAxis());
            scene.Fit({chart.BottomAxis(), chart.TopAxis(), chart.LeftAxis(), chart.RightAxis(),
                       chart.DepthAxis()});
            scene.Draw({chart.BottomAxis(), chart.TopAxis(), chart.LeftAxis(), chart.RightAxis(),
                        chart.DepthAxis()});
        } else {
            scene.Fit({chart.BottomAxis(), chart.TopAxis(), chart.LeftAxis(), chart.RightAxis()});
            scene.Draw({chart.BottomAxis(), chart.TopAxis(), chart.LeftAxis(), chart.RightAxis()});
        }
        const std::string path = scene.Save(depth ? "axes-3d" : "axes-2d");
        EXPECT_FALSE(path.empty());
        const std::vector<TDrawnText> texts = scene.Texts();
        EXPECT_GT(texts.size(), 20u);
        for (const TDrawnText& t : texts) {
            EXPECT_GE(t.x, 0) << t.text;
            EXPECT_LT(t.x, 480) << t.text;
            EXPECT_GE(t.y, 0) << t.text;
            EXPECT_LT(t.y, 320) << t.text;
        }
    }
}

} // namespace
