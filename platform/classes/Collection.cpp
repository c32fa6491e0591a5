#include "platform/classes/Collection.h"

#include "platform/classes/Component.h"
#include "platform/rtl/Exception.h"

#include <algorithm>

TCollectionItem* TMetaClass::CreateItem(TCollection* collection) const {
    if (construct_ != TConstruct::CollectionItem)
        throw EComponentError("Cannot create a collection item of class " + name_);
    return static_cast<TCollectionItem*>(factory_(collection));
}

// --- TCollectionItem -----------------------------------------------------------------------------

TCollectionItem::TCollectionItem(TCollection* collection) {
    SetCollection(collection);
}

TCollectionItem::~TCollectionItem() {
    if (collection_ != nullptr)
        collection_->RemoveItem(this);
}

void TCollectionItem::SetCollection(TCollection* collection) {
    if (collection == collection_)
        return;
    if (collection_ != nullptr)
        collection_->RemoveItem(this);
    if (collection != nullptr)
        collection->InsertItem(this);
}

int TCollectionItem::Index() const {
    if (collection_ == nullptr)
        return -1;
    const auto& items = collection_->items_;
    return static_cast<int>(std::find(items.begin(), items.end(), this) - items.begin());
}

void TCollectionItem::SetIndex(int index) {
    int current = Index();
    if (current >= 0 && current != index) {
        collection_->MoveItem(current, index);
        Changed(true);
    }
}

TPersistent* TCollectionItem::GetOwner() {
    return collection_;
}

std::string TCollectionItem::GetNamePath() {
    if (collection_ == nullptr)
        return ClassName();
    return collection_->GetNamePath() + "[" + std::to_string(Index()) + "]";
}

void TCollectionItem::Changed(bool allItems) {
    if (collection_ != nullptr && collection_->updateCount_ == 0)
        collection_->Update(allItems ? nullptr : this);
    else if (collection_ != nullptr)
        collection_->changedWhileUpdating_ = true;
}

// --- TCollection ---------------------------------------------------------------------------------

TCollection::TCollection(TClass itemClass, TPersistent* owner)
    : itemClass_(itemClass), owner_(owner) {}

TCollection::~TCollection() {
    updateCount_ = 1; // no change reports while the items go
    while (!items_.empty())
        delete items_.back();
}

TCollectionItem* TCollection::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("List index out of bounds (" + std::to_string(index) + ")");
    return items_[static_cast<size_t>(index)];
}

TCollectionItem* TCollection::Add() {
    TCollectionItem* item = itemClass_->CreateItem(this);
    Added(item);
    return item;
}

TCollectionItem* TCollection::Insert(int index) {
    BeginUpdate();
    try {
        TCollectionItem* item = Add();
        item->SetIndex(index);
        EndUpdate();
        return item;
    } catch (...) {
        EndUpdate();
        throw;
    }
}

void TCollection::Delete(int index) {
    delete Items(index);
}

void TCollection::Clear() {
    if (items_.empty())
        return;
    BeginUpdate();
    while (!items_.empty())
        delete items_.back();
    EndUpdate();
}

TCollectionItem* TCollection::FindItemID(int id) const {
    for (TCollectionItem* item : items_)
        if (item->id_ == id)
            return item;
    return nullptr;
}

void TCollection::Exchange(int index1, int index2) {
    Items(index1);
    Items(index2);
    std::swap(items_[static_cast<size_t>(index1)], items_[static_cast<size_t>(index2)]);
    Changed();
}

void TCollection::BeginUpdate() {
    ++updateCount_;
}

void TCollection::EndUpdate() {
    if (updateCount_ > 0 && --updateCount_ == 0 && changedWhileUpdating_) {
        changedWhileUpdating_ = false;
        Update(nullptr);
    }
}

void TCollection::Changed() {
    if (updateCount_ == 0)
        Update(nullptr);
    else
        changedWhileUpdating_ = true;
}

void TCollection::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TCollection*>(source);
    if (other == nullptr) {
        TPersistent::Assign(source);
        return;
    }
    if (other == this)
        return;
    BeginUpdate();
    try {
        Clear();
        for (TCollectionItem* item : other->items_)
            Add()->Assign(item);
    } catch (...) {
        EndUpdate();
        throw;
    }
    EndUpdate();
}

std::string TCollection::GetNamePath() {
    TPersistent* owner = GetOwner();
    if (owner == nullptr)
        return ClassName();
    std::string ownerPath = owner->GetNamePath();
    if (ownerPath.empty())
        return ClassName();
    // The name of the owner's property that publishes this collection.
    for (const TPropInfo* info : owner->ClassType()->Properties()) {
        if (info->Kind() != tkClass)
            continue;
        TPropValue v = info->Get(owner);
        if (auto* p = std::get_if<TObject*>(&v); p != nullptr && *p == this)
            return ownerPath + "." + info->Name();
    }
    return ownerPath;
}

void TCollection::InsertItem(TCollectionItem* item) {
    items_.push_back(item);
    item->collection_ = this;
    item->id_ = nextId_++;
    Changed();
}

void TCollection::RemoveItem(TCollectionItem* item) {
    Deleting(item);
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it != items_.end())
        items_.erase(it);
    item->collection_ = nullptr;
    Changed();
}

void TCollection::MoveItem(int from, int to) {
    to = std::clamp(to, 0, Count() - 1);
    TCollectionItem* item = items_[static_cast<size_t>(from)];
    items_.erase(items_.begin() + from);
    items_.insert(items_.begin() + to, item);
}
