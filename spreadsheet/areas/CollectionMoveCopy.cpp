#include "spreadsheet/areas/CollectionMoveCopy.h"

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
