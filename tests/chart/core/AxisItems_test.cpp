#include "CoreTestSupport.h"

#include <gtest/gtest.h>

namespace {

class AxisItemsTest : public ::testing::Test {
protected:
    ChartCoreSession session;
    TTestChart chart;
    TChartAxis* axis = chart.LeftAxis();
};

TEST_F(AxisItemsTest, CustomLabelsSwitchAutomaticLabelsOffForGood) {
    TAxisItems* items = axis->Items();
    EXPECT_TRUE(items->Automatic());
    items->AppendAutomatic(5, "5"); // the axis' own refill keeps the list automatic
    EXPECT_TRUE(items->Automatic());
    items->ClearAutomatic();

    TAxisItem* item = items->Add(12.5, "Порог");
    EXPECT_FALSE(items->Automatic());
    EXPECT_EQ(items->Count(), 1);
    EXPECT_EQ((*items)[0], item);
    EXPECT_EQ(item->Value(), 12.5);
    EXPECT_EQ(item->Text(), "Порог");
    EXPECT_TRUE(item->Transparent());
    EXPECT_EQ(items->Add(3)->Text(), "");
    EXPECT_THROW((*items)[2], EChartIndexError);

    chart.invalidations = 0;
    item->SetText("Порог");
    item->SetValue(12.5);
    EXPECT_EQ(chart.invalidations, 0);
    item->SetValue(10);
    item->SetText("Min");
    EXPECT_EQ(chart.invalidations, 2);

    items->Clear();
    EXPECT_EQ(items->Count(), 0);
    EXPECT_FALSE(items->Automatic()); // clearing does not switch back
    EXPECT_EQ(chart.invalidations, 3);
}

TEST_F(AxisItemsTest, CopyFromTakesFormatAndItems) {
    TAxisItems* source = chart.BottomAxis()->Items();
    source->Format()->Font()->SetSize(14);
    source->Add(1, "one");
    source->Add(2, "two");
    TAxisItems* target = axis->Items();
    target->Add(9, "old");
    target->CopyFrom(*source);
    ASSERT_EQ(target->Count(), 2);
    EXPECT_EQ((*target)[1]->Text(), "two");
    EXPECT_EQ((*target)[1]->Value(), 2);
    EXPECT_EQ(target->Format()->Font()->Size(), 14);
    EXPECT_EQ(axis->LabelsFont()->Size(), 14); // the labels' font is the format's
    axis->SetLabels(false);
    EXPECT_FALSE(target->Format()->Visible());
}

TEST_F(AxisItemsTest, GridPenSettings) {
    TAxisGridPen* grid = axis->Grid();
    EXPECT_EQ(grid->Style(), psDot);
    EXPECT_EQ(grid->Color(), clGray);
    EXPECT_EQ(grid->DrawEvery(), 1);
    chart.invalidations = 0;
    grid->SetDrawEvery(1);
    grid->SetCentered(false);
    grid->SetZPosition(0);
    EXPECT_EQ(chart.invalidations, 0);
    grid->SetDrawEvery(2);
    axis->SetGridCentered(true);
    grid->SetZPosition(100);
    EXPECT_EQ(chart.invalidations, 3);
    EXPECT_TRUE(grid->Centered());

    // ZPosition is stored against the axis' own default.
    const TPropInfo* z = grid->ClassType()->FindProperty("ZPosition");
    EXPECT_TRUE(z->IsStored(grid));
    EXPECT_FALSE(z->IsStored(chart.TopAxis()->Grid())); // the top axis' default is 100

    TAxisGridPen copy;
    copy.Assign(grid);
    EXPECT_EQ(copy.DrawEvery(), 2);
    EXPECT_TRUE(copy.Centered());
    EXPECT_EQ(copy.ZPosition(), 100);
    EXPECT_EQ(copy.Style(), psDot);
}

} // namespace
