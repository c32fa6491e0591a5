#include "controls/paint/FrBitmaps.h"
#include "controls/paint/FrGradient.h"

#include "PaintTestSupport.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

using namespace painttest;

const TColor kStart = RGB(250, 20, 120), kStop = RGB(10, 200, 40);

const TGradientDirection kAll[] = {
    gdDiagonalUp,  gdDiagonalDown,   gdHorizontalEnd, gdHorizontalCenter, gdHorizontalBox,
    gdVerticalEnd, gdVerticalCenter, gdVerticalBox,   gdSquareBox,        gdBigSquareBox};

std::unique_ptr<TBitmap> Gradient(int w, int h, TGradientDirection d, TColor start = kStart,
                                  TColor stop = kStop) {
    auto bmp = Surface(w, h);
    PaintGradient(bmp->Canvas(), Rect(0, 0, w, h), d, 1, stop, start);
    return bmp;
}

// Distance from one colour to another, as the largest channel difference.
int Distance(TColor a, TColor b) {
    return std::max({std::abs(GetRValue(a) - GetRValue(b)), std::abs(GetGValue(a) - GetGValue(b)),
                     std::abs(GetBValue(a) - GetBValue(b))});
}

// A colour much nearer `near` than the whole way from start to stop.
bool NearEnd(TColor c, TColor near) {
    return Distance(c, near) * 8 < Distance(kStart, kStop);
}

// Every channel moves one way only along the pixels.
bool Monotone(const std::vector<TColor>& line) {
    for (auto channel : {GetRValue, GetGValue, GetBValue}) {
        int dir = 0;
        for (size_t i = 1; i < line.size(); ++i) {
            const int step = channel(line[i]) - channel(line[i - 1]);
            if (step == 0)
                continue;
            if (dir != 0 && (step > 0) != (dir > 0))
                return false;
            dir = step;
        }
    }
    return true;
}

std::vector<TColor> Column(TBitmap& bmp, int x, int from, int to) {
    std::vector<TColor> v;
    for (int y = from; y != to; y += from < to ? 1 : -1)
        v.push_back(At(bmp, x, y));
    return v;
}

std::vector<TColor> Row(TBitmap& bmp, int y, int from, int to) {
    std::vector<TColor> v;
    for (int x = from; x != to; x += from < to ? 1 : -1)
        v.push_back(At(bmp, x, y));
    return v;
}

TEST(FrGradient, EmptyRectanglesDrawNothingAndEqualColoursFillPlainly) {
    for (TGradientDirection d : kAll) {
        auto bmp = Surface(12, 12);
        PaintGradient(bmp->Canvas(), Rect(2, 2, 2, 10), d, 1, kStop, kStart);
        PaintGradient(bmp->Canvas(), Rect(2, 5, 10, 5), d, 1, kStop, kStart);
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x)
                ASSERT_EQ(At(*bmp, x, y), kBackground) << d;
        auto plain = Gradient(23, 17, d, kStart, kStart);
        for (int y = 0; y < 17; ++y)
            for (int x = 0; x < 23; ++x)
                ASSERT_EQ(At(*plain, x, y), kStart) << d << " at " << x << "," << y;
    }
}

TEST(FrGradient, EndRampsRunFromStartToStop) {
    auto h = Gradient(30, 100, gdHorizontalEnd);
    EXPECT_EQ(At(*h, 0, 99), kStop);
    EXPECT_LE(Distance(At(*h, 0, 0), kStart), 3);
    EXPECT_TRUE(Monotone(Column(*h, 0, 0, 100)));
    for (int y = 0; y < 100; ++y)
        for (int x = 1; x < 30; ++x)
            ASSERT_EQ(At(*h, x, y), At(*h, 0, y)) << "row " << y << " is not one colour";
    auto v = Gradient(100, 30, gdVerticalEnd);
    EXPECT_EQ(At(*v, 99, 0), kStop);
    EXPECT_LE(Distance(At(*v, 0, 0), kStart), 3);
    EXPECT_TRUE(Monotone(Row(*v, 0, 0, 100)));
    for (int x = 0; x < 100; ++x)
        ASSERT_EQ(At(*v, x, 29), At(*v, x, 0));
    Snapshot(*h, "-horizontal");
}

TEST(FrGradient, CentreRampsAreMirrorSymmetric) {
    for (int size : {31, 40}) {
        auto h = Gradient(20, size, gdHorizontalCenter);
        const int c = size / 2;
        EXPECT_EQ(At(*h, 5, c), kStop) << size;
        EXPECT_TRUE(NearEnd(At(*h, 5, 0), kStart)) << size;
        EXPECT_TRUE(Monotone(Column(*h, 5, c, -1)));
        for (int k = 1; c + k < size; ++k)
            ASSERT_EQ(At(*h, 5, c - k), At(*h, 5, c + k)) << size << " k " << k;
        auto v = Gradient(size, 20, gdVerticalCenter);
        EXPECT_EQ(At(*v, c, 3), kStop);
        for (int k = 1; c + k < size; ++k)
            ASSERT_EQ(At(*v, c - k, 3), At(*v, c + k, 3)) << size << " k " << k;
    }
}

TEST(FrGradient, BoxRampsMirrorTheirQuadrant) {
    for (TGradientDirection d : {gdHorizontalBox, gdVerticalBox, gdSquareBox, gdBigSquareBox}) {
        for (auto [w, h] : {std::pair{41, 29}, std::pair{40, 30}}) {
            auto bmp = Gradient(w, h, d);
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    ASSERT_EQ(At(*bmp, x, y), At(*bmp, w - 1 - x, y)) << d << " " << x << "," << y;
                    ASSERT_EQ(At(*bmp, x, y), At(*bmp, x, h - 1 - y)) << d << " " << x << "," << y;
                }
            // Stop in the middle, start at the corners, monotone between them.
            EXPECT_EQ(At(*bmp, (w - 1) / 2, (h - 1) / 2), kStop) << d;
            EXPECT_TRUE(NearEnd(At(*bmp, 0, 0), kStart)) << d;
            EXPECT_TRUE(Monotone(Row(*bmp, (h - 1) / 2, 0, (w - 1) / 2 + 1))) << d;
        }
    }
    // Too small for a box: a plain fill in the start colour.
    auto tiny = Gradient(4, 10, gdSquareBox);
    EXPECT_EQ(At(*tiny, 2, 5), kStart);
}

TEST(FrGradient, DiagonalBandsRunAlongTheOtherDiagonal) {
    auto up = Gradient(40, 40, gdDiagonalUp);
    EXPECT_TRUE(NearEnd(At(*up, 0, 39), kStart));
    EXPECT_TRUE(NearEnd(At(*up, 39, 0), kStop));
    for (int y = 0; y + 1 < 40; ++y)
        for (int x = 0; x + 1 < 40; ++x)
            ASSERT_EQ(At(*up, x, y), At(*up, x + 1, y + 1)) << x << "," << y;
    auto down = Gradient(40, 40, gdDiagonalDown);
    auto upSwapped = Gradient(40, 40, gdDiagonalUp, kStop, kStart);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            ASSERT_EQ(At(*down, x, y), At(*upSwapped, 39 - x, y)) << x << "," << y;
    EXPECT_TRUE(NearEnd(At(*down, 0, 0), kStart));
    EXPECT_TRUE(NearEnd(At(*down, 39, 39), kStop));
}

TEST(FrGradient, VeryWideDiagonalStaysOrdered) {
    // The band step w * 65536 no longer fits 32 bits from w = 32768. In a 40000 x 2 rectangle
    // the bands are nearly flat: the bottom row runs from 1/8 to 5/8 of the way, the top row
    // from 3/8 to 7/8, and a pixel of the top row matches the one half the width to its right
    // in the bottom row.
    const int w = 40000;
    auto bmp = Gradient(w, 2, gdDiagonalUp);
    EXPECT_TRUE(Monotone(Row(*bmp, 0, 0, w)));
    EXPECT_TRUE(Monotone(Row(*bmp, 1, 0, w)));
    auto way = [](TColor c) { return (250.0 - GetRValue(c)) / 240.0; }; // 0 at start, 1 at stop
    EXPECT_NEAR(way(At(*bmp, 0, 1)), 0.125, 0.01);
    EXPECT_NEAR(way(At(*bmp, w - 1, 1)), 0.625, 0.01);
    EXPECT_NEAR(way(At(*bmp, 0, 0)), 0.375, 0.01);
    EXPECT_NEAR(way(At(*bmp, w - 1, 0)), 0.875, 0.01);
    for (int x = 0; x < w / 2; x += 997)
        EXPECT_LE(Distance(At(*bmp, x, 0), At(*bmp, x + w / 2, 1)), 1) << x;
}

TEST(FrGradient, AllDirectionsPicture) {
    auto sheet = Surface(5 * 70, 2 * 50, clWhite);
    int i = 0;
    for (TGradientDirection d : kAll) {
        const TRect r = Bounds((i % 5) * 70 + 2, (i / 5) * 50 + 2, 66, 46);
        PaintGradient(sheet->Canvas(), r, d, 1, clNavy, clYellow);
        EXPECT_EQ(At(*sheet, r.Left - 1, r.Top), clWhite) << d; // nothing spills out
        EXPECT_EQ(At(*sheet, r.Right, r.Bottom - 1), clWhite) << d;
        ++i;
    }
    EXPECT_FALSE(Snapshot(*sheet).empty());
}

TEST(FrBitmaps, FlipVertically) {
    auto one = Surface(3, 1);
    one->Canvas()->SetPixel(1, 0, clRed);
    FlipBitmapVertically(one.get());
    EXPECT_EQ(Mismatch(*one, ".r.\n", {{'r', clRed}}), "");
    auto three = Surface(2, 3);
    three->Canvas()->SetPixel(0, 0, clRed);
    three->Canvas()->SetPixel(1, 1, clLime);
    FlipBitmapVertically(three.get());
    EXPECT_EQ(Mismatch(*three, "..\n.g\nr.\n", {{'r', clRed}, {'g', clLime}}), "");
}

TEST(FrBitmaps, TransparentStretchLeavesKeyedPixelsAlone) {
    TBitmap glyph(2, 2, pfDevice);
    glyph.Canvas()->SetPixel(0, 0, clFuchsia);
    glyph.Canvas()->SetPixel(1, 0, clRed);
    glyph.Canvas()->SetPixel(0, 1, clRed);
    glyph.Canvas()->SetPixel(1, 1, clRed);
    auto bmp = Surface(6, 6);
    PaintTransparentStretched(bmp->Canvas(), &glyph, Rect(1, 1, 5, 5), clFuchsia, Rect(0, 0, 2, 2));
    EXPECT_EQ(Mismatch(*bmp,
                       "......\n"
                       "...rr.\n"
                       "...rr.\n"
                       ".rrrr.\n"
                       ".rrrr.\n"
                       "......\n",
                       {{'r', clRed}}),
              "");
}

TEST(FrBitmaps, GroupBarBackground) {
    auto classic = Surface(10, 20);
    PaintGroupBarBackground(classic->Canvas(), Rect(0, 0, 10, 20), vsClassic, clRed, clBlue,
                            gpTopToBottom, gcsCustom);
    EXPECT_EQ(At(*classic, 5, 10), kBackground);
    auto down = Surface(10, 20), up = Surface(10, 20);
    PaintGroupBarBackground(down->Canvas(), Rect(0, 0, 10, 20), vsGradient, clRed, clBlue,
                            gpTopToBottom, gcsCustom);
    PaintGroupBarBackground(up->Canvas(), Rect(0, 0, 10, 20), vsGradient, clRed, clBlue,
                            gpBottomToTop, gcsCustom);
    EXPECT_LE(Distance(At(*down, 0, 0), clRed), 13);
    EXPECT_EQ(At(*down, 0, 19), clBlue);
    EXPECT_EQ(At(*up, 0, 19), clRed);
    EXPECT_LE(Distance(At(*up, 0, 0), clBlue), 13);
    // Without the custom style the colours come from the group-bar set.
    auto system = Surface(10, 20);
    PaintGroupBarBackground(system->Canvas(), Rect(0, 0, 10, 20), vsGradient, clRed, clBlue,
                            gpTopToBottom, gcsSystem);
    TColor start, stop;
    GroupBarGradientColors(gcsSystem, start, stop);
    EXPECT_EQ(At(*system, 0, 19), stop);
}

} // namespace
