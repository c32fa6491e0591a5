#include "chart/axispanel/ChartPage.h"
#include "chart/core/SeriesPointer.h"
#include "chart/draw/ChartPen.h"
#include "chart/tools/PageNumTool.h"
#include "chart/tools/RectangleTool.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

namespace {

class ShapePictures : public tooltest::ToolChartFixture {};

TEST_F(ShapePictures, AnAnnotationWithACalloutAndARectangle) {
    TLineSeries* series = AddSeries({{1, 30}, {3, 62}, {5, 48}, {7, 85}, {9, 70}});
    series->Pointer()->SetVisible(true);
    auto* label = new TAnnotationTool(form);
    label->SetParentChart(chart);
    label->SetText("Пик напряжения\r14,2 В в 12:40");
    label->SetTextAlignment(taCenter);
    label->SetLeft(60);
    label->SetTop(170);
    label->Shape()->SetColor(clInfoBk);
    TAnnotationCallout* callout = label->Callout();
    callout->Arrow()->SetVisible(true);
    callout->Arrow()->SetColor(clNavy);
    callout->SetArrowHead(ahSolid);
    callout->SetXPosition(series->PixelX(3));
    callout->SetYPosition(series->PixelY(3));
    callout->SetDistance(4);
    auto* box = new TRectangleTool(form);
    box->SetParentChart(chart);
    box->SetText("Зона\rпроверки");
    box->Shape()->SetColor(clLime);
    box->SetLeft(250);
    box->SetTop(150);
    box->SetWidth(90);
    box->SetHeight(70);
    const QImage picture = Repaint();
    charttest::SavePicture(picture, "tools-annotation-and-rectangle");
    // The arrow reaches the point from the box's top edge, and the see-through rectangle lets
    // the grid show.
    const TRect r = label->GetBounds();
    EXPECT_EQ(callout->StartOn(r).Y, r.Top);
    EXPECT_GT(charttest::CountColor(picture, clNavy), 20);
    EXPECT_NE(charttest::PixelAt(picture, 300, 185), clLime);
}

TEST_F(ShapePictures, APageNumberOnAPagedChart) {
    std::vector<std::pair<double, double>> points;
    for (int i = 0; i < 30; ++i)
        points.emplace_back(i, 50 + (i % 7) * 6);
    TLineSeries* series = AddSeries(points);
    series->Pointer()->SetVisible(true);
    chart->BottomAxis()->SetAutomatic(true);
    chart->Pages()->SetMaxPointsPerPage(10);
    chart->Pages()->SetCurrent(2);
    auto* pages = new TPageNumTool(form);
    pages->SetParentChart(chart);
    pages->SetPosition(ppRightBottom);
    auto* first = new TPageNumTool(form);
    first->SetParentChart(chart);
    first->SetFormat("Страница %d из %d");
    first->SetTextAlignment(taCenter);
    first->SetPosition(ppLeftTop);
    const QImage picture = Repaint();
    charttest::SavePicture(picture, "tools-page-number");
    EXPECT_EQ(pages->Text(), "Page 2 of 3");
    EXPECT_EQ(pages->GetBounds().Right, 400);
    EXPECT_EQ(first->Text(), "Страница 2 из 3");
}

} // namespace
