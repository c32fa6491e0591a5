#include "chart/core/LabelsList.h"

#include <algorithm>
#include <utility>

namespace {

const std::string& EmptyLabel() {
    static const std::string empty;
    return empty;
}

} // namespace

const std::string& TLabelsList::Get(int index) const {
    if (index < 0 || index >= Count())
        return EmptyLabel();
    return labels_[static_cast<size_t>(index)];
}

void TLabelsList::Put(int index, const std::string& label) {
    if (index < 0)
        return;
    if (index >= Count()) {
        if (label.empty())
            return;
        labels_.resize(static_cast<size_t>(index) + 1);
    }
    labels_[static_cast<size_t>(index)] = label;
}

void TLabelsList::Insert(int index, const std::string& label) {
    if (index < 0 || (label.empty() && labels_.empty()))
        return;
    if (index > Count())
        labels_.resize(static_cast<size_t>(index));
    labels_.insert(labels_.begin() + index, label);
}

void TLabelsList::Delete(int index) {
    if (index >= 0 && index < Count())
        labels_.erase(labels_.begin() + index);
}

void TLabelsList::DeleteRange(int first, int count) {
    first = std::max(first, 0);
    const int last = std::min(Count(), first + std::max(count, 0));
    if (first < last)
        labels_.erase(labels_.begin() + first, labels_.begin() + last);
}

void TLabelsList::Exchange(int a, int b) {
    if (a < 0 || b < 0 || a == b || Get(a) == Get(b))
        return;
    const int needed = std::max(a, b) + 1;
    if (needed > Count())
        labels_.resize(static_cast<size_t>(needed)); // a label moves to a slot past the end
    std::swap(labels_[static_cast<size_t>(a)], labels_[static_cast<size_t>(b)]);
}

void TLabelsList::Assign(const TLabelsList& source) {
    if (&source == this)
        return;
    Clear();
    for (int i = 0; i < source.Count(); ++i)
        Insert(i, source.Get(i));
}
