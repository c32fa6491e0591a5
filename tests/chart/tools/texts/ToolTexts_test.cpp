#include "chart/core/ChartValueList.h"
#include "chart/tools/ToolTexts.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// Started for one test and stopped after it; the texts are counted, so this nests inside any
// start the program made.
class ToolTexts : public ::testing::Test {
protected:
    void SetUp() override { StartToolTexts(); }
    void TearDown() override { StopToolTexts(); }
};

struct TextCase {
    int number;
    const char* text;
};

// Texts that show the table's edges and its awkward characters: the first and last, blanks at
// either end, carriage returns splitting captions, quotes, the degree sign, format placeholders.
const TextCase kTexts[] = {
    {1, "Polar"},
    {20, "Horizontal\rBoxPlot"},
    {46, "Bollinger\rbands"},
    {73, "Rotation: %d\xC2\xB0 Elevation: %d\xC2\xB0"},
    {77, "Zoom: %d %%"},
    {95, "Edit"},
    {153, "Segment "},
    {157, " within quota"},
    {158, " or more below quota"},
    {183, "Point & Figure"},
    {237, "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a "
          "series point."},
    {250, "Displays a 2 dimensional \"light\" effect over the chart Canvas."},
    {298, "Range must be specified. (ie: From A1 to A10)"},
    {334, "MPEG Video files"},
};

TEST_F(ToolTexts, HoldTheirEnglishTextsExactly) {
    for (const auto& c : kTexts)
        EXPECT_EQ(ToolText(c.number), c.text) << "text " << c.number;
}

TEST_F(ToolTexts, EveryTextIsFilledAndOnlyCaptionsCarryCarriageReturns) {
    int withReturn = 0;
    for (int n = 1; n <= ToolTextCount; ++n) {
        const std::string& t = ToolText(n);
        EXPECT_FALSE(t.empty()) << "text " << n;
        EXPECT_EQ(t.find('\n'), std::string::npos) << "text " << n;
        withReturn += static_cast<int>(std::count(t.begin(), t.end(), '\r'));
    }
    // The two-line gallery captions: 20, 35 .. 38, 42, 43, 45 .. 47, 178 .. 181, 208, 323,
    // 324, 326, one return each.
    EXPECT_EQ(withReturn, 18);
}

struct ToolCase {
    int title, summary;
    const char* titleText;
    const char* summaryText;
};

// Each tool's display name and description, as the tool lists show them.
const ToolCase kTools[] = {
    {ttCursorTitle, ttCursorSummary, "Cursor", "Displays draggable Cursor lines on top of Series."},
    {ttDragMarksTitle, ttDragMarksSummary, "Drag Marks",
     "Moves Series marks when dragging them with mouse."},
    {ttAxisArrowTitle, ttAxisArrowSummary, "Axis Arrows",
     "Displays clickable arrows at axis start and ending points, to scroll axis."},
    {ttDrawLineTitle, ttDrawLineSummary, "Draw Line",
     "Allows drawing custom lines by dragging the mouse."},
    {ttNearestTitle, ttNearestSummary, "Nearest Point",
     "Displays a graphical signal when the mouse is moving near a series point."},
    {ttColorBandTitle, ttColorBandSummary, "Color Band",
     "Displays a coloured rectangle (band) at the specified axis and position."},
    {ttColorLineTitle, ttColorLineSummary, "Color Line", "Displays a draggable line across axes."},
    {ttRotateTitle, ttRotateSummary, "Rotate", "Allows rotating Chart dragging with mouse button."},
    {ttImageTitle, ttImageSummary, "Image",
     "Displays a picture using the specified Series axes as boundaries. When the axis are zoomed "
     "or scrolled, the picture will follow the new boundaries."},
    {ttMarksTipTitle, ttMarksTipSummary, "Mark Tips",
     "Displays \"tips\" or \"hints\" when the end-user moves or clicks the mouse over a series "
     "point."},
    {ttAnnotationTitle, ttAnnotationSummary, "Annotation",
     "Displays custom text at any location inside Chart."},
    {ttSeriesAnimationTitle, ttSeriesAnimationSummary, "Series Animation",
     "Performs growing animation of Series points."},
    {ttGridBandTitle, ttGridBandSummary, "Grid Band",
     "Grid Band tool, use it to display a coloured rectangles (bands) at the grid lines of the "
     "specified axis and position."},
    {ttAxisScrollTitle, ttAxisScrollSummary, "Axis Scroll",
     "Allows the scrolling of Axes by mouse dragging"},
    {ttRectangleTitle, ttRectangleSummary, "Rectangle",
     "Displays custom text at any location inside Chart within a resizable box."},
    {ttClipSeriesTitle, ttClipSeriesSummary, "Clip Series",
     "Restricts Series painting outside Series associated axes boundaries."},
    {ttFullScreenTitle, ttFullScreenSummary, "Full Screen", "Show Chart maximized to full screen"},
    {ttPageNumTitle, ttPageNumSummary, "Page Number",
     "Shows current chart Page number and total number of Pages in chart."},
    {ttAntiAliasTitle, ttAntiAliasSummary, "Anti-Alias",
     "Improves display of diagonal and curved lines, removing zig-zag."},
};

TEST_F(ToolTexts, NameEachToolAndDescribeIt) {
    for (const auto& c : kTools) {
        EXPECT_EQ(ToolText(c.title), c.titleText);
        EXPECT_EQ(ToolText(c.summary), c.summaryText);
    }
}

TEST_F(ToolTexts, AReplacedTextIsWhatTheNextReaderGets) {
    const std::string old = ToolText(ttCursorTitle);
    ToolText(ttCursorTitle) = "Курсор";
    EXPECT_EQ(ToolText(97), "Курсор");
    ToolText(ttCursorTitle) = old;
}

TEST(ToolTextsLife, NestedStartsKeepTheTextsUntilTheLastStopEmptiesThemAll) {
    StartToolTexts();
    StartToolTexts();
    StopToolTexts();
    EXPECT_EQ(ToolText(169), "Page Number");
    StopToolTexts();
    for (int n = 1; n <= ToolTextCount; ++n)
        EXPECT_TRUE(ToolText(n).empty()) << "text " << n;
    // A stop without a start changes nothing and a new start fills them again.
    StopToolTexts();
    StartToolTexts();
    EXPECT_EQ(ToolText(1), "Polar");
    StopToolTexts();
}

TEST(ToolTextsLife, ANumberOutsideTheTableRaises) {
    for (int n : {0, -1, ToolTextCount + 1})
        EXPECT_THROW(ToolText(n), EChartIndexError) << n;
}

} // namespace
