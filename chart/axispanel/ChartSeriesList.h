#pragma once
// A chart's series list: the series in drawing order (not owned) and the series groups, which
// the list owns and frees with itself.

#include "chart/core/SeriesGroup.h"
#include "chart/core/SeriesList.h"

#include <memory>

class TChartSeriesList : public TCustomSeriesList {
public:
    explicit TChartSeriesList(TChartHost* owner, TPersistent* groupsOwner = nullptr)
        : TCustomSeriesList(owner), groups_(std::make_unique<TSeriesGroups>(owner, groupsOwner)) {}
    TSeriesGroups* Groups() const { return groups_.get(); }

private:
    std::unique_ptr<TSeriesGroups> groups_;
};
