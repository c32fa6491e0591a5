// The fast line: its one polyline with the column skipping, nulls and stairs, the margins of
// its pen, the hit test, its settings, and a point added without a repaint drawing only its
// segment into the chart's back buffer (or nothing, when there is no valid buffer).

#include "tests/chart/fastline/FastLineTestSupport.h"

#include "chart/draw/ChartPen.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

using namespace fastlinetest;

namespace {

using Calls = std::vector<std::string>;

TEST_F(FastLineFixture, DrawsFromThePointBeforeTheVisibleRangeInIndexOrder) {
    AddSeries({{-2, 10}, {1, 50}, {4, 20}, {7, 90}});
    Draw();
    ASSERT_EQ(series->FirstVisibleIndex(), 1);
    EXPECT_EQ(log->Calls,
              (Calls{Move(At(-2, 10)), Line(At(1, 50)), Line(At(4, 20)), Line(At(7, 90))}));
    EXPECT_EQ(series->LastDrawn(), At(7, 90));

    // From the first point when it is visible: a move there and no segment to it.
    series->XValues()->SetValueAt(0, 0.5);
    Draw();
    ASSERT_EQ(series->FirstVisibleIndex(), 0);
    EXPECT_EQ(log->Calls,
              (Calls{Move(At(0.5, 10)), Line(At(1, 50)), Line(At(4, 20)), Line(At(7, 90))}));
}

TEST_F(FastLineFixture, PointsInOneColumnAreSkippedOnlyWhenNotAllAreDrawn) {
    // Five points a thousandth apart share one pixel column after a point on another.
    AddSeries({{1, 10}, {5, 20}, {5.001, 30}, {5.002, 40}, {5.003, 50}, {5.004, 60}});
    Draw();
    ASSERT_EQ(At(5, 20).X, At(5.004, 60).X);
    EXPECT_EQ(log->Lines().size(), 5u) << "every point drawn";

    series->SetDrawAllPoints(false);
    Draw();
    EXPECT_EQ(log->Lines(), (Calls{Line(At(5, 20))})) << "only the first of the column";

    // With every point drawn only an exact repeat of the last pixel is left out.
    series->SetDrawAllPoints(true);
    series->ClearValues();
    for (auto [x, y] : std::vector<std::pair<double, double>>{{1, 10}, {5, 20}, {5, 20}, {5, 30}})
        series->AddXYValue(x, y);
    Draw();
    EXPECT_EQ(log->Lines(), (Calls{Line(At(5, 20)), Line(At(5, 30))}));
}

TEST_F(FastLineFixture, ManyPointsCollapseToOneSegmentAColumnWhenNotAllAreDrawn) {
    AddSeries({});
    series->BeginUpdate();
    for (int i = 0; i < 100000; ++i)
        series->AddXYValue(i / 10000.0, 50 + 40 * ((i * 7919) % 13 - 6) / 6.0);
    series->EndUpdate();
    series->SetDrawAllPoints(false);
    Draw();
    const TRect plot = chart->PlotRect();
    const auto lines = log->Lines();
    EXPECT_LE(static_cast<int>(lines.size()), plot.Right - plot.Left + 1);
    EXPECT_GE(static_cast<int>(lines.size()), (plot.Right - plot.Left) / 2);
}

TEST_F(FastLineFixture, NullPointsFollowTreatNullsOnlyWhenNotIgnored) {
    AddSeries({{1, 10}});
    series->AddNullPoint(3, 20);
    series->AddXYValue(5, 30);
    series->AddXYValue(7, 40);
    Draw();
    const TPoint p1 = At(1, 10), p3 = At(3, 20), p5 = At(5, 30), p7 = At(7, 40);
    struct Case {
        bool ignore;
        TTreatNullsStyle treat;
        Calls calls;
    };
    const Case cases[] = {
        // Ignored nulls are drawn at their values whatever TreatNulls says.
        {true, tnDontPaint, {Move(p1), Line(p3), Line(p5), Line(p7)}},
        {true, tnSkip, {Move(p1), Line(p3), Line(p5), Line(p7)}},
        {false, tnIgnore, {Move(p1), Line(p3), Line(p5), Line(p7)}},
        // Skipped: the line stays at the last point and joins the next one.
        {false, tnSkip, {Move(p1), Move(p1), Line(p5), Line(p7)}},
        // Not painted: the line breaks at the null and starts again after it.
        {false, tnDontPaint, {Move(p1), Move(p3), Move(p5), Line(p7)}},
    };
    for (const Case& c : cases) {
        series->SetIgnoreNulls(c.ignore);
        series->SetTreatNulls(c.treat);
        Draw();
        EXPECT_EQ(log->Calls, c.calls) << c.ignore << " " << static_cast<int>(c.treat);
    }
}

TEST_F(FastLineFixture, StairsGoAcrossFirstUnlessInverted) {
    AddSeries({{1, 10}, {5, 50}, {8, 30}});
    Draw();
    const TPoint a = At(1, 10), b = At(5, 50), c = At(8, 30);
    series->SetStairs(true);
    Draw();
    EXPECT_EQ(log->Lines(), (Calls{Line({b.X, a.Y}), Line(b), Line({c.X, b.Y}), Line(c)}));
    series->SetInvertedStairs(true);
    Draw();
    EXPECT_EQ(log->Lines(), (Calls{Line({a.X, b.Y}), Line(b), Line({b.X, c.Y}), Line(c)}));
}

TEST_F(FastLineFixture, In3DTheLineRunsAtTheSeriesMiddleDepth) {
    chart->SetView3D(true);
    AddSeries({{1, 10}, {5, 50}});
    Draw();
    const std::string z = " " + std::to_string(series->MiddleZ());
    EXPECT_GT(series->MiddleZ(), 0);
    EXPECT_EQ(log->Calls, (Calls{Move(At(1, 10)) + z, Line(At(5, 50)) + z}));
}

TEST_F(FastLineFixture, MarginsGrowByThePensHalfWidth) {
    AddSeries({{1, 10}});
    const std::pair<int, int> widths[] = {{1, 1}, {2, 2}, {3, 3}, {4, 3}, {6, 4}};
    for (auto [width, margin] : widths) {
        series->LinePen()->SetWidth(width);
        int left = -1, right = -1, top = -1, bottom = -1;
        series->GetHorizMargins(left, right);
        series->GetVertMargins(top, bottom);
        EXPECT_EQ(left, margin) << width;
        EXPECT_EQ(right, margin) << width;
        EXPECT_EQ(top, margin) << width;
        EXPECT_EQ(bottom, margin) << width;
    }
}

TEST_F(FastLineFixture, HitTestFindsPointsAndTheFirstPointOfASegment) {
    AddSeries({{1, 10}, {3, 30}, {5, 20}, {7, 80}});
    Draw();
    const TPoint p2 = At(5, 20), p3 = At(7, 80);
    const TPoint middle{(p2.X + p3.X) / 2, (p2.Y + p3.Y) / 2};
    EXPECT_EQ(series->PointAt(middle.X, middle.Y), 2);
    EXPECT_EQ(series->PointAt(p3.X, p3.Y), 3);
    EXPECT_EQ(series->PointAt(p2.X, p2.Y - 40), -1);

    // Stairs: on the riser at the next point's X, or on the step at the previous point's height.
    series->SetStairs(true);
    const TPoint riser{p3.X, (p2.Y + p3.Y) / 2};
    const TPoint step{(p2.X + p3.X) / 2, p2.Y};
    EXPECT_EQ(series->PointAt(riser.X, riser.Y), 2);
    EXPECT_EQ(series->PointAt(step.X, step.Y), 2);
    EXPECT_EQ(series->PointAt(middle.X, middle.Y), -1) << "the slanted line is not drawn";
    // The test keeps to that shape when the stairs are drawn inverted.
    series->SetInvertedStairs(true);
    EXPECT_EQ(series->PointAt(riser.X, riser.Y), 2);
    EXPECT_EQ(series->PointAt(step.X, step.Y), 2);

    series->ClearValues();
    Draw();
    EXPECT_EQ(series->PointAt(middle.X, middle.Y), -1) << "no point visible";
}

TEST_F(FastLineFixture, SettingsPenColourAndCopies) {
    AddSeries({});
    EXPECT_TRUE(series->AutoRepaint());
    EXPECT_TRUE(series->DrawAllPoints());
    EXPECT_TRUE(series->IgnoreNulls());
    EXPECT_EQ(series->TreatNulls(), tnIgnore);
    EXPECT_EQ(series->EditorClassName(), "TFastLineSeriesEditor");

    series->SetSeriesColor(clRed);
    EXPECT_EQ(series->LinePen()->Color(), clRed);
    TChartPen pen;
    pen.SetColor(clBlue);
    pen.SetWidth(3);
    series->SetLinePen(&pen);
    EXPECT_EQ(series->SeriesColor(), clBlue);
    EXPECT_EQ(series->LinePen()->Width(), 3);

    series->SetAutoRepaint(false);
    series->SetDrawAllPoints(false);
    series->SetIgnoreNulls(false);
    series->SetInvertedStairs(true);
    series->SetStairs(true);
    series->SetTreatNulls(tnSkip);
    TFastLineSeries copy(owner);
    copy.Assign(series);
    EXPECT_FALSE(copy.AutoRepaint());
    EXPECT_FALSE(copy.DrawAllPoints());
    EXPECT_FALSE(copy.IgnoreNulls());
    EXPECT_TRUE(copy.InvertedStairs());
    EXPECT_TRUE(copy.Stairs());
    EXPECT_EQ(copy.TreatNulls(), tnSkip);
}

TEST_F(FastLineFixture, DescriptionsStoreOnlyChangedSettings) {
    AddSeries({});
    const std::string plain = ComponentToText(series);
    for (const char* name : {"AutoRepaint", "DrawAllPoints", "IgnoreNulls", "Stairs", "TreatNulls"})
        EXPECT_EQ(plain.find(name), std::string::npos) << name << " in\n" << plain;

    series->SetAutoRepaint(false);
    series->SetStairs(true);
    series->SetTreatNulls(tnDontPaint);
    series->LinePen()->SetWidth(3);
    const std::string text = ComponentToText(series);
    TFastLineSeries read(nullptr);
    ReadComponentDescription(text, &read);
    EXPECT_FALSE(read.AutoRepaint()) << text;
    EXPECT_TRUE(read.Stairs());
    EXPECT_EQ(read.TreatNulls(), tnDontPaint);
    EXPECT_EQ(read.LinePen()->Width(), 3);
    EXPECT_TRUE(read.DrawAllPoints());
}

TEST_F(FastLineFixture, LegendSymbolIsALineAcrossTheMiddle) {
    AddSeries({{1, 10}});
    series->SetSeriesColor(clGreen);
    Draw();
    log->AttachCanvas(bitmap->Canvas());
    log->Calls.clear();
    series->DrawLegendShape(0, {10, 20, 50, 31});
    EXPECT_EQ(log->Calls, (Calls{"move 10 25", "line 50 25"}));
    EXPECT_EQ(log->Pen()->Color(), clGreen);
    log->AttachCanvas(nullptr);
}

// ---- points added without a repaint -----------------------------------------------------------

class FastLineWindow : public FastLineFixture {
protected:
    void SetUp() override {
        FastLineFixture::SetUp();
        form = new TForm(nullptr);
        form->SetBounds(0, 0, 420, 320);
        form->Show();
        chart->OnBeforeDrawChart = [this](TObject*) { ++drawings; };
        AddSeries({{1, 10}, {3, 40}});
        series->SetSeriesColor(clRed);
        series->SetAutoRepaint(false);
        series->OnAfterAdd = [this](TChartSeries*, int) { ++added; };
    }
    void TearDown() override {
        chart->SetParent(nullptr);
        FastLineFixture::TearDown();
        form->Free();
    }
    void Show() {
        chart->SetParent(form);
        chart->SetBounds(0, 0, 400, 300);
        Grab(chart);
    }

    TForm* form = nullptr;
    int drawings = 0;
    int added = 0;
};

TEST_F(FastLineWindow, AnAddedPointDrawsOnlyItsSegmentIntoTheBuffer) {
    Show();
    ASSERT_EQ(drawings, 1);
    const TPoint from = At(3, 40), to = At(6, 90);
    const TPoint middle{(from.X + to.X) / 2, (from.Y + to.Y) / 2};
    EXPECT_NE(charttest::PixelAt(Grab(chart), middle.X, middle.Y), clRed);

    log->Calls.clear();
    series->AddXYValue(6, 90);
    EXPECT_EQ(log->Calls, (Calls{Move(from), Line(to)}));
    const QImage after = Grab(chart);
    charttest::SavePicture(after, "fastline-appended");
    EXPECT_EQ(charttest::PixelAt(after, middle.X, middle.Y), clRed);
    EXPECT_EQ(drawings, 1) << "the chart is not drawn again";
    EXPECT_EQ(added, 0) << "no OnAfterAdd when drawing at once";
    EXPECT_EQ(series->Count(), 3);

    // The segment is clipped to the plot like the drawn series.
    log->Calls.clear();
    series->AddXYValue(12, 50);
    const QImage clipped = Grab(chart);
    const TRect plot = chart->PlotRect();
    EXPECT_NE(charttest::PixelAt(clipped, plot.Right + 3, (At(6, 90).Y + At(12, 50).Y) / 2), clRed);
    EXPECT_EQ(log->Lines().size(), 1u);
}

TEST_F(FastLineWindow, WithoutAValidBufferAnAddedPointOnlyAsksForADrawing) {
    // Never drawn: nothing is drawn at positions of axes not set up yet.
    log->Calls.clear();
    EXPECT_NO_THROW(series->AddXYValue(5, 60));
    EXPECT_TRUE(log->Calls.empty());
    EXPECT_EQ(drawings, 0);

    // Shown, then its buffer made stale: the next paint draws the whole chart with the point.
    Show();
    ASSERT_EQ(drawings, 1);
    chart->Invalidate();
    log->Calls.clear();
    series->AddXYValue(7, 20);
    EXPECT_TRUE(log->Calls.empty()) << "nothing drawn over a stale buffer";
    const QImage image = Grab(chart);
    EXPECT_EQ(drawings, 2);
    EXPECT_EQ(log->Lines().back(), Line(At(7, 20)));
    EXPECT_EQ(added, 0);
}

TEST_F(FastLineWindow, In3DAnAddedPointsSegmentRunsAtTheMiddleDepth) {
    chart->SetView3D(true);
    Show();
    ASSERT_EQ(drawings, 1);
    const std::string z = " " + std::to_string(series->MiddleZ());
    const TPoint from = At(3, 40), to = At(6, 90);
    log->Calls.clear();
    series->AddXYValue(6, 90);
    EXPECT_EQ(log->Calls, (Calls{Move(from) + z, Line(to) + z}));
    // The projected segment is in the window without the chart drawn again.
    TCanvas3D& canvas = *chart->DrawCanvas();
    const TPoint a = canvas.Project(from.X, from.Y, series->MiddleZ());
    const TPoint b = canvas.Project(to.X, to.Y, series->MiddleZ());
    const QImage after = Grab(chart);
    EXPECT_EQ(charttest::PixelAt(after, (a.X + b.X) / 2, (a.Y + b.Y) / 2), clRed);
    EXPECT_EQ(drawings, 1);
}

TEST_F(FastLineWindow, WithAutoRepaintAnAddedPointRepaintsTheChart) {
    Show();
    series->SetAutoRepaint(true);
    log->Calls.clear();
    series->AddXYValue(6, 90);
    EXPECT_TRUE(log->Calls.empty()) << "drawn by the next paint only";
    EXPECT_EQ(added, 1);
    Grab(chart);
    EXPECT_EQ(drawings, 2);
}

} // namespace
