// Stored mark positions.

#include "chart/core/SeriesMarkPositions.h"

#include <algorithm>

TSeriesMarkPosition* TSeriesMarksPositions::EntryAt(int index) const {
    if (index < 0 || index >= Count())
        return nullptr;
    return items_[static_cast<size_t>(index)].get();
}

TSeriesMarkPosition& TSeriesMarksPositions::Ensure(int index) {
    if (index >= Count())
        items_.resize(static_cast<size_t>(index) + 1);
    auto& slot = items_[static_cast<size_t>(index)];
    if (!slot)
        slot = std::make_unique<TSeriesMarkPosition>();
    return *slot;
}

void TSeriesMarksPositions::StoreAt(int index, const TSeriesMarkPosition& position) {
    if (index < 0)
        return;
    Ensure(index) = position;
}

bool TSeriesMarksPositions::HasCustom() const {
    return std::any_of(items_.begin(), items_.end(), [](const auto& p) { return p && p->Custom; });
}

void TSeriesMarksPositions::Delete(int index) {
    if (index >= 0 && index < Count())
        items_.erase(items_.begin() + index);
}

void TSeriesMarksPositions::DeleteRange(int first, int count) {
    if (first < 0 || count <= 0 || first >= Count())
        return;
    const int last = std::min(Count(), first + count);
    items_.erase(items_.begin() + first, items_.begin() + last);
}

void TSeriesMarksPositions::PlaceAt(TSeriesMarkPosition& position, int x, int y, TRect* symbol) {
    position.ArrowTo = {x, y};
    position.ArrowFrom = {x, y};
    position.Left = x - position.Width / 2;
    position.Top = y - position.Height + 1;
    if (symbol != nullptr) {
        const int w = symbol->Right - symbol->Left;
        const int h = symbol->Bottom - symbol->Top;
        symbol->Left = position.Left + 2;
        symbol->Top = y - position.Height + 3;
        symbol->Right = symbol->Left + w;
        symbol->Bottom = symbol->Top + h;
    }
}
