#pragma once
// Whole-column and whole-row objects of a sheet: formats for positions without a cell. Columns
// sit at their column's entry of a fixed array of 16384; rows are kept sorted by row number.
// Both are formatted objects that report a change of their format to the sheet, which applies
// it to the cells of that column or row.

#include "spreadsheet/formats/FormattedObject.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

constexpr int kColumnCount = 16384;

// The sheet's handler: the new format entry and the column or row number.
using TLineFormatChanged = std::function<void(TCellFormat* format, int line)>;

class TXLSColumn : public TFormattedObjectNotify {
public:
    TXLSColumn(TCellFormats& formats, int col);
    int NotifyIdentity() const override { return Col; }
    const int Col;
};

class TXLSColumns {
public:
    explicit TXLSColumns(TCellFormats& formats);
    ~TXLSColumns();
    TXLSColumns(const TXLSColumns&) = delete;
    TXLSColumns& operator=(const TXLSColumns&) = delete;

    // The column object, or null (also for a column outside 0..16383).
    TXLSColumn* Column(int col) const;
    // The column object, created with the default format when there is none; raises
    // "Invalid columns" outside 0..16383.
    TXLSColumn& EnsureColumn(int col);
    static bool IsValidRange(int col1, int col2);
    // Raises "Invalid columns" for a range outside 0..16383 or reversed, freeing nothing.
    void ClearColumns(int col1, int col2);

    TCellFormats& Formats() const { return formats_; }
    TLineFormatChanged OnFormatChanged;

private:
    TCellFormats& formats_;
    std::vector<std::unique_ptr<TXLSColumn>> items_;
};

class TXLSRow : public TFormattedObjectNotify {
public:
    TXLSRow(TCellFormats& formats, uint16_t row);
    int NotifyIdentity() const override { return Row; }
    const uint16_t Row;
};

class TXLSRows {
public:
    explicit TXLSRows(TCellFormats& formats) : formats_(formats) {}

    int Count() const { return static_cast<int>(items_.size()); }
    // The list position of the row, or -1 (also for a row below 0 or above MaxRow).
    int IndexOfRow(int row) const;
    TXLSRow* RowItem(int row) const;
    TXLSRow* Items(int index) const;
    // The row object, created with the default format in its sorted place when there is none.
    // A row object keeps its number in 16 bits: a row outside 0..65535 raises "Invalid row".
    TXLSRow& EnsureRow(int row);

    TCellFormats& Formats() const { return formats_; }
    TLineFormatChanged OnFormatChanged;

private:
    TCellFormats& formats_;
    std::vector<std::unique_ptr<TXLSRow>> items_;
};
