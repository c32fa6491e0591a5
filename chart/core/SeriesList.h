#pragma once
// Lists of series that do not own them (a chart's series, the members of a series group), and
// the texts that name series in legends and editors.

#include <string>
#include <vector>

class TChartHost;
class TChartSeries;
class TStrings;

class TCustomSeriesList {
public:
    explicit TCustomSeriesList(TChartHost* owner = nullptr) : owner_(owner) {}
    TCustomSeriesList(const TCustomSeriesList&) = delete;
    TCustomSeriesList& operator=(const TCustomSeriesList&) = delete;

    // The chart the list belongs to (may be none).
    TChartHost* Owner() const { return owner_; }
    int Count() const { return static_cast<int>(series_.size()); }
    bool Empty() const { return series_.empty(); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    TChartSeries* operator[](int index) const;
    // Replaces the entry without notification.
    void Put(int index, TChartSeries* series);
    int IndexOf(const TChartSeries* series) const;
    int Add(TChartSeries* series);
    void Remove(const TChartSeries* series);
    void Exchange(int a, int b);
    void Clear() { series_.clear(); }
    // Copies the entries of another list.
    void Assign(const TCustomSeriesList& other) { series_ = other.series_; }

private:
    TChartHost* owner_;
    std::vector<TChartSeries*> series_;
};

// The series' title for legends and editors: the title with column separators (character 6)
// turned into blanks; without a title the component name, or "Series" and the series' position
// in its chart counted from 1.
std::string SeriesTitleText(const TChartSeries* series);

// Fills strings (inside one update) with the series shown in editors: their titles or names,
// each with the series as its object.
void SeriesListToStrings(const TCustomSeriesList& list, TStrings* strings, bool useTitles);
