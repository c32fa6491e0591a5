#include "chart/core/ChartCore.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/PlotFunction.h"
#include "chart/core/PlotSeriesSource.h"
#include "chart/core/SeriesMarks.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/UnitStarts.h"
#include "platform/classes/ClassRegistry.h"

#include <vector>

namespace {

TUnitStarts starts;

// The classes form descriptions may name: the axes and their titles, the series marks, the
// functions and the series sources.
std::vector<TClass> CoreClasses() {
    return {TChartAxisTitle::StaticClass(), TChartAxis::StaticClass(),
            TChartDepthAxis::StaticClass(), TSeriesMarks::StaticClass(),
            TPlotFunction::StaticClass(),   TPlotSeriesSource::StaticClass()};
}

} // namespace

void StartChartCore() {
    StartChartLibrary();
    if (!starts.Start())
        return;
    for (TClass cls : CoreClasses())
        RegisterClass(cls);
}

void StopChartCore() {
    if (starts.Stop()) {
        for (TClass cls : CoreClasses())
            UnRegisterClass(cls);
    }
    StopChartLibrary();
}
