#include "spreadsheet/areas/CollectionMoveCopy.h"

#include "spreadsheet/areas/CellAreas.h"

TAreaListItem::TAreaListItem(TCollection* collection)
    : TCollectionItemMoveCopy(collection), areas_(std::make_unique<TCellAreas>(this)) {}

TAreaListItem::~TAreaListItem() = default;

bool TAreaListItem::Intersects(int64_t c1, int64_t r1, int64_t c2, int64_t r2) {
    return areas_->Intersects(c1, r1, c2, r2);
}

void TAreaListItem::CopyAreas(int64_t c1, int64_t r1, int64_t c2, int64_t r2, int64_t dc,
                              int64_t dr) {
    areas_->CopyAreas(c1, r1, c2, r2, dc, dr);
}

void TAreaListItem::DeleteAreas(int64_t c1, int64_t r1, int64_t c2, int64_t r2) {
    areas_->DeleteAreas(c1, r1, c2, r2);
}

void TAreaListItem::ClipAreas(int64_t c1, int64_t r1, int64_t c2, int64_t r2) {
    areas_->ClipAreas(c1, r1, c2, r2);
}

void TAreaListItem::OffsetAreas(int64_t dc, int64_t dr) {
    areas_->OffsetAreas(dc, dr);
}

void TAreaListItem::MoveAreas(int64_t c1, int64_t r1, int64_t c2, int64_t r2, int64_t dc,
                              int64_t dr) {
    areas_->MoveAreas(c1, r1, c2, r2, dc, dr);
}

std::vector<TCollectionItemMoveCopy*> TCollectionMoveCopy::All() const {
    std::vector<TCollectionItemMoveCopy*> items;
    for (int i = 0; i < Count(); ++i)
        items.push_back(Items(i));
    return items;
}

void TCollectionMoveCopy::CollectItems(TMoveCopyItemList& list, int64_t col1, int64_t row1,
                                       int64_t col2, int64_t row2) {
    for (TCollectionItemMoveCopy* item : All())
        if (item->Intersects(col1, row1, col2, row2))
            list.push_back(item);
}

void TCollectionMoveCopy::CopyInside(int64_t col1, int64_t row1, int64_t col2, int64_t row2,
                                     int64_t destCol, int64_t destRow) {
    for (TCollectionItemMoveCopy* item : All())
        item->CopyAreas(col1, row1, col2, row2, destCol - col1, destRow - row1);
}

void TCollectionMoveCopy::MoveInside(int64_t col1, int64_t row1, int64_t col2, int64_t row2,
                                     int64_t destCol, int64_t destRow) {
    for (TCollectionItemMoveCopy* item : All())
        item->MoveAreas(col1, row1, col2, row2, destCol - col1, destRow - row1);
}

void TCollectionMoveCopy::DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) {
    for (TCollectionItemMoveCopy* item : All())
        item->DeleteAreas(col1, row1, col2, row2);
}

void TCollectionMoveCopy::InsertCopies(const TMoveCopyItemList& list, int64_t col1, int64_t row1,
                                       int64_t col2, int64_t row2, int64_t destCol,
                                       int64_t destRow) {
    for (TCollectionItemMoveCopy* source : list) {
        auto* copy = static_cast<TCollectionItemMoveCopy*>(Add());
        copy->Assign(source);
        copy->ClipAreas(col1, row1, col2, row2);
        copy->OffsetAreas(destCol - col1, destRow - row1);
    }
}

void TCollectionMoveCopy::DeleteListed(const TMoveCopyItemList& list, int64_t col1, int64_t row1,
                                       int64_t col2, int64_t row2) {
    for (TCollectionItemMoveCopy* item : list)
        if (item->Collection() == this && FindItemID(item->ID()) == item)
            item->DeleteAreas(col1, row1, col2, row2);
}
