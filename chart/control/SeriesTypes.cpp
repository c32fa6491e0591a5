#include "chart/control/SeriesTypes.h"

#include "chart/control/LibraryInstance.h"
#include "chart/core/ChartValueList.h"
#include "chart/draw/ChartMessages.h"
#include "platform/classes/ClassRegistry.h"

namespace {

TLibraryInstance<TPlotSeriesTypes> instance;

} // namespace

TPlotSeriesType::TPlotSeriesType(TClass seriesClass, TClass functionClass,
                                 const std::string* description, const std::string* galleryPage,
                                 int gallerySeriesCount, int variantIndex)
    : seriesClass_(seriesClass), functionClass_(functionClass), description_(description),
      galleryPage_(galleryPage), gallerySeriesCount_(gallerySeriesCount),
      variantIndex_(variantIndex) {}

TPlotSeriesType* TPlotSeriesTypes::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return types_[static_cast<std::size_t>(index)].get();
}

TPlotSeriesType* TPlotSeriesTypes::Find(TClass seriesClass) const {
    for (const auto& type : types_)
        if (type->SeriesClass() == seriesClass && type->FunctionClass() == nullptr)
            return type.get();
    return nullptr;
}

TPlotSeriesType* TPlotSeriesTypes::FindPair(TClass seriesClass, TClass functionClass) const {
    for (const auto& type : types_)
        if (type->SeriesClass() == seriesClass && type->FunctionClass() == functionClass)
            return type.get();
    return nullptr;
}

TPlotSeriesType* TPlotSeriesTypes::Add(std::unique_ptr<TPlotSeriesType> type) {
    types_.push_back(std::move(type));
    return types_.back().get();
}

TPlotSeriesTypes& PlotSeriesTypes() {
    return instance.Get();
}

void FreePlotSeriesTypes() {
    instance.Free();
}

TPlotSeriesType* AddSeriesType(TClass seriesClass, TClass functionClass,
                               const std::string* description, const std::string* galleryPage,
                               int gallerySeriesCount, int variantIndex) {
    if (seriesClass != nullptr)
        RegisterClass(seriesClass);
    if (functionClass != nullptr)
        RegisterClass(functionClass);
    TPlotSeriesTypes& types = PlotSeriesTypes();
    if (variantIndex == 0)
        if (TPlotSeriesType* existing = types.FindPair(seriesClass, functionClass))
            return existing;
    return types.Add(std::make_unique<TPlotSeriesType>(
        seriesClass, functionClass, description, galleryPage, gallerySeriesCount, variantIndex));
}

TPlotSeriesType* AddPlainSeriesType(TClass seriesClass, const std::string* description,
                                    const std::string* galleryPage, int gallerySeriesCount) {
    return AddSeriesType(seriesClass, nullptr, description, galleryPage, gallerySeriesCount, 0);
}

TPlotSeriesType* AddStandardSeriesType(TClass seriesClass, const std::string* description) {
    return AddPlainSeriesType(seriesClass, description, &ChartMsg(msgStandard), 2);
}
