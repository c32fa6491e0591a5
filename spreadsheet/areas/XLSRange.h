#pragma once
// A sheet's cell-range object: what range operations need of the sheet (its index, cells,
// merged cells and formats, the workbook's range operations and the sheet's default format).

#include <functional>

class TCellValues;
class TCellFormats;
class TMergedCells;
class IXLSCellRangeOps;

class TXLSRange {
public:
    TXLSRange(int sheetIndex, IXLSCellRangeOps* ranges, TMergedCells& mergedCells,
              TCellFormats& formats, TCellValues& cells)
        : SheetIndex(sheetIndex), Ranges(ranges), MergedCells(mergedCells), Formats(formats),
          Cells(cells) {}

    int SheetIndex;
    IXLSCellRangeOps* Ranges;
    TMergedCells& MergedCells;
    TCellFormats& Formats;
    TCellValues& Cells;
    // The format index a position has without a cell (the sheet's).
    std::function<int(int col, int row)> GetDefaultFormat;
};
