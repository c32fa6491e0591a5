#include "chart/series/SeriesLibrary.h"

#include "chart/control/ControlLibrary.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/classes/ClassRegistry.h"

namespace {

int starts = 0;

TClass SeriesClasses[] = {TLineSeries::StaticClass(), TPointSeries::StaticClass(),
                          THorizLineSeries::StaticClass()};

} // namespace

void StartChartSeries() {
    StartChartControl();
    if (starts++ > 0)
        return;
    for (TClass cls : SeriesClasses)
        RegisterClass(cls);
}

void StopChartSeries() {
    if (starts > 0 && --starts == 0) {
        for (TClass cls : SeriesClasses)
            UnRegisterClass(cls);
    }
    StopChartControl();
}
