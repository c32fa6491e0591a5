#include "chart/control/ControlLibrary.h"

#include "chart/control/Chart.h"
#include "chart/core/ChartCore.h"
#include "chart/util/ChartUtils.h"
#include "platform/classes/ClassRegistry.h"

namespace {

int starts = 0;

} // namespace

void StartChartControl() {
    StartChartCore();
    if (starts++ > 0)
        return;
    StartChartUtilities();
    RegisterClass(TChart::StaticClass());
}

void StopChartControl() {
    if (starts > 0 && --starts == 0) {
        UnRegisterClass(TChart::StaticClass());
        StopChartUtilities();
    }
    StopChartCore();
}
