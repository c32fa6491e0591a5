#include "chart/core/DataSourcesList.h"

#include "chart/core/ChartSeries.h"

#include <algorithm>

TComponent* TDataSourcesList::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return sources_[static_cast<size_t>(index)];
}

int TDataSourcesList::IndexOf(const TComponent* source) const {
    const auto it = std::find(sources_.begin(), sources_.end(), source);
    return it == sources_.end() ? -1 : static_cast<int>(it - sources_.begin());
}

int TDataSourcesList::Add(TComponent* source) {
    return series_->SetDataSourceItem(source, false);
}

int TDataSourcesList::Append(TComponent* source) {
    sources_.push_back(source);
    return Count() - 1;
}

void TDataSourcesList::Delete(int index) {
    TComponent* source = (*this)[index];
    sources_.erase(sources_.begin() + index);
    series_->SourceDropped(source);
}

void TDataSourcesList::Remove(TComponent* source) {
    const int index = IndexOf(source);
    if (index >= 0)
        Delete(index);
}

void TDataSourcesList::Clear() {
    while (!sources_.empty())
        Delete(Count() - 1);
}

void TDataSourcesList::ClearAll() {
    series_->UnlinkFromSources();
    Clear();
    if (!series_->ManualData())
        series_->ClearValues();
}
