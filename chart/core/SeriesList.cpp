#include "chart/core/SeriesList.h"

#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartMessages.h"
#include "platform/rtl/Classes.h"

#include <algorithm>

TChartSeries* TCustomSeriesList::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return series_[static_cast<size_t>(index)];
}

void TCustomSeriesList::Put(int index, TChartSeries* series) {
    (void)(*this)[index];
    series_[static_cast<size_t>(index)] = series;
}

int TCustomSeriesList::IndexOf(const TChartSeries* series) const {
    const auto it = std::find(series_.begin(), series_.end(), series);
    return it == series_.end() ? -1 : static_cast<int>(it - series_.begin());
}

int TCustomSeriesList::Add(TChartSeries* series) {
    series_.push_back(series);
    return Count() - 1;
}

void TCustomSeriesList::Remove(const TChartSeries* series) {
    const int index = IndexOf(series);
    if (index >= 0)
        series_.erase(series_.begin() + index);
}

void TCustomSeriesList::Exchange(int a, int b) {
    (void)(*this)[a];
    (void)(*this)[b];
    std::swap(series_[static_cast<size_t>(a)], series_[static_cast<size_t>(b)]);
}

std::string SeriesTitleText(const TChartSeries* series) {
    std::string title = series->Title();
    std::replace(title.begin(), title.end(), '\x06', ' ');
    if (!title.empty())
        return title;
    if (!series->Name().empty())
        return series->Name();
    int position = 0;
    if (TChartHost* chart = series->ParentChart())
        for (int i = 0; i < chart->SeriesCount(); ++i)
            if (chart->SeriesAt(i) == series)
                position = i;
    return ChartMsg(msgSeries) + std::to_string(position + 1);
}

void SeriesListToStrings(const TCustomSeriesList& list, TStrings* strings, bool useTitles) {
    strings->BeginUpdate();
    try {
        for (int i = 0; i < list.Count(); ++i) {
            TChartSeries* series = list[i];
            if (series->ShowInEditor())
                strings->AddObject(useTitles ? SeriesTitleText(series) : series->Name(), series);
        }
    } catch (...) {
        strings->EndUpdate();
        throw;
    }
    strings->EndUpdate();
}
