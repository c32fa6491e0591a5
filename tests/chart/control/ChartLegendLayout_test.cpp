// The legend's layout in each position and style, its rows and columns, the room it takes from
// the plot rectangle, its hit test, check-box clicks, symbols and the pictures of each position.

#include "tests/chart/control/LegendTestSupport.h"

#include "chart/core/SeriesGroup.h"
#include "platform/classes/Streaming.h"

#include <algorithm>
#include <cctype>
#include <gtest/gtest.h>

using namespace controltest;

namespace {

TEST_F(LegendFixture, EachSideKeepsTheLegendOutOfThePlotRectangle) {
    AddTitledSeries({"Напряжение", "Скорость", "Temperature"});
    struct Case {
        TLegendAlignment alignment;
        const char* name;
    };
    const Case cases[] = {
        {laLeft, "left"}, {laRight, "right"}, {laTop, "top"}, {laBottom, "bottom"}};
    for (const Case& c : cases) {
        chart->Legend()->SetAlignment(c.alignment);
        auto rec = Draw(400, 250);
        const TRect box = Box();
        const TRect plot = chart->PlotRect();
        EXPECT_EQ(LegendTexts(*rec),
                  (std::vector<std::string>{"Напряжение", "Скорость", "Temperature"}))
            << c.name;
        switch (c.alignment) {
        case laLeft:
            EXPECT_LT(box.Right, plot.Left) << c.name;
            break;
        case laRight:
            EXPECT_GT(box.Left, plot.Right) << c.name;
            break;
        case laTop:
            EXPECT_LT(box.Bottom, plot.Top) << c.name;
            break;
        case laBottom:
            EXPECT_GT(box.Top, plot.Bottom) << c.name;
            break;
        }
        EXPECT_GE(box.Left, 0) << c.name;
        EXPECT_LE(box.Right, 400) << c.name;
        EXPECT_GE(box.Top, 0) << c.name;
        EXPECT_LE(box.Bottom, 250) << c.name;
        // Every text lies inside the box.
        for (const std::string& line : rec->LinesIn("Legend")) {
            if (line.rfind("TEXT ", 0) != 0)
                continue;
            const std::vector<int> at = NumbersOf(line);
            EXPECT_GT(at[0], box.Left) << c.name << ": " << line;
            EXPECT_LT(at[0], box.Right) << c.name << ": " << line;
            EXPECT_GT(at[1], box.Top) << c.name << ": " << line;
            EXPECT_LT(at[1], box.Bottom) << c.name << ": " << line;
        }
        Save(*rec, std::string("legend-") + c.name);
    }
}

TEST_F(LegendFixture, CustomPositionStaysWhereItWasPutAndTakesNoRoom) {
    AddTitledSeries({"Один", "Два"});
    auto free = Draw(400, 250);
    const TRect plotWithout = [&] {
        chart->Legend()->SetVisible(false);
        Draw(400, 250);
        return chart->PlotRect();
    }();
    chart->Legend()->SetVisible(true);
    chart->Legend()->SetLeft(120);
    chart->Legend()->SetTop(60);
    auto rec = Draw(400, 250);
    EXPECT_EQ(Box().Left, 120);
    EXPECT_EQ(Box().Top, 60);
    EXPECT_EQ(chart->PlotRect().Right, plotWithout.Right);
    EXPECT_EQ(LegendTexts(*rec), (std::vector<std::string>{"Один", "Два"}));
    Save(*rec, "legend-custom");
}

// A chart drawn into part of a canvas lays a placed legend out from that part's corner; a click
// on its rows names them there.
TEST_F(LegendFixture, APlacedLegendAnswersClicksWhereItWasDrawn) {
    AddTitledSeries({"Один", "Два"});
    TChartLegend* legend = chart->Legend();
    legend->SetLeft(40);
    legend->SetTop(30);
    TBitmap bitmap(500, 350);
    chart->SetBounds(0, 0, 400, 250);
    chart->DrawToCanvas(bitmap.Canvas(), {60, 50, 460, 300});
    const TRect& bounds = chart->PanelBounds();
    ASSERT_GT(bounds.Left, 0);
    EXPECT_EQ(Box().Left, 40) << "Left stays relative to the chart's part";
    const auto& layout = legend->Layout();
    const int right = bounds.Left + Box().Right - 2;
    for (int row = 0; row < 2; ++row) {
        const int y = layout.itemsTop + row * layout.rowHeight + layout.rowHeight / 2 + 1;
        EXPECT_EQ(legend->ItemAt(right, y), row) << row;
        EXPECT_EQ(legend->ItemAt(bounds.Left + Box().Left - 2, y), -1) << row;
    }
}

TEST_F(LegendFixture, RowsFollowTheStyleInEffect) {
    struct Case {
        int series;
        TLegendStyle style;
        bool inverted;
        std::vector<std::string> firstTexts;
        int rows;
    };
    const Case cases[] = {
        {1, lsAuto, false, {}, 4},
        {2, lsAuto, false, {"A", "B"}, 2},
        {2, lsSeries, true, {"B", "A"}, 2},
        {2, lsLastValues, false, {}, 2},
    };
    for (const Case& c : cases) {
        RemoveAllSeries();
        AddTitledSeries(
            c.series == 1 ? std::vector<std::string>{"A"} : std::vector<std::string>{"A", "B"}, 4);
        chart->Legend()->SetLegendStyle(c.style);
        chart->Legend()->SetInverted(c.inverted);
        auto rec = Draw(400, 250);
        EXPECT_EQ(chart->Legend()->Layout().rows, c.rows) << c.style << " " << c.series;
        if (!c.firstTexts.empty())
            EXPECT_EQ(LegendTexts(*rec), c.firstTexts) << c.style;
        else
            EXPECT_FALSE(LegendTexts(*rec).empty()) << c.style;
    }
}

TEST_F(LegendFixture, SeriesGroupsListTheirNamesWithoutSymbols) {
    AddTitledSeries({"A", "B"});
    TSeriesGroup* group = chart->SeriesGroups()->AddGroup();
    group->SetName("Группа");
    chart->Legend()->SetLegendStyle(lsSeriesGroups);
    auto rec = Draw(400, 250);
    EXPECT_EQ(LegendTexts(*rec), std::vector<std::string>{"Группа"});
    EXPECT_EQ(chart->Legend()->Layout().symbolWidth, 0);
}

TEST_F(LegendFixture, ColumnsSplitAtTheSeparatorAndAThirdPartIsDropped) {
    struct Case {
        std::string text, first, second;
    };
    const Case cases[] = {
        {"a\x06"
         "b\x06"
         "c",
         "a", "b"},
        {"a\x06"
         "b",
         "a", "b"},
        {"plain", "plain", ""},
        {"\x06"
         "b",
         "", "b"},
        {"", "", ""},
    };
    for (const Case& c : cases) {
        const auto split = TCustomChartLegend::SplitColumns(c.text);
        EXPECT_EQ(split.column[0], c.first) << c.text;
        EXPECT_EQ(split.column[1], c.second) << c.text;
    }
}

TEST_F(LegendFixture, AVerticalLegendShowsOnlyTheRowsThatFit) {
    AddTitledSeries({"A"}, 60);
    auto rec = Draw(400, 250);
    const auto& layout = chart->Legend()->Layout();
    EXPECT_LT(layout.rows, 60);
    EXPECT_GT(layout.rows, 0);
    EXPECT_EQ(layout.lastValue, layout.rows - 1);
    EXPECT_LE(Box().Bottom, 250);
    const int x = (Box().Left + Box().Right) / 2;
    EXPECT_EQ(chart->Legend()->ItemAt(x, layout.itemsTop + layout.rowHeight / 2 + 1), 0);
    const int belowLast = layout.itemsTop + layout.rows * layout.rowHeight + 2;
    if (belowLast <= Box().Bottom) {
        EXPECT_EQ(chart->Legend()->ItemAt(x, belowLast), -1);
    }
    EXPECT_EQ(chart->Legend()->ItemAt(x, Box().Bottom + 1), -1);
    chart->Legend()->SetFirstValue(5);
    Draw(400, 250);
    EXPECT_EQ(chart->Legend()->ItemAt(x, layout.itemsTop + layout.rowHeight / 2 + 1), 5);
    EXPECT_EQ(chart->Legend()->ItemAt(x, Box().Bottom + 1), -1);
}

TEST_F(LegendFixture, AHorizontalLegendIsCappedAtMaxNumRows) {
    AddTitledSeries({"A"}, 25);
    chart->Legend()->SetAlignment(laBottom);
    for (int maxRows : {10, 5, 2}) {
        chart->Legend()->SetMaxNumRows(maxRows);
        auto rec = Draw(400, 400);
        const auto& layout = chart->Legend()->Layout();
        ASSERT_GT(layout.columns, 1) << maxRows;
        const int needed = (25 + layout.columns - 1) / layout.columns;
        EXPECT_EQ(layout.rows, std::min(needed, maxRows)) << maxRows;
        const int shown = std::min(25, layout.columns * layout.rows);
        EXPECT_EQ(layout.lastValue, shown - 1) << maxRows;
        EXPECT_EQ(static_cast<int>(LegendTexts(*rec).size()), 2 * shown) << maxRows;
    }
}

// Every pixel of an inverted horizontal legend whose last row is short names an item that is
// shown, or none.
TEST_F(LegendFixture, InvertedHorizontalHitTestNeverNamesAMissingItem) {
    AddTitledSeries({"A"}, 23);
    chart->Legend()->SetAlignment(laTop);
    chart->Legend()->SetInverted(true);
    for (int first : {0, 2}) {
        chart->Legend()->SetFirstValue(first);
        Draw(400, 300);
        const auto& layout = chart->Legend()->Layout();
        ASSERT_GT(layout.columns, 1);
        ASSERT_NE(layout.totalItems % layout.columns, 0) << "fixture needs a short last row";
        bool sawItem = false;
        for (int y = Box().Top - 2; y <= Box().Bottom + 2; ++y)
            for (int x = Box().Left - 2; x <= Box().Right + 2; ++x) {
                const int item = chart->Legend()->ItemAt(x, y);
                if (item != -1) {
                    sawItem = true;
                    ASSERT_GE(item, first) << x << "," << y;
                    ASSERT_LE(item, layout.lastValue) << x << "," << y;
                }
            }
        EXPECT_TRUE(sawItem);
    }
}

TEST_F(LegendFixture, CheckBoxClicksSwitchSeries) {
    AddTitledSeries({"A", "B", "C"});
    TChartLegend* legend = chart->Legend();
    legend->SetCheckBoxes(true);
    Draw(400, 250);
    EXPECT_TRUE(legend->ClickItem(1));
    EXPECT_FALSE(chart->SeriesAt(1)->Active());
    EXPECT_TRUE(legend->ClickItem(1));
    EXPECT_TRUE(chart->SeriesAt(1)->Active());
    legend->SetCheckBoxesStyle(cbsRadio);
    EXPECT_TRUE(legend->ClickItem(2));
    EXPECT_FALSE(chart->SeriesAt(0)->Active());
    EXPECT_FALSE(chart->SeriesAt(1)->Active());
    EXPECT_TRUE(chart->SeriesAt(2)->Active());
    EXPECT_FALSE(legend->ClickItem(-1));
    legend->SetCheckBoxes(false);
    EXPECT_FALSE(legend->ClickItem(0));
    EXPECT_FALSE(chart->SeriesAt(0)->Active());
}

TEST_F(LegendFixture, InactiveSeriesAreListedUncheckedWithCheckBoxes) {
    AddTitledSeries({"On", "Off"});
    chart->SeriesAt(1)->SetActive(false);
    chart->Legend()->SetCheckBoxes(true);
    auto rec = Draw(400, 250);
    EXPECT_EQ(LegendTexts(*rec), (std::vector<std::string>{"On", "Off"}));
    // Each box is a 13-pixel square with its highlight and two inner lines, and a checked one
    // three strokes of the check mark after them.
    std::vector<int> strokes;
    const std::vector<std::string> lines = rec->LinesIn("Legend");
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const std::vector<int> at = NumbersOf(lines[i]);
        if (lines[i].rfind("RECTANGLE", 0) != 0 || at[2] - at[0] != 13 || at[3] - at[1] != 13)
            continue;
        int count = 0;
        for (std::size_t k = i + 1; k < lines.size() && lines[k].rfind("POLYLINE", 0) == 0; ++k)
            ++count;
        strokes.push_back(count);
    }
    EXPECT_EQ(strokes, (std::vector<int>{6, 3}));
    Save(*rec, "legend-checkboxes");
}

// The gap between a right legend and the plot rectangle: the margin, or 3 % of the plot width when
// it is 0. What else narrows the plot after the legend is the same for each margin, so the gaps are
// compared with the gap of a 5-pixel margin.
TEST_F(LegendFixture, MarginBesideAVerticalLegend) {
    AddTitledSeries({"A", "B"});
    int plotWidth = 0;
    chart->OnGetLegendRect = [&](TCustomChart* c, TRect&) { plotWidth = c->PlotWidth(); };
    auto gap = [&](int margin) {
        chart->Legend()->SetHorizMargin(margin);
        Draw(400, 250);
        return Box().Left - chart->PlotRect().Right;
    };
    const int five = gap(5);
    for (int margin : {0, 1, 20}) {
        const int got = gap(margin);
        const int expected = margin != 0 ? margin : 3 * plotWidth / 100;
        EXPECT_EQ(got - five, expected - 5) << margin;
    }
    EXPECT_GT(plotWidth, 300);
    chart->OnGetLegendRect = nullptr;
}

// Where the texts and symbols of a row start from the legend's left edge: a symbol on the left
// (its shadow's room after it, a shadow cast left pushing the symbol too), on the right after the
// texts, or hidden (texts 8 pixels in).
TEST_F(LegendFixture, SymbolPositionAndShadowPlaceTextsAndSymbols) {
    AddTitledSeries({"Напряжение", "Ток"});
    TLegendSymbol* symbol = chart->Legend()->Symbol();
    struct Case {
        const char* name;
        bool visible;
        TLegendSymbolPosition position;
        int shadow;
        // Offsets from the box's left edge; sw and tw stand for the symbol's and texts' widths.
        int symbolBase, symbolPerTextWidth, textBase, textPerSymbolWidth;
    };
    const Case cases[] = {
        {"left", true, spLeft, 3, 6, 0, 12 + 3, 1},
        {"left, shadow cast left", true, spLeft, -4, 6 + 4, 0, 12 + 4, 1},
        {"left, no shadow", true, spLeft, 0, 6, 0, 12, 1},
        {"right", true, spRight, 3, 6, 1, 6, 0},
        {"hidden", false, spLeft, 3, 8, 1, 8, 0},
    };
    for (const Case& c : cases) {
        symbol->SetVisible(c.visible);
        symbol->SetPosition(c.position);
        symbol->Shadow()->SetHorizSize(c.shadow);
        Draw(400, 250);
        const auto& layout = chart->Legend()->Layout();
        EXPECT_EQ(layout.symbolWidth,
                  c.visible ? static_cast<int>(std::lround((layout.textWidth + 12) * 0.2)) : 0)
            << c.name;
        EXPECT_EQ(layout.symbolX,
                  Box().Left + c.symbolBase + c.symbolPerTextWidth * layout.textWidth)
            << c.name;
        EXPECT_EQ(layout.textX, Box().Left + c.textBase + c.textPerSymbolWidth * layout.symbolWidth)
            << c.name;
    }
}

} // namespace

namespace {

// A values legend: one row per point, the value column right-aligned at its right edge (the canvas
// aligns it) and the label column after it; a plain one starts both at their left edges.
TEST_F(LegendFixture, ValuesLegendAlignsItsValueColumnRight) {
    AddTitledSeries({"A"}, 12);
    chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle, int index, std::string& text) {
        text = std::to_string(index * index * 37) + "\x06" + "Точка " + std::to_string(index);
    };
    struct Case {
        TLegendTextStyle style;
        bool valueRight;
    };
    for (const Case& c : {Case{ltsLeftValue, true}, Case{ltsPlain, false}}) {
        chart->Legend()->SetTextStyle(c.style);
        auto rec = Draw(400, 250);
        const auto& layout = chart->Legend()->Layout();
        const int valueX = layout.textX - 2 + (c.valueRight ? layout.columnWidth[0] : 0);
        const int labelX = layout.textX - 2 + layout.columnWidth[0] + layout.spaceWidth;
        int values = 0;
        int labels = 0;
        for (const std::string& line : LegendTextLines(*rec)) {
            const bool label = TextOf(line).rfind("Точка", 0) == 0;
            (label ? labels : values)++;
            EXPECT_EQ(NumbersOf(line)[0], label ? labelX : valueX) << c.style << ": " << line;
            const bool right = line.find("align=2") != std::string::npos;
            EXPECT_EQ(right, !label && c.valueRight) << c.style << ": " << line;
        }
        EXPECT_EQ(values, 12);
        EXPECT_EQ(labels, 12);
        if (c.valueRight)
            Save(*rec, "legend-values");
    }
}

} // namespace

namespace {

// The legend's title stands above the rows, in bold, and widens a legend narrower than itself.
TEST_F(LegendFixture, TitleStandsAboveTheRows) {
    AddTitledSeries({"A", "B"});
    TChartLegend* legend = chart->Legend();
    auto without = Draw(400, 250);
    const int rowsTopWithout = legend->Layout().itemsTop - Box().Top;
    const int widthWithout = Box().Right - Box().Left;
    legend->Title()->Text()->Add("Показания датчиков");
    for (TAlignment alignment : {taLeftJustify, taCenter, taRightJustify}) {
        legend->Title()->SetTextAlignment(alignment);
        auto rec = Draw(400, 250);
        const std::vector<std::string> texts = LegendTexts(*rec);
        ASSERT_EQ(texts.size(), 3u);
        EXPECT_EQ(texts[0], "Показания датчиков");
        const std::size_t titleLine = rec->FirstLine("TEXT", "Показания");
        const std::vector<int> at = NumbersOf(rec->Lines()[titleLine]);
        EXPECT_GT(at[0], Box().Left) << alignment;
        EXPECT_LT(at[1] + legend->Layout().titleHeight, legend->Layout().itemsTop + 4);
        EXPECT_EQ(legend->Layout().itemsTop - Box().Top,
                  rowsTopWithout + legend->Layout().titleHeight + 2);
        EXPECT_GT(Box().Right - Box().Left, widthWithout) << "the title is wider than the rows";
        if (alignment == taCenter)
            Save(*rec, "legend-title");
    }
    // A transparent title with a frame is no taller than its lines.
    const int transparentHeight = legend->Layout().titleHeight;
    legend->Title()->Pen()->SetVisible(true);
    legend->Title()->Pen()->SetWidth(3);
    Draw(400, 250);
    EXPECT_EQ(legend->Layout().titleHeight, transparentHeight);
    legend->Title()->SetTransparent(false);
    Draw(400, 250);
    EXPECT_EQ(legend->Layout().titleHeight, transparentHeight + 2 + 6);
}

} // namespace

namespace {

// An inverted legend draws its items last first; a click on each drawn label names the item whose
// text stands there, with and without a short last row and a first value.
TEST_F(LegendFixture, InvertedLegendClicksNameTheItemDrawnThere) {
    struct Case {
        TLegendAlignment alignment;
        int points, first;
    };
    const Case cases[] = {
        {laTop, 23, 0}, {laTop, 23, 2}, {laBottom, 20, 3}, {laRight, 9, 2}, {laLeft, 5, 0}};
    for (const Case& c : cases) {
        RemoveAllSeries();
        AddTitledSeries({"A"}, c.points);
        chart->Legend()->SetAlignment(c.alignment);
        chart->Legend()->SetInverted(true);
        chart->Legend()->SetFirstValue(c.first);
        auto rec = Draw(400, 300);
        std::vector<int> drawn;
        for (const std::string& line : rec->LinesIn("Legend")) {
            if (line.rfind("TEXT ", 0) != 0 || TextOf(line).rfind("P", 0) != 0)
                continue;
            const int item = std::stoi(TextOf(line).substr(1));
            drawn.push_back(item);
            const std::vector<int> at = NumbersOf(line);
            EXPECT_EQ(chart->Legend()->ItemAt(at[0] + 1, at[1] + 3), item)
                << c.alignment << " " << c.points << " " << c.first << ": " << line;
        }
        ASSERT_FALSE(drawn.empty());
        EXPECT_EQ(drawn.front(), c.points - 1) << c.alignment;
        EXPECT_EQ(drawn.back(), c.first) << c.alignment;
    }
}

} // namespace

namespace {

TEST_F(LegendFixture, TitleTextAndAlignmentAreStored) {
    chart->Legend()->Title()->Text()->Add("Датчики");
    chart->Legend()->Title()->Text()->Add("второй ряд");
    chart->Legend()->Title()->SetTextAlignment(taCenter);
    const std::string text = ComponentToText(chart);
    TChart copy(nullptr);
    ReadComponentDescription(text, &copy);
    ASSERT_EQ(copy.Legend()->Title()->Text()->Count(), 2) << text;
    EXPECT_EQ(copy.Legend()->Title()->Text()->Get(0), "Датчики");
    EXPECT_EQ(copy.Legend()->Title()->Text()->Get(1), "второй ряд");
    EXPECT_EQ(copy.Legend()->Title()->TextAlignment(), taCenter);
    EXPECT_TRUE(copy.Legend()->Title()->Transparent());
}

} // namespace

namespace {

// Where the box, the first row's text and its symbol stand, worked out again from the layout rules
// for each side, custom positions in pixels and percent, each style and with check boxes. The
// plot rectangle and its centre are taken as the legend found them (when the chart asks for the
// legend's rectangle).
TEST_F(LegendFixture, BoxTextAndSymbolStandWhereTheLayoutRulesPutThem) {
    AddTitledSeries({"Напряжение", "Скорость", "Ток"}, 5);
    chart->SeriesGroups()->AddGroup()->SetName("Группа датчиков");
    enum TPlace { Side, Pixels, Percent };
    struct Case {
        const char* name;
        TLegendAlignment alignment;
        TLegendStyle style;
        bool boxes;
        TPlace place;
    };
    const Case cases[] = {
        {"left series", laLeft, lsSeries, false, Side},
        {"right series", laRight, lsSeries, false, Side},
        {"right values", laRight, lsValues, false, Side},
        {"right boxes", laRight, lsSeries, true, Side},
        {"left last values", laLeft, lsLastValues, false, Side},
        {"left groups", laLeft, lsSeriesGroups, false, Side},
        {"top series", laTop, lsSeries, false, Side},
        {"top values", laTop, lsValues, false, Side},
        {"bottom series", laBottom, lsSeries, false, Side},
        {"bottom boxes", laBottom, lsSeries, true, Side},
        {"custom pixels", laRight, lsSeries, false, Pixels},
        {"custom percent", laBottom, lsValues, false, Percent},
    };
    TRect plot{};
    int plotWidth = 0;
    int plotXCenter = 0;
    chart->OnGetLegendRect = [&](TCustomChart* c, TRect&) {
        plot = c->PlotRect();
        plotWidth = c->PlotWidth();
        plotXCenter = c->PlotXCenter();
    };
    for (const Case& c : cases) {
        TChartLegend* legend = chart->Legend();
        legend->SetAlignment(c.alignment);
        legend->SetLegendStyle(c.style);
        legend->SetCheckBoxes(c.boxes);
        legend->SetCustomPosition(c.place != Side);
        legend->SetPositionUnits(c.place == Percent ? muPercent : muPixels);
        if (c.place == Pixels) {
            legend->SetLeft(120);
            legend->SetTop(60);
        }
        legend->SetLeftPercent(25);
        legend->SetTopPercent(10);
        auto rec = Draw(400, 300);
        const auto& L = legend->Layout();
        const TRect& bounds = chart->PanelBounds();
        const int boundsWidth = bounds.Right - bounds.Left;
        const int boundsHeight = bounds.Bottom - bounds.Top;
        const TRect box = Box();
        const int fw = L.frameWidth;
        const int boxes = c.boxes ? 15 : 0;
        const int shadowH = legend->Shadow()->HorizSize();
        const int shadowV = legend->Shadow()->VertSize();
        const int symbolShadow = legend->Symbol()->Shadow()->HorizSize();
        ASSERT_GT(L.rows, 0) << c.name;
        ASSERT_GT(L.textWidth, 0) << c.name;
        const bool vertical = c.alignment == laLeft || c.alignment == laRight;

        // Height: the rows with a tenth of a row above and below, and room for the symbol's shadow.
        const int step = static_cast<int>(std::lround(L.rowHeight * 0.1));
        int height = L.rowHeight * L.rows + 2 + 2 * step;
        if (L.rowHeight / 6 < legend->Symbol()->Shadow()->VertSize())
            height += legend->Symbol()->Shadow()->VertSize() - L.rowHeight / 6;
        EXPECT_EQ(box.Bottom - box.Top, height) << c.name;

        int left = 0;
        int width = 0;
        if (vertical) {
            const bool groups = c.style == lsSeriesGroups;
            EXPECT_EQ(L.symbolWidth,
                      groups ? 0 : static_cast<int>(std::lround((L.textWidth + 12) * 0.2)))
                << c.name;
            width = L.textWidth + 12 + (groups ? 0 : L.symbolWidth + 2 + symbolShadow) + boxes;
            if (c.alignment == laLeft)
                left = plot.Left + fw + 1;
            else
                left = plot.Right - shadowH - (fw + 1) - width;
            if (c.place == Side) {
                EXPECT_EQ(box.Top, bounds.Top + static_cast<int>(std::lround(boundsHeight * 0.1)))
                    << c.name;
            }
        } else {
            EXPECT_EQ(L.symbolWidth, static_cast<int>(std::lround(L.textWidth * 0.2))) << c.name;
            const int itemWidth = L.symbolWidth + L.textWidth + 8 + (c.boxes ? 27 : 0);
            EXPECT_EQ(L.columns, std::min(L.totalItems, (plotWidth - 2 * fw - 8) / itemWidth))
                << c.name;
            int w = L.columns * (L.textWidth + L.symbolWidth + 6) + 6 + 2 * L.columns;
            if (c.boxes)
                w += 15 * L.columns + 4;
            const int d = std::min(plotWidth, w) / 2;
            width = 2 * d;
            left = plotXCenter - d + static_cast<int>(std::lround(0.1 * (boundsWidth - 2 * d)));
            if (c.place == Side && c.alignment == laTop) {
                EXPECT_EQ(box.Top, plot.Top + fw + 1) << c.name;
            }
            if (c.place == Side && c.alignment == laBottom) {
                EXPECT_EQ(box.Bottom, plot.Bottom - (fw + 1 + shadowV)) << c.name;
            }
        }
        if (c.place == Pixels) {
            left = 120;
            EXPECT_EQ(box.Top, 60) << c.name;
        } else if (c.place == Percent) {
            left = static_cast<int>(std::lround(boundsWidth * 0.25));
            EXPECT_EQ(box.Top, static_cast<int>(std::lround(boundsHeight * 0.1))) << c.name;
        }
        EXPECT_EQ(box.Left, left) << c.name;
        EXPECT_EQ(box.Right - box.Left, width) << c.name;

        // The first row: its text from two pixels left of the text column, its symbol six pixels
        // into the row, after the check box.
        // A placed legend's Left is relative to the panel's bounds; the layout is not.
        const int x = box.Left + (c.place != Side ? bounds.Left : 0) + boxes;
        EXPECT_EQ(L.textX, x + L.symbolWidth + 12 + symbolShadow) << c.name;
        const int y = L.itemsTop + step + 1;
        const std::vector<std::string> texts = LegendTextLines(*rec);
        ASSERT_FALSE(texts.empty()) << c.name;
        const std::vector<int> at = NumbersOf(texts.front());
        // By the default text style the first column of other rows than series stands
        // right-aligned.
        const int textLeft = L.textX - 2 + (c.style == lsSeries ? 0 : L.columnWidth[0]);
        EXPECT_EQ(at[0], textLeft) << c.name << ": " << texts.front();
        EXPECT_EQ(texts.front().find("align=2") != std::string::npos, c.style != lsSeries)
            << c.name;
        EXPECT_EQ(at[1], y + (c.boxes ? 1 : 0)) << c.name;
        const TRect symbol = legend->Items()->Item(0)->SymbolRect;
        EXPECT_EQ(symbol.Left, x + 6) << c.name;
        EXPECT_EQ(symbol.Right, x + 6 + L.symbolWidth) << c.name;
        EXPECT_EQ(symbol.Top, y + 2) << c.name;
        EXPECT_EQ(symbol.Bottom, y + L.rowHeight + 1 - 3) << c.name;
    }
    chart->OnGetLegendRect = nullptr;
}

} // namespace

namespace {

// With pages, a values legend lists the points of the current page and a click names them; a
// series legend starts at its first row whatever FirstValue says, which itself is left alone.
TEST_F(LegendFixture, PagesChooseTheRowsOfAValuesLegend) {
    AddTitledSeries({"A"}, 10);
    TChartLegend* legend = chart->Legend();
    chart->Pages()->SetMaxPointsPerPage(4);
    struct Case {
        int page;
        std::vector<std::string> rows;
    };
    const Case cases[] = {{1, {"P0", "P1", "P2", "P3"}}, {3, {"P8", "P9"}}};
    for (const Case& c : cases) {
        chart->Pages()->SetCurrent(c.page);
        auto rec = Draw(400, 250);
        std::vector<std::string> rows;
        for (const std::string& text : LegendTexts(*rec))
            if (text.rfind("P", 0) == 0)
                rows.push_back(text);
        EXPECT_EQ(rows, c.rows) << c.page;
        const auto& layout = legend->Layout();
        const int x = (Box().Left + Box().Right) / 2;
        EXPECT_EQ(legend->ItemAt(x, layout.itemsTop + layout.rowHeight / 2 + 1),
                  std::stoi(c.rows.front().substr(1)))
            << c.page;
    }
    AddTitledSeries({"B"}, 10);
    legend->SetFirstValue(1);
    auto rec = Draw(400, 250);
    EXPECT_EQ(LegendTexts(*rec), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(legend->FirstValue(), 1);
}

// The size hook widens a side legend and keeps clicks off the right edge it names.
TEST_F(LegendFixture, TheSizeHookAdjustsWidthAndClickableEdge) {
    AddTitledSeries({"A", "B"});
    TChartLegend* legend = chart->Legend();
    legend->SetAlignment(laLeft);
    Draw(400, 250);
    const int plainWidth = Box().Right - Box().Left;
    int extra = 30;
    legend->SizeHook = [&](TCustomChartLegend* sender, int& size) {
        EXPECT_EQ(sender, legend);
        size += extra;
    };
    Draw(400, 250);
    EXPECT_EQ(Box().Right - Box().Left, plainWidth + 30);
    const auto& layout = legend->Layout();
    const int y = layout.itemsTop + layout.rowHeight / 2 + 1;
    EXPECT_EQ(legend->ItemAt(Box().Right - 31, y), 0);
    EXPECT_EQ(legend->ItemAt(Box().Right - 29, y), -1) << "the hook's 30 pixels take no clicks";
    legend->SizeHook = nullptr;
}

// A chart shadow cast upwards moves a side legend down by twice its size; a shadow cast downwards
// leaves it where it was.
TEST_F(LegendFixture, AChartShadowAboveMovesASideLegendDown) {
    AddTitledSeries({"A", "B"});
    for (int vertSize : {0, 3, -4}) {
        chart->Shadow()->SetVertSize(vertSize);
        Draw(400, 250);
        const TRect& bounds = chart->PanelBounds();
        const int s = vertSize < 0 ? -2 * vertSize : 0;
        EXPECT_EQ(Box().Top,
                  bounds.Top + s +
                      static_cast<int>(std::lround((bounds.Bottom - bounds.Top - s) * 0.1)))
            << vertSize;
    }
}

// Tagged legend texts are measured and drawn without their tags.
TEST_F(LegendFixture, TaggedTextsAreMeasuredAndDrawnAsTagged) {
    AddTitledSeries({"<b>Напряжение</b>", "<i>Ток</i>"});
    TChartLegend* legend = chart->Legend();
    Draw(400, 250);
    const int taggedAsPlain = legend->Layout().textWidth;
    legend->SetTextFormat(ttfHtml);
    auto rec = Draw(400, 250);
    const std::vector<std::string> texts = LegendTexts(*rec);
    EXPECT_EQ(texts, (std::vector<std::string>{"Напряжение", "Ток"}));
    EXPECT_LT(legend->Layout().textWidth, taggedAsPlain) << "the tags take no room";
    // A tagged title is drawn whole, its tags read, above the rows.
    legend->Title()->Text()->Add("<u>Показания</u>");
    legend->Title()->SetTextFormat(ttfHtml);
    rec = Draw(400, 250);
    const std::vector<std::string> lines = LegendTextLines(*rec);
    ASSERT_EQ(LegendTexts(*rec), (std::vector<std::string>{"Показания", "Напряжение", "Ток"}));
    EXPECT_LT(NumbersOf(lines[0])[1], legend->Layout().itemsTop);
    Save(*rec, "legend-tagged");
}

} // namespace

namespace {

// With FontSeriesColor a series row is written in its series' colour and a point row in its
// point's; group rows and a legend without it keep the legend's font colour.
TEST_F(LegendFixture, FontSeriesColorWritesRowsInTheirColours) {
    AddTitledSeries({"Красный", "Синий"}, 2);
    chart->SeriesAt(0)->SetSeriesColor(clRed);
    chart->SeriesAt(1)->SetSeriesColor(clBlue);
    chart->SeriesAt(0)->SetPointColor(1, clLime);
    chart->SeriesGroups()->AddGroup()->SetName("Группа");
    chart->Legend()->Font()->SetColor(clMaroon);
    struct Case {
        TLegendStyle style;
        bool on;
        std::vector<std::string> colours; // of the first column's texts, in order
    };
    const Case cases[] = {
        {lsSeries, true, {"0000FF", "FF0000"}},
        {lsSeries, false, {"000080", "000080"}},
        {lsValues, true, {"0000FF", "00FF00"}},
        {lsSeriesGroups, true, {"000080"}},
    };
    for (const Case& c : cases) {
        chart->Legend()->SetLegendStyle(c.style);
        chart->Legend()->SetFontSeriesColor(c.on);
        auto rec = Draw(400, 250);
        std::vector<std::string> colours;
        for (const std::string& line : LegendTextLines(*rec)) {
            const std::string text = TextOf(line);
            if (!text.empty() && !std::isdigit(static_cast<unsigned char>(text[0])))
                colours.push_back(line.substr(line.find("text=") + 5, 6));
        }
        EXPECT_EQ(colours, c.colours) << c.style << " " << c.on;
    }
}

} // namespace
