#pragma once
// The data sources of a series, in order: the first is the series' DataSource, further ones
// feed functions that combine several series. The list does not own its components; removing
// an entry (Delete, Remove, Clear) makes the series let go of that source (a source series
// forgets the link, any other component stops telling the series about its destruction).

#include <vector>

class TChartSeries;
class TComponent;

class TDataSourcesList {
public:
    explicit TDataSourcesList(TChartSeries* series) : series_(series) {}
    TDataSourcesList(const TDataSourcesList&) = delete;
    TDataSourcesList& operator=(const TDataSourcesList&) = delete;

    int Count() const { return static_cast<int>(sources_.size()); }
    bool Empty() const { return sources_.empty(); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    TComponent* operator[](int index) const;
    int IndexOf(const TComponent* source) const;

    // Adds the source through the series, checked and without clearing the others
    // (TChartSeries::SetDataSourceItem); its index, or -1 when it is a source already.
    int Add(TComponent* source);
    // Appends unchecked (the series' own AddDataSourceItem) and returns the index.
    int Append(TComponent* source);
    // Removes the entry; the series lets go of the source.
    void Delete(int index);
    void Remove(TComponent* source);
    // Removes every entry, the last first.
    void Clear();
    // Unlinks the series from its source series, empties the list and, unless the series' points
    // were given by hand, clears them.
    void ClearAll();

private:
    TChartSeries* series_;
    std::vector<TComponent*> sources_;
};
