#include "chart/core/ChartAxis.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/tools/ColorBandTool.h"
#include "chart/tools/ColorLineTool.h"
#include "chart/tools/DrawLineTool.h"
#include "chart/tools/GridBandTool.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

namespace {

using charttest::PixelAt;

class BandPictures : public tooltest::ToolChartFixture {
protected:
    // A series, a grid band on the left axis, a see-through band with a draggable end on the
    // bottom axis, two colour lines and three drawn shapes, one of them selected.
    void BuildChart() {
        TLineSeries* series = AddSeries({{0, 20},
                                         {1, 35},
                                         {2, 30},
                                         {3, 55},
                                         {4, 62},
                                         {5, 48},
                                         {6, 70},
                                         {7, 66},
                                         {8, 82},
                                         {9, 75},
                                         {10, 90}});
        series->SetSeriesColor(clBlue);
        chart->Title()->Text()->Add("Напряжение питания, В");

        auto* grid = new TGridBandTool(form);
        grid->SetAxis(chart->LeftAxis());
        grid->Band1()->SetColor(RGB(236, 242, 250));
        grid->Band2()->SetColor(clWhite);

        band = new TColorBandTool(form);
        band->SetAxis(chart->BottomAxis());
        band->SetStartValue(2.5);
        band->SetEndValue(4);
        band->SetColor(RGB(255, 170, 60));
        band->SetTransparency(40);
        band->Pen()->SetVisible(false);
        band->SetResizeEnd(true);
        band->EndLinePen()->SetColor(RGB(200, 90, 0));
        band->EndLinePen()->SetWidth(2);

        auto* limit = new TColorLineTool(form);
        limit->SetAxis(chart->LeftAxis());
        limit->SetValue(75);
        limit->Pen()->SetColor(clRed);
        limit->Pen()->SetStyle(psDash);
        auto* centre = new TColorLineTool(form);
        centre->SetAxis(chart->BottomAxis());
        centre->SetStyle(clCenter);
        centre->Pen()->SetColor(clGreen);

        drawing = new TDrawLineTool(form);
        drawing->SetParentChart(chart);
        drawing->Pen()->SetColor(clPurple);
        Add(drawing, {1, 15}, {2.5, 45}, dlLine);
        Add(drawing, {6.5, 20}, {9.5, 40}, dlRectangle);
        Add(drawing, {0.5, 70}, {2.5, 92}, dlEllipse);
        Add(drawing, {7, 50}, {9, 60}, dlHorizParallel);
    }
    static TDrawLine* Add(TDrawLineTool* tool, std::pair<double, double> from,
                          std::pair<double, double> to, TDrawLineStyle style) {
        TDrawLine* line = tool->Lines()->AddLine();
        line->SetX0(from.first);
        line->SetY0(from.second);
        line->SetX1(to.first);
        line->SetY1(to.second);
        line->SetStyle(style);
        return line;
    }

    TColorBandTool* band = nullptr;
    TDrawLineTool* drawing = nullptr;
};

TEST_F(BandPictures, BandsLinesAndDrawnShapesFlat) {
    BuildChart();
    QImage picture = Repaint();
    // Select the rectangle: its handles show.
    const TPoint corner = drawing->Lines()->Line(1)->StartHandle();
    Press(corner.X + 10, corner.Y - 5);
    Release(corner.X + 10, corner.Y - 5);
    ASSERT_EQ(drawing->Selected(), drawing->Lines()->Line(1));
    picture = Repaint();
    EXPECT_EQ(PixelAt(picture, corner.X, corner.Y), clBlack);
    charttest::SavePicture(picture, "tools-bands-flat");
}

TEST_F(BandPictures, BandsLinesAndDrawnShapesIn3D) {
    chart->SetView3D(true);
    BuildChart();
    band->SetDrawBehind(true);
    band->Gradient()->SetVisible(true);
    band->Gradient()->SetStartColor(RGB(255, 220, 160));
    band->Gradient()->SetEndColor(RGB(255, 140, 40));
    const QImage picture = Repaint();
    charttest::SavePicture(picture, "tools-bands-3d");
    // The band lies on the back wall, orange from its gradient.
    const TRect r = chart->DrawCanvas()->ProjectRect(band->BandRect(), chart->Depth3D());
    const TColor inside = PixelAt(picture, (r.Left + r.Right) / 2, r.Top + 4);
    EXPECT_GT(GetRValue(inside), GetBValue(inside) + 60);
}

} // namespace
