#include "chart/core/ChartCore.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/PlotFunction.h"
#include "chart/core/PlotSeriesSource.h"
#include "chart/draw/DrawLibrary.h"
#include "platform/classes/ClassRegistry.h"

namespace {

int starts = 0;

} // namespace

void StartChartCore() {
    StartChartLibrary();
    if (starts++ > 0)
        return;
    RegisterClasses({TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(),
                     TChartDepthAxis::StaticClass(), TPlotFunction::StaticClass(),
                     TPlotSeriesSource::StaticClass()});
}

void StopChartCore() {
    if (starts > 0 && --starts == 0)
        UnRegisterClasses({TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(),
                           TChartDepthAxis::StaticClass(), TPlotFunction::StaticClass(),
                           TPlotSeriesSource::StaticClass()});
    StopChartLibrary();
}
