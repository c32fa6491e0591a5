// The legend's layout in each position and style, its rows and columns, the room it takes from
// the plot rectangle, its hit test, check-box clicks, symbols and the pictures of each position.

#include "tests/chart/control/ControlTestSupport.h"

#include "chart/core/SeriesGroup.h"
#include "platform/classes/Streaming.h"

#include <QDir>

#include <algorithm>
#include <gtest/gtest.h>

using namespace controltest;

namespace {

class LegendFixture : public ChartFixture {
protected:
    // Series with titles and a few points each.
    void AddTitledSeries(const std::vector<std::string>& titles, int points = 3) {
        chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle style, int index,
                                    std::string& text) {
            if (style == lsValues || style == lsLastValues)
                text = "P" + std::to_string(index) + "\x06" + std::to_string(index * 10);
        };
        for (const std::string& title : titles) {
            std::vector<std::pair<double, double>> values;
            for (int i = 0; i < points; ++i)
                values.emplace_back(i, (i * 7 + static_cast<int>(title.size())) % 10);
            AddSeries(values)->SetTitle(title);
        }
    }
    std::vector<std::string> LegendTexts(const TRecording& rec) {
        std::vector<std::string> texts;
        for (const std::string& line : rec.LinesIn("Legend"))
            if (line.rfind("TEXT ", 0) == 0)
                texts.push_back(TextOf(line));
        return texts;
    }
    TRect Box() const {
        TChartLegend* legend = chart->Legend();
        return TRect{legend->Left(), legend->Top(), legend->Left() + legend->ShapeWidth() - 1,
                     legend->Top() + legend->ShapeHeight() - 1};
    }
    void Save(const TRecording& rec, const std::string& name) {
        const std::string dir = std::string(Q4_BINARY_DIR) + "/chart-legend";
        QDir().mkpath(QString::fromStdString(dir));
        ASSERT_TRUE(rec.Image().save(QString::fromStdString(dir + "/" + name + ".png")));
    }
};

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
        while (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->SetParentChart(nullptr);
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

TEST(LegendSymbol, WidthRule) {
    struct Case {
        bool visible, squared;
        TLegendSymbolSize units;
        int width, textWidth, rowHeight, expected;
    };
    const Case cases[] = {
        {true, true, lcsPercent, 20, 100, 13, 8},  {true, false, lcsPercent, 20, 100, 13, 20},
        {true, false, lcsPixels, 20, 300, 13, 20}, {true, false, lcsPercent, 25, 30, 13, 8},
        {false, false, lcsPixels, 20, 100, 13, 0}, {false, true, lcsPercent, 20, 100, 13, 0},
    };
    for (const Case& c : cases) {
        TLegendSymbol symbol(nullptr);
        symbol.SetVisible(c.visible);
        symbol.SetSquared(c.squared);
        symbol.SetWidthUnits(c.units);
        symbol.SetWidth(c.width);
        EXPECT_EQ(symbol.WidthFor(c.textWidth, c.rowHeight), c.expected)
            << c.visible << c.squared << c.units << c.width << " " << c.textWidth;
    }
}

TEST_F(LegendFixture, AHiddenSymbolStartsTheTexts8PixelsIn) {
    AddTitledSeries({"A", "B"});
    chart->Legend()->Symbol()->SetVisible(false);
    auto rec = Draw(400, 250);
    EXPECT_EQ(chart->Legend()->Layout().textX, Box().Left + 8);
    EXPECT_EQ(chart->Legend()->Layout().symbolWidth, 0);
}

TEST_F(LegendFixture, PlainSymbolWithoutPenCoversOneMorePixel) {
    TBarePanel panel;
    TLegendSymbol symbol(nullptr);
    const TRect rect{10, 20, 30, 28};
    panel.Content = [&](TBarePanel& p) {
        TCanvas3D& canvas = *p.DrawCanvas();
        p.DrawCanvas()->BeginGroup("pen");
        canvas.Pen()->SetStyle(psSolid);
        symbol.DrawPlain(canvas, clRed, rect);
        p.DrawCanvas()->EndGroup();
        p.DrawCanvas()->BeginGroup("nopen");
        canvas.Pen()->SetStyle(psClear);
        symbol.DrawPlain(canvas, clRed, rect);
        p.DrawCanvas()->EndGroup();
    };
    TRecording rec(panel, 100, 100);
    panel.Content = nullptr;
    auto rectOf = [&](const std::string& group) {
        for (const std::string& line : rec.LinesIn(group))
            if (line.rfind("RECTANGLE", 0) == 0)
                return NumbersOf(line);
        return std::vector<int>{};
    };
    EXPECT_EQ(rectOf("pen"), (std::vector<int>{10, 20, 30, 28}));
    EXPECT_EQ(rectOf("nopen"), (std::vector<int>{10, 20, 31, 29}));
}

} // namespace

namespace {

// A values legend: one row per point, the label column left and the value column right-aligned.
TEST_F(LegendFixture, ValuesLegendAlignsItsValueColumnRight) {
    AddTitledSeries({"A"}, 12);
    chart->OnGetLegendText = [](TCustomAxisPanel*, TLegendStyle, int index, std::string& text) {
        text = std::to_string(index * index * 37) + "\x06" + "Точка " + std::to_string(index);
    };
    auto rec = Draw(400, 250);
    std::vector<std::vector<int>> values;
    for (const std::string& line : rec->LinesIn("Legend"))
        if (line.rfind("TEXT ", 0) == 0 && TextOf(line).rfind("Точка", 0) != 0)
            values.push_back(NumbersOf(line));
    ASSERT_EQ(values.size(), 12u);
    // Right-aligned: "0" starts further right than "4070".
    EXPECT_GT(values[0][0], values[11][0]);
    Save(*rec, "legend-values");
    chart->Legend()->SetTextStyle(ltsPlain);
    auto plain = Draw(400, 250);
    std::vector<int> lefts;
    for (const std::string& line : plain->LinesIn("Legend"))
        if (line.rfind("TEXT ", 0) == 0 && TextOf(line).rfind("Точка", 0) != 0)
            lefts.push_back(NumbersOf(line)[0]);
    ASSERT_EQ(lefts.size(), 12u);
    EXPECT_EQ(lefts.front(), lefts.back());
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
        while (chart->SeriesCount() > 0)
            chart->SeriesAt(0)->SetParentChart(nullptr);
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
