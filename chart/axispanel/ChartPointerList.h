#pragma once
// A list of pointers to a chart's parts in the order they joined (the axes, the tools), with
// checked indexes and a Clear that frees every item: each item is expected to leave the list as
// it is freed, and one that did not is taken out, so that Clear always ends.

#include "chart/core/ChartValueList.h"

#include <algorithm>
#include <cassert>
#include <vector>

template <class T> class TChartPointerList {
public:
    TChartPointerList() = default;
    TChartPointerList(const TChartPointerList&) = delete;
    TChartPointerList& operator=(const TChartPointerList&) = delete;

    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EChartIndexError outside 0 .. Count() - 1.
    T* Items(int index) const {
        if (index < 0 || index >= Count())
            throw EChartIndexError(index, Count());
        return items_[static_cast<std::size_t>(index)];
    }
    T* operator[](int index) const { return Items(index); }
    int IndexOf(const T* item) const {
        const auto it = std::find(items_.begin(), items_.end(), item);
        return it == items_.end() ? -1 : static_cast<int>(it - items_.begin());
    }
    // Appends the item unless it is there already.
    void Add(T* item) {
        if (IndexOf(item) < 0)
            items_.push_back(item);
    }
    void Remove(const T* item) {
        items_.erase(std::remove(items_.begin(), items_.end(), item), items_.end());
    }
    // Frees the first item (with freeItem) until the list is empty.
    template <class F> void FreeAll(F freeItem) {
        while (!items_.empty()) {
            T* first = items_.front();
            const std::size_t before = items_.size();
            freeItem(first);
            assert(items_.size() < before && "a freed item stayed in its list");
            if (items_.size() == before)
                Remove(first);
        }
    }

private:
    std::vector<T*> items_;
};
