#pragma once
// One worksheet: its cell store, its default and raw records, column and row formats, merged
// cells, page setup, pane and selection, validations, hyperlinks, conditional formats and
// autofilters, and its drawing with the drawing objects and form controls over it. Options that
// a writer emits live in the sheet's records, so what a program sets is what gets written.

#include "platform/classes/Collection.h"
#include "platform/classes/Properties.h"
#include "spreadsheet/core/FormulaValue.h"
#include "spreadsheet/drawing/Shape.h"
#include "spreadsheet/formulas/FormulaSheets.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class TSheets;
class TSheetHost;
class TCell;
class TCellValues;
class TCellFormat;
class TCellFormats;
class TRecordStorageSheet;
class TPrintSettings;
class TMergedCells;
class TCellAreas;
class TXLSColumns;
class TXLSRows;
class TDataValidations;
class TPane;
class TDrawingObjects;
class TControlObjects;
class TDrwCharts;
class TXMLRelations;
class TEscherDrawing;
class TApplyFormat;
class THyperlinks;
class TConditionalFormats;
class TAutoFilters;
class TSelection;
class TSelectedAreas;
class TXLSRange;
class TShapeClientAnchor;
class TXFont;
class TFormulaHandler;

Q4_ENUM(TSheetOption, soShowFormulas, soGridlines, soRowColHeadings, soFrozenPanes, soShowZeros,
        soProtected, soR1C1Mode, soIteration);
using TSheetOptions = TSet<TSheetOption>;
Q4_ENUM(TWorkspaceOption, woShowAutoBreaks, woApplyStyles, woRowSumsBelow, woColSumsRight,
        woFitToPage, woOutlineSymbols);
using TWorkspaceOptions = TSet<TWorkspaceOption>;
Q4_ENUM(THiddenState, hsVisible, hsHidden, hsVeryHidden);
Q4_ENUM(TSheetProtectionItem, spEditObjects, spEditScenarios, spEditCellFormatting,
        spEditColumnFormatting, spEditRowFormatting, spInsertColumns, spInsertRows,
        spInsertHyperlinks, spDeleteColumns, spDeleteRows, spSelectLockedCells, spSortCellRange,
        spEditAutoFilters, spEditPivotTables, spSelectUnlockedCells);
using TSheetProtection = TSet<TSheetProtectionItem>;

// A sheet of the workbook's sheet list: its name and the entry of its name in the list.
class TBasicSheet : public TCollectionItem {
    Q4_CLASS(TBasicSheet, TCollectionItem)
public:
    explicit TBasicSheet(TCollection* collection) : TCollectionItem(collection) {}
    const std::u16string& Name() const { return name_; }
    int32_t SheetIndex = 0;

protected:
    std::u16string name_;
};

class TSheet : public TBasicSheet {
    Q4_CLASS(TSheet, TBasicSheet)
public:
    // Only a sheet list (TSheets) creates sheets.
    explicit TSheet(TCollection* collection);
    ~TSheet() override;

    // A name equal to the current one ignoring case changes nothing; one that another sheet
    // has (ignoring case) raises "Sheet name \"X\" allready exists".
    void SetName(const std::u16string& name);
    // Stores the name without the check.
    void SetNameDirect(const std::u16string& name);
    std::string DisplayName() const override;
    // Copies the options, page setup, merged cells and hyperlinks of another sheet (not its
    // cells or records); raises "Object is not TSheet" for another class, before copying.
    void Assign(TPersistent* source) override;

    // Record-backed options.
    int DefaultColWidth() const;
    void SetDefaultColWidth(int value);
    int DefaultRowHeight() const;
    void SetDefaultRowHeight(int value);
    TSheetOptions Options() const;
    void SetOptions(TSheetOptions value);
    TWorkspaceOptions WorkspaceOptions() const;
    void SetWorkspaceOptions(TWorkspaceOptions value);
    int Zoom() const;
    void SetZoom(int value);
    int ZoomPreview() const;
    void SetZoomPreview(int value);

    // Cells.
    TCell* GetCell(int col, int row) const;
    int GetCellType(int col, int row) const;
    double GetAsFloat(int col, int row) const;
    std::u16string GetAsWideString(int col, int row) const;
    std::u16string GetAsDisplayText(int col, int row) const;
    // The cell as an HTML fragment: the text in font elements of the cell's fonts (the runs of
    // a formatted text each in its own), with the characters that HTML reserves escaped.
    std::u16string GetAsHTML(int col, int row) const;
    // The same, appended to `out` (no cell appends nothing).
    void AppendHTML(int col, int row, std::u16string& out) const;
    void GetCellValue(int col, int row, TFormulaValue& value) const;
    // `ref` is a cell reference (with or without sheet); raises "FV Ref expected" otherwise.
    // No cell and a blank cell give the empty value.
    void GetCellValueByRef(const TFormulaValue& ref, TFormulaValue& value) const;
    // Calculates a formula cell (and marks it calculated); any other position gives #N/A.
    void EvaluateCell(int col, int row, TFormulaValue& value, TCellRefArray& refs);
    // Raises "Error on deleting cell C:R" when deleting fails.
    void DeleteCell(int col, int row);
    // The positions of the cells in the block (ordered bounds), in row order; a large block is
    // not visited position by position.
    std::vector<std::pair<int, int>> CellsInArea(int col1, int row1, int col2, int row2) const;
    // Deletes the cells of the block (visiting only cells that exist), then the conditional
    // format, validation and merged areas inside it. Shapes over the cells stay.
    void ClearArea(int col1, int row1, int col2, int row2);
    // The used range, also written to the DIMENSIONS record.
    void CalcDimensions();
    int FirstRow() const { return firstRow_; }
    int LastRow() const { return lastRow_; }
    int FirstCol() const { return firstCol_; }
    int LastCol() const { return lastCol_; }
    // The format of a position without a cell: its column's, else its row's, else the default;
    // the returned entry is counted as used once more.
    TCellFormat* GetDefaultFormat(int col, int row) const;
    // Every cell of the column (row) within the used range takes the format.
    void ApplyColumnFormat(TCellFormat* format, int col);
    void ApplyRowFormat(TCellFormat* format, int row);
    // Removes the shapes from the sheet's drawing together with the drawing objects, controls
    // and charts that show them.
    void DeleteShapes(const std::vector<TShape*>& shapes);
    // A defined name went: controls that name later ones follow.
    void NameDeleted(int nameIndex);

    TSheets& Sheets() const { return *sheets_; }
    TSheetHost& Host() const { return *host_; }
    TCellValues& Cells() const { return *cells_; }
    TRecordStorageSheet& Records() const { return *records_; }
    TPrintSettings* PrintSettings() const { return printSettings_.get(); }
    void SetPrintSettings(TPrintSettings* value);
    TMergedCells* MergedCells() const { return mergedCells_.get(); }
    void SetMergedCells(TMergedCells* value);
    TXLSColumns& Columns() const { return *columns_; }
    TXLSRows& Rows() const { return *rows_; }
    TDataValidations* Validations() const { return validations_.get(); }
    void SetValidations(TDataValidations* value);
    TPane* Pane() const { return pane_.get(); }
    TDrawingObjects* DrawingObjects() const { return drawingObjects_.get(); }
    void SetDrawingObjects(TDrawingObjects* value);
    TControlObjects* ControlsObjects() const { return controlsObjects_.get(); }
    void SetControlsObjects(TControlObjects* value);
    TEscherDrawing& Drawing() const { return *drawing_; }
    TApplyFormat& ApplyFormat() const { return *applyFormat_; }
    THyperlinks* Hyperlinks() const { return hyperlinks_.get(); }
    void SetHyperlinks(THyperlinks* value);
    TConditionalFormats* ConditionalFormats() const { return conditionalFormats_.get(); }
    void SetConditionalFormats(TConditionalFormats* value);
    TAutoFilters& Autofilters() const { return *autofilters_; }
    TSelection& Selection() const { return *selection_; }
    TSelectedAreas& SelectedAreas() const { return *selectedAreas_; }
    TXLSRange& Range() const { return *range_; }
    TCellAreas& VisibleAreas() const { return *visibleAreas_; }
    TCellFormats& Formats() const { return *formats_; }
    // Package relations of the newer format, kept for writing back.
    TXMLRelations& Relations() const { return *relations_; }
    TDrwCharts& Charts() const { return *charts_; }

    bool RecalcFormulas = true;
    THiddenState Hidden = hsVisible;
    TSheetProtection SheetProtection = TSheetProtection::FromBits(0x7FFF);
    uint8_t SheetKind = 0;
    uint8_t TabColor = 64;

    static void DeclareProperties(TPropertyList& p);

private:
    void BuildParts();
    void OnShapeAdded(TShape& shape);
    void SetFirstCol(int value);
    void SetLastCol(int value);
    void SetFirstRow(int value);
    void SetLastRow(int value);
    // The text of a formula cell as the formula handler decodes it for this sheet.
    std::u16string FormulaText(const TCell& cell) const;
    // A piece of a cell's text in a font as HTML, appended to `out`.
    static void AppendHtmlPiece(std::u16string_view text, const TXFont& font, std::u16string& out);

    TSheets* sheets_;
    TSheetHost* host_;
    TCellFormats* formats_;
    TCellValues* cells_ = nullptr; // the formula handler's list owns it
    std::unique_ptr<TRecordStorageSheet> records_;
    std::unique_ptr<TXLSColumns> columns_;
    std::unique_ptr<TXLSRows> rows_;
    std::unique_ptr<TMergedCells> mergedCells_;
    std::unique_ptr<TPrintSettings> printSettings_;
    std::unique_ptr<TDataValidations> validations_;
    std::unique_ptr<TEscherDrawing> drawing_;
    std::unique_ptr<TDrawingObjects> drawingObjects_;
    std::unique_ptr<TControlObjects> controlsObjects_;
    std::unique_ptr<TDrwCharts> charts_;
    std::unique_ptr<TPane> pane_;
    std::unique_ptr<TApplyFormat> applyFormat_;
    std::unique_ptr<THyperlinks> hyperlinks_;
    std::unique_ptr<TConditionalFormats> conditionalFormats_;
    std::unique_ptr<TAutoFilters> autofilters_;
    std::unique_ptr<TSelection> selection_;
    std::unique_ptr<TSelectedAreas> selectedAreas_;
    std::unique_ptr<TXLSRange> range_;
    std::unique_ptr<TCellAreas> visibleAreas_;
    std::unique_ptr<TXMLRelations> relations_;
    int firstRow_ = 0, lastRow_ = 0, firstCol_ = 0, lastCol_ = 0;
};
