#include "chart/control/ControlLibrary.h"

#include "chart/core/ChartCore.h"
#include "chart/util/ChartUtils.h"

namespace {

int starts = 0;

} // namespace

void StartChartControl() {
    StartChartCore();
    if (starts++ > 0)
        return;
    StartChartUtilities();
}

void StopChartControl() {
    if (starts > 0 && --starts == 0)
        StopChartUtilities();
    StopChartCore();
}
