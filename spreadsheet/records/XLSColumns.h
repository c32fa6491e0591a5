#pragma once
// Whole-column and whole-row objects of a sheet. Columns sit at their column's entry of a
// fixed array of 16384; rows are kept sorted by row number.

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

constexpr int kColumnCount = 16384;

class TXLSColumn {
public:
    explicit TXLSColumn(int col) : Col(col) {}
    const int Col;
};

class TXLSColumns {
public:
    TXLSColumns();
    ~TXLSColumns();
    TXLSColumns(const TXLSColumns&) = delete;
    TXLSColumns& operator=(const TXLSColumns&) = delete;

    // The column object, or null (also for a column outside 0..16383).
    TXLSColumn* Column(int col) const;
    // The column object, created when there is none.
    TXLSColumn& EnsureColumn(int col);
    static bool IsValidRange(int col1, int col2);
    // Raises "Invalid columns" for a range outside 0..16383 or reversed, freeing nothing.
    void ClearColumns(int col1, int col2);

    std::function<void(int col)> OnFormatChanged;

private:
    std::vector<std::unique_ptr<TXLSColumn>> items_;
};

class TXLSRow {
public:
    explicit TXLSRow(uint16_t row) : Row(row) {}
    const uint16_t Row;
};

class TXLSRows {
public:
    int Count() const { return static_cast<int>(items_.size()); }
    // The list position of the row, or -1 (also for a row below 0 or above MaxRow).
    int IndexOfRow(int row) const;
    TXLSRow* RowItem(int row) const;
    TXLSRow* Items(int index) const;
    // The row object, created in its sorted place when there is none.
    TXLSRow& EnsureRow(int row);

    std::function<void(int row)> OnFormatChanged;

private:
    std::vector<std::unique_ptr<TXLSRow>> items_;
};
