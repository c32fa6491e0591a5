#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/ColorBandTool.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Cursors.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <memory>
#include <string>

namespace {

using charttest::PixelAt;
using tooltest::DifferingPixels;

class ColorBandToolTest : public tooltest::ToolChartFixture {
protected:
    TColorBandTool* AddBand(TChartAxis* axis, double start, double end) {
        auto* band = new TColorBandTool(form);
        band->SetAxis(axis);
        band->SetStartValue(start);
        band->SetEndValue(end);
        band->SetColor(clYellow);
        band->OnClick = [this](TObject*, TMouseButton, TShiftState, int, int) { ++clicks; };
        band->OnResized = [this](TObject*) { ++resized; };
        return band;
    }
    int MidY() const { return (chart->PlotRect().Top + chart->PlotRect().Bottom) / 2; }
    int MidX() const { return (chart->PlotRect().Left + chart->PlotRect().Right) / 2; }

    int clicks = 0;
    int resized = 0;
};

TEST_F(ColorBandToolTest, TheBandRectangleLiesBetweenItsValuesWithinTheAxis) {
    const TRect plot = chart->PlotRect();
    TChartAxis* bottom = chart->BottomAxis();
    TChartAxis* left = chart->LeftAxis();
    struct Case {
        const char* what;
        TChartAxis* axis;
        double start, end;
        bool penVisible;
        TRect expected;
    };
    const Case cases[] = {
        {"bottom 2..5",
         bottom,
         2,
         5,
         true,
         {bottom->PixelOf(2), plot.Top, bottom->PixelOf(5) + 1, plot.Bottom}},
        {"bottom 5..2, values exchanged",
         bottom,
         5,
         2,
         true,
         {bottom->PixelOf(2), plot.Top, bottom->PixelOf(5) + 1, plot.Bottom}},
        {"bottom -5..3, cut at the axis start",
         bottom,
         -5,
         3,
         false,
         {bottom->StartPixel(), plot.Top, bottom->PixelOf(3), plot.Bottom}},
        {"bottom 12..15, beyond the maximum", bottom, 12, 15, true, {0, 0, 0, 0}},
        {"left 20..60",
         left,
         20,
         60,
         true,
         {plot.Left + 1, left->PixelOf(60), plot.Right, left->PixelOf(20) + 1}},
        {"left 20..60 without a pen",
         left,
         20,
         60,
         false,
         {plot.Left + 1, left->PixelOf(60), plot.Right + 1, left->PixelOf(20) + 2}},
        {"left 120..150, above the maximum", left, 120, 150, true, {0, 0, 0, 0}},
        {"left -30..-10, below the minimum", left, -30, -10, true, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        TColorBandTool* band = AddBand(c.axis, c.start, c.end);
        band->Pen()->SetVisible(c.penVisible);
        const TRect r = band->BandRect();
        EXPECT_EQ(r.Left, c.expected.Left) << c.what;
        EXPECT_EQ(r.Top, c.expected.Top) << c.what;
        EXPECT_EQ(r.Right, c.expected.Right) << c.what;
        EXPECT_EQ(r.Bottom, c.expected.Bottom) << c.what;
        band->Free();
    }
}

TEST_F(ColorBandToolTest, OnAnInvertedAxisTheBandAndItsEdgesStayInPlace) {
    TChartAxis* bottom = chart->BottomAxis();
    bottom->SetInverted(true);
    TColorBandTool* band = AddBand(bottom, 2, 5);
    Repaint();
    ASSERT_LT(bottom->PixelOf(5), bottom->PixelOf(2));
    const TRect r = band->BandRect();
    EXPECT_EQ(r.Left, bottom->PixelOf(5));
    EXPECT_EQ(r.Right, bottom->PixelOf(2) + 1);
    // An edge dragged past the axis' end (its left on the inverted axis) stops at the maximum.
    band->SetResizeEnd(true);
    Repaint();
    const int edge = bottom->PixelOf(5);
    Press(edge, MidY());
    MoveTo(2, MidY());
    Release(2, MidY());
    EXPECT_DOUBLE_EQ(band->EndValue(), bottom->PixelToValue(bottom->StartPixel()));
    EXPECT_NEAR(band->EndValue(), 10, 1e-9);
    EXPECT_EQ(resized, 1);
}

TEST_F(ColorBandToolTest, ABandOutsideTheAxisDrawsNothingAndHearsNoClick) {
    const QImage empty = Repaint();
    TColorBandTool* band = AddBand(chart->LeftAxis(), 120, 150);
    EXPECT_EQ(DifferingPixels(Repaint(), empty), 0);
    Press(MidX(), MidY());
    Release(MidX(), MidY());
    EXPECT_EQ(clicks, 0);
    // Brought into the range, it is drawn and clicked.
    band->SetStartValue(20);
    band->SetEndValue(60);
    const QImage drawn = Repaint();
    EXPECT_EQ(PixelAt(drawn, MidX(), chart->LeftAxis()->PixelOf(40)), clYellow);
    EXPECT_NE(PixelAt(drawn, MidX(), chart->LeftAxis()->PixelOf(80)), clYellow);
    Press(MidX(), chart->LeftAxis()->PixelOf(40));
    Release(MidX(), chart->LeftAxis()->PixelOf(40));
    Press(MidX(), chart->LeftAxis()->PixelOf(80));
    Release(MidX(), chart->LeftAxis()->PixelOf(80));
    EXPECT_EQ(clicks, 1);
}

TEST_F(ColorBandToolTest, BehindTheSeriesOrOverTheChartAndSeeThrough) {
    TLineSeries* series = AddSeries({{0, 40}, {10, 40}});
    series->SetSeriesColor(clBlue);
    TColorBandTool* band = AddBand(chart->LeftAxis(), 20, 60);
    Repaint();
    const int y = chart->LeftAxis()->PixelOf(40);
    struct Case {
        bool behind;
        int transparency;
        bool seriesShown;
    };
    const Case cases[] = {{true, 0, true}, {false, 0, false}, {false, 50, false}};
    for (const Case& c : cases) {
        band->SetDrawBehind(c.behind);
        band->SetTransparency(c.transparency);
        const QImage picture = Repaint();
        const TColor onSeries = PixelAt(picture, MidX(), y);
        // Beside the grid line in the middle.
        const TColor beside = PixelAt(picture, MidX() + 7, y + 10);
        EXPECT_EQ(onSeries == clBlue, c.seriesShown) << c.behind << " " << c.transparency;
        if (c.transparency == 0) {
            EXPECT_EQ(beside, clYellow);
        } else {
            // Half yellow over the light chart: the blue channel lies between.
            EXPECT_GT(GetRValue(beside), 230);
            EXPECT_GT(GetBValue(beside), 60);
            EXPECT_LT(GetBValue(beside), 200);
        }
    }
}

TEST_F(ColorBandToolTest, APictureFillsTheBandAndTheBandKeepsItsMouseShape) {
    TColorBandTool* band = AddBand(chart->BottomAxis(), 2, 5);
    band->Pen()->SetVisible(false);
    auto bitmap = std::make_unique<TBitmap>(4, 4);
    bitmap->Canvas()->Brush()->SetColor(clGreen);
    bitmap->Canvas()->FillRect({0, 0, 4, 4});
    band->Picture()->SetGraphic(std::move(bitmap));
    EXPECT_TRUE(band->HasPicture());
    const QImage picture = Repaint();
    const int inside = chart->BottomAxis()->PixelOf(3.5) + 3;
    EXPECT_EQ(PixelAt(picture, inside, MidY() + 7), clGreen);
    EXPECT_NE(PixelAt(picture, chart->BottomAxis()->PixelOf(6.5), MidY() + 7), clGreen);
    // Freed, the colour fills the band again.
    band->SetPicture(nullptr);
    EXPECT_EQ(PixelAt(Repaint(), inside, MidY() + 7), clYellow);
    band->SetCursor(crHandPoint);
    chart->SetCursor(crDefault);
    MoveTo(inside, MidY() + 7, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crHandPoint);
    chart->SetCursor(crDefault);
    MoveTo(chart->BottomAxis()->PixelOf(6.5), MidY() + 7, Qt::NoButton);
    EXPECT_EQ(chart->Cursor(), crDefault);
}

TEST_F(ColorBandToolTest, DraggingTheEndLineMovesTheEndValueAtEachStepAndTellsOnceAtTheEnd) {
    TColorBandTool* band = AddBand(chart->BottomAxis(), 2, 5);
    band->SetResizeEnd(true);
    band->EndLinePen()->SetColor(clRed);
    const QImage first = Paint();
    const int from = chart->BottomAxis()->PixelOf(5);
    EXPECT_EQ(PixelAt(first, from, MidY()), clRed);
    Press(from, MidY());
    EXPECT_TRUE(band->EndLine()->Dragging());
    for (int step = 1; step <= 3; ++step) {
        MoveTo(from + 20 * step, MidY());
        EXPECT_DOUBLE_EQ(band->EndValue(), chart->BottomAxis()->PixelToValue(from + 20 * step))
            << step;
        EXPECT_DOUBLE_EQ(band->EndLine()->Value(), band->EndValue());
        EXPECT_EQ(resized, 0);
        const QImage during = Paint();
        EXPECT_EQ(PixelAt(during, from + 20 * step, MidY()), clRed) << step;
    }
    Release(from + 60, MidY());
    EXPECT_EQ(resized, 1);
    EXPECT_DOUBLE_EQ(band->StartValue(), 2);
    // A press on the start edge, which cannot be dragged, moves nothing.
    const int start = chart->BottomAxis()->PixelOf(2);
    Press(start, MidY());
    MoveTo(start - 30, MidY());
    Release(start - 30, MidY());
    EXPECT_DOUBLE_EQ(band->StartValue(), 2);
    EXPECT_EQ(resized, 1);
}

TEST_F(ColorBandToolTest, AssignedTheBandTakesTheSettingsAndKeepsItsEdgesToItself) {
    TColorBandTool* source = AddBand(chart->BottomAxis(), 3, 6);
    source->SetResizeEnd(true);
    source->SetDrawBehindAxes(true);
    source->EndLinePen()->SetColor(clRed);
    auto* copy = new TColorBandTool(form);
    copy->Assign(source);
    EXPECT_EQ(copy->Axis(), chart->BottomAxis());
    EXPECT_DOUBLE_EQ(copy->StartValue(), 3);
    EXPECT_DOUBLE_EQ(copy->EndValue(), 6);
    EXPECT_TRUE(copy->ResizeEnd());
    EXPECT_FALSE(copy->ResizeStart());
    EXPECT_TRUE(copy->DrawBehindAxes());
    EXPECT_EQ(copy->Color(), clYellow);
    EXPECT_EQ(copy->EndLinePen()->Color(), clRed);
    EXPECT_EQ(chart->Tools()->IndexOf(copy), chart->Tools()->IndexOf(source) + 1);
    EXPECT_EQ(chart->Tools()->IndexOf(copy->EndLine()), -1);
    EXPECT_EQ(copy->EndLine()->TargetChart(), chart);
    EXPECT_EQ(copy->EndLine()->Axis(), chart->BottomAxis());
}

TEST_F(ColorBandToolTest, AnEmptyPictureIsNotWrittenAndTheEdgesFollowTheValuesRead) {
    form->SetName("Form1");
    chart->SetName("Chart1");
    TColorBandTool* band = AddBand(chart->BottomAxis(), 3, 7);
    band->SetName("Band1");
    band->SetResizeStart(true);
    band->SetTransparency(30);
    ASSERT_NE(band->Picture(), nullptr);
    const std::string text = ComponentToText(form);
    EXPECT_EQ(text.find("Picture"), std::string::npos) << text;
    auto* read = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), read);
    auto* readBand = dynamic_cast<TColorBandTool*>(read->FindComponent("Band1"));
    ASSERT_NE(readBand, nullptr);
    EXPECT_DOUBLE_EQ(readBand->StartValue(), 3);
    EXPECT_DOUBLE_EQ(readBand->EndValue(), 7);
    EXPECT_DOUBLE_EQ(readBand->StartLine()->Value(), 3);
    EXPECT_DOUBLE_EQ(readBand->EndLine()->Value(), 7);
    EXPECT_TRUE(readBand->ResizeStart());
    EXPECT_FALSE(readBand->ResizeEnd());
    EXPECT_EQ(readBand->Transparency(), 30);
    EXPECT_EQ(readBand->Color(), clYellow);
    EXPECT_FALSE(readBand->HasPicture());
    // The edges are drawn by the band, not by the chart's tools.
    auto* readChart = dynamic_cast<TCustomAxisPanel*>(read->FindComponent("Chart1"));
    ASSERT_NE(readChart, nullptr);
    EXPECT_EQ(readChart->Tools()->IndexOf(readBand->StartLine()), -1);
    EXPECT_EQ(readBand->StartLine()->TargetChart(), readChart);
    read->Free();
}

} // namespace
