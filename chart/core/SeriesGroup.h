#pragma once
// Named groups of a chart's series. A group's Active is derived from its members: gaYes when
// all are active (or there are none), gaNo when none is, gaSome otherwise; setting gaYes or
// gaNo switches every member, gaSome changes nothing. The members are stored by name and found
// again once the chart's description has been read (ResolveSeries).

#include "chart/core/SeriesList.h"
#include "platform/classes/Collection.h"

#include <string>
#include <vector>

class TComponent;

Q4_ENUM(TSeriesGroupActive, gaYes, gaNo, gaSome);

class TSeriesGroups;

class TSeriesGroup : public TCollectionItem {
    Q4_CLASS(TSeriesGroup, TCollectionItem)

    // Named "Group" and the collection's count after joining it ("Group1" first).
    explicit TSeriesGroup(TCollection* collection);
    static void DeclareProperties(TPropertyList& p);
    // "Series": the members' names, written when there are any.
    void DefineProperties(TFiler* filer) override;
    // Copies the name and the members.
    void Assign(TPersistent* source) override;

    TSeriesGroupActive Active() const;
    void SetActive(TSeriesGroupActive value);
    const std::string& Name() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    TCustomSeriesList& Series() { return series_; }
    const TCustomSeriesList& Series() const { return series_; }
    // The members become a copy of the list.
    void SetSeries(const TCustomSeriesList& list) { series_.Assign(list); }
    std::string DisplayName() const override { return name_; }

    // Finds the members read by name among the components of lookupRoot.
    void ResolveSeries(TComponent* lookupRoot);

private:
    std::string name_;
    TCustomSeriesList series_;
    std::vector<std::string> pendingNames_;
};

// The chart's series groups.
class TSeriesGroups : public TCollection {
    Q4_CLASS(TSeriesGroups, TCollection)
public:
    explicit TSeriesGroups(TChartHost* chart, TPersistent* owner = nullptr);
    TChartHost* Chart() const { return chart_; }
    TSeriesGroup* Group(int index) const { return Item<TSeriesGroup>(index); }
    TSeriesGroup* AddGroup() { return static_cast<TSeriesGroup*>(Add()); }
    // The index of the first group that holds the series; -1 when none does.
    int Contains(const TChartSeries* series) const;
    // Every group finds its members read by name.
    void ResolveSeries(TComponent* lookupRoot);

private:
    TChartHost* chart_;
};
