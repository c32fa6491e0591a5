// The chart control's legend in a program that also links the workbook charts: its class and its
// settings are the chart control's.

#include "chart/control/ChartLegend.h"

#include <gtest/gtest.h>

TEST(ChartsLinkedTogether, ThePlottingLegendIsTheShapeItDeclares) {
    TChartLegend legend(nullptr, nullptr);
    TPersistent* shape = &legend;
    EXPECT_EQ(shape->ClassType(), TChartLegend::StaticClass());
    EXPECT_EQ(TChartLegend::StaticClass()->ClassParent(), TCustomChartLegend::StaticClass());
    EXPECT_NE(dynamic_cast<TCustomChartLegend*>(shape), nullptr);

    legend.SetAlignment(laBottom);
    EXPECT_EQ(legend.Alignment(), laBottom);
}
