#include "chart/core/ChartValueList.h"

#include "chart/core/ChartErrorBox.h"
#include "platform/classes/Filer.h"
#include "platform/classes/Reader.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// The library's quicksort over an index range, driven by a compare and a swap callback. The pivot
// is followed by index, so a swap may move it. The two parts are sorted left first, as by
// recursion, from a stack of pending ranges so that no input can exhaust the call stack. (The
// chart utilities will offer the same routine; this copy stays private to the value lists until
// then.)
template <class Compare, class Swap>
void SortRange(int first, int last, Compare& compare, Swap& swap) {
    std::vector<std::pair<int, int>> pending{{first, last}};
    while (!pending.empty()) {
        const auto [l, r] = pending.back();
        pending.pop_back();
        int i = l, j = r, m = l + (r - l) / 2;
        while (i < j) {
            while (compare(i, m) < 0)
                ++i;
            while (compare(m, j) < 0)
                --j;
            if (i < j) {
                swap(i, j);
                if (i == m)
                    m = j;
                else if (j == m)
                    m = i;
            }
            if (i <= j) {
                ++i;
                --j;
            }
        }
        if (i < r)
            pending.emplace_back(i, r);
        if (l < j)
            pending.emplace_back(l, j);
    }
}

} // namespace

EChartIndexError::EChartIndexError(int index, int count)
    : ChartException("List index out of bounds (" + std::to_string(index) + ")"), index_(index),
      count_(count) {}

TChartValueList::TChartValueList(TChartValueListOwner* owner, std::string name)
    : owner_(owner), name_(std::move(name)) {
    RemoveAll();
}

void TChartValueList::DeclareProperties(TPropertyList& p) {
    using L = TChartValueList;
    p.Add("DateTime", &L::DateTime, &L::SetDateTime).Stored(&L::DateTimeStored);
    p.Add("Name", &L::Name, &L::SetName);
    p.Add("Order", &L::Order, &L::SetOrder);
    p.Add("ValueSource", &L::ValueSource, &L::SetValueSource);
}

void TChartValueList::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    filer->DefineProperty(
        "Multiplier",
        [](TReader* reader) {
            if (reader->ReadFloat() != 1)
                ShowChartError("Error: Multiplier property is obsolete.\r"
                               "Modify PlotDefs.inc (enable Multiplier) and recompile.");
        },
        nullptr, false);
}

void TChartValueList::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TChartValueList*>(source)) {
        order_ = other->order_;
        dateTime_ = other->dateTime_;
        valueSource_ = other->valueSource_;
        return;
    }
    TPersistent::Assign(source);
}

void TChartValueList::CheckIndex(int index, int limit) const {
    if (index < 0 || index >= limit)
        throw EChartIndexError(index, count_);
}

// Where Order puts value: after the last value that does not go after it, scanning down from the
// end, so that equal values keep their arrival order.
int TChartValueList::InsertPosition(double value) const {
    if (order_ == TChartListOrder::loNone || count_ == 0)
        return count_;
    int i = count_ - 1;
    if (order_ == TChartListOrder::loAscending) {
        while (i >= 0 && values_[i] > value)
            --i;
    } else {
        while (i >= 0 && values_[i] < value)
            --i;
    }
    return i + 1;
}

void TChartValueList::Insert(int index, double value) {
    if (count_ == capacity_)
        capacity_ += CapacityStep;
    values_.insert(values_.begin() + index, value);
    ++count_;
    if (index != count_ - 1)
        MarkDirty(); // a value at the end leaves the cached figures valid for the ones before it
}

int TChartValueList::AppendValue(double value) {
    tempValue_ = value;
    return InsertTempValue();
}

int TChartValueList::InsertTempValue() {
    const int index = InsertPosition(tempValue_);
    Insert(index, tempValue_);
    return index;
}

void TChartValueList::InsertValueAt(int index, double value) {
    CheckIndex(index, count_ + 1);
    Insert(index, value);
}

void TChartValueList::RemoveAll() {
    count_ = 0;
    capacity_ = 0;
    std::vector<double>().swap(values_);
    MarkDirty();
}

void TChartValueList::DeleteValue(int index) {
    CheckIndex(index, count_);
    DeleteRange(index, 1);
}

void TChartValueList::DeleteRange(int index, int count) {
    CheckIndex(index, count_ + 1);
    if (count < 0)
        throw EChartIndexError(count, count_);
    count = std::min(count, count_ - index);
    if (count == 0)
        return;
    values_.erase(values_.begin() + index, values_.begin() + index + count);
    count_ -= count;
    MarkDirty();
}

void TChartValueList::RotateLeft() {
    if (count_ <= 0)
        return;
    std::rotate(values_.begin(), values_.begin() + 1, values_.begin() + count_);
    MarkDirty(); // the figures are the same, but a sum taken in the new order may differ
}

double TChartValueList::ValueAt(int index) const {
    CheckIndex(index, count_);
    return values_[index];
}

void TChartValueList::SetValueAt(int index, double value) {
    CheckIndex(index, count_);
    values_[index] = value;
    MarkDirty();
}

int TChartValueList::IndexOfValue(double value) const {
    return count_ == 0 ? -1 : IndexOfValue(value, 0, count_ - 1);
}

int TChartValueList::IndexOfValue(double value, int first, int last) const {
    first = std::max(first, 0);
    last = std::min(last, count_ - 1);
    for (int i = first; i <= last; ++i)
        if (values_[i] == value)
            return i;
    return -1;
}

void TChartValueList::SwapValues(int a, int b) {
    CheckIndex(a, count_);
    CheckIndex(b, count_);
    std::swap(values_[a], values_[b]);
    MarkDirty();
    if (owner_)
        owner_->ValueOrderChanged(*this, a);
}

void TChartValueList::FillIndexSequence() {
    for (int i = 0; i < count_; ++i)
        values_[i] = i;
    MarkDirty();
    if (owner_)
        owner_->ValueOrderChanged(*this, 0);
}

int TChartValueList::CompareAt(int a, int b) const {
    const double va = ValueAt(a);
    const double vb = ValueAt(b);
    const int result = va < vb ? -1 : (va > vb ? 1 : 0);
    return order_ == TChartListOrder::loDescending ? -result : result;
}

void TChartValueList::SortByOrder() {
    if (order_ == loNone || count_ < 2)
        return;
    auto compare = [this](int a, int b) { return CompareAt(a, b); };
    auto swap = [this](int a, int b) {
        if (owner_)
            owner_->SwapPoints(a, b);
        else
            SwapValues(a, b);
    };
    SortRange(0, count_ - 1, compare, swap);
}

void TChartValueList::UpdateStats(int from) {
    count_ = std::min(count_, capacity_);
    if (from <= 0 || from != statsCount_ || from > count_) {
        if (count_ == 0) {
            RefreshStats();
            return;
        }
        minimum_ = maximum_ = sum_ = values_[0];
        sumAbs_ = std::fabs(values_[0]);
        from = 1;
    }
    for (int i = from; i < count_; ++i) {
        const double v = values_[i];
        if (v < minimum_)
            minimum_ = v;
        else if (v > maximum_)
            maximum_ = v;
        sum_ += v;
        sumAbs_ += std::fabs(v);
    }
    statsCount_ = count_;
}

void TChartValueList::RefreshStats() {
    count_ = std::min(count_, capacity_);
    if (count_ <= 0) {
        minimum_ = maximum_ = sum_ = sumAbs_ = 0;
        statsCount_ = 0;
    } else {
        UpdateStats(0);
    }
}

void TChartValueList::EnsureStats() {
    if (statsCount_ != count_)
        UpdateStats(statsCount_);
}

double TChartValueList::Highest() {
    EnsureStats();
    return maximum_;
}

double TChartValueList::Lowest() {
    EnsureStats();
    return minimum_;
}

double TChartValueList::Sum() {
    EnsureStats();
    return sum_;
}

double TChartValueList::SumAbs() {
    EnsureStats();
    return sumAbs_;
}

void TChartValueList::SetDateTime(bool value) {
    if (dateTime_ == value)
        return;
    dateTime_ = value;
    if (owner_)
        owner_->ValueListChanged(*this);
}

void TChartValueList::SetValueSource(const std::string& value) {
    if (valueSource_ == value)
        return;
    valueSource_ = value;
    if (owner_)
        owner_->ValueSourceChanged(*this);
}

TChartValueList* TChartValueLists::Add(std::unique_ptr<TChartValueList> list) {
    lists_.push_back(std::move(list));
    return lists_.back().get();
}

TChartValueList* TChartValueLists::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return lists_[static_cast<size_t>(index)].get();
}
