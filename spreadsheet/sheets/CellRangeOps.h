#pragma once
// The range operations of a workbook: clearing, copying and moving a block of cells of a sheet
// with everything anchored in it. Sheets are addressed by their index, columns and rows from 0.

#include <cstdint>

// What a copy or move takes along.
enum : uint16_t {
    ccoAdjustFormulas = 0x001, // references of copied formulas move with them
    ccoKeepRows = 0x002,       // ... but their row numbers stay
    ccoMoveAbsolute = 0x004,   // ... and absolute references move as well
    ccoCells = 0x008,
    ccoShapes = 0x010,
    ccoCondFormats = 0x040,
    ccoValidations = 0x080,
    ccoMergedCells = 0x100,
};
using TCopyCellsOptions = uint16_t;

class IXLSCellRangeOps {
public:
    virtual ~IXLSCellRangeOps() = default;
    virtual void DeleteCells(int sheet, int col1, int row1, int col2, int row2) = 0;
    virtual void CopyCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet,
                           int destCol, int destRow, TCopyCellsOptions options) = 0;
    virtual void MoveCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet,
                           int destCol, int destRow, TCopyCellsOptions options) = 0;
};
