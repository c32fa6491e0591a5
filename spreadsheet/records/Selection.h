#pragma once
// The selection of a sheet: TSelection reads and writes the sheet's selection record (active
// cell and one selected block); TSelectedAreas is a list of selected blocks.

#include "platform/classes/Persistent.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <memory>
#include <vector>

class TRecordStorageSheet;

class TSelection : public TPersistent {
    Q4_CLASS(TSelection, TPersistent)
    explicit TSelection(TRecordStorageSheet& records) : records_(records) {}

    int ActiveRow() const;
    // Also makes the selected block's first and last row the value.
    void SetActiveRow(int value);
    int ActiveCol() const;
    // Also makes the block's first and last column the value's low byte (the record keeps
    // block columns in one byte each).
    void SetActiveCol(int value);
    int Row1() const;
    void SetRow1(int value);
    int Row2() const;
    void SetRow2(int value);
    int Col1() const;
    void SetCol1(int value);
    int Col2() const;
    void SetCol2(int value);

    static void DeclareProperties(TPropertyList& p) {
        p.Add("ActiveRow", &TSelection::ActiveRow, &TSelection::SetActiveRow);
        p.Add("ActiveCol", &TSelection::ActiveCol, &TSelection::SetActiveCol);
        p.Add("Row1", &TSelection::Row1, &TSelection::SetRow1);
        p.Add("Row2", &TSelection::Row2, &TSelection::SetRow2);
        p.Add("Col1", &TSelection::Col1, &TSelection::SetCol1);
        p.Add("Col2", &TSelection::Col2, &TSelection::SetCol2);
    }

private:
    TRecordStorageSheet& records_;
};

struct TSelectedArea {
    int32_t Col1 = 0;
    int32_t Row1 = 0;
    int32_t Col2 = 0;
    int32_t Row2 = 0;
};

class TSelectedAreas {
public:
    // One area: the cell at column 0, row 0.
    TSelectedAreas() { AddCell(0, 0); }

    int Count() const { return static_cast<int>(items_.size()); }
    TSelectedArea* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    // A new area with all four values 0.
    TSelectedArea* AddArea();
    // A one-cell area, which also becomes the active cell.
    TSelectedArea* AddCell(int col, int row);
    void Clear() { items_.clear(); }

    int32_t ActiveCol = 0;
    int32_t ActiveRow = 0;

private:
    std::vector<std::unique_ptr<TSelectedArea>> items_;
};
