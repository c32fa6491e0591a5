// Prints cases for the Python oracles:
//   step <date> <step kind> <increment 0/1> <result>     dates as day numbers
//   poly <x>,<y> <inside 0/1> <x>,<y> ...                a point and a random polygon
//   near <x>,<y> <a> <b> <tolerance> <0/1>
//   ellipse <x>,<y> <l> <t> <r> <b> <0/1>

#include "chart/util/DateSteps.h"
#include "chart/util/HitTests.h"

#include <cmath>
#include <cstdio>
#include <random>

int main() {
    std::mt19937 random(11);
    for (int i = 0; i < 3000; ++i) {
        const TDateTime from = 36000 + static_cast<int>(random() % 20000) + 0.5;
        const TDateStepKind steps[] = {dtOneMonth,  dtTwoMonths, dtThreeMonths, dtFourMonths,
                                       dtSixMonths, dtOneYear,   dtHalfMonth};
        const TDateStepKind step = steps[random() % 7];
        const bool increment = random() % 2;
        TDateTime v = from;
        StepDateTime(true, increment, v, step, DateStepLength(step));
        std::printf("step %.1f %d %d %.1f\n", from, step, increment, v);
    }
    for (int i = 0; i < 2000; ++i) {
        // A star-shaped polygon around (50, 50): corners by growing angle, random radii.
        std::vector<TPoint> poly(3 + random() % 8);
        const double turn = 6.283185307179586 / poly.size();
        for (std::size_t k = 0; k < poly.size(); ++k) {
            const double a = (k + (random() % 100) / 100.0) * turn;
            const double r = 5 + random() % 45;
            poly[k] = {50 + static_cast<int>(r * std::cos(a)),
                       50 + static_cast<int>(r * std::sin(a))};
        }
        const TPoint p{static_cast<int>(random() % 100), static_cast<int>(random() % 100)};
        std::printf("poly %d,%d %d", p.X, p.Y, PointInsidePolygon(p, poly));
        for (const TPoint& q : poly)
            std::printf(" %d,%d", q.X, q.Y);
        std::printf("\n");
        const TPoint a{static_cast<int>(random() % 100), static_cast<int>(random() % 100)};
        const TPoint b{static_cast<int>(random() % 100), static_cast<int>(random() % 100)};
        const int tol = static_cast<int>(random() % 4);
        std::printf("near %d,%d %d,%d %d,%d %d %d\n", p.X, p.Y, a.X, a.Y, b.X, b.Y, tol,
                    PointNearSegment(p, a, b, tol));
        const int l = random() % 50, t = random() % 50, r = l + 2 + random() % 50,
                  bo = t + 2 + random() % 50;
        std::printf("ellipse %d,%d %d %d %d %d %d\n", p.X, p.Y, l, t, r, bo,
                    PointInsideEllipse(p, l, t, r, bo));
    }
    return 0;
}
