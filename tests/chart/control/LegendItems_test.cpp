// The legend's item list: the rows as drawn, and texts a program sets in their place.

#include "tests/chart/control/LegendTestSupport.h"

#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

using namespace controltest;

namespace {

TEST_F(LegendFixture, ItemsHoldTheRowsAsDrawn) {
    AddTitledSeries({"Напряжение", "Скорость", "Ток"});
    TLegendItems* items = chart->Legend()->Items();
    auto rec = Draw(400, 250);
    ASSERT_EQ(items->Count(), 3);
    EXPECT_FALSE(items->Custom());
    const std::vector<std::string> lines = LegendTextLines(*rec);
    ASSERT_EQ(lines.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        const TLegendItem* item = items->Find(i);
        EXPECT_EQ(item->Text(), TextOf(lines[static_cast<std::size_t>(i)]));
        EXPECT_EQ((std::vector<int>{item->Left, item->Top}),
                  NumbersOf(lines[static_cast<std::size_t>(i)]))
            << i;
        EXPECT_EQ(item->Align, TA_LEFT);
        EXPECT_GT(item->SymbolRect.Right, item->SymbolRect.Left);
    }
    // The next drawing fills the list again.
    chart->SeriesAt(2)->SetActive(false);
    Draw(400, 250);
    EXPECT_EQ(items->Count(), 2);
    EXPECT_EQ(items->Find(2), nullptr);
}

TEST_F(LegendFixture, ProgramTextsStayWhereTheyWereUntilTheListIsCleared) {
    AddTitledSeries({"Напряжение", "Скорость"});
    TLegendItems* items = chart->Legend()->Items();
    Draw(400, 250);
    items->Item(0)->SetText(items->Item(0)->Text());
    EXPECT_FALSE(items->Custom()) << "the same text changes nothing";

    const TLegendItem kept = *items->Item(0);
    items->Item(0)->SetText("Напряжение питания, В");
    items->Item(1)->SetText2("12,5");
    EXPECT_TRUE(items->Custom());
    // A larger chart would move the rows; the custom ones stay where they were.
    auto rec = Draw(500, 300);
    const std::vector<std::string> lines = LegendTextLines(*rec);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(TextOf(lines[0]), "Напряжение питания, В");
    EXPECT_EQ(NumbersOf(lines[0]), (std::vector<int>{kept.Left, kept.Top}));
    EXPECT_EQ(TextOf(lines[1]), "Скорость");
    EXPECT_EQ(TextOf(lines[2]), "12,5");
    EXPECT_EQ(items->Item(0)->SymbolRect.Left, kept.SymbolRect.Left);
    // The columns are measured from the program's texts.
    TCanvas3D& canvas = *chart->DrawCanvas();
    canvas.SelectFont(chart->Legend()->Font());
    EXPECT_GE(chart->Legend()->Layout().columnWidth[0],
              canvas.MeasureTextWidth("Напряжение питания, В"));
    EXPECT_GT(chart->Legend()->Layout().columnWidth[1], 0);

    items->Clear();
    EXPECT_FALSE(items->Custom());
    EXPECT_EQ(LegendTexts(*Draw(500, 300)), (std::vector<std::string>{"Напряжение", "Скорость"}));
}

TEST(LegendItems, ItemsAreMadeOnDemandAndANegativePositionIsRefused) {
    int repaints = 0;
    TLegendItems items([&] { ++repaints; });
    EXPECT_EQ(items.Find(0), nullptr);
    TLegendItem* fifth = items.Item(4);
    EXPECT_EQ(items.Count(), 5);
    EXPECT_EQ(fifth->Owner(), &items);
    EXPECT_EQ(items.Item(4), fifth);
    EXPECT_THROW(items.Item(-1), EListError);
    EXPECT_EQ(repaints, 0);
    fifth->SetText2("x");
    EXPECT_EQ(repaints, 1);
    items.Clear();
    EXPECT_EQ(items.Count(), 0);
    EXPECT_EQ(repaints, 2);
}

} // namespace
