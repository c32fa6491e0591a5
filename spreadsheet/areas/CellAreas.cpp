#include "spreadsheet/areas/CellAreas.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <algorithm>

void TCellArea::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TCellArea*>(source)) {
        SetRect(other->Rect());
        return;
    }
    TCollectionItem::Assign(source);
}

void TCellArea::SetRect(const TAreaRect& r) {
    Col1 = static_cast<uint32_t>(r.Col1);
    Row1 = static_cast<uint32_t>(r.Row1);
    Col2 = static_cast<uint32_t>(r.Col2);
    Row2 = static_cast<uint32_t>(r.Row2);
}

bool IntersectRect(const TAreaRect& a, const TAreaRect& r, TAreaRect& out) {
    out = {std::max(a.Col1, r.Col1), std::max(a.Row1, r.Row1), std::min(a.Col2, r.Col2),
           std::min(a.Row2, r.Row2)};
    return out.Row2 >= out.Row1 && out.Col2 >= out.Col1;
}

std::vector<TAreaRect> PiecesOutside(const TAreaRect& a, const TAreaRect& r) {
    std::vector<TAreaRect> pieces;
    const int64_t top = std::max(a.Row1, r.Row1), bottom = std::min(a.Row2, r.Row2);
    if (a.Row1 < r.Row1)
        pieces.push_back({a.Col1, a.Row1, a.Col2, std::min(a.Row2, r.Row1 - 1)});
    if (a.Row2 > r.Row2)
        pieces.push_back({a.Col1, std::max(a.Row1, r.Row2 + 1), a.Col2, a.Row2});
    if (top <= bottom) {
        if (a.Col1 < r.Col1)
            pieces.push_back({a.Col1, top, std::min(a.Col2, r.Col1 - 1), bottom});
        if (a.Col2 > r.Col2)
            pieces.push_back({std::max(a.Col1, r.Col2 + 1), top, a.Col2, bottom});
    }
    return pieces;
}

bool OffsetAndClip(TAreaRect& r, int64_t dCol, int64_t dRow) {
    r = {r.Col1 + dCol, r.Row1 + dRow, r.Col2 + dCol, r.Row2 + dRow};
    if (r.Col1 > MaxCol || r.Row1 > MaxRow || r.Col2 < 0 || r.Row2 < 0)
        return false;
    r = {std::max<int64_t>(r.Col1, 0), std::max<int64_t>(r.Row1, 0),
         std::min<int64_t>(r.Col2, MaxCol), std::min<int64_t>(r.Row2, MaxRow)};
    return true;
}

TCellArea* TBaseCellAreas::AddArea(int64_t col1, int64_t row1, int64_t col2, int64_t row2) {
    auto* area = static_cast<TCellArea*>(Add());
    area->SetRect({col1, row1, col2, row2});
    return area;
}

bool TBaseCellAreas::Intersects(int64_t col1, int64_t row1, int64_t col2, int64_t row2) const {
    TAreaRect common;
    for (int i = 0; i < Count(); ++i)
        if (IntersectRect(Items(i)->Rect(), {col1, row1, col2, row2}, common))
            return true;
    return false;
}

TCellAreaList TBaseCellAreas::All() const {
    TCellAreaList list;
    for (int i = 0; i < Count(); ++i)
        list.push_back(Items(i));
    return list;
}

// --- Free-form areas -------------------------------------------------------------------------

bool TCellAreas::TryMerge(const TAreaRect& n) {
    for (TCellArea* area : All()) {
        TAreaRect a = area->Rect();
        if (n.Col1 >= a.Col1 && n.Col2 <= a.Col2 && n.Row1 >= a.Row1 && n.Row2 <= a.Row2)
            return true;
        bool merged = false;
        if (n.Col1 == a.Col1 && n.Col2 == a.Col2) {
            if (n.Row2 >= a.Row1 - 1 && n.Row2 <= a.Row2)
                a.Row1 = n.Row1, merged = true;
            else if (n.Row1 >= a.Row1 && n.Row1 <= a.Row2 + 1)
                a.Row2 = n.Row2, merged = true;
        } else if (n.Row1 == a.Row1 && n.Row2 == a.Row2) {
            if (n.Col2 >= a.Col1 - 1 && n.Col2 <= a.Col2)
                a.Col1 = n.Col1, merged = true;
            else if (n.Col1 >= a.Col1 && n.Col1 <= a.Col2 + 1)
                a.Col2 = n.Col2, merged = true;
        }
        if (merged) {
            area->SetRect(a);
            return true;
        }
    }
    return false;
}

void TCellAreas::Place(const std::vector<TAreaRect>& rects) {
    for (const TAreaRect& n : rects)
        if (!TryMerge(n)) {
            DeleteAreas(n.Col1, n.Row1, n.Col2, n.Row2);
            AddRect(n);
        }
}

void TCellAreas::DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) {
    const TAreaRect r{col1, row1, col2, row2};
    TAreaRect common;
    for (TCellArea* area : All()) {
        if (!IntersectRect(area->Rect(), r, common))
            continue;
        for (const TAreaRect& piece : PiecesOutside(area->Rect(), r))
            AddRect(piece);
        Remove(area);
    }
}

void TCellAreas::ClipAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) {
    TAreaRect common;
    for (TCellArea* area : All()) {
        if (IntersectRect(area->Rect(), {col1, row1, col2, row2}, common))
            area->SetRect(common);
        else
            Remove(area);
    }
}

void TCellAreas::OffsetAreas(int64_t dCol, int64_t dRow) {
    for (TCellArea* area : All()) {
        TAreaRect r = area->Rect();
        if (OffsetAndClip(r, dCol, dRow))
            area->SetRect(r);
        else
            Remove(area);
    }
}

// The moved copies are worked out from the areas as they stand before anything changes, so
// that placing one copy cannot cut away the source of another.
void TCellAreas::CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                           int64_t dRow) {
    std::vector<TAreaRect> copies;
    TAreaRect common;
    for (TCellArea* area : All())
        if (IntersectRect(area->Rect(), {col1, row1, col2, row2}, common) &&
            OffsetAndClip(common, dCol, dRow))
            copies.push_back(common);
    Place(copies);
}

void TCellAreas::MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                           int64_t dRow) {
    const TAreaRect r{col1, row1, col2, row2};
    std::vector<TAreaRect> moved;
    TAreaRect common;
    for (TCellArea* area : All()) {
        if (!IntersectRect(area->Rect(), r, common))
            continue;
        for (const TAreaRect& piece : PiecesOutside(area->Rect(), r))
            AddRect(piece);
        Remove(area);
        if (OffsetAndClip(common, dCol, dRow))
            moved.push_back(common);
    }
    Place(moved);
}

// --- Solid areas -----------------------------------------------------------------------------

void TSolidCellAreas::DeleteAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2) {
    const TAreaRect r{col1, row1, col2, row2};
    TAreaRect common;
    // Every area is checked before any changes.
    for (TCellArea* area : All())
        if (IntersectRect(area->Rect(), r, common) && PiecesOutside(area->Rect(), r).size() > 1)
            throw Exception("Can not change part of a merged cell");
    for (TCellArea* area : All()) {
        if (!IntersectRect(area->Rect(), r, common))
            continue;
        const std::vector<TAreaRect> pieces = PiecesOutside(area->Rect(), r);
        if (pieces.empty())
            Remove(area);
        else
            area->SetRect(pieces.front());
    }
}

void TSolidCellAreas::OffsetAreas(int64_t, int64_t) {
    throw Exception("TSolidCellAreas.Move not implemented");
}

void TSolidCellAreas::MoveAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2,
                                int64_t dCol, int64_t dRow) {
    const int64_t cols[] = {col1, col2}, rows[] = {row1, row2};
    for (TCellArea* area : All()) {
        const TAreaRect a = area->Rect();
        for (int64_t c : cols)
            for (int64_t r : rows)
                if (c > a.Col1 && c < a.Col2 && r > a.Row1 && r < a.Row2)
                    throw Exception("Can not change part of a merged cell");
    }
    const auto move = [](int64_t v, int64_t from, int64_t to, int64_t d) {
        return v >= from && v <= to ? v + d : v;
    };
    for (TCellArea* area : All()) {
        TAreaRect a = area->Rect();
        a = {move(a.Col1, col1, col2, dCol), move(a.Row1, row1, row2, dRow),
             move(a.Col2, col1, col2, dCol), move(a.Row2, row1, row2, dRow)};
        // What leaves the sheet is cut off; an area turned inside out, or wholly off, goes.
        if (a.Col2 < a.Col1 || a.Row2 < a.Row1 || !OffsetAndClip(a, 0, 0))
            Remove(area);
        else
            area->SetRect(a);
    }
}

void TMergedCells::CollectAreas(TCellAreaList& list, int64_t col1, int64_t row1, int64_t col2,
                                int64_t row2) const {
    TAreaRect common;
    for (TCellArea* area : All())
        if (IntersectRect(area->Rect(), {col1, row1, col2, row2}, common))
            list.push_back(area);
}

void TMergedCells::InsertCopies(const TCellAreaList& list, int64_t col1, int64_t row1, int64_t,
                                int64_t, int64_t destCol, int64_t destRow) {
    std::vector<TAreaRect> copies;
    for (const TCellArea* area : list) {
        TAreaRect r = area->Rect();
        if (OffsetAndClip(r, destCol - col1, destRow - row1))
            copies.push_back(r);
    }
    for (const TAreaRect& r : copies)
        AddRect(r);
}

void TMergedCells::DeleteListed(const TCellAreaList& list, int64_t col1, int64_t row1, int64_t col2,
                                int64_t row2) {
    for (const TCellArea* area : list)
        if (area->Collection() == this && FindItemID(area->ID()) == area) {
            DeleteAreas(col1, row1, col2, row2);
            return;
        }
}

void TMergedCells::CopyAreas(int64_t col1, int64_t row1, int64_t col2, int64_t row2, int64_t dCol,
                             int64_t dRow) {
    TCellAreaList list;
    CollectAreas(list, col1, row1, col2, row2);
    InsertCopies(list, col1, row1, col2, row2, col1 + dCol, row1 + dRow);
}
