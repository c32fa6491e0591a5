#include "tests/chart/registry/RegistryTestSupport.h"

#include "chart/series/SeriesLibrary.h"
#include "tests/chart/support/ChartAppEnvironment.h"

namespace {

// An offscreen application with the project's fonts and the series library started.
[[maybe_unused]] ::testing::Environment* const kRegistry =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-registry-fonts", "test_chart_registry", [] { StartChartSeries(); },
        [] { StopChartSeries(); }));

} // namespace
