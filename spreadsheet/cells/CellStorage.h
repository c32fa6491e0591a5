#pragma once
// A sheet's cells in a sparse store: 1024 row blocks of 1024 rows, each row a list of 128
// column blocks of 128 cells. Blocks are made on demand and kept until Clear; a lookup is four
// indexings behind a one-cell cache. Positions outside 16384 columns by 1048576 rows have no
// slot: lookups find nothing there and stores raise.

#include "platform/rtl/Classes.h"
#include "platform/rtl/FormatSettings.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/cells/CellPos.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

constexpr int kStoreColumns = 16384;
constexpr int kStoreRows = 1048576;

class TCellStorage {
public:
    TCellStorage();
    virtual ~TCellStorage();
    TCellStorage(const TCellStorage&) = delete;
    TCellStorage& operator=(const TCellStorage&) = delete;

    static bool IsValidPosition(int col, int row) {
        return col >= 0 && col < kStoreColumns && row >= 0 && row < kStoreRows;
    }
    TCell* FindCell(int col, int row);
    // Stores the cell, freeing a different one that was there. Raises "Invalid cell position"
    // outside the sheet (the cell is freed).
    void SetCell(int col, int row, std::unique_ptr<TCell> cell);
    void DeleteCell(int col, int row);
    // Empties the slot and hands the cell to the caller.
    std::unique_ptr<TCell> RemoveCell(int col, int row);

    // The positions of the cells stored in the area (bounds inclusive, clipped to the sheet),
    // column by column and in row order within a column. Missing row blocks are skipped whole,
    // so the cost follows the rows and cells in use rather than the size of the area.
    void CellsInArea(int col1, int row1, int col2, int row2, std::vector<TCellPos>& cells);

    // Row order, then column order; removing the cell just returned does not disturb the walk.
    void BeginWalk();
    TCell* NextCell();

    void CalcDimensions();
    int FirstCol = 0;
    int LastCol = 0;
    int FirstRow = 0;
    int LastRow = 0;

    void Clear();
    // The cell's text through its number format (kinds, fractions, dates, masks).
    std::u16string GetAsFormattedText(int col, int row);

    TCell* LastFound() const { return lastFound_; }

protected:
    // Called before a formula cell with a shared-formula index goes; raises
    // "Can not delete shared formula" here.
    virtual void DeleteSharedFormula(TCell& cell);

private:
    using TCellBlock = std::array<std::unique_ptr<TCell>, 128>;
    using TColBlock = std::array<std::unique_ptr<TCellBlock>, 128>;
    using TRowBlock = std::array<std::unique_ptr<TColBlock>, 1024>;

    std::unique_ptr<TCell>* Slot(int col, int row, bool create);
    void Free(std::unique_ptr<TCell>& slot);

    std::array<std::unique_ptr<TRowBlock>, 1024> blocks_;
    std::array<int, 4> walk_{};
    TCell* lastFound_ = nullptr;
    bool destroying_ = false;
};

// A number as a fraction with a denominator up to maxDenominator ("2 1/2", "1/3", "-1 1/4").
std::u16string FractionText(double value, int maxDenominator, const TFormatSettings& settings);

class TCellValuesList;

class TCellValues : public TCellStorage {
public:
    // Destroying the store frees its cells without the shared-formula hook (the owner that
    // answers it may be going too).
    TCellValues(TCellValuesList* parent, TSST2& sst) : Parent(parent), SST(sst) {}

    TCellValuesList* Parent;
    TSST2& SST;
    TStringList SharedFormulas;

protected:
    void DeleteSharedFormula(TCell& cell) override;
};

class TCellValuesList {
public:
    explicit TCellValuesList(TSST2& sst) : SST(sst) {}
    int Count() const { return static_cast<int>(items_.size()); }
    TCellValues* Items(int index) const { return items_.at(static_cast<size_t>(index)).get(); }
    TCellValues* AddNew();
    // Frees a store (its sheet went); the stores behind it move down by one.
    void Delete(TCellValues* store);

    TSST2& SST;
    std::function<void(TCellValues& store, TCell& cell)> OnDeleteSharedFormula;

private:
    std::vector<std::unique_ptr<TCellValues>> items_;
};
