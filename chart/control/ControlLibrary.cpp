#include "chart/control/ControlLibrary.h"

#include "chart/control/Chart.h"
#include "chart/control/ChartPalettes.h"
#include "chart/control/SeriesTypes.h"
#include "chart/control/ToolTypes.h"
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
    // The registries the series and tool libraries fill, and the palette names.
    PlotSeriesTypes();
    PlotToolTypes();
    ColorPalettes();
}

void StopChartControl() {
    if (starts > 0 && --starts == 0) {
        FreeColorPalettes();
        FreePlotToolTypes();
        FreePlotSeriesTypes();
        UnRegisterClass(TChart::StaticClass());
        StopChartUtilities();
    }
    StopChartCore();
}
