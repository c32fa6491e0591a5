#include "chart/panel/PlotEvents.h"

#include <algorithm>

int TPlotEventListeners::Add(IChartEventListener* listener) {
    auto it = std::find(items_.begin(), items_.end(), listener);
    if (it != items_.end())
        return static_cast<int>(it - items_.begin());
    items_.push_back(listener);
    return Count() - 1;
}

int TPlotEventListeners::Remove(IChartEventListener* listener) {
    auto it = std::find(items_.begin(), items_.end(), listener);
    if (it == items_.end())
        return -1;
    const int index = static_cast<int>(it - items_.begin());
    items_.erase(it);
    return index;
}

bool TPlotEventListeners::Contains(const IChartEventListener* listener) const {
    return std::find(items_.begin(), items_.end(), listener) != items_.end();
}
