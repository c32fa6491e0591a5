// The control library's start-up: the chart class known to form descriptions and the hand
// cursor on the screen while any start is running.

#include "chart/control/Chart.h"
#include "chart/control/ControlLibrary.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/ClassRegistry.h"
#include "platform/graphics/Cursors_p.h"

#include <gtest/gtest.h>

namespace {

TEST(ChartControlLibrary, StartsNestAndKeepTheChartClassAndHandCursor) {
    // The test program's environment started the library once.
    EXPECT_EQ(GetClass("TChart"), TChart::StaticClass());
    EXPECT_EQ(CursorOf(crPlotHand).shape(), Qt::BitmapCursor);
    StartChartControl();
    StopChartControl();
    EXPECT_EQ(GetClass("TChart"), TChart::StaticClass()) << "the first start still runs";
    EXPECT_EQ(CursorOf(crPlotHand).shape(), Qt::BitmapCursor);
}

} // namespace
