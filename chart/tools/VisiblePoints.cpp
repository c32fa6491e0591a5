#include "chart/tools/VisiblePoints.h"

#include "chart/core/ChartSeries.h"

bool VisiblePointRange(const TChartSeries& series, int& first, int& last) {
    const int count = series.Count();
    first = series.FirstVisibleIndex();
    if (first < 0)
        first = 0;
    last = series.LastVisibleIndex();
    if (last < 0 || last >= count)
        last = count - 1;
    return count > 0 && first < count && first <= last;
}
