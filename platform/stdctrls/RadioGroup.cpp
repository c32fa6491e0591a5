#include "platform/stdctrls/RadioGroup.h"

#include "platform/graphics/GraphicsQt_p.h"
#include "platform/stdctrls/StringsProperty.h"

#include <QFontMetrics>

#include <algorithm>

TCustomRadioGroup::TCustomRadioGroup(TComponent* owner)
    : TCustomGroupBox(owner), items_(std::make_unique<TStringList>()) {
    items_->OnChange = [this](TObject*) { ItemsChanged(); };
}

TCustomRadioGroup::~TCustomRadioGroup() {
    items_->OnChange = nullptr;
}

void TCustomRadioGroup::DeclareProperties(TPropertyList& p) {
    p.Add("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns).Default(1);
    p.Add("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems);
    p.AddFn<TCustomRadioGroup>(
         "ItemIndex", [](TCustomRadioGroup* g) { return g->ItemIndex(); },
         [](TCustomRadioGroup* g, int v) { g->SetItemIndex(v); })
        .Default(-1);
}

void TCustomRadioGroup::SetItems(TStrings* v) {
    AssignStrings(*items_, v);
}

void TCustomRadioGroup::ItemsChanged() {
    // The buttons are the group's own; they are not stored in descriptions.
    while (static_cast<int>(buttons_.size()) > items_->Count()) {
        buttons_.back()->Free();
        buttons_.pop_back();
    }
    while (static_cast<int>(buttons_.size()) < items_->Count()) {
        auto* b = new TRadioButton(this); // owned by the group, so never stored in a description
        b->SetParent(this);
        const int index = static_cast<int>(buttons_.size());
        b->OnClick = [this, index](TObject*) {
            if (!updating_ && itemIndex_ != index)
                SetItemIndex(index);
        };
        buttons_.push_back(b);
    }
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetCaption(items_->Get(static_cast<int>(i)));
    // The choice follows its item when items move, and ends when it goes.
    if (itemIndex_ >= 0 && !InLoading()) {
        if (itemIndex_ >= items_->Count() || items_->Get(itemIndex_) != chosen_)
            itemIndex_ = items_->IndexOf(chosen_);
        updating_ = true;
        for (size_t i = 0; i < buttons_.size(); ++i)
            buttons_[i]->SetChecked(static_cast<int>(i) == itemIndex_);
        updating_ = false;
    }
    ArrangeButtons();
}

void TCustomRadioGroup::SetItemIndex(int v) {
    if (InLoading()) {
        itemIndex_ = v;
        return;
    }
    if (v < -1 || v >= items_->Count())
        v = -1;
    itemIndex_ = v;
    chosen_ = v >= 0 ? items_->Get(v) : std::string();
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == v);
    updating_ = false;
    Click();
}

void TCustomRadioGroup::SetColumns(int v) {
    columns_ = std::clamp(v, 1, 16);
    ArrangeButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    const int index = itemIndex_;
    itemIndex_ = -1;
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(static_cast<int>(i) == index);
    updating_ = false;
    itemIndex_ = index >= 0 && index < items_->Count() ? index : -1;
    chosen_ = itemIndex_ >= 0 ? items_->Get(itemIndex_) : std::string();
    ArrangeButtons();
}

void TCustomRadioGroup::Resize() {
    TCustomGroupBox::Resize();
    ArrangeButtons();
}

void TCustomRadioGroup::ArrangeButtons() {
    if (buttons_.empty())
        return;
    QFontMetrics fm(TGraphicsQt::Font(*Font()));
    const int top = fm.height() + 2;
    const int rows = (static_cast<int>(buttons_.size()) + columns_ - 1) / columns_;
    const int colWidth = (Width() - 10) / columns_;
    const int rowHeight = std::max(1, (Height() - top - 4) / std::max(rows, 1));
    for (size_t i = 0; i < buttons_.size(); ++i) {
        const int col = static_cast<int>(i) / rows;
        const int row = static_cast<int>(i) % rows;
        buttons_[i]->SetBounds(8 + col * colWidth, top + row * rowHeight, colWidth - 4,
                               std::min(rowHeight, fm.height() + 4));
    }
}
