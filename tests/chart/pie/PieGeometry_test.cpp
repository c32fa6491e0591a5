// The pie's geometry: slice angles against a Python table, half pies, exploded slices and the
// circle they shrink, several pies sharing the plot, the 3D drawing order and the slice under
// the mouse.

#include "tests/chart/pie/PieTestSupport.h"

#include "chart/core/SeriesMarks.h"

#include <cmath>
#include <sstream>

using namespace pietest;

namespace {

constexpr double Pi = 3.14159265358979323846;

class PieGeometry : public PieFixture {};

TEST_F(PieGeometry, SliceAnglesFollowThePythonTable) {
    struct Case {
        std::vector<double> values;
        int angleSize;
    } const cases[] = {
        {{50, 30, 10, 5, 5}, 360}, {{1, 2, 3, 4}, 180}, {{-7, 7, 0, 2.5}, 360},
        {{0, 0, 0}, 360},          {{3}, 90},           {{1e9, 1, 1}, 360},
    };
    for (const Case& c : cases) {
        TPieSeries* pie = AddPie(c.values);
        pie->SetAngleSize(c.angleSize);
        Draw();
        std::ostringstream program;
        program.precision(17);
        program << "import math\nvalues = [";
        for (double v : c.values)
            program << v << ",";
        program << "]\nsize = " << c.angleSize << " * math.pi / 180\n"
                << "total = sum(abs(v) for v in values)\n"
                << "k = size / total if total else 0\ns = 0\nend = 0\n"
                << "for v in values:\n"
                << "    start = end\n"
                << "    if total == 0:\n        end = size\n"
                << "    else:\n        s += abs(v)\n        end = size if s == total else s * k\n"
                << "    print(repr(start), repr(end))\n";
        std::istringstream expected(RunPython(program.str()));
        const auto& angles = pie->Angles();
        ASSERT_EQ(angles.size(), c.values.size());
        for (const auto& a : angles) {
            double start = 0, end = 0;
            ASSERT_TRUE(expected >> start >> end) << "python gave too few lines";
            EXPECT_NEAR(a.Start, start, 1e-12);
            EXPECT_NEAR(a.End, end, 1e-12);
            EXPECT_NEAR(a.Middle, (start + end) / 2, 1e-12);
        }
        EXPECT_DOUBLE_EQ(angles.back().End, c.angleSize * Pi / 180);
        pie->Free();
    }
}

TEST_F(PieGeometry, SlicesStartAtTheirRadialsCounterClockwise) {
    TPieSeries* pie = AddPie({1, 1, 2});
    pie->Marks()->SetVisible(false);
    Draw();
    ASSERT_EQ(canvas->Slices.size(), 3u);
    const int cx = pie->CircleXCenter(), cy = pie->CircleYCenter();
    const int rx = pie->XRadius(), ry = pie->YRadius();
    // A quarter, a quarter and a half from three o'clock, upwards first.
    EXPECT_EQ(canvas->Slices[0].from, (TPoint{cx + rx, cy}));
    EXPECT_EQ(canvas->Slices[0].to, (TPoint{cx, cy - ry}));
    EXPECT_EQ(canvas->Slices[1].to, (TPoint{cx - rx, cy}));
    EXPECT_EQ(canvas->Slices[2].to, (TPoint{cx + rx, cy}));
    for (const TSliceCall& s : canvas->Slices)
        EXPECT_EQ(s.bounds, pie->CircleRect());
    // One point is a whole disc.
    pie->ClearValues();
    pie->AddValue(5);
    Draw();
    ASSERT_EQ(canvas->Slices.size(), 1u);
    EXPECT_EQ(canvas->Slices[0].from, canvas->Slices[0].to);
}

TEST_F(PieGeometry, ExplodingTheBiggestSliceMovesItOutAndShrinksTheCircle) {
    TPieSeries* pie = AddPie({10, 40, 20, 30});
    pie->Marks()->SetVisible(false);
    Draw();
    const int rx0 = pie->XRadius();
    const int ry0 = pie->YRadius();
    pie->SetExplodeBiggest(30);
    EXPECT_EQ(pie->ExplodedSlice().Value(1), 30);
    EXPECT_EQ(pie->ExplodedSlice().Value(0), 0);
    Draw();
    const double middle = pie->Angles()[1].Middle;
    const int ox = static_cast<int>(std::nearbyint(std::cos(middle) * rx0 * 0.3));
    const int oy = static_cast<int>(std::nearbyint(std::sin(middle) * 0.3 * ry0));
    const TRect expected =
        TCircledSeries::NormalizeCircleRect({pie->CircleXCenter() - rx0 + std::abs(ox) / 2,
                                             pie->CircleYCenter() - ry0 + std::abs(oy) / 2,
                                             pie->CircleXCenter() + rx0 - std::abs(ox) / 2,
                                             pie->CircleYCenter() + ry0 - std::abs(oy) / 2});
    EXPECT_EQ(pie->XRadius(), (expected.Right - expected.Left) / 2);
    EXPECT_EQ(pie->YRadius(), (expected.Bottom - expected.Top) / 2);
    // The slice is drawn moved out along its middle by the offset on the shrunk circle.
    const TPoint offset = pie->ExplodeOffset(1);
    EXPECT_EQ(offset.X, static_cast<int>(std::nearbyint(std::cos(middle) * pie->XRadius() * 0.3)));
    ASSERT_EQ(canvas->Slices.size(), 4u);
    EXPECT_EQ(canvas->Slices[1].bounds.Left, pie->CircleRect().Left + offset.X);
    EXPECT_EQ(canvas->Slices[1].bounds.Top, pie->CircleRect().Top - offset.Y);
    EXPECT_EQ(canvas->Slices[0].bounds, pie->CircleRect());
}

TEST_F(PieGeometry, SeveralPiesShareThePlotInAGrid) {
    struct Case {
        int n, columns, rows;
    } const cases[] = {{2, 1, 2}, {3, 2, 2}, {4, 2, 2}, {5, 2, 3}, {7, 3, 3}, {9, 3, 4}};
    const TRect plot{0, 0, 600, 600};
    for (const Case& c : cases) {
        for (int k = 0; k < c.n; ++k) {
            const TRect cell = TPieSeries::MultiPieCell(plot, k, c.n);
            EXPECT_EQ(cell.Right - cell.Left, 600 / c.columns) << c.n;
            EXPECT_EQ(cell.Bottom - cell.Top, 600 / c.rows) << c.n;
            EXPECT_EQ(cell.Left, (k % c.columns) * (600 / c.columns)) << c.n << " " << k;
            EXPECT_EQ(cell.Top, (k / c.columns) * (600 / c.rows)) << c.n << " " << k;
        }
    }
    // Three pies in a chart: 2 x 2 cells, the third pie in the lower-left one.
    TPieSeries* pies[] = {AddPie({1, 2}), AddPie({3, 4}), AddPie({5, 6})};
    for (TPieSeries* p : pies)
        p->Marks()->SetVisible(false);
    Draw(400, 300);
    const TRect whole = chart->PlotRect();
    const int midX = (whole.Left + whole.Right) / 2;
    const int midY = (whole.Top + whole.Bottom) / 2;
    EXPECT_LT(pies[0]->CircleXCenter(), midX);
    EXPECT_LT(pies[0]->CircleYCenter(), midY);
    EXPECT_GT(pies[1]->CircleXCenter(), midX);
    EXPECT_LT(pies[1]->CircleYCenter(), midY);
    EXPECT_LT(pies[2]->CircleXCenter(), midX);
    EXPECT_GT(pies[2]->CircleYCenter(), midY);
    // The chart keeps its own plot rectangle after the drawing.
    EXPECT_FALSE(chart->FixedPlotRect());
    Draw(400, 300);
    EXPECT_EQ(chart->PlotRect(), whole);
    // A pie of its own and inactive ones take no cell.
    pies[1]->SetActive(false);
    pies[2]->SetMultiPie(mpDisabled);
    Draw(400, 300);
    EXPECT_GT(pies[0]->XRadius(), (whole.Right - whole.Left) / 4);
}

TEST_F(PieGeometry, The3DOrderPaintsTheBackSlicesFirst) {
    chart->SetView3D(true);
    TPieSeries* pie = AddPie({1, 1, 1, 1, 1, 1});
    pie->Marks()->SetVisible(false);
    Draw();
    // A whole pie with nothing apart is drawn in index order.
    EXPECT_EQ(pie->DrawOrder(), (std::vector<int>{0, 1, 2, 3, 4, 5}));
    pie->SetAngleSize(180);
    Draw();
    // Middles 15, 45, 75 ... degrees against the quarter angle 45: ascending distance.
    EXPECT_EQ(pie->DrawOrder()[0], 1);
    EXPECT_EQ((std::vector<int>(pie->DrawOrder().begin() + 3, pie->DrawOrder().end())),
              (std::vector<int>{3, 4, 5}));
    ASSERT_EQ(canvas->Slices.size(), 6u);
    EXPECT_TRUE(canvas->Slices[0].solid);
    // Turned by 90 degrees, the middles 120, 165, 195 and 240 wrap round the half pie to 120,
    // 165, 15 and 60 degrees.
    pie->ClearValues();
    for (double v : {2, 1, 1, 2})
        pie->AddValue(v);
    pie->SetRotationAngle(90);
    Draw();
    EXPECT_EQ(pie->DrawOrder(), (std::vector<int>{3, 2, 0, 1}));
}

TEST_F(PieGeometry, TheSliceUnderAPointAtItsMiddleIsFound) {
    for (const bool view3D : {false, true}) {
        chart->SetView3D(view3D);
        TPieSeries* pie = AddPie({5, 1, 3, 8, 2});
        pie->SetRotationAngle(30);
        pie->Marks()->SetVisible(false);
        pie->SetExplodeBiggest(20);
        Draw();
        for (int i = 0; i < pie->Count(); ++i) {
            const TPoint offset = pie->ExplodeOffset(i);
            TPoint p = pie->AngleToPos(pie->Angles()[static_cast<std::size_t>(i)].Middle,
                                       pie->XRadius() / 2.0, pie->YRadius() / 2.0);
            p = {p.X + offset.X, p.Y - offset.Y};
            if (view3D)
                p = chart->DrawCanvas()->Project(p.X, p.Y, pie->EndZ());
            EXPECT_EQ(pie->PointAt(p.X, p.Y), i) << view3D << " slice " << i;
        }
        EXPECT_EQ(pie->PointAt(0, 0), -1);
        pie->Free();
    }
}

} // namespace
