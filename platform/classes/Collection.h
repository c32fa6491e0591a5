#pragma once
// Collections: an ordered list of items of one class, owned by a persistent object and stored in
// its description as "Prop = <item ... end>". Items are created by the collection (Add) and freed
// by it; freeing an item removes it from its collection.

#include "platform/classes/Persistent.h"

#include <string>
#include <vector>

class TCollection;

class TCollectionItem : public TPersistent {
    Q4_CLASS(TCollectionItem, TPersistent)

    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;

    TCollection* Collection() const { return collection_; }
    // Moves the item to another collection (or out of any, with null).
    virtual void SetCollection(TCollection* collection);
    // The item's place in its collection; setting it moves the item.
    int Index() const;
    virtual void SetIndex(int index);
    // A number unique within the collection, kept when items move.
    int ID() const { return id_; }
    // Shown for the item in lists; the class name when not overridden.
    virtual std::string DisplayName() const { return ClassName(); }
    virtual void SetDisplayName(const std::string&) { Changed(false); }

    TPersistent* GetOwner() override;
    std::string GetNamePath() override;

protected:
    // Tells the collection that this item (or, with allItems, every item) changed.
    void Changed(bool allItems);

private:
    friend class TCollection;
    TCollection* collection_ = nullptr;
    int id_ = 0;
};

class TCollection : public TPersistent {
    Q4_CLASS(TCollection, TPersistent)

    // A collection of items of itemClass (which must be created from a collection), belonging to
    // owner (the object that publishes it), which may be null.
    explicit TCollection(TClass itemClass, TPersistent* owner = nullptr);
    ~TCollection() override;

    TClass ItemClass() const { return itemClass_; }
    int Count() const { return static_cast<int>(items_.size()); }
    // Raises EListError-like EComponentError "List index out of bounds (n)".
    TCollectionItem* Items(int index) const;
    template <class T> T* Item(int index) const { return static_cast<T*>(Items(index)); }

    TCollectionItem* Add();
    TCollectionItem* Insert(int index);
    void Delete(int index);
    void Clear();
    TCollectionItem* FindItemID(int id) const;
    void Exchange(int index1, int index2);

    // Changes between BeginUpdate and the last EndUpdate are reported once, by EndUpdate.
    virtual void BeginUpdate();
    virtual void EndUpdate();
    int UpdateCount() const { return updateCount_; }

    // Copies the items of another collection (item by item, through Assign).
    void Assign(TPersistent* source) override;
    TPersistent* GetOwner() override { return owner_; }
    std::string GetNamePath() override;

protected:
    // Called after a change of one item, or with null after a change of the whole collection.
    virtual void Update(TCollectionItem*) {}
    // Called when an item joins or leaves.
    virtual void Added(TCollectionItem*) {}
    virtual void Deleting(TCollectionItem*) {}
    void Changed();

private:
    friend class TCollectionItem;
    void InsertItem(TCollectionItem* item);
    void RemoveItem(TCollectionItem* item);
    void MoveItem(int from, int to);

    TClass itemClass_;
    TPersistent* owner_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
    int updateCount_ = 0;
    bool changedWhileUpdating_ = false;
};
