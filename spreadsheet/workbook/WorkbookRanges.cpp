// The workbook's range operations: clearing, copying and moving a block of cells with the
// shapes, conditional formats, validations and merged cells anchored in it.

#include "spreadsheet/workbook/XLSWorkbook.h"

#include "spreadsheet/areas/CellAreas.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/drawing/EscherDrawing.h"
#include "spreadsheet/formulas/AdjustFormula.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/overlays/ConditionalFormats.h"
#include "spreadsheet/overlays/DataValidations.h"

#include <algorithm>
#include <utility>
#include <vector>

void TXLSWorkbook4::DeleteCells(int sheet, int col1, int row1, int col2, int row2) {
    sheets_->Items(sheet)->ClearArea(col1, row1, col2, row2);
}

void TXLSWorkbook4::CopyCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet,
                              int destCol, int destRow, TCopyCellsOptions options) {
    CopyOrMove(false, srcSheet, col1, row1, col2, row2, destSheet, destCol, destRow, options);
}

void TXLSWorkbook4::MoveCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet,
                              int destCol, int destRow, TCopyCellsOptions options) {
    CopyOrMove(true, srcSheet, col1, row1, col2, row2, destSheet, destCol, destRow, options);
}

void TXLSWorkbook4::CopyOrMove(bool move, int srcSheet, int col1, int row1, int col2, int row2,
                               int destSheet, int destCol, int destRow, TCopyCellsOptions options) {
    if (srcSheet == destSheet && destCol == col1 && destRow == row1)
        return;
    if (col2 < col1)
        std::swap(col1, col2);
    if (row2 < row1)
        std::swap(row1, row2);
    TSheet& src = *sheets_->Items(srcSheet);
    TSheet& dest = *sheets_->Items(destSheet);
    // Only the part of the block that lies on the sheet has cells.
    int c1 = col1, r1 = row1, c2 = col2, r2 = row2;
    if ((options & ccoCells) && ClipToSheet(c1, r1, c2, r2)) {
        // The offsets of the whole block: a clipped block's cells keep their places in it.
        CopyOrMoveCells(move, src, c1, r1, c2, r2, dest, destCol + (c1 - col1),
                        destRow + (r1 - row1), options);
    }
    CopyOrMoveAreas(move, src, col1, row1, col2, row2, dest, destCol, destRow, options);
}

void TXLSWorkbook4::CopyOrMoveCells(bool move, TSheet& src, int col1, int row1, int col2, int row2,
                                    TSheet& dest, int destCol, int destRow,
                                    TCopyCellsOptions options) {
    // Taken out (move) or copied (copy) before any is placed, so that an overlapping
    // destination never overwrites a source cell still to come.
    TCellValues& from = src.Cells();
    std::vector<std::unique_ptr<TCell>> cells;
    for (const auto& [c, r] : src.CellsInArea(col1, row1, col2, row2))
        cells.push_back(move ? from.RemoveCell(c, r) : from.FindCell(c, r)->MakeCopy());
    const int64_t dCol = int64_t{destCol} - col1, dRow = int64_t{destRow} - row1;
    for (auto& cell : cells) {
        const int64_t col = cell->Col + dCol, row = int64_t{cell->Row} + dRow;
        // A cell that would land beyond the sheet's edge is dropped.
        if (col < 0 || col > MaxCol || row < 0 || row > MaxRow)
            continue;
        const int c = static_cast<int>(col), r = static_cast<int>(row);
        cell->SetCellPosition(c, r);
        const bool formula = dynamic_cast<TFormulaCell*>(cell.get()) != nullptr;
        dest.Cells().SetCell(c, r, std::move(cell));
        if (!(options & ccoAdjustFormulas) || !formula)
            continue;
        auto* stored = static_cast<TFormulaCell*>(dest.Cells().FindCell(c, r));
        if (stored->SharedIndex != 0xFFFF) {
            formulaHandler_->CompileCellFormula(dest.Index(), c, r);
            stored = static_cast<TFormulaCell*>(dest.Cells().FindCell(c, r));
        }
        std::vector<uint8_t> tokens = stored->Tokens();
        if (tokens.empty())
            continue;
        AdjustCell(version_ == xvExcel97, tokens.data(), static_cast<int>(tokens.size()),
                   static_cast<int>(dCol), static_cast<int>(dRow), (options & ccoKeepRows) != 0,
                   (options & ccoMoveAbsolute) != 0);
        stored->SetFormulaTokens(tokens.data(), static_cast<int>(tokens.size()));
    }
}

void TXLSWorkbook4::CopyOrMoveAreas(bool move, TSheet& src, int col1, int row1, int col2, int row2,
                                    TSheet& dest, int destCol, int destRow,
                                    TCopyCellsOptions options) {
    const int64_t dCol = int64_t{destCol} - col1, dRow = int64_t{destRow} - row1;
    const TShapeArea area{col1, row1, col2, row2};
    if (&src == &dest) {
        if (options & ccoShapes) {
            if (move)
                src.Drawing().MoveShapesInArea(area, destCol, destRow);
            else
                src.Drawing().CopyShapesInArea(area, destCol, destRow);
        }
        const auto inside = [&](TCollectionMoveCopy& list) {
            if (move)
                list.MoveInside(col1, row1, col2, row2, destCol, destRow);
            else
                list.CopyInside(col1, row1, col2, row2, destCol, destRow);
        };
        if (options & ccoCondFormats)
            inside(*src.ConditionalFormats());
        if (options & ccoValidations)
            inside(*src.Validations());
        if (options & ccoMergedCells) {
            if (move)
                src.MergedCells()->MoveAreas(col1, row1, col2, row2, dCol, dRow);
            else
                src.MergedCells()->CopyAreas(col1, row1, col2, row2, dCol, dRow);
        }
        return;
    }
    if (options & ccoShapes) {
        std::vector<TShape*> shapes;
        src.Drawing().CollectShapesInArea(shapes, area);
        TEscherDrawing& to = dest.Drawing();
        const int first = to.ShapeCount();
        to.InsertShapes(shapes);
        // The copies land where the block lands.
        for (int i = first; i < to.ShapeCount(); ++i)
            if (const TMSOObjCLIENTANCHOR* a = to.Shapes(i)->ClientAnchor())
                to.MoveShape(i, static_cast<int>((*a)[TMSOObjCLIENTANCHOR::Col1] + dCol),
                             static_cast<int>((*a)[TMSOObjCLIENTANCHOR::Row1] + dRow));
        if (move)
            src.DeleteShapes(shapes);
    }
    const auto across = [&](TCollectionMoveCopy& from, TCollectionMoveCopy& to) {
        TMoveCopyItemList items;
        from.CollectItems(items, col1, row1, col2, row2);
        to.InsertCopies(items, col1, row1, col2, row2, destCol, destRow);
        if (move)
            from.DeleteListed(items, col1, row1, col2, row2);
    };
    if (options & ccoCondFormats)
        across(*src.ConditionalFormats(), *dest.ConditionalFormats());
    if (options & ccoValidations)
        across(*src.Validations(), *dest.Validations());
    if (options & ccoMergedCells) {
        TCellAreaList areas;
        src.MergedCells()->CollectAreas(areas, col1, row1, col2, row2);
        dest.MergedCells()->InsertCopies(areas, col1, row1, col2, row2, destCol, destRow);
        if (move)
            src.MergedCells()->DeleteListed(areas, col1, row1, col2, row2);
    }
}
