#pragma once
// Cell positions and their A1 texts. Positions are zero-based; texts are one-based.
//
// The classic parser reads the 256-column layout (columns A to IV, rows 1 to 65536) and never
// raises. The wide parsers read one to three letters and a row, and check them against the
// process-wide MaxCol and MaxRow; a row that is not a number raises EConvertError.

#include <string>
#include <string_view>

// Letters for columns 0 to 701 (A to ZZ).
std::u16string CellRefText(int col, int row, bool absCol = false, bool absRow = false);
// Letters for every column up to XFD.
std::u16string CellRefTextWide(int col, int row, bool absCol = false, bool absRow = false);
std::u16string AreaRefText(int col1, int row1, int col2, int row2, bool absCol1 = false,
                           bool absRow1 = false, bool absCol2 = false, bool absRow2 = false);
std::u16string AreaRefTextWide(int col1, int row1, int col2, int row2, bool absCol1 = false,
                               bool absRow1 = false, bool absCol2 = false, bool absRow2 = false);

bool ParseCellRef(std::u16string_view text, int& col, int& row, bool& absCol, bool& absRow);
// Drops everything up to the first "!"; both halves around ":" are parsed classically.
bool ParseAreaRef(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                  bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2);
bool ParseAreaRef(std::u16string_view text, int& col1, int& row1, int& col2, int& row2);

bool ParseCellRefWide(std::u16string_view text, int& col, int& row, bool& absCol, bool& absRow);
bool ParseAreaRefWide(std::u16string_view text, int& col1, int& row1, int& col2, int& row2,
                      bool& absCol1, bool& absRow1, bool& absCol2, bool& absRow2);
// The wide parsers without "$" signs, for texts the library builds itself.
bool ParseCellRefPlain(std::u16string_view text, int& col, int& row);
bool ParseAreaRefPlain(std::u16string_view text, int& col1, int& row1, int& col2, int& row2);
