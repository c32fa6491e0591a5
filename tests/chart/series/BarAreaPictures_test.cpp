// Pictures of area and bar charts, written to <build>/chart-pictures/ to look at: areas in 2D and
// 3D, bars side by side, stacked, to 100 %, in several styles, and horizontal bars.

#include "tests/chart/series/BarTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/SeriesMarks.h"
#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using namespace seriestest;

namespace {

class BarAreaPictures : public SeriesFixture {
protected:
    void SetUp() override {
        SeriesFixture::SetUp();
        chart->BottomAxis()->SetAutomatic(true);
        chart->LeftAxis()->SetAutomatic(true);
    }
    // count bar series of the class with values from a fixed pattern.
    template <class S> std::vector<S*> Bars(int count, int points, TMultiBar multiBar) {
        const TColor colors[] = {clRed, clGreen, clBlue, clFuchsia};
        std::vector<S*> series;
        for (int k = 0; k < count; ++k) {
            S* s = AddSeries<S>();
            s->SetSeriesColor(colors[k % 4]);
            for (int i = 0; i < points; ++i)
                s->AddValue(20 + 15 * k + 10 * ((i * (k + 2)) % 5));
            series.push_back(s);
        }
        series[0]->SetMultiBar(multiBar);
        return series;
    }
    QImage Shot(const std::string& name, int width = 480, int height = 320) {
        Draw(width, height);
        QImage image = Image();
        charttest::SavePicture(image, name);
        return image;
    }
};

TEST_F(BarAreaPictures, AreasIn2DAnd3D) {
    auto* back = AddSeries<TAreaSeries>();
    back->SetSeriesColor(clTeal);
    auto* front = AddSeries<TAreaSeries>();
    front->SetSeriesColor(clOlive);
    front->SetTransparency(40);
    for (int i = 0; i <= 12; ++i) {
        back->AddXYValue(i, 60 + 25 * std::sin(i * 0.5));
        front->AddXYValue(i, 30 + 15 * std::cos(i * 0.7));
    }
    front->Marks()->SetVisible(false);
    back->Marks()->SetVisible(false);
    QImage flat = Shot("series-area-2d");
    EXPECT_GT(charttest::CountColor(flat, clTeal), 5000);
    chart->SetView3D(true);
    front->SetStairs(true);
    QImage solid = Shot("series-area-3d");
    EXPECT_GT(charttest::CountColor(solid, clTeal), 3000);
    // Stacked with a gradient.
    chart->SetView3D(false);
    front->SetStairs(false);
    front->SetTransparency(0);
    back->SetMultiArea(maStacked);
    back->Gradient()->SetVisible(true);
    back->Gradient()->SetStartColor(clWhite);
    back->Gradient()->SetEndColor(clTeal);
    QImage stacked = Shot("series-area-stacked-gradient");
    // The top band ends where both values add up.
    const int x = chart->BottomAxis()->PixelOfX(6) + 2; // beside the band's edge line
    const int top = chart->LeftAxis()->PixelOfY(back->YValueAt(6) + front->YValueAt(6));
    EXPECT_EQ(charttest::PixelAt(stacked, x, top + 3), clOlive);
    EXPECT_NE(charttest::PixelAt(stacked, x, top - 4), clOlive);
}

TEST_F(BarAreaPictures, SideStackedAndHundredPercentBars) {
    std::vector<TBarSeries*> bars = Bars<TBarSeries>(3, 6, mbSide);
    QImage side = Shot("series-bar-side");
    for (TColor c : {clRed, clGreen, clBlue})
        EXPECT_GT(charttest::CountColor(side, c), 1500) << c;
    bars[0]->SetMultiBar(mbStacked);
    QImage stacked = Shot("series-bar-stacked");
    // One column per point: red at the bottom, green on it, blue on top.
    const TRect red = bars[0]->GetBarBounds(2), green = bars[1]->GetBarBounds(2),
                blue = bars[2]->GetBarBounds(2);
    EXPECT_EQ(red.Left, blue.Left);
    EXPECT_EQ(green.Bottom, red.Top);
    EXPECT_EQ(blue.Bottom, green.Top);
    bars[0]->SetMultiBar(mbStacked100);
    QImage full = Shot("series-bar-100");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(bars[2]->PixelY(i), chart->LeftAxis()->PixelOfY(100)) << i;
    EXPECT_GT(charttest::CountColor(full, clBlue), 3000);
}

TEST_F(BarAreaPictures, BarStylesIn2DAnd3D) {
    auto* bars = AddSeries<TBarSeries>();
    bars->SetColorEachPoint(true);
    for (int i = 0; i < 13; ++i)
        bars->AddValue(40 + 5 * (i % 4), "");
    bars->Marks()->SetVisible(false);
    bars->OnGetBarStyle = [](TCustomBarSeries*, int index, TBarStyle& style) {
        style = static_cast<TBarStyle>(index);
    };
    bars->Gradient()->SetStartColor(clWhite);
    bars->SetBevelSize(3);
    QImage flat = Shot("series-bar-styles-2d", 720, 300);
    chart->SetView3D(true);
    QImage solid = Shot("series-bar-styles-3d", 720, 340);
    EXPECT_NE(flat, solid);
    // Each style leaves colour in its own slot.
    for (int i = 0; i < 13; ++i) {
        const TRect r = bars->GetBarBounds(i);
        const int x = (r.Left + r.Right) / 2, y = (r.Top + r.Bottom) / 2 + 4;
        EXPECT_NE(charttest::PixelAt(flat, x, y), chart->Color()) << "style " << i;
    }
}

TEST_F(BarAreaPictures, HorizontalBarsAndShadows) {
    std::vector<THorizBarSeries*> bars = Bars<THorizBarSeries>(2, 5, mbSide);
    for (THorizBarSeries* s : bars) {
        s->Shadow()->SetSize(4);
        s->Shadow()->SetSmooth(false);
    }
    QImage flat = Shot("series-horizbar-2d");
    EXPECT_GT(charttest::CountColor(flat, clRed), 1500);
    EXPECT_GT(charttest::CountColor(flat, static_cast<TColor>(0x808080)), 300);
    chart->SetView3D(true);
    bars[0]->SetMultiBar(mbStacked);
    QImage solid = Shot("series-horizbar-3d-stacked");
    EXPECT_GT(charttest::CountColor(solid, clGreen), 1000);
}

} // namespace
