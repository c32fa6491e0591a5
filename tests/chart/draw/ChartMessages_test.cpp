// The chart message table: its size, the texts the code names, the composed file messages and the
// nesting of start and stop.

#include "chart/draw/ChartMessages.h"
#include "chart/draw/DrawLibrary.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartMessages, NamedTextsSitWhereTheCodeLooks) {
    struct Case {
        int id;
        const char* text;
    } cases[] = {
        {msgTest, "Test..."},
        {msgAxisMinMax, "Axis Minimum Value must be <= Maximum"},
        {msgAxisMaxMin, "Axis Maximum Value must be >= Minimum"},
        {msgSeriesOfLines, "%s\rof %s"},
        {msgValuesFormat, "#,##0.###"},
        {msgDefaultFontSize, "8"},
        {msgDefaultFontName, "Arial"},
        {msgValueX, "X"},
        {msgSeriesDelete, "Series Delete: ValueIndex %d out of bounds (0 to %d)."},
        {msgTest + 21, "#.0 \"x10\" E+0"},
        {ChartMessageCount - 1, "&Record Video !"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ChartMsg(c.id), c.text) << c.id;
    EXPECT_THROW(ChartMsg(ChartMessageCount), std::out_of_range);
}

TEST(ChartMessages, EveryTextIsFilledAndFitsWindows1251) {
    for (int i = 0; i < ChartMessageCount; ++i) {
        ASSERT_FALSE(ChartMsg(i).empty()) << i;
        std::string bytes;
        EXPECT_TRUE(TryUtf8ToCp1251(ChartMsg(i), bytes)) << i;
        EXPECT_EQ(Cp1251ToUtf8(bytes), ChartMsg(i)) << i;
    }
    EXPECT_EQ(Utf8ToCp1251(ChartMsg(ChartMessageCount - 7)), "\xB0");
}

TEST(ChartMessages, ComposedMessagesKeepTheExtensionOfStartUp) {
    const std::string ext = ChartFileExtension();
    ASSERT_EQ(ext.size(), 3u);
    EXPECT_EQ(ChartMsg(msgInvalidChartFile), "Invalid Chart in *." + ext + " file");
    EXPECT_EQ(ChartMsg(msgWrongChartFile), "Wrong *." + ext + " file format");
    EXPECT_EQ(ChartMsg(msgEmptyChartFile), "Empty *." + ext + " file");
    ChartFileExtension() = "xyz";
    EXPECT_EQ(ChartMsg(msgEmptyChartFile), "Empty *." + ext + " file");
    ChartFileExtension() = ext;
}

TEST(ChartMessages, ASecondStartKeepsChangedTextsAndTheLastStopEmpties) {
    const std::string original = ChartMsg(msgAxisMinMax);
    ChartMsg(msgAxisMinMax) = "Minimum too big";
    StartChartLibrary();
    EXPECT_EQ(ChartMsg(msgAxisMinMax), "Minimum too big");
    StopChartLibrary();
    EXPECT_EQ(ChartMsg(msgAxisMinMax), "Minimum too big");
    ChartMsg(msgAxisMinMax) = original;

    // Stopping the environment's own start empties everything; start again for the other tests.
    StopChartLibrary();
    EXPECT_TRUE(ChartMsg(msgAxisMinMax).empty());
    EXPECT_TRUE(ChartFileExtension().empty());
    EXPECT_TRUE(DefaultChartFontName().empty());
    StartChartLibrary();
    EXPECT_EQ(ChartMsg(msgAxisMinMax), original);
    EXPECT_EQ(DefaultChartFontName(), "Arial");
    EXPECT_EQ(DefaultChartFontSize(), 8);
}

} // namespace
