#include "chart/control/ToolTypes.h"

#include "chart/control/LibraryInstance.h"
#include "chart/core/ChartValueList.h"
#include "platform/classes/ClassRegistry.h"

#include <algorithm>
#include <memory>

namespace {

TLibraryInstance<TPlotToolTypes> instance;

} // namespace

TClass TPlotToolTypes::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return classes_[static_cast<std::size_t>(index)];
}

int TPlotToolTypes::IndexOf(TClass toolClass) const {
    const auto it = std::find(classes_.begin(), classes_.end(), toolClass);
    return it == classes_.end() ? -1 : static_cast<int>(it - classes_.begin());
}

void TPlotToolTypes::Remove(TClass toolClass) {
    const int index = IndexOf(toolClass);
    if (index >= 0)
        classes_.erase(classes_.begin() + index);
}

TPlotToolTypes& PlotToolTypes() {
    return instance.Get();
}

void FreePlotToolTypes() {
    instance.Free();
}

void AddToolTypes(std::initializer_list<TClass> toolClasses) {
    TPlotToolTypes& types = PlotToolTypes();
    for (TClass toolClass : toolClasses) {
        if (toolClass == nullptr || types.IndexOf(toolClass) >= 0)
            continue;
        RegisterClass(toolClass);
        types.Add(toolClass);
    }
}

void RemoveToolTypes(std::initializer_list<TClass> toolClasses) {
    TPlotToolTypes& types = PlotToolTypes();
    for (TClass toolClass : toolClasses)
        types.Remove(toolClass);
}
