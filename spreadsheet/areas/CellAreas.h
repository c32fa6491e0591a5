#pragma once
// Lists of rectangular cell areas that follow the cells when they are copied, moved or
// cleared: merged cells, the areas of conditional formats and validations, visible areas.
// TCellAreas is free-form (an area may be cut into pieces); TSolidCellAreas (merged cells)
// refuses a change that would cut an area. Bounds are inclusive; offsets are signed and every
// computation is done in 64 bits before it is clipped to the sheet (MaxCol, MaxRow).

#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <vector>

// A rectangle: first column, first row, last column, last row.
struct TAreaRect {
    int64_t Col1 = 0, Row1 = 0, Col2 = 0, Row2 = 0;
    bool operator==(const TAreaRect&) const = default;
};

class TCellArea : public TCollectionItem {
    Q4_CLASS(TCellArea, TCollectionItem)
    explicit TCellArea(TCollection* collection) : TCollectionItem(collection) {}
    void Assign(TPersistent* source) override;

    uint32_t Col1 = 0;
    uint32_t Row1 = 0;
    uint32_t Col2 = 0;
    uint32_t Row2 = 0;
    int32_t Col1i() const { return static_cast<int32_t>(Col1); }
    int32_t Row1i() const { return static_cast<int32_t>(Row1); }
    int32_t Col2i() const { return static_cast<int32_t>(Col2); }
    int32_t Row2i() const { return static_cast<int32_t>(Row2); }

    TAreaRect Rect() const { return {Col1, Row1, Col2, Row2}; }
    void SetRect(const TAreaRect& r);

    static void DeclareProperties(TPropertyList& p) {
        p.Add("Col1", &TCellArea::Col1);
        p.Add("Row1", &TCellArea::Row1);
        p.Add("Col2", &TCellArea::Col2);
        p.Add("Row2", &TCellArea::Row2);
    }
};

using TCellAreaList = std::vector<TCellArea*>;

class TBaseCellAreas : public TCollection {
    Q4_CLASS(TBaseCellAreas, TCollection)
    explicit TBaseCellAreas(TPersistent* owner = nullptr)
        : TCollection(TCellArea::StaticClass(), owner) {}

    TCellArea* AddArea(int64_t col1, int64_t row1, int64_t col2, int64_t row2);
    TCellArea* AddRect(const TAreaRect& r) { return AddArea(r.Col1, r.Row1, r.Col2, r.Row2); }
    TCellArea* Items(int index) const { return Item<TCellArea>(index); }
    // True when some area shares a cell with the rectangle.
    bool Intersects(int64_t col1, int64_t row1, int64_t col2, int64_t row2) const;

    virtual void CopyAreas(int64_t, int64_t, int64_t, int64_t, int64_t, int64_t) {}
    virtual void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) = 0;
    virtual void ClipAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) = 0;
    virtual void OffsetAreas(int64_t dCol, int64_t dRow) = 0;
    virtual void MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                           int64_t dRow) = 0;

protected:
    TCellAreaList All() const;
    void Remove(TCellArea* area) { delete area; }
};

// The common cells of two rectangles; false when they share none.
bool IntersectRect(const TAreaRect& a, const TAreaRect& r, TAreaRect& out);
// The pieces of `a` outside `r`, at most four: above, below, left, right.
std::vector<TAreaRect> PiecesOutside(const TAreaRect& a, const TAreaRect& r);
// Moves by the offsets and clips to the sheet; false when nothing is left on the sheet.
bool OffsetAndClip(TAreaRect& r, int64_t dCol, int64_t dRow);

class TCellAreas : public TBaseCellAreas {
    Q4_CLASS(TCellAreas, TBaseCellAreas)
    using TBaseCellAreas::TBaseCellAreas;

    void CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;
    void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void ClipAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void OffsetAreas(int64_t dCol, int64_t dRow) override;
    void MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;
    // Grows an area by `n` when `n` lies inside it or continues it along its full width or
    // height; false when no area takes it.
    bool TryMerge(const TAreaRect& n);

private:
    // Each rectangle goes into an area that continues it, or (after what lies under it is cut
    // away) is appended.
    void Place(const std::vector<TAreaRect>& rects);
};

class TSolidCellAreas : public TBaseCellAreas {
    Q4_CLASS(TSolidCellAreas, TBaseCellAreas)
    using TBaseCellAreas::TBaseCellAreas;

    // An area inside the rectangle goes; one it cuts keeps the one piece left. Raises "Can not
    // change part of a merged cell" before changing anything when a cut would leave more.
    void DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) override;
    void ClipAreas(int64_t, int64_t, int64_t, int64_t) override {}
    // Raises "TSolidCellAreas.Move not implemented".
    void OffsetAreas(int64_t dCol, int64_t dRow) override;
    // Raises "Can not change part of a merged cell" when a corner of the rectangle lies inside
    // an area; otherwise each bound inside the rectangle's span moves on its own.
    void MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;
};

class TMergedCells : public TSolidCellAreas {
    Q4_CLASS(TMergedCells, TSolidCellAreas)
    using TSolidCellAreas::TSolidCellAreas;

    // Whole areas are copied, also those only partly inside the rectangle.
    void CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                   int64_t dRow) override;
    void CollectAreas(TCellAreaList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2) const;
    void InsertCopies(const TCellAreaList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2, int64_t destCol, int64_t destRow);
    void DeleteListed(const TCellAreaList& list, int64_t col1, int64_t row1, int64_t col2,
                      int64_t row2);
};
