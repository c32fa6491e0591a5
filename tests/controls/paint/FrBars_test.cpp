#include "controls/paint/FrBars.h"

#include "PaintTestSupport.h"
#include "platform/graphics/Themes.h"

#include <gtest/gtest.h>

namespace {

using namespace painttest;

const TColor kBack = RGB(230, 230, 230), kBar = RGB(0, 120, 215);

// Pixels outside r that are no longer the background.
int Spilled(TBitmap& bmp, const TRect& r) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            if (!PtInRect(r, {x, y}) && At(bmp, x, y) != kBackground)
                ++n;
    return n;
}

int CountIn(TBitmap& bmp, const TRect& r, TColor c) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
        for (int x = r.Left; x < r.Right; ++x)
            n += At(bmp, x, y) == c;
    return n;
}

TEST(FrBars, SegmentsFillTheBarInEqualSteps) {
    struct Case {
        int length, segments, percent;
        std::vector<int> runs; // lit runs along the middle (each segment less its outline)
    } cases[] = {
        {60, 20, 100, std::vector<int>(10, 4)}, // short bar: ten segments of 6 pixels
        {60, 20, 50, std::vector<int>(5, 4)},
        {60, 20, 0, {}},
        {200, 10, 100, std::vector<int>(10, 18)},
        {205, 10, 30, std::vector<int>(3, 18)}, // 5 pixels left over: margins of 2
    };
    for (const Case& c : cases) {
        auto bmp = Surface(c.length, 12);
        PaintProgressSegments(bmp->Canvas(), Rect(0, 0, c.length, 12), false, false, false,
                              c.percent, c.segments, kBack, kBar);
        EXPECT_EQ(RowRuns(*bmp, 6, kBar), c.runs) << c.length << " " << c.percent;
        EXPECT_EQ(CountIn(*bmp, Rect(0, 0, c.length, 12), kBackground), 0) << c.length;
    }
    // Vertical bars fill from the bottom up.
    auto v = Surface(12, 60);
    PaintProgressSegments(v->Canvas(), Rect(0, 0, 12, 60), true, false, false, 30, 20, kBack, kBar);
    EXPECT_EQ(ColumnRuns(*v, 6, kBar), std::vector<int>(3, 4));
    EXPECT_EQ(At(*v, 6, 58), kBar);
    EXPECT_EQ(At(*v, 6, 2), kBack);
    Snapshot(*v, "-vertical");
}

TEST(FrBars, SegmentsBeyondHundredPercentStayInsideTheBar) {
    for (bool vertical : {false, true})
        for (bool transparent : {false, true}) {
            auto bmp = Surface(90, 90);
            const TRect r = vertical ? Rect(40, 10, 52, 70) : Rect(10, 40, 70, 52);
            PaintProgressSegments(bmp->Canvas(), r, vertical, transparent, false, 150, 20, kBack,
                                  kBar);
            EXPECT_EQ(Spilled(*bmp, r), 0) << vertical << transparent;
            const std::vector<int> lit =
                vertical ? ColumnRuns(*bmp, 46, kBar) : RowRuns(*bmp, 46, kBar);
            EXPECT_EQ(lit.size(), 10u) << vertical << transparent;
            Snapshot(*bmp, std::string(vertical ? "-vertical" : "-horizontal") +
                               (transparent ? "-transparent" : ""));
        }
    // The themed chunk is capped the same way.
    const bool before = SetThemeServicesEnabled(true);
    auto themed = Surface(90, 30);
    PaintProgressSegments(themed->Canvas(), Rect(10, 10, 70, 20), false, false, true, 150, 20,
                          kBack, kBar);
    SetThemeServicesEnabled(before);
    EXPECT_EQ(Spilled(*themed, Rect(10, 10, 70, 20)), 0);
    EXPECT_EQ(RowRuns(*themed, 15, kBar), std::vector<int>{58});
}

TEST(FrBars, TooShortForSegmentsShowsAPlainBar) {
    auto bmp = Surface(8, 6);
    PaintProgressSegments(bmp->Canvas(), Rect(0, 0, 8, 6), false, false, false, 50, 10, kBack,
                          kBar);
    EXPECT_EQ(Mismatch(*bmp, "####____\n####____\n####____\n####____\n####____\n####____\n",
                       {{'#', kBar}, {'_', kBack}}),
              "");
}

TEST(FrBars, TraditionalBar) {
    // Without text: the bar part in the bar colour, the rest in the back colour (or untouched).
    auto bmp = Surface(50, 10);
    PaintProgressTraditional(bmp->Canvas(), Rect(0, 0, 50, 10), false, false, false, 40, kBack,
                             kBar);
    EXPECT_EQ(RowRuns(*bmp, 5, kBar), std::vector<int>{20});
    EXPECT_EQ(RowRuns(*bmp, 5, kBack), std::vector<int>{30});
    auto clear = Surface(50, 10);
    PaintProgressTraditional(clear->Canvas(), Rect(0, 0, 50, 10), false, true, false, 40, kBack,
                             kBar);
    EXPECT_EQ(RowRuns(*clear, 5, kBackground), std::vector<int>{30});
    auto vertical = Surface(10, 40);
    PaintProgressTraditional(vertical->Canvas(), Rect(0, 0, 10, 40), true, false, false, 25, kBack,
                             kBar);
    EXPECT_EQ(ColumnRuns(*vertical, 5, kBar), std::vector<int>{10});
    EXPECT_EQ(At(*vertical, 5, 39), kBar);
}

TEST(FrBars, TraditionalBarFullWithText) {
    for (int percent : {100, 150}) {
        auto bmp = Surface(120, 30);
        const TRect r = Rect(10, 5, 110, 25);
        bmp->Canvas()->Font()->SetName("Arial");
        bmp->Canvas()->Font()->SetSize(8);
        PaintProgressTraditional(bmp->Canvas(), r, false, false, true, percent, kBack, kBar);
        EXPECT_EQ(Spilled(*bmp, r), 0);
        // Everything is bar colour but the text, which is drawn once in the back colour.
        const int bar = CountIn(*bmp, r, kBar), text = r.Width() * r.Height() - bar;
        EXPECT_GT(text, 10) << percent;
        EXPECT_LT(text, 400) << percent;
        Snapshot(*bmp, "-" + std::to_string(percent));
    }
}

TEST(FrBars, TraditionalTextChangesColourWhereTheBarEnds) {
    auto bmp = Surface(100, 20);
    bmp->Canvas()->Font()->SetName("Arial");
    bmp->Canvas()->Font()->SetSize(10);
    PaintProgressTraditional(bmp->Canvas(), Rect(0, 0, 100, 20), false, false, true, 50, kBack,
                             kBar);
    Snapshot(*bmp);
    // "50%" straddles x = 50: its left part is written in the back colour on the bar, its right
    // part in the bar colour on the back.
    EXPECT_GT(CountIn(*bmp, Rect(0, 0, 50, 20), kBack), 0);
    EXPECT_GT(CountIn(*bmp, Rect(50, 0, 100, 20), kBar), 0);
    EXPECT_EQ(Spilled(*bmp, Rect(0, 0, 100, 20)), 0);
}

TEST(FrBars, GradientBar) {
    auto bmp = Surface(100, 10);
    PaintProgressGradient(bmp->Canvas(), Rect(0, 0, 100, 10), false, false, false, 60,
                          gdVerticalEnd, clWhite, kBack, clNavy, kBar);
    // Each part runs from its colour (one step short, at its left end) to its stop colour.
    EXPECT_LE(std::abs(GetBValue(At(*bmp, 0, 5)) - GetBValue(kBar)), 3);
    EXPECT_EQ(At(*bmp, 59, 5), clNavy);
    EXPECT_LE(std::abs(GetRValue(At(*bmp, 60, 5)) - GetRValue(kBack)), 1);
    EXPECT_EQ(At(*bmp, 99, 5), clWhite);
    auto clear = Surface(100, 10);
    PaintProgressGradient(clear->Canvas(), Rect(0, 0, 100, 10), false, true, false, 160,
                          gdVerticalEnd, clWhite, kBack, clNavy, kBar);
    EXPECT_EQ(At(*clear, 99, 5), clNavy);
    Snapshot(*bmp);
}

} // namespace
