#include "chart/core/AxisItems.h"

#include "chart/core/ChartAxis.h"
#include "chart/core/ChartValueList.h"

// ---- TAxisItem ----------------------------------------------------------------------------------

TAxisItem::TAxisItem(TAxisItems* owner)
    : TAxisTextShape(owner && owner->Axis() ? owner->Axis()->ParentChart() : nullptr, true),
      owner_(owner) {}

void TAxisItem::DeclareProperties(TPropertyList& p) {
    p.Add("Text", &TAxisItem::Text, &TAxisItem::SetText);
    p.Add("Value", &TAxisItem::Value, &TAxisItem::SetValue);
}

void TAxisItem::SetValue(double value) {
    if (value_ == value)
        return;
    value_ = value;
    Repaint();
}

void TAxisItem::SetText(const std::string& value) {
    if (text_ == value)
        return;
    text_ = value;
    Repaint();
}

// ---- TAxisItems ---------------------------------------------------------------------------------

TAxisItems::TAxisItems(TChartAxis* axis) : axis_(axis) {
    format_ = std::make_unique<TAxisTextShape>(Chart(), true);
}

TAxisItems::~TAxisItems() = default;

TChartHost* TAxisItems::Chart() const {
    return axis_ ? axis_->ParentChart() : nullptr;
}

TAxisItem* TAxisItems::operator[](int index) const {
    if (index < 0 || index >= Count())
        throw EChartIndexError(index, Count());
    return items_[static_cast<size_t>(index)].get();
}

TAxisItem* TAxisItems::Append(double value, const std::string& text) {
    auto item = std::make_unique<TAxisItem>(this);
    item->value_ = value;
    item->text_ = text;
    items_.push_back(std::move(item));
    return items_.back().get();
}

TAxisItem* TAxisItems::Add(double value) {
    automatic_ = false;
    return Append(value, {});
}

TAxisItem* TAxisItems::Add(double value, const std::string& text) {
    automatic_ = false;
    return Append(value, text);
}

TAxisItem* TAxisItems::AppendAutomatic(double value, const std::string& text) {
    TAxisItem* item = Append(value, text);
    item->Font()->Assign(format_->Font()); // a computed label is in the labels' font
    return item;
}

void TAxisItems::CopyFrom(const TAxisItems& other) {
    if (&other == this)
        return;
    format_->Assign(other.format_.get());
    items_.clear();
    for (const auto& item : other.items_)
        Add(item->Value(), item->Text());
}

void TAxisItems::Clear() {
    items_.clear();
    if (TChartHost* chart = Chart())
        chart->Invalidate();
}
