// The plotting library's axis in a program that also links the workbook charts: its class, its
// parent class and its own behaviour are the plotting library's.

#include "chart/core/ChartAxis.h"

#include <gtest/gtest.h>

TEST(ChartsLinkedTogether, ThePlottingAxisIsTheCollectionItemItDeclares) {
    TChartAxis axis(nullptr);
    TCollectionItem* item = &axis;
    EXPECT_EQ(item->ClassType(), TChartAxis::StaticClass());
    EXPECT_EQ(TChartAxis::StaticClass()->ClassParent(), TCollectionItem::StaticClass());
    EXPECT_TRUE(axis.InheritsFrom(TCollectionItem::StaticClass()));
    EXPECT_NE(dynamic_cast<TChartAxis*>(item), nullptr);

    axis.SetAutomatic(false);
    axis.SetMinimum(-2.5);
    axis.SetMaximum(40);
    EXPECT_EQ(axis.Minimum(), -2.5);
    EXPECT_EQ(axis.Maximum(), 40);
}
