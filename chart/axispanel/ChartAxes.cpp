#include "chart/axispanel/ChartAxes.h"

#include "chart/axispanel/AxisPanel.h"

void TChartAxes::Clear() {
    FreeAll([](TChartAxis* axis) { delete axis; });
}

TChartAxis* TChartAxes::Bottom() const {
    return Items(0);
}
TChartAxis* TChartAxes::Top() const {
    return Items(1);
}
TChartAxis* TChartAxes::Left() const {
    return Items(2);
}
TChartAxis* TChartAxes::Right() const {
    return Items(3);
}
TChartAxis* TChartAxes::Depth() const {
    return Items(4);
}
TChartAxis* TChartAxes::DepthTop() const {
    return Items(5);
}

bool TChartAxes::Visible() const {
    return chart_ != nullptr && chart_->AxisVisible();
}

void TChartAxes::SetVisible(bool value) {
    if (chart_)
        chart_->SetAxisVisible(value);
}
