#include "spreadsheet/records/Selection.h"

#include "spreadsheet/records/RecordStorage.h"

namespace {

// Offsets in the selection body: pane (byte), active row, active column, active block index,
// block count, then one block (rows as words, columns as bytes).
constexpr int kActiveRow = 1;
constexpr int kActiveCol = 3;
constexpr int kRow1 = 9;
constexpr int kRow2 = 11;
constexpr int kCol1 = 13;
constexpr int kCol2 = 14;

} // namespace

int TSelection::ActiveRow() const {
    return records_.SELECTION().WordAt(kActiveRow);
}

void TSelection::SetActiveRow(int value) {
    records_.SELECTION().SetWordAt(kActiveRow, static_cast<uint16_t>(value));
    SetRow1(value);
    SetRow2(value);
}

int TSelection::ActiveCol() const {
    return records_.SELECTION().WordAt(kActiveCol);
}

void TSelection::SetActiveCol(int value) {
    records_.SELECTION().SetWordAt(kActiveCol, static_cast<uint16_t>(value));
    SetCol1(value);
    SetCol2(value);
}

int TSelection::Row1() const {
    return records_.SELECTION().WordAt(kRow1);
}

void TSelection::SetRow1(int value) {
    records_.SELECTION().SetWordAt(kRow1, static_cast<uint16_t>(value));
}

int TSelection::Row2() const {
    return records_.SELECTION().WordAt(kRow2);
}

void TSelection::SetRow2(int value) {
    records_.SELECTION().SetWordAt(kRow2, static_cast<uint16_t>(value));
}

int TSelection::Col1() const {
    return records_.SELECTION().ByteAt(kCol1);
}

void TSelection::SetCol1(int value) {
    records_.SELECTION().SetByteAt(kCol1, static_cast<uint8_t>(value));
}

int TSelection::Col2() const {
    return records_.SELECTION().ByteAt(kCol2);
}

void TSelection::SetCol2(int value) {
    records_.SELECTION().SetByteAt(kCol2, static_cast<uint8_t>(value));
}

TSelectedArea* TSelectedAreas::AddArea() {
    items_.push_back(std::make_unique<TSelectedArea>());
    return items_.back().get();
}

TSelectedArea* TSelectedAreas::AddCell(int col, int row) {
    TSelectedArea* area = AddArea();
    area->Col1 = area->Col2 = col;
    area->Row1 = area->Row2 = row;
    ActiveCol = col;
    ActiveRow = row;
    return area;
}
