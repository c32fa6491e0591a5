// What a legend looks like once drawn, read from the pixels: each row's text stands beside its
// symbol and level with it, inside the frame, in every side position and placed by the program in
// both the vertical and the horizontal style. The placed legends are written as pictures for
// review.

#include "tests/chart/control/LegendTestSupport.h"

#include "tests/chart/support/ChartTestSupport.h"

#include <QRect>

#include <gtest/gtest.h>

using namespace controltest;

namespace {

// The box of the pixels in [left, right) x [top, bottom) that differ from background (all zero
// when there are none), in image coordinates.
TRect InkIn(const QImage& image, int left, int top, int right, int bottom, TColor background) {
    if (right <= left || bottom <= top)
        return {};
    const TRect box =
        charttest::InkBox(image.copy(QRect(left, top, right - left, bottom - top)), background);
    if (box.Right == 0)
        return {};
    return {box.Left + left, box.Top + top, box.Right + left, box.Bottom + top};
}

TEST_F(LegendFixture, RowTextsStandLevelWithTheirSymbolsInsideTheFrame) {
    AddTitledSeries({"Напряжение питания", "Скорость", "Уровень топлива", "Ток"});
    TChartLegend* legend = chart->Legend();
    struct Case {
        const char* name;
        TLegendAlignment alignment;
        bool placed;
    };
    const Case cases[] = {
        {"left", laLeft, false},
        {"right", laRight, false},
        {"top", laTop, false},
        {"bottom", laBottom, false},
        {"placed-vertical", laRight, true},
        {"placed-horizontal", laBottom, true},
    };
    for (const Case& c : cases) {
        legend->SetAlignment(c.alignment);
        legend->SetCustomPosition(c.placed);
        if (c.placed) {
            legend->SetLeft(70);
            legend->SetTop(40);
        }
        auto rec = Draw(460, 280);
        const QImage image = rec->Image();
        const TRect box = Box();
        const auto& layout = legend->Layout();
        ASSERT_EQ(layout.lastValue - layout.firstValue + 1, 4) << c.name << ": every row shown";
        if (c.placed) {
            EXPECT_EQ(box.Left, 70) << c.name;
            EXPECT_EQ(box.Top, 40) << c.name;
        } else {
            const TRect plot = chart->PlotRect();
            const bool apart = box.Right < plot.Left || box.Left > plot.Right ||
                               box.Bottom < plot.Top || box.Top > plot.Bottom;
            EXPECT_TRUE(apart) << c.name << ": the legend stays off the plot";
        }
        TCanvas3D& canvas = *chart->DrawCanvas();
        canvas.SelectFont(legend->Font());
        for (int i = 0; i < 4; ++i) {
            const TLegendItem* item = legend->Items()->Find(i);
            ASSERT_NE(item, nullptr) << c.name << " " << i;
            const TRect& symbol = item->SymbolRect;
            // The text runs from its point to the next symbol in the row, or to the frame's
            // right line.
            const int frame = box.Right - 1;
            const TLegendItem* next = legend->Items()->Find(i + 1);
            const bool sameRow = next != nullptr && next->Top == item->Top;
            const int end = sameRow ? next->SymbolRect.Left : frame;
            const TRect ink =
                InkIn(image, item->Left, item->Top, end, item->Top + layout.rowHeight, clWhite);
            ASSERT_GT(ink.Right, ink.Left) << c.name << " " << item->Text() << ": no text drawn";
            EXPECT_GT(ink.Left, symbol.Right) << c.name << " " << item->Text();
            // Nothing of the text is cut off by the frame: its whole width fits inside.
            const int width = canvas.MeasureTextWidth(item->Text());
            EXPECT_LT(item->Left + width, frame) << c.name << " " << item->Text();
            EXPECT_LE(ink.Right, item->Left + width) << c.name << " " << item->Text();
            // Letters and symbol share their middle line within two pixels.
            const int textMiddle = (ink.Top + ink.Bottom) / 2;
            const int symbolMiddle = (symbol.Top + symbol.Bottom) / 2;
            EXPECT_NEAR(textMiddle, symbolMiddle, 2) << c.name << " " << item->Text();
            // The symbol is drawn where the list says, in its series' colour.
            const TColor colour = chart->SeriesAt(i)->SeriesColor();
            EXPECT_EQ(charttest::PixelAt(image, symbol.Left + 2, symbolMiddle), colour)
                << c.name << " " << item->Text();
        }
        if (c.placed)
            Save(*rec, std::string("legend-") + c.name);
    }
}

} // namespace
