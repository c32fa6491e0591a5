// The program connected to a simulated unit and left alone for ten minutes of its fast clock: the
// idle poll reads the supply voltage every 20 s and the power page's chart takes each reading,
// while the program's memory stays flat after the first minute.

#include "app/pages/power/FormPower.h"
#include "chart/series/LineSeries.h"
#include "tests/app/mainwin/MainWindowTestSupport.h"
#include "tests/app/support/ResidentMemory.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace mwtest;

TEST(MainWindowPower, TenMinutesOfIdlePollingFeedTheChartWithMemoryFlat) {
    TWindowRig rig;
    rig.Start();
    rig.Sim().Access([](TSimUnit& unit, TSimModem*) {
        unit.SetSupplySeries({"04B0", "04C4", "04D8", "0500", "0514"});
    });
    ASSERT_TRUE(rig.Connect());
    auto* power = dynamic_cast<TformPower*>(rig.Page("TformPower"));
    ASSERT_NE(power, nullptr);
    rig.Sim().ClearRecords();
    const int pointsAtConnect = power->VoltageSeries()->Count();

    // A simulated minute is six seconds of the wall clock.
    const int minuteMs = 60 * 1000 / TFastClock::Factor;
    PumpUntil([] { return false; }, minuteMs);
    const long afterFirstMinute = apptest::ResidentBytes();
    PumpUntil([] { return false; }, 9 * minuteMs);
    const long growth = apptest::ResidentBytes() - afterFirstMinute;

    const std::vector<std::string> lines = rig.Sim().UnitLines();
    const auto readings = std::count_if(lines.begin(), lines.end(), [](const std::string& line) {
        return line.rfind("+cursupp", 0) == 0;
    });
    // A reading each 21 to 24 s of the program's clock, each one a point on the chart, and one
    // threshold line across the window.
    EXPECT_GE(readings, 24);
    EXPECT_LE(readings, 29);
    EXPECT_EQ(power->VoltageSeries()->Count() - pointsAtConnect, readings);
    EXPECT_EQ(power->ThresholdSeries()->Count(), 2);
    if (apptest::ResidentMemoryTellsLeaks()) {
        EXPECT_LT(growth, 1L << 20) << "grew by " << growth << " bytes over nine minutes";
    }
    std::printf("resident memory grew by %ld bytes over minutes 1 to 10 (%ld readings)\n", growth,
                static_cast<long>(readings));
    rig.Quit();
}
