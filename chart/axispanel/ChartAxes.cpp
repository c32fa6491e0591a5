#include "chart/axispanel/ChartAxes.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartValueList.h"

#include <algorithm>
#include <cassert>

TChartAxes::~TChartAxes() {
    Clear();
}

TChartAxis* TChartAxes::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return axes_[static_cast<std::size_t>(index)];
}

int TChartAxes::IndexOf(const TChartAxis* axis) const {
    const auto it = std::find(axes_.begin(), axes_.end(), axis);
    return it == axes_.end() ? -1 : static_cast<int>(it - axes_.begin());
}

void TChartAxes::Remove(const TChartAxis* axis) {
    axes_.erase(std::remove(axes_.begin(), axes_.end(), axis), axes_.end());
}

void TChartAxes::Clear() {
    while (!axes_.empty()) {
        TChartAxis* first = axes_.front();
        const std::size_t before = axes_.size();
        delete first;
        // An axis leaves the list as it is freed; one that did not is taken out here so that
        // the loop always ends.
        assert(axes_.size() < before);
        if (axes_.size() == before)
            Remove(first);
    }
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
