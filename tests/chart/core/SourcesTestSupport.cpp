#include "SourcesTestSupport.h"

#include "chart/core/ChartSeries.h"
#include "platform/classes/ClassRegistry.h"

void TThreePointSource::Load() {
    ++loads;
    TChartSeries* series = Series();
    series->ClearValues();
    for (int i = 1; i <= 3; ++i)
        series->AddXYValue(i, 10 * i);
}

SourcesClassesRegistered::SourcesClassesRegistered() {
    RegisterClasses({TChartSeries::StaticClass(), TSumFunction::StaticClass(),
                     TThreePointSource::StaticClass()});
}

SourcesClassesRegistered::~SourcesClassesRegistered() {
    UnRegisterClasses({TChartSeries::StaticClass(), TSumFunction::StaticClass(),
                       TThreePointSource::StaticClass()});
}
