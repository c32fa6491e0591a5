// Free routines of the drawing layer.

#include "chart/draw/DrawRoutines.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

TEST(DrawRoutines, HullOfASquareEndsWithThePivot) {
    TPointList square{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    ASSERT_TRUE(HullOfPoints(square));
    EXPECT_EQ(square, (TPointList{{10, 10}, {0, 10}, {0, 0}, {10, 0}}));
}

TEST(DrawRoutines, HullOfSmallListsAndInnerPoints) {
    TPointList two{{0, 0}, {1, 1}};
    EXPECT_FALSE(HullOfPoints(two));
    TPointList three{{5, 5}, {0, 0}, {9, 1}};
    EXPECT_TRUE(HullOfPoints(three));
    EXPECT_EQ(three, (TPointList{{5, 5}, {0, 0}, {9, 1}}));
    // Inner points, a point on an edge and a second point seen at the pivot's first angle go;
    // the walk never steps before the first point.
    TPointList cloud{{0, 0}, {10, 0}, {10, 10}, {0, 10}, {5, 5}, {5, 0}, {2, 3}, {9, 9}};
    ASSERT_TRUE(HullOfPoints(cloud));
    std::sort(cloud.begin(), cloud.end(),
              [](TPoint a, TPoint b) { return a.X != b.X ? a.X < b.X : a.Y < b.Y; });
    EXPECT_EQ(cloud, (TPointList{{0, 0}, {0, 10}, {10, 0}, {10, 10}}));
}

// Every point of random clouds lies on or inside the hull, and the hull turns one way only.
TEST(DrawRoutines, HullOfRandomCloudsIsConvexAndHoldsEveryPoint) {
    std::mt19937 random(7);
    std::uniform_int_distribution<int> coordinate(0, 60);
    for (int round = 0; round < 300; ++round) {
        TPointList cloud(4 + round % 40); // three points are left as given
        for (TPoint& p : cloud)
            p = {coordinate(random), coordinate(random)};
        TPointList hull = cloud;
        ASSERT_TRUE(HullOfPoints(hull));
        const std::size_t n = hull.size();
        ASSERT_GE(n, 3u);
        for (std::size_t i = 0; i < n; ++i) {
            TPoint a = hull[i], b = hull[(i + 1) % n];
            for (const TPoint& p : cloud) {
                long long cross = static_cast<long long>(b.X - a.X) * (p.Y - a.Y) -
                                  static_cast<long long>(b.Y - a.Y) * (p.X - a.X);
                ASSERT_GE(cross, 0) << "round " << round << " edge " << i;
            }
        }
    }
}

TEST(DrawRoutines, BoundsAndRectangles) {
    EXPECT_EQ(PointsBounds({}), TRect{});
    EXPECT_EQ(PointsBoundsExclusive({{1, 2}, {5, 7}}), Rect(1, 2, 6, 8));
    EXPECT_EQ(PointsBounds({{4, 9}, {-1, 3}, {2, 2}}), Rect(-1, 2, 4, 9));
    EXPECT_EQ(NormalizeRect(Rect(10, 8, 2, 3)), Rect(2, 3, 10, 8));
    int x = 0, y = 0;
    RectMiddle(Rect(-5, -5, 0, 2), x, y);
    EXPECT_EQ(x, -2);
    EXPECT_EQ(y, -1);
    EXPECT_TRUE(RectContains(Rect(0, 0, 10, 10), 10, 10));
    EXPECT_FALSE(RectContains(Rect(0, 0, 10, 10), 11, 0));
}

TEST(DrawRoutines, ColourShading) {
    EXPECT_EQ(ColorDarker(RGB(200, 100, 50), 64), RGB(136, 36, 0));
    EXPECT_EQ(ColorDarker(RGB(64, 65, 0), 64), RGB(0, 1, 0));
    EXPECT_EQ(ColorBrighter(RGB(200, 100, 250), 32), RGB(232, 132, 255));
    EXPECT_EQ(ColorDarker(clBtnFace, 0), ColorToRGB(clBtnFace));
    auto bytes = ColorToBytes(RGB(1, 2, 3));
    EXPECT_EQ(bytes, (std::array<std::uint8_t, 3>{3, 2, 1}));
}

TEST(DrawRoutines, FacingFollowsTheTurnOfTheTriangle) {
    // Y grows downwards: a triangle turning clockwise on the screen faces away.
    EXPECT_TRUE(IsBackFacing({0, 0}, {10, 0}, {10, 10}));
    EXPECT_FALSE(IsBackFacing({10, 10}, {10, 0}, {0, 0}));
    EXPECT_TRUE(IsBackFacing({{5, 5}, {0, 0}, {10, 0}, {10, 10}}, 1));
    EXPECT_FALSE(IsBackFacing({0, 0}, {5, 5}, {10, 10})); // a line faces neither way
}

TEST(DrawRoutines, RoundingTiesToEvenAndSaturates) {
    struct Case {
        double in;
        int out;
    } cases[] = {{0.5, 0},         {1.5, 2},    {2.5, 2},         {-0.5, 0},
                 {-1.5, -2},       {2.4999, 2}, {1e300, 1 << 30}, {-1e300, -(1 << 30)},
                 {std::nan(""), 0}};
    for (const Case& c : cases)
        EXPECT_EQ(RoundEven(c.in), c.out) << c.in;
}

} // namespace
