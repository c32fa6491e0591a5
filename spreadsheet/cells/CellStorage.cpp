#include "spreadsheet/cells/CellStorage.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <algorithm>

TCellStorage::TCellStorage() = default;

TCellStorage::~TCellStorage() {
    // A descendant has cleared already; what is left goes without the shared-formula hook,
    // which must not raise out of a destructor.
    destroying_ = true;
    Clear();
}

std::unique_ptr<TCell>* TCellStorage::Slot(int col, int row, bool create) {
    if (!IsValidPosition(col, row))
        return nullptr;
    auto& rowBlock = blocks_[static_cast<size_t>(row >> 10)];
    if (!rowBlock) {
        if (!create)
            return nullptr;
        rowBlock = std::make_unique<TRowBlock>();
    }
    auto& colBlock = (*rowBlock)[static_cast<size_t>(row & 1023)];
    if (!colBlock) {
        if (!create)
            return nullptr;
        colBlock = std::make_unique<TColBlock>();
    }
    auto& cellBlock = (*colBlock)[static_cast<size_t>(col >> 7)];
    if (!cellBlock) {
        if (!create)
            return nullptr;
        cellBlock = std::make_unique<TCellBlock>();
    }
    return &(*cellBlock)[static_cast<size_t>(col & 127)];
}

TCell* TCellStorage::FindCell(int col, int row) {
    if (lastFound_ && lastFound_->Col == col && lastFound_->Row == static_cast<uint32_t>(row))
        return lastFound_;
    std::unique_ptr<TCell>* slot = Slot(col, row, false);
    if (!slot || !*slot)
        return nullptr;
    lastFound_ = slot->get();
    return lastFound_;
}

void TCellStorage::Free(std::unique_ptr<TCell>& slot) {
    if (!slot)
        return;
    if (!destroying_ && slot->CellType() >= ckFormulaNumber &&
        slot->CellType() <= ckFormulaStringEx &&
        static_cast<TFormulaCell&>(*slot).SharedIndex != 0xFFFF)
        DeleteSharedFormula(*slot);
    if (lastFound_ == slot.get())
        lastFound_ = nullptr;
    slot.reset();
}

void TCellStorage::SetCell(int col, int row, std::unique_ptr<TCell> cell) {
    std::unique_ptr<TCell>* slot = Slot(col, row, true);
    if (!slot)
        throw Exception("Invalid cell position");
    if (slot->get() == cell.get()) {
        (void)cell.release(); // the same cell again: it stays where it is
    } else {
        Free(*slot);
        *slot = std::move(cell);
    }
    lastFound_ = slot->get();
}

void TCellStorage::DeleteCell(int col, int row) {
    if (std::unique_ptr<TCell>* slot = Slot(col, row, false))
        Free(*slot);
}

std::unique_ptr<TCell> TCellStorage::RemoveCell(int col, int row) {
    std::unique_ptr<TCell>* slot = Slot(col, row, false);
    if (!slot)
        return nullptr;
    if (lastFound_ == slot->get())
        lastFound_ = nullptr;
    return std::move(*slot);
}

void TCellStorage::CellsInArea(int col1, int row1, int col2, int row2,
                               std::vector<TCellPos>& cells) {
    cells.clear();
    col1 = std::max(col1, 0);
    row1 = std::max(row1, 0);
    col2 = std::min(col2, kStoreColumns - 1);
    row2 = std::min(row2, kStoreRows - 1);
    if (col1 > col2 || row1 > row2)
        return;
    // The store is laid out by rows: walk it in row order, then sort by column (a counting
    // sort over the area's columns, which keeps the rows of a column in order).
    std::vector<TCellPos> byRow;
    for (int block = row1 >> 10; block <= row2 >> 10; ++block) {
        const auto& rowBlock = blocks_[static_cast<size_t>(block)];
        if (!rowBlock)
            continue;
        const int last = std::min(row2, block << 10 | 1023);
        for (int row = std::max(row1, block << 10); row <= last; ++row) {
            const auto& colBlock = (*rowBlock)[static_cast<size_t>(row & 1023)];
            if (!colBlock)
                continue;
            for (int col = col1; col <= col2; col = (col | 127) + 1) {
                const auto& cellBlock = (*colBlock)[static_cast<size_t>(col >> 7)];
                if (!cellBlock)
                    continue;
                const int end = std::min(col2, col | 127);
                for (int c = col; c <= end; ++c)
                    if ((*cellBlock)[static_cast<size_t>(c & 127)])
                        byRow.push_back({c, row});
            }
        }
    }
    std::vector<size_t> next(static_cast<size_t>(col2 - col1 + 2), 0);
    for (const TCellPos& at : byRow)
        ++next[static_cast<size_t>(at.Col - col1 + 1)];
    for (size_t i = 1; i < next.size(); ++i)
        next[i] += next[i - 1];
    cells.resize(byRow.size());
    for (const TCellPos& at : byRow)
        cells[next[static_cast<size_t>(at.Col - col1)]++] = at;
}

void TCellStorage::BeginWalk() {
    walk_ = {0, 0, 0, 0};
}

TCell* TCellStorage::NextCell() {
    // walk_: row high, row low, column high, column low of the next slot to look at.
    for (; walk_[0] < 1024; ++walk_[0], walk_[1] = 0, walk_[2] = 0, walk_[3] = 0) {
        const auto& rowBlock = blocks_[static_cast<size_t>(walk_[0])];
        if (!rowBlock)
            continue;
        for (; walk_[1] < 1024; ++walk_[1], walk_[2] = 0, walk_[3] = 0) {
            const auto& colBlock = (*rowBlock)[static_cast<size_t>(walk_[1])];
            if (!colBlock)
                continue;
            for (; walk_[2] < 128; ++walk_[2], walk_[3] = 0) {
                const auto& cellBlock = (*colBlock)[static_cast<size_t>(walk_[2])];
                if (!cellBlock)
                    continue;
                while (walk_[3] < 128) {
                    TCell* cell = (*cellBlock)[static_cast<size_t>(walk_[3]++)].get();
                    if (cell)
                        return cell;
                }
            }
        }
    }
    return nullptr;
}

void TCellStorage::CalcDimensions() {
    FirstCol = MaxCol;
    LastCol = 0;
    FirstRow = MaxRow;
    LastRow = 0;
    bool anyBlock = false;
    for (const auto& rowBlock : blocks_) {
        if (!rowBlock)
            continue;
        anyBlock = true;
        for (const auto& colBlock : *rowBlock) {
            if (!colBlock)
                continue;
            for (const auto& cellBlock : *colBlock) {
                if (!cellBlock)
                    continue;
                for (const auto& cell : *cellBlock) {
                    if (!cell)
                        continue;
                    FirstCol = std::min<int>(FirstCol, cell->Col);
                    LastCol = std::max<int>(LastCol, cell->Col);
                    FirstRow = std::min<int>(FirstRow, static_cast<int>(cell->Row));
                    LastRow = std::max<int>(LastRow, static_cast<int>(cell->Row));
                }
            }
        }
    }
    if (!anyBlock) {
        FirstCol = 0;
        FirstRow = 0;
    }
}

void TCellStorage::Clear() {
    for (auto& rowBlock : blocks_) {
        if (!rowBlock)
            continue;
        for (auto& colBlock : *rowBlock)
            if (colBlock)
                for (auto& cellBlock : *colBlock)
                    if (cellBlock)
                        for (auto& cell : *cellBlock)
                            Free(cell);
        rowBlock.reset();
    }
    lastFound_ = nullptr;
}

void TCellStorage::DeleteSharedFormula(TCell&) {
    throw Exception("Can not delete shared formula");
}

void TCellValues::DeleteSharedFormula(TCell& cell) {
    if (Parent && Parent->OnDeleteSharedFormula)
        Parent->OnDeleteSharedFormula(*this, cell);
}

TCellValues* TCellValuesList::AddNew() {
    items_.push_back(std::make_unique<TCellValues>(this, SST));
    return items_.back().get();
}

void TCellValuesList::Delete(TCellValues* store) {
    std::erase_if(items_, [store](const auto& item) { return item.get() == store; });
}
