#pragma once
// Collections whose items each own a list of cell areas (conditional formats, validations):
// the area operations of the cells' copy, move and delete spread over every item.

#include "platform/classes/Collection.h"

#include <cstdint>
#include <memory>
#include <vector>

class TCollectionItemMoveCopy : public TCollectionItem {
    Q4_CLASS(TCollectionItemMoveCopy, TCollectionItem)
    using TCollectionItem::TCollectionItem;

    virtual bool Intersects(int64_t col1, int64_t row1, int64_t col2, int64_t row2) = 0;
    virtual void CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                           int64_t dRow) = 0;
    virtual void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) = 0;
    virtual void ClipAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) = 0;
    virtual void OffsetAreas(int64_t dCol, int64_t dRow) = 0;
    virtual void MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                           int64_t dRow) = 0;
};

class TCellAreas;

// An item that owns a free-form area list and passes the six operations on to it.
class TAreaListItem : public TCollectionItemMoveCopy {
    Q4_CLASS(TAreaListItem, TCollectionItemMoveCopy)
    explicit TAreaListItem(TCollection* collection);
    ~TAreaListItem() override;

    TCellAreas* Areas() const { return areas_.get(); }

    bool Intersects(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;
    void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void ClipAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void OffsetAreas(int64_t dCol, int64_t dRow) override;
    void MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;

private:
    std::unique_ptr<TCellAreas> areas_;
};

using TMoveCopyItemList = std::vector<TCollectionItemMoveCopy*>;

class TCollectionMoveCopy : public TCollection {
    Q4_CLASS(TCollectionMoveCopy, TCollection)
    using TCollection::TCollection;

    TCollectionItemMoveCopy* Items(int index) const { return Item<TCollectionItemMoveCopy>(index); }
    // The items that share a cell with the rectangle.
    void CollectItems(TMoveCopyItemList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2);
    void CopyInside(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t destCol,
                    int64_t destRow);
    void MoveInside(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t destCol,
                    int64_t destRow);
    void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2);
    // A new item for each listed one (of this or another collection): a copy, clipped to the
    // rectangle and moved to the destination.
    void InsertCopies(const TMoveCopyItemList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2, int64_t destCol, int64_t destRow);
    // DeleteAreas on every listed item that is still in this collection.
    void DeleteListed(const TMoveCopyItemList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2);

private:
    std::vector<TCollectionItemMoveCopy*> All() const;
};
