// The chart's shared routines: date steps, hit tests, the callback sort, the palette, field
// texts, names, the check glyph and the editor preferences in the registry.

#include "tests/chart/support/ChartTestSupport.h"

#include "chart/util/ChartUtils.h"
#include "chart/util/DateSteps.h"
#include "chart/util/HitTests.h"
#include "platform/classes/Component.h"
#include "platform/classes/Resources.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/CursorResources.h"
#include "platform/graphics/Cursors_p.h"

#include <gtest/gtest.h>

#include <QCursor>
#include <QPixmap>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <set>

namespace {

TDateTime D(int y, int m, int d, int h = 0) {
    return EncodeDate(y, m, d) + h / 24.0;
}

TEST(DateSteps, FindingAndEnlarging) {
    EXPECT_EQ(DateStepOf(1.0 / 86400), dtOneSecond);
    EXPECT_EQ(DateStepOf(0.3), dtNone);
    EXPECT_EQ(DateStepOf(365), dtOneYear);
    EXPECT_DOUBLE_EQ(NextLargerDateStep(1.0 / 86400), 5.0 / 86400);
    EXPECT_DOUBLE_EQ(NextLargerDateStep(400), 365);
    EXPECT_DOUBLE_EQ(NextLargerDateStep(1e-12), 365) << "shorter than every step";
}

TEST(DateSteps, RoundingTheFirstLabel) {
    struct Case {
        TDateTime value;
        TDateStepKind step;
        TDateTime expected;
    } cases[] = {
        {D(2024, 5, 1, 18), dtHalfMonth, D(2024, 5, 1)},
        {D(2024, 5, 20), dtHalfMonth, D(2024, 5, 15)},
        {D(2024, 5, 20, 6), dtOneYear, D(2024, 1, 1)},
        {D(2024, 5, 20, 6), dtThreeMonths, D(2024, 5, 1)},
        {D(2024, 5, 20, 13), dtOneDay, D(2024, 5, 21)},
        {D(2024, 5, 20, 6), dtNone, D(2024, 5, 20)},
        {D(2024, 5, 20, 6), dtOneHour, D(2024, 5, 20, 6)},
        {2.5, dtTwoDays, 2}, // ties to even: 1.25 -> 1
        {0, dtOneYear, 0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(RoundDateToStep(c.value, c.step), c.expected) << c.value;
}

TEST(DateSteps, SteppingByMonthsAndYears) {
    struct Case {
        TDateTime from;
        bool increment;
        TDateStepKind step;
        double amount;
        TDateTime expected;
    } cases[] = {
        {D(2024, 3, 1), false, dtHalfMonth, 15, D(2024, 2, 15)},
        {D(2024, 3, 10), false, dtHalfMonth, 15, D(2024, 3, 1)},
        {D(2024, 3, 20), false, dtHalfMonth, 15, D(2024, 3, 15)},
        {D(2024, 1, 15), false, dtOneMonth, 30, D(2023, 12, 1)},
        {D(2024, 11, 15), true, dtThreeMonths, 90, D(2025, 2, 1)},
        {D(2024, 2, 29), true, dtOneYear, 365, D(2025, 2, 28)},
        {D(2024, 6, 1), true, dtOneYear, 730, D(2026, 6, 1)},
        {D(2024, 6, 1), true, dtOneYear, 0, D(2025, 6, 1)},    // always moves
        {D(2024, 6, 1), true, dtOneYear, -365, D(2025, 6, 1)}, // never stands still
        {10.25, true, dtOneHour, 1.0 / 24, 10.25 + 1.0 / 24},
    };
    for (const Case& c : cases) {
        TDateTime v = c.from;
        StepDateTime(true, c.increment, v, c.step, c.amount);
        EXPECT_DOUBLE_EQ(v, c.expected) << c.from << " " << c.step;
    }
}

TEST(HitTests, SegmentsShapesAndDistances) {
    EXPECT_TRUE(PointNearSegment({5, 1}, {0, 0}, {10, 0}));
    EXPECT_FALSE(PointNearSegment({5, 2}, {0, 0}, {10, 0}));
    EXPECT_TRUE(PointNearSegment({5, 3}, {0, 0}, {10, 0}, 2));
    EXPECT_TRUE(PointNearSegment({3, 3}, {3, 3}, {3, 3}));
    EXPECT_FALSE(PointInsidePolygon({1, 1}, {}));
    EXPECT_TRUE(PointInsideTriangle({10, 5}, 0, 20, 0, 10));
    EXPECT_FALSE(PointInsideTriangle({1, 8}, 0, 20, 0, 10));
    EXPECT_TRUE(PointInsideSideTriangle({15, 10}, 0, 20, 0, 20));
    EXPECT_TRUE(PointInsideEllipse({10, 5}, 0, 0, 20, 10));
    EXPECT_FALSE(PointInsideEllipse({19, 9}, 0, 0, 20, 10));
    EXPECT_FALSE(PointInsideEllipse({0, 0}, 0, 0, 0, 10)) << "no width";
    EXPECT_EQ(PointBackFromEnd({0, 0}, {10, 0}, 3), (TPoint{7, 0}));
    EXPECT_EQ(PointBackFromEnd({4, 0}, {4, 10}, 3), (TPoint{4, 7}));
    EXPECT_DOUBLE_EQ(Hypotenuse(3, 4), 5);
}

// The sort puts any data in order, and a comparison that contradicts itself (as NaN values do)
// never takes an index out of the range.
TEST(ChartUtils, SortByCallbacks) {
    std::mt19937 random(3);
    for (int n : {1, 2, 3, 10, 257}) {
        std::vector<int> v(n);
        for (int& x : v)
            x = static_cast<int>(random() % 50);
        SortByCallbacks(
            0, n - 1, [&](int i, int j) { return v.at(i) - v.at(j); },
            [&](int i, int j) { std::swap(v.at(i), v.at(j)); });
        EXPECT_TRUE(std::is_sorted(v.begin(), v.end())) << n;
    }
    std::vector<double> nan(100, std::nan(""));
    nan[50] = 1;
    SortByCallbacks(
        0, 99, [&](int i, int j) { return nan.at(i) < nan.at(j) ? -1 : 1; },
        [&](int i, int j) { std::swap(nan.at(i), nan.at(j)); });
}

TEST(ChartUtils, PaletteFieldsAndNames) {
    EXPECT_EQ(PaletteColorOf(0), clRed);
    EXPECT_EQ(PaletteColorOf(20), clRed);
    EXPECT_EQ(PaletteColorOf(19), static_cast<TColor>(0xA4A0A0));
    SetModulePalette({clBlue, clLime});
    EXPECT_EQ(PaletteColorOf(3), clLime);
    SetModulePalette({});
    EXPECT_EQ(ModulePalette().size(), 20u);

    struct Case {
        const char* text;
        int n;
        const char* field;
    } fields[] = {{"a;b;c", 2, "b"}, {"a;b", 5, "b"}, {"", 1, ""}, {"a;", 2, ""}, {"a;b", 0, ""}};
    for (const Case& c : fields)
        EXPECT_EQ(FieldAt(c.text, c.n), c.field) << c.text << " " << c.n;
    EXPECT_EQ(FieldCount(""), 0);
    EXPECT_EQ(FieldCount("a;"), 2);
    EXPECT_EQ(FieldCount("a,b,c", ","), 3);
    EXPECT_EQ(FieldSeparator(), ";") << "a given separator is for that call only";
    EXPECT_EQ(ReplaceCharacter("a-b-c", '-', '\0'), "abc");
    EXPECT_EQ(ReplaceCharacter("a-b-c", '-', '+'), "a+b+c");

    TComponent form(nullptr);
    EXPECT_EQ(UniqueComponentName(nullptr, "Series"), "Series1");
    auto* s1 = new TComponent(&form);
    s1->SetName("Series1");
    auto* s2 = new TComponent(&form);
    s2->SetName("Series2");
    EXPECT_EQ(UniqueComponentName(&form, "Series"), "Series3");
}

TEST(ChartUtils, CheckGlyphs) {
    charttest::TSurface s(40, 20);
    DrawCheckGlyph(2, 2, *s.bitmap.Canvas(), true, true);
    DrawCheckGlyph(22, 2, *s.bitmap.Canvas(), true, false);
    const QImage& image = s.Image();
    charttest::SavePicture(image, "check-glyphs");
    EXPECT_EQ(charttest::InkBox(image, clWhite).Left, 2);
    EXPECT_EQ(charttest::ColorBox(image, clBlack).Right <= 35, true);
    EXPECT_GT(charttest::CountColor(image, clBlack), 10) << "the tick and the dot";
    // The check box is sunken on all four sides, also on white: its right and bottom edges show
    // in the light inner line.
    struct Probe {
        int x, y;
        TColor color;
    };
    const Probe probes[] = {
        {2 + 6, 2, clBtnShadow},         {2, 2 + 6, clBtnShadow},
        {2 + 6, 2 + 1, cl3DDkShadow},    {2 + 1, 2 + 6, cl3DDkShadow},
        {2 + 11, 2 + 6, cl3DLight},      {2 + 6, 2 + 11, cl3DLight},
        {2 + 12, 2 + 6, clBtnHighlight}, {2 + 6, 2 + 12, clBtnHighlight},
        {2 + 9, 2 + 9, clWindow},
    };
    for (const Probe& p : probes)
        EXPECT_EQ(charttest::PixelAt(image, p.x, p.y), ColorToRGB(p.color)) << p.x << "," << p.y;
}

// Stand-ins named like series classes: the pictures are found by class name.
class TPieSeries : public TPersistent {
    Q4_CLASS(TPieSeries, TPersistent)
};
class TDonutOfOurOwn : public TPieSeries {
    Q4_CLASS(TDonutOfOurOwn, TPieSeries)
};
class TNoPictureAnywhere : public TPersistent {
    Q4_CLASS(TNoPictureAnywhere, TPersistent)
};

TEST(ChartUtils, ClassBitmapsByNameThenParent) {
    TBitmap own, inherited, none(3, 3);
    ASSERT_TRUE(LoadClassBitmap(TPieSeries::StaticClass(), own));
    EXPECT_EQ(own.Width(), 16);
    EXPECT_EQ(own.Height(), 16);
    ASSERT_TRUE(LoadClassBitmap(TDonutOfOurOwn::StaticClass(), inherited)) << "the parent's";
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(inherited.Canvas()->Pixel(x, y), own.Canvas()->Pixel(x, y));
    EXPECT_FALSE(LoadClassBitmap(TNoPictureAnywhere::StaticClass(), none));
    EXPECT_EQ(none.Width(), 3) << "nothing loaded";
    EXPECT_FALSE(LoadClassBitmap(nullptr, none));
    // Each standard series has its own picture, not a copy of another's.
    std::set<std::string> pictures;
    for (const char* name :
         {"TLineSeries", "TFastLineSeries", "THorizLineSeries", "TBarSeries", "THorizBarSeries",
          "TAreaSeries", "THorizAreaSeries", "TPointSeries", "TPieSeries", "TChartSeries"}) {
        ASSERT_TRUE(FindResource(name, RT_BITMAP)) << name;
        pictures.insert(LoadResourceBytes(name, RT_BITMAP));
    }
    EXPECT_EQ(pictures.size(), 10u);
}

// The start puts the library's hand on the screen as cursor 2020, from the program's resources;
// starts nest, and the last stop takes it off again.
TEST(ChartUtils, TheHandCursorComesWithTheStart) {
    ASSERT_EQ(CursorOf(crPlotHand).shape(), Qt::ArrowCursor) << "not before the start";
    StartChartUtilities();
    StartChartUtilities();
    const QCursor hand = CursorOf(crPlotHand);
    ASSERT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(15, 18)) << "the middle of the palm";
    const QImage picture = hand.pixmap().toImage().convertToFormat(QImage::Format_ARGB32);
    ASSERT_EQ(picture.size(), QSize(32, 32));
    EXPECT_EQ(qAlpha(picture.pixel(0, 0)), 0) << "see-through around the hand";
    EXPECT_EQ(picture.pixel(15, 18), qRgba(255, 255, 255, 255)) << "a white palm";
    int outline = 0;
    for (int x = 0; x < 32; ++x)
        outline += picture.pixel(x, 18) == qRgba(0, 0, 0, 255);
    EXPECT_GE(outline, 2) << "with a black outline on both sides";
    EXPECT_EQ(CursorOf(crHandPoint).shape(), Qt::PointingHandCursor) << "the platform's own stay";

    StopChartUtilities();
    EXPECT_EQ(CursorOf(crPlotHand).shape(), Qt::BitmapCursor) << "one start is still running";
    StopChartUtilities();
    EXPECT_EQ(CursorOf(crPlotHand).shape(), Qt::ArrowCursor);
    EXPECT_FALSE(LoadCursorResource(2021, "NO_SUCH_CURSOR"));
    EXPECT_EQ(CursorOf(2021).shape(), Qt::ArrowCursor);
}

// Preferences live in the registry stand-in under a configuration folder of the test's own.
TEST(ChartUtils, EditorPreferences) {
    const std::string home = std::string(Q4_BINARY_DIR) + "/chart-util-config";
    std::filesystem::remove_all(home);
    setenv("XDG_CONFIG_HOME", home.c_str(), 1);
    EXPECT_TRUE(ReadEditorBoolean("TreeView", true)) << "never written: the default";
    EXPECT_EQ(ReadEditorInteger("Height", 77), 77);
    WriteEditorBoolean("TreeView", false);
    EXPECT_FALSE(ReadEditorBoolean("TreeView", true));
    EXPECT_FALSE(ReadEditorBoolean("Other", false));
}

} // namespace
