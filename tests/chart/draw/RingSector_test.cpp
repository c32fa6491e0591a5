// Ring sectors: a pie slice without a hole, a ring sector with one.

#include "tests/chart/support/ChartTestSupport.h"

#include <gtest/gtest.h>

namespace {

using charttest::TSurface;

constexpr double Pi = 3.14159265358979323846;

TEST(ChartText, RingSectorWithAndWithoutAHole) {
    TSurface pie(100, 100);
    pie.canvas.Brush()->SetColor(clRed);
    pie.canvas.RingSector(50, 50, 40, 40, 0, Pi / 2, 0);
    charttest::SavePicture(pie.Image(), "pie-sector");
    EXPECT_EQ(pie.At(55, 45), clRed);
    EXPECT_EQ(pie.At(45, 45), clWhite); // outside the quarter
    EXPECT_EQ(pie.At(55, 55), clWhite);

    TSurface ring(100, 100);
    ring.canvas.Brush()->SetColor(clRed);
    ring.canvas.RingSector(50, 50, 40, 40, 0, Pi / 2, 50);
    charttest::SavePicture(ring.Image(), "ring-sector");
    EXPECT_EQ(ring.At(55, 45), clWhite);
    EXPECT_EQ(ring.At(80, 35), clRed);
    EXPECT_EQ(ring.At(57, 43), clWhite); // well inside the hole (radius 20)
}

} // namespace
