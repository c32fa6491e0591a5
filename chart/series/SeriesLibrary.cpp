#include "chart/series/SeriesLibrary.h"

#include "chart/control/ControlLibrary.h"
#include "chart/control/SeriesTypes.h"
#include "chart/draw/ChartMessages.h"
#include "chart/series/AreaSeries.h"
#include "chart/series/BarSeries.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/PieSeries.h"
#include "chart/series/PointSeries.h"
#include "platform/classes/ClassRegistry.h"

namespace {

int starts = 0;

TClass SeriesClasses[] = {TLineSeries::StaticClass(),     TBarSeries::StaticClass(),
                          THorizBarSeries::StaticClass(), TAreaSeries::StaticClass(),
                          TPointSeries::StaticClass(),    TPieSeries::StaticClass(),
                          TFastLineSeries::StaticClass(), THorizLineSeries::StaticClass(),
                          THorizAreaSeries::StaticClass()};

} // namespace

void StartChartSeries() {
    StartChartControl();
    if (starts++ > 0)
        return;
    // The gallery's "Standard" page, in its order; registering also makes form descriptions
    // naming the classes load.
    AddStandardSeriesType(TLineSeries::StaticClass(), &ChartMsg(msgGalleryLine));
    AddStandardSeriesType(TBarSeries::StaticClass(), &ChartMsg(msgGalleryBar));
    AddStandardSeriesType(THorizBarSeries::StaticClass(), &ChartMsg(msgGalleryHorizBar));
    AddStandardSeriesType(TAreaSeries::StaticClass(), &ChartMsg(msgGalleryArea));
    AddStandardSeriesType(TPointSeries::StaticClass(), &ChartMsg(msgGalleryPoint));
    AddPlainSeriesType(TPieSeries::StaticClass(), &ChartMsg(msgGalleryPie), &ChartMsg(msgStandard),
                       1);
    AddStandardSeriesType(TFastLineSeries::StaticClass(), &ChartMsg(msgGalleryFastLine));
    AddPlainSeriesType(THorizLineSeries::StaticClass(), &ChartMsg(msgGalleryHorizLine),
                       &ChartMsg(msgStandard), 1);
    AddPlainSeriesType(THorizAreaSeries::StaticClass(), &ChartMsg(msgGalleryHorizArea),
                       &ChartMsg(msgStandard), 1);
}

void StopChartSeries() {
    if (starts > 0 && --starts == 0) {
        for (TClass cls : SeriesClasses)
            UnRegisterClass(cls);
    }
    StopChartControl();
}
