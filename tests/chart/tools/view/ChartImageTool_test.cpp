#include "chart/core/ChartAxis.h"
#include "chart/draw/View3DOptions.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/ChartImageTool.h"
#include "platform/graphics/Bitmap.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <QColor>

namespace {

constexpr QRgb kRed = 0xFFFF0000;

class ChartImageToolTest : public tooltest::ToolChartFixture {
protected:
    // An image tool whose picture is a red square.
    TChartImageTool* AddTool(TChartSeries* series = nullptr) {
        auto* tool = new TChartImageTool(form);
        tool->SetParentChart(chart);
        tool->SetSeries(series);
        TBitmap bitmap(16, 16);
        bitmap.Canvas()->Brush()->SetColor(clRed);
        bitmap.Canvas()->FillRect({0, 0, 16, 16});
        tool->Picture()->SetGraphic(&bitmap);
        return tool;
    }
    int X(double value) const { return chart->BottomAxis()->PixelOf(value); }
    int Y(double value) const { return chart->LeftAxis()->PixelOf(value); }
    static int RedPixels(const QImage& image) {
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += image.pixel(x, y) == kRed;
        return count;
    }
};

TEST_F(ChartImageToolTest, WithoutASeriesThePictureCoversTheAxesWholeRanges) {
    AddTool();
    const QImage image = Repaint();
    const int left = X(0), right = X(10), top = Y(100), bottom = Y(0);
    const int midX = (left + right) / 2, midY = (top + bottom) / 2;
    // Inside each corner and in the middle: the picture.
    for (const auto& [x, y] : {std::pair{left + 2, top + 2},
                               {right - 2, top + 2},
                               {left + 2, bottom - 2},
                               {right - 2, bottom - 2},
                               {midX, midY}})
        EXPECT_EQ(image.pixel(x, y), kRed) << x << ", " << y;
    // Beyond each side: none of it.
    for (const auto& [x, y] :
         {std::pair{left - 3, midY}, {right + 3, midY}, {midX, top - 3}, {midX, bottom + 3}})
        EXPECT_NE(image.pixel(x, y), kRed) << x << ", " << y;
}

TEST_F(ChartImageToolTest, WithASeriesThePictureSpansItsPointsAndFollowsTheAxes) {
    TLineSeries* series = AddSeries({{2, 20}, {6, 70}, {4, 50}});
    series->SetSeriesColor(clBlue);
    TChartImageTool* tool = AddTool(series);
    QImage image = Repaint();
    EXPECT_EQ(tool->PictureRect(), (TRect{X(2), Y(70), X(6), Y(20)}));
    // Corners away from the line.
    EXPECT_EQ(image.pixel(X(2) + 3, Y(70) + 3), kRed);
    EXPECT_EQ(image.pixel(X(6) - 3, Y(20) - 3), kRed);
    EXPECT_NE(image.pixel(X(1.5), Y(60)), kRed);
    EXPECT_NE(image.pixel(X(6.5), Y(30)), kRed);
    EXPECT_NE(image.pixel(X(3), Y(80)), kRed);

    chart->BottomAxis()->SetMinMax(0, 20);
    image = Paint();
    EXPECT_EQ(image.pixel(X(6) - 3, Y(20) - 3), kRed);
    EXPECT_NE(image.pixel(X(6) + 3, Y(20) - 3), kRed);

    // A visible pen frames the picture.
    tool->Pen()->SetVisible(true);
    tool->Pen()->SetColor(clFuchsia);
    image = Paint();
    EXPECT_EQ(image.pixel(X(2), Y(60)), 0xFFFF00FF);
    EXPECT_EQ(image.pixel(X(4), Y(70)), 0xFFFF00FF);
    EXPECT_EQ(image.pixel(X(2) + 1, Y(60)), kRed);
}

TEST_F(ChartImageToolTest, NoPictureOrAnEmptyOneDrawsNothing) {
    AddSeries({{2, 20}, {6, 70}});
    const QImage plain = Repaint();
    auto* tool = new TChartImageTool(form);
    tool->SetParentChart(chart);
    EXPECT_EQ(tooltest::DifferingPixels(plain, Repaint()), 0);
    TBitmap empty;
    tool->Picture()->SetGraphic(&empty);
    EXPECT_EQ(tooltest::DifferingPixels(plain, Repaint()), 0);
    tool->Pen()->SetVisible(true);
    EXPECT_EQ(tooltest::DifferingPixels(plain, Repaint()), 0);
}

TEST_F(ChartImageToolTest, ThePictureOfAToolOnTheSecondSeriesStaysBehindTheFirst) {
    TLineSeries* first = AddSeries({{0, 50}, {10, 50}});
    first->SetSeriesColor(clBlue);
    TLineSeries* second = AddSeries({{2, 20}, {6, 70}});
    second->SetSeriesColor(clGreen);
    AddTool(second);
    const QImage image = Repaint();
    // The first series' line crosses the picture and is drawn over it.
    EXPECT_EQ(image.pixel(X(3), Y(50)), 0xFF0000FF);
    EXPECT_EQ(image.pixel(X(3), Y(50) + 3), kRed);
    EXPECT_EQ(image.pixel(X(1), Y(50)), 0xFF0000FF);
}

TEST_F(ChartImageToolTest, AChangedPictureOrSeriesRepaints) {
    TLineSeries* series = AddSeries({{2, 20}, {6, 70}});
    series->SetSeriesColor(clBlue);
    TChartImageTool* tool = AddTool();
    EXPECT_EQ(Paint().pixel(X(8), Y(90)), kRed);
    tool->SetSeries(series);
    EXPECT_NE(Paint().pixel(X(8), Y(90)), kRed);
    tool->Picture()->SetGraphic(nullptr);
    EXPECT_EQ(RedPixels(Paint()), 0);
}

TEST_F(ChartImageToolTest, In3DThePictureLiesAtTheBackOfTheBox) {
    AddSeries({{2, 20}, {6, 70}});
    AddTool();
    chart->SetView3D(true);
    const QImage orthogonal = Repaint();
    EXPECT_GT(RedPixels(orthogonal), 1000);
    // The back is the plot rectangle moved by the depth: the front's lower left corner is clear.
    EXPECT_NE(orthogonal.pixel(X(0) + 2, Y(0) - 2), kRed);
    chart->View3DOptions()->SetOrthogonal(false);
    EXPECT_GT(RedPixels(Repaint()), 1000);
}

TEST_F(ChartImageToolTest, PictureBehindTheSeries) {
    TLineSeries* series = AddSeries({{1, 15}, {3, 55}, {5, 35}, {7, 85}, {9, 60}});
    series->SetTitle("Температура");
    series->SetSeriesColor(clNavy);
    chart->Legend()->SetVisible(true);
    auto* tool = new TChartImageTool(form);
    tool->SetParentChart(chart);
    TBitmap bitmap(64, 48);
    const TColor stripes[] = {clYellow, clAqua, clLime, clSilver};
    for (int i = 0; i < 4; ++i) {
        bitmap.Canvas()->Brush()->SetColor(stripes[i]);
        bitmap.Canvas()->FillRect({0, i * 12, 64, i * 12 + 12});
    }
    tool->Picture()->SetGraphic(&bitmap);
    tool->Pen()->SetVisible(true);
    tool->Pen()->SetColor(clMaroon);
    chart->BottomAxis()->SetMinMax(-2, 12);
    const QImage image = Repaint();
    // The top stripe starts at the axes' corner; left of the bottom axis' start there is none.
    EXPECT_EQ(image.pixel(X(-2) + 3, Y(100) + 3), 0xFFFFFF00);
    EXPECT_NE(image.pixel(X(-2) - 3, Y(100) + 3), 0xFFFFFF00);
    charttest::SavePicture(image, "tools-image-behind-series");
}

} // namespace
