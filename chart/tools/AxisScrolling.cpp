#include "chart/tools/AxisScrolling.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartHost.h"

bool ScrollAxisBy(TChartAxis& axis, double delta) {
    if (axis.Logarithmic() && !(axis.Minimum() + delta > 0))
        return false;
    axis.ScrollBy(delta, false);
    return true;
}

bool ScrollAxisByPixels(TChartAxis& axis, int pixels) {
    const int size = axis.PixelSize();
    if (size == 0)
        return false;
    return ScrollAxisBy(axis, (axis.Maximum() - axis.Minimum()) * pixels / size);
}

TChartAxis* OppositeAxis(TChartAxis& axis) {
    TChartHost* chart = axis.ParentChart();
    if (chart == nullptr)
        return nullptr;
    if (&axis == chart->BottomAxis())
        return chart->TopAxis();
    if (&axis == chart->TopAxis())
        return chart->BottomAxis();
    if (&axis == chart->LeftAxis())
        return chart->RightAxis();
    if (&axis == chart->RightAxis())
        return chart->LeftAxis();
    return nullptr;
}
