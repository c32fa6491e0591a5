#pragma once
// The workbook's formula front end: it owns the encoder, the external-reference and defined-name
// tables and the list of all sheets' cell stores, answers the encoder's and decoder's questions,
// calculates formulas and keeps shared formulas consistent when cells change.
//
// Sheets are reached through OnSheetIndex (a sheet's index and the sheet count by name) and
// OnNameText (kind 0: a sheet's name; kind 1: a cell's text); calculation reads cells through
// Sheets(), which are the handler's own cell stores (sheet i is store i) until the workbook
// hands its sheets in.

#include "platform/rtl/FormatSettings.h"
#include "spreadsheet/cells/CellStorage.h"
#include "spreadsheet/formulas/CalcFormula.h"
#include "spreadsheet/formulas/EncodeFormula.h"
#include "spreadsheet/formulas/ExternalNames.h"
#include "spreadsheet/formulas/InternalNames.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TFormulaHandler {
public:
    using TSheetIndexEvent =
        std::function<void(const std::u16string& name, int& index, int& count)>;
    using TNameTextEvent =
        std::function<void(int kind, int index, std::u16string& text, int arg1, int arg2)>;
    using TFunctionEvent = std::function<void(const std::u16string& name, TFormulaValue& result,
                                              int lastArg, std::vector<TFormulaValue>& args)>;

    TFormulaHandler(TSST2& sst, const TFormatSettings& settings = FormatSettings());
    ~TFormulaHandler();
    TFormulaHandler(const TFormulaHandler&) = delete;
    TFormulaHandler& operator=(const TFormulaHandler&) = delete;

    void SetVersion(TExcelVersion version);
    TExcelVersion Version() const { return version_; }
    // Formula version 3 with ooc, else 2 in a workbook of the newer format, else 1.
    uint8_t FormulaVersion(bool ooc = false) const;

    int EncodeFormula(std::u16string_view text, uint8_t argClass, bool ooc, int bufSize,
                      uint8_t* buffer);
    std::vector<uint8_t> EncodeFormula(std::u16string_view text, uint8_t argClass = 0,
                                       bool ooc = false);
    std::u16string DecodeFormula(const uint8_t* tokens, int length, int rowBase = -1,
                                 int colBase = -1, int extIndex = -1);
    std::u16string DecodeFormula(const std::vector<uint8_t>& tokens) {
        return DecodeFormula(tokens.data(), static_cast<int>(tokens.size()));
    }
    // Calculates tokens as the formula of the cell at (col, row) of `sheet`.
    void CalcFormula(const std::vector<uint8_t>& tokens, int col, TFormulaValue& result, int sheet,
                     int row);
    // Compiles the text a formula cell holds into its tokens; a cell of a shared formula
    // brings the whole shared formula up to date instead.
    void CompileCellFormula(int sheet, int col, int row);
    // Gives every cell of the cell's shared formula tokens of its own (moved from the
    // master's) and clears the shared formula. Raises "Excpected shared formula not found"
    // when its first cell holds no formula.
    void DeleteSharedFormula(TCellValues& store, TCell& cell);

    // The decoder's resolver.
    void Resolve(int kind, int index, std::u16string& text, int arg1, int arg2, int nameIndex);

    TEncodeFormula& Encoder() { return *encoder_; }
    TExternalNames& ExternalNames() { return *externalNames_; }
    TInternalNames& InternalNames() { return *internalNames_; }
    TCellValuesList& CellValuesList() { return *cellValues_; }
    TFormulaSheets& Sheets() { return *sheets_; }
    // The sheets calculation reads from (not owned); null returns to the handler's own.
    void SetSheets(TFormulaSheets* sheets);
    const TFormatSettings& Settings() const { return settings_; }
    void SetFormatSettings(const TFormatSettings& settings);
    char16_t ListSeparator() const { return settings_.DecimalSeparator == ',' ? u';' : u','; }

    TSST2& SST;
    int MaxRecordSize = 8224;
    TSheetIndexEvent OnSheetIndex;
    TNameTextEvent OnNameText;
    TFunctionEvent OnFunction;

private:
    class TStoreSheets;
    std::vector<uint8_t> CompileText(const std::u16string& text);

    TExcelVersion version_ = xvExcel97;
    TFormatSettings settings_;
    // Freed in the reverse order: defined names, external names, encoder, cell stores.
    std::unique_ptr<TCellValuesList> cellValues_;
    std::unique_ptr<TEncodeFormula> encoder_;
    std::unique_ptr<TExternalNames> externalNames_;
    std::unique_ptr<TInternalNames> internalNames_;
    std::unique_ptr<TStoreSheets> ownSheets_;
    TFormulaSheets* sheets_;
};

// Writes a calculated value into the formula cell at (col, row) as its result, replacing the
// cell by a formula cell of the result's kind (with the same tokens, format and flags) when
// its kind differs. Areas and references are no result and leave the cell as it is.
void StoreFormulaResult(TCellValues& store, int col, int row, const TFormulaValue& value);
