// Palettes applied to a chart by index, and the palette names offered to editors.

#include "chart/control/ChartPalettes.h"

#include "chart/control/Chart.h"
#include "chart/draw/ChartMessages.h"
#include "tests/chart/registry/RegistryTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const std::vector<std::string> kPaletteNames = {
    "Plotwise", "Excel",   "Victorian", "Pastels",    "Solid",      "Classic", "Web",  "Modern",
    "Rainbow",  "Win. XP", "Mac OS",    "Win. Vista", "Gray scale", "Opera",   "Warm", "Cool"};

TEST(ColorPalettes, UsingAPaletteSetsTheChartsColoursAndRecordsTheIndex) {
    struct Case {
        int index;
        std::size_t colours;
        TColor first; // the first colour when there are any
    };
    const Case cases[] = {
        {13, 12, static_cast<TColor>(0xA36644)}, {0, 0, clNone},
        {1, 22, static_cast<TColor>(0xFF9999)},  {16, 0, clNone},
        {15, 8, static_cast<TColor>(0x6B402B)},  {-1, 0, clNone},
        {8, 25, static_cast<TColor>(0x000099)},
    };
    TCustomChart chart(nullptr);
    TOwned<TRegistryProbeSeries> series(new TRegistryProbeSeries(nullptr));
    series->SetParentChart(&chart);
    // Each case starts from the state the case before it left.
    for (const Case& c : cases) {
        SCOPED_TRACE(c.index);
        UsePalette(chart, c.index);
        EXPECT_EQ(chart.ColorPaletteIndex(), c.index);
        ASSERT_EQ(chart.ColorPalette().size(), c.colours);
        if (c.colours > 0) {
            EXPECT_EQ(chart.ColorPalette()[0], c.first);
            // A series without its own colour takes the palette's first free colour.
            EXPECT_EQ(series->SeriesColor(), c.first);
        }
        EXPECT_EQ(series->OwnSeriesColor(), clDefault);
    }
    series->SetParentChart(nullptr);
}

TEST(ColorPalettes, FillNamesAddsDefaultAndEveryNameWithItsIndex) {
    for (bool addDefault : {true, false}) {
        SCOPED_TRACE(addDefault);
        TStringList items;
        items.Add("kept");
        TColorPalettes::FillNames(items, addDefault);
        const int first = addDefault ? 2 : 1;
        ASSERT_EQ(items.Count(), first + 16);
        EXPECT_EQ(items[0], "kept");
        if (addDefault) {
            EXPECT_EQ(items[1], "Default");
            EXPECT_EQ(items.Objects(1), nullptr);
        }
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(items[first + i], kPaletteNames[static_cast<std::size_t>(i)]);
            EXPECT_EQ(TColorPalettes::PaletteIndexOf(items.Objects(first + i)), i);
        }
    }
    ASSERT_EQ(ColorPalettes().Count(), 16);
    EXPECT_EQ(ColorPaletteName(16), "");
    EXPECT_EQ(ColorPaletteName(-1), "");
}

TEST(ColorPalettes, PaletteNamesAreTheLibrarysMessages) {
    const std::string saved = ChartMsg(msgPaletteFirst + 13);
    ChartMsg(msgPaletteFirst + 13) = "Опера";
    EXPECT_EQ(ColorPaletteName(13), "Опера");
    ChartMsg(msgPaletteFirst + 13) = saved;
    EXPECT_EQ(ColorPaletteName(13), "Opera");
}

} // namespace
