#include "platform/stdctrls/ListItems.h"

#include "platform/classes/Filer.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/stdctrls/StoredData.h"

#include <algorithm>

namespace {

[[noreturn]] void IndexError(int index) {
    throw EListError("List index out of bounds (" + std::to_string(index) + ")");
}

} // namespace

// --- TListColumn ---------------------------------------------------------------------------------

void TListColumn::DeclareProperties(TPropertyList& p) {
    p.Add("Alignment", &TListColumn::Alignment, &TListColumn::SetAlignment).Default(taLeftJustify);
    p.Add("AutoSize", &TListColumn::AutoSize, &TListColumn::SetAutoSize).Default(false);
    p.Add("Caption", &TListColumn::Caption, &TListColumn::SetCaption);
    p.Add("ImageIndex", &TListColumn::ImageIndex, &TListColumn::SetImageIndex).Default(-1);
    p.Add("MaxWidth", &TListColumn::MaxWidth, &TListColumn::SetMaxWidth).Default(0);
    p.Add("MinWidth", &TListColumn::MinWidth, &TListColumn::SetMinWidth).Default(0);
    p.Add("Tag", &TListColumn::Tag).Default(0);
    p.Add("Width", &TListColumn::Width, &TListColumn::SetWidth).Default(50);
}

void TListColumn::SetCaption(const std::string& value) {
    if (value == caption_)
        return;
    caption_ = value;
    Changed(false);
}

void TListColumn::SetWidth(int value) {
    if (value < minWidth_)
        value = minWidth_;
    if (maxWidth_ > 0 && value > maxWidth_)
        value = maxWidth_;
    if (value < 0)
        value = 0;
    if (value == width_)
        return;
    width_ = value;
    Changed(false);
}

void TListColumn::SetAlignment(TAlignment value) {
    if (value == alignment_)
        return;
    alignment_ = value;
    Changed(false);
}

void TListColumn::SetAutoSize(bool value) {
    if (value == autoSize_)
        return;
    autoSize_ = value;
    Changed(false);
}

void TListColumn::SetMinWidth(int value) {
    minWidth_ = std::max(value, 0);
    if (width_ < minWidth_)
        SetWidth(minWidth_);
}

void TListColumn::SetMaxWidth(int value) {
    maxWidth_ = std::max(value, 0);
    if (maxWidth_ > 0 && width_ > maxWidth_)
        SetWidth(maxWidth_);
}

void TListColumn::SetImageIndex(int value) {
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Changed(false);
}

void TListColumn::Assign(TPersistent* source) {
    auto* c = dynamic_cast<TListColumn*>(source);
    if (!c) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = c->caption_;
    minWidth_ = c->minWidth_;
    maxWidth_ = c->maxWidth_;
    width_ = c->width_;
    alignment_ = c->alignment_;
    autoSize_ = c->autoSize_;
    imageIndex_ = c->imageIndex_;
    Tag = c->Tag;
    Changed(false);
}

// --- TListItem -----------------------------------------------------------------------------------

TListItem::TListItem(TListItems* owner)
    : owner_(owner), subItems_(std::make_unique<TStringList>()) {
    subItems_->OnChange = [this](TObject*) { Changed(); };
}

TListItem::~TListItem() {
    subItems_->OnChange = nullptr;
}

int TListItem::Index() const {
    return owner_->IndexOf(this);
}

void TListItem::Changed() {
    owner_->Notify(TListItems::TChange::Changed, this);
}

void TListItem::SetCaption(const std::string& value) {
    if (value == caption_)
        return;
    caption_ = value;
    Changed();
    if (owner_->sortType_ == stText || owner_->sortType_ == stBoth)
        owner_->SortIfNeeded();
}

void TListItem::SetImageIndex(int value) {
    if (value == imageIndex_)
        return;
    imageIndex_ = value;
    Changed();
}

void TListItem::SetStateIndex(int value) {
    if (value < -1)
        value = -1;
    if (value == stateIndex_)
        return;
    stateIndex_ = value;
    Changed();
}

void TListItem::SetChecked(bool value) {
    if (value == checked_)
        return;
    if (owner_->CheckChanging && !owner_->CheckChanging(this, value))
        return;
    checked_ = value;
    Changed();
    if (owner_->CheckChanged)
        owner_->CheckChanged(this);
}

void TListItem::SetSelected(bool value) {
    if (value == selected_)
        return;
    if (value && !owner_->MultiSelect)
        for (auto& other : owner_->items_)
            if (other.get() != this && other->selected_) {
                other->selected_ = false;
                owner_->Notify(TListItems::TChange::Selected, other.get());
            }
    selected_ = value;
    owner_->Notify(TListItems::TChange::Selected, this);
}

void TListItem::SetData(void* value) {
    data_ = value;
    if (owner_->sortType_ == stData || owner_->sortType_ == stBoth)
        owner_->SortIfNeeded();
}

void TListItem::Delete() {
    owner_->Delete(Index());
}

void TListItem::Assign(TPersistent* source) {
    auto* item = dynamic_cast<TListItem*>(source);
    if (!item) {
        TPersistent::Assign(source);
        return;
    }
    caption_ = item->caption_;
    subItems_->Assign(*item->subItems_);
    imageIndex_ = item->imageIndex_;
    stateIndex_ = item->stateIndex_;
    checked_ = item->checked_;
    data_ = item->data_;
    Changed();
}

// --- TListItems ----------------------------------------------------------------------------------

TListItems::~TListItems() {
    Observer = nullptr;
    items_.clear();
}

void TListItems::Notify(TChange change, TListItem* item) {
    if (updateCount_ > 0) {
        changedWhileUpdating_ = true;
        return;
    }
    if (Observer)
        Observer(change, item);
}

void TListItems::EndUpdate() {
    if (updateCount_ == 0)
        return;
    if (--updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        SortIfNeeded();
        if (Observer)
            Observer(TChange::Reset, nullptr);
    }
}

TListItem* TListItems::Item(int index) const {
    if (index < 0 || index >= Count())
        IndexError(index);
    return items_[index].get();
}

int TListItems::IndexOf(const TListItem* item) const {
    for (size_t i = 0; i < items_.size(); ++i)
        if (items_[i].get() == item)
            return static_cast<int>(i);
    return -1;
}

TListItem* TListItems::Add() {
    return Insert(Count());
}

TListItem* TListItems::Insert(int index) {
    if (index < 0 || index > Count())
        IndexError(index);
    auto item = std::make_unique<TListItem>(this);
    TListItem* raw = item.get();
    items_.insert(items_.begin() + index, std::move(item));
    Notify(TChange::Added, raw);
    return raw;
}

void TListItems::Delete(int index) {
    TListItem* item = Item(index);
    Notify(TChange::Deleting, item);
    items_.erase(items_.begin() + index);
}

void TListItems::Clear() {
    if (items_.empty())
        return;
    items_.clear();
    Notify(TChange::Cleared, nullptr);
}

TListItem* TListItems::Selected() const {
    for (auto& i : items_)
        if (i->selected_)
            return i.get();
    return nullptr;
}

int TListItems::SelCount() const {
    return static_cast<int>(
        std::count_if(items_.begin(), items_.end(), [](auto& i) { return i->selected_; }));
}

void TListItems::SetSortType(TSortType value) {
    sortType_ = value;
    SortIfNeeded();
}

void TListItems::SortIfNeeded() {
    if (sortType_ == stNone || updateCount_ > 0)
        return;
    if (Compare) {
        CustomSort(Compare);
        return;
    }
    if (sortType_ == stData) {
        CustomSort([](TListItem* a, TListItem* b) {
            return std::less<void*>()(a->Data(), b->Data()) ? -1 : (a->Data() == b->Data() ? 0 : 1);
        });
        return;
    }
    AlphaSort();
}

void TListItems::AlphaSort() {
    CustomSort(
        [](TListItem* a, TListItem* b) { return AnsiCompareText(a->Caption(), b->Caption()); });
}

void TListItems::CustomSort(const std::function<int(TListItem*, TListItem*)>& compare) {
    std::stable_sort(items_.begin(), items_.end(),
                     [&](const auto& a, const auto& b) { return compare(a.get(), b.get()) < 0; });
    if (updateCount_ == 0 && Observer)
        Observer(TChange::Reset, nullptr);
}

void TListItems::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TListItems*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    items_.clear();
    for (auto& i : other->items_)
        Add()->Assign(i.get());
    EndUpdate();
}

// ---- descriptions -------------------------------------------------------------------------------

namespace {
// Image, state, check mark, caption length, sub-item count.
constexpr int kItemBytes = 4 + 4 + 1 + 4 + 4;
} // namespace

void TListItems::WriteData(TStream& stream) const {
    stored_data::PutInt(stream, Count());
    for (const auto& item : items_) {
        stored_data::PutInt(stream, item->ImageIndex());
        stored_data::PutInt(stream, item->StateIndex());
        uint8_t checked = item->Checked() ? 1 : 0;
        stream.WriteBuffer(&checked, 1);
        stored_data::PutText(stream, item->Caption());
        TStringList* sub = item->SubItems();
        stored_data::PutInt(stream, sub->Count());
        for (int i = 0; i < sub->Count(); ++i)
            stored_data::PutText(stream, sub->Get(i));
    }
}

void TListItems::ReadData(TStream& stream) {
    BeginUpdate();
    try {
        Clear();
        int32_t count = stored_data::GetCount(stream, kItemBytes);
        for (int32_t n = 0; n < count; ++n) {
            int32_t image = stored_data::GetInt(stream);
            int32_t state = stored_data::GetInt(stream);
            uint8_t checked = 0;
            stream.ReadBuffer(&checked, 1);
            std::string caption = stored_data::GetText(stream);
            TListItem* item = Add();
            item->SetCaption(caption);
            item->SetImageIndex(image);
            item->SetStateIndex(state);
            item->SetChecked(checked != 0);
            int32_t subCount = stored_data::GetCount(stream, 4);
            for (int32_t i = 0; i < subCount; ++i)
                item->SubItems()->Add(stored_data::GetText(stream));
        }
    } catch (...) {
        Clear();
        EndUpdate();
        throw;
    }
    EndUpdate();
}

void TListItems::DefineProperties(TFiler* filer) {
    TPersistent::DefineProperties(filer);
    stored_data::DefineItemsData(*this, filer);
}
