#include "spreadsheet/cells/CellStorage.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"

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
