#include "chart/series/VisibleRangeWidening.h"

void WidenVisibleRange(int& first, int& last, int count, const TChartValueList& positions,
                       const std::function<bool(int)>& reachesPlot) {
    if (first < 0)
        return;
    const int n = count - 1;
    while (last < n && reachesPlot(last + 1))
        ++last;
    while (last < n && positions.ValueAt(last + 1) == positions.ValueAt(last))
        ++last;
    while (first > 0 && reachesPlot(first - 1))
        --first;
    while (first > 0 && positions.ValueAt(first - 1) == positions.ValueAt(first))
        --first;
}
