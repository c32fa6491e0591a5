// Line series read from a form description and drawn, and pictures of the family for a person
// to look at (<build>/chart-pictures/).

#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace seriestest;

namespace {

const std::string kPowerForm = "object Form1: TForm\n"
                               "  object Chart1: TChart\n"
                               "    Left = 0\n"
                               "    Top = 0\n"
                               "    Width = 400\n"
                               "    Height = 300\n"
                               "    Legend.Visible = False\n"
                               "    View3D = False\n"
                               "    object Series1: TLineSeries\n"
                               "      SeriesColor = clGreen\n"
                               "      Title = 'Напряжение'\n"
                               "      Pointer.Style = psDiamond\n"
                               "      Pointer.Visible = True\n"
                               "      XValues.DateTime = True\n"
                               "    end\n"
                               "    object Series2: TLineSeries\n"
                               "      SeriesColor = clRed\n"
                               "      Title = 'Порог'\n"
                               "      LinePen.Color = clRed\n"
                               "      LinePen.Width = 2\n"
                               "      TreatNulls = tnSkip\n"
                               "    end\n"
                               "  end\n"
                               "end\n";

TEST(LineSeriesForms, AChartWithTwoLineSeriesLoadsFromItsDescriptionAndDraws) {
    auto* form = new TForm(nullptr);
    ReadComponentDescription(ObjectTextToBinary(kPowerForm), form);
    auto* chart = dynamic_cast<TChart*>(form->FindComponent("Chart1"));
    auto* voltage = dynamic_cast<TLineSeries*>(form->FindComponent("Series1"));
    auto* threshold = dynamic_cast<TLineSeries*>(form->FindComponent("Series2"));
    ASSERT_NE(chart, nullptr);
    ASSERT_NE(voltage, nullptr);
    ASSERT_NE(threshold, nullptr);
    ASSERT_EQ(chart->SeriesCount(), 2);
    EXPECT_EQ(chart->SeriesAt(0), voltage);
    EXPECT_EQ(voltage->Title(), "Напряжение");
    EXPECT_TRUE(voltage->Pointer()->Visible());
    EXPECT_EQ(voltage->Pointer()->Style(), psDiamond);
    EXPECT_TRUE(voltage->XValues()->DateTime());
    EXPECT_EQ(threshold->LinePen()->Width(), 2);
    EXPECT_EQ(threshold->TreatNulls(), tnSkip);
    EXPECT_FALSE(threshold->Pointer()->Visible());

    chart->LeftAxis()->SetAutomatic(false);
    chart->LeftAxis()->SetMinMax(6, 30);
    chart->BottomAxis()->SetAutomatic(false);
    chart->BottomAxis()->SetMinMax(0, 10);
    for (int i = 0; i <= 10; ++i)
        voltage->AddXYValue(i, 10 + i, "", clGreen);
    threshold->AddXYValue(0, 25, "", clRed);
    threshold->AddXYValue(10, 25, "", clRed);
    TBitmap bitmap(400, 300);
    chart->DrawToCanvas(bitmap.Canvas(), {0, 0, 400, 300});
    bitmap.Canvas()->Flush();
    const QImage image = TGraphicsQt::Image(bitmap);
    charttest::SavePicture(image, "series-power-form");
    // The red threshold runs along its row, the green line through its points.
    const int thresholdY = chart->LeftAxis()->PixelOfY(25);
    for (int x : {chart->BottomAxis()->PixelOfX(2.5), chart->BottomAxis()->PixelOfX(7.5)})
        EXPECT_EQ(charttest::PixelAt(image, x, thresholdY), clRed) << x;
    const int midX = chart->BottomAxis()->PixelOfX(4.5);
    const int midY = chart->LeftAxis()->PixelOfY(14.5);
    bool green = false;
    for (int dy = -1; dy <= 1; ++dy)
        green = green || charttest::PixelAt(image, midX, midY + dy) == clGreen;
    EXPECT_TRUE(green);
    // Written back as line series with their own settings.
    const std::string written = ComponentToText(form);
    EXPECT_NE(written.find("object Series1: TLineSeries"), std::string::npos) << written;
    EXPECT_NE(written.find("Pointer.Style = psDiamond"), std::string::npos) << written;
    EXPECT_NE(written.find("TreatNulls = tnSkip"), std::string::npos) << written;
    form->Free();
}

class LinePictures : public SeriesFixture {};

TEST_F(LinePictures, LinePointAndStairsSeriesIn2D) {
    TLineSeries* line = AddSeries();
    line->SetSeriesColor(clBlue);
    line->Pointer()->SetVisible(true);
    line->Pointer()->SetStyle(psDiamond);
    TLineSeries* stairs = AddSeries();
    stairs->SetSeriesColor(clRed);
    stairs->SetStairs(true);
    stairs->LinePen()->SetWidth(2);
    auto* points = AddSeries<TPointSeries>();
    points->SetSeriesColor(clGreen);
    points->Pointer()->SetStyle(psCircle);
    for (int i = 0; i <= 10; ++i) {
        line->AddXYValue(i, 50 + 30 * std::sin(i * 0.6));
        stairs->AddXYValue(i, 20 + 5 * (i % 4));
        points->AddXYValue(i + 0.5, 75 + 15 * std::cos(i));
    }
    line->AddXYValue(10.5, 0, "", clNone); // a null point at the end breaks nothing
    Draw(500, 320);
    const QImage image = Image();
    charttest::SavePicture(image, "series-line-point-stairs");
    EXPECT_GT(charttest::CountColor(image, clBlue), 100);
    EXPECT_GT(charttest::CountColor(image, clRed), 100);
    EXPECT_GT(charttest::CountColor(image, clGreen), 30);
}

TEST_F(LinePictures, HorizontalLineSeries) {
    auto* horiz = AddSeries<THorizLineSeries>();
    horiz->SetSeriesColor(clPurple);
    horiz->Pointer()->SetVisible(true);
    for (int i = 0; i <= 10; ++i)
        horiz->AddXYValue(5 + 4 * std::sin(i * 0.7), i * 10);
    Draw(400, 320);
    const QImage image = Image();
    charttest::SavePicture(image, "series-horizontal-line");
    // The line runs down the chart: purple in the top and the bottom quarter.
    const TRect plot = chart->PlotRect();
    const TRect box = charttest::ColorBox(image, clPurple);
    EXPECT_LE(box.Top, plot.Top + 10);
    EXPECT_GE(box.Bottom, plot.Bottom - 10);
}

TEST_F(LinePictures, RibbonsIn3D) {
    chart->SetView3D(true);
    TLineSeries* first = AddSeries();
    first->SetSeriesColor(clBlue);
    TLineSeries* second = AddSeries();
    second->SetSeriesColor(clRed);
    second->SetStairs(true);
    for (int i = 0; i <= 10; ++i) {
        first->AddXYValue(i, 40 + 30 * std::sin(i * 0.6));
        second->AddXYValue(i, 20 + 10 * (i % 3));
    }
    Draw(500, 340);
    const QImage image = Image();
    charttest::SavePicture(image, "series-ribbons-3d");
    // Ribbons are filled faces: far more coloured pixels than a thin line would give.
    EXPECT_GT(charttest::CountColor(image, clBlue), 1000);
    EXPECT_GT(charttest::CountColor(image, clRed), 1000);
}

} // namespace
