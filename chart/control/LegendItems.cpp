// The legend's item list.

#include "chart/control/LegendItems.h"

#include "platform/rtl/Exception.h"

void TLegendItem::SetText(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    owner_->TextChanged();
}

void TLegendItem::SetText2(const std::string& text) {
    if (text == text2_)
        return;
    text2_ = text;
    owner_->TextChanged();
}

TLegendItem* TLegendItems::Item(int position) {
    if (position < 0)
        throw EListError("List index out of bounds (" + std::to_string(position) + ")");
    while (Count() <= position)
        items_.push_back(std::make_unique<TLegendItem>(this));
    return items_[static_cast<std::size_t>(position)].get();
}

TLegendItem* TLegendItems::Find(int position) const {
    if (position < 0 || position >= Count())
        return nullptr;
    return items_[static_cast<std::size_t>(position)].get();
}

void TLegendItems::Clear() {
    items_.clear();
    custom_ = false;
    if (invalidate_)
        invalidate_();
}

void TLegendItems::TextChanged() {
    custom_ = true;
    if (invalidate_)
        invalidate_();
}
