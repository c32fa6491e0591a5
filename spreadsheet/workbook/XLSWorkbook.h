#pragma once
// The workbook component: one workbook in memory (sheets, cells, shared strings, fonts, cell
// formats, names and formulas, pictures and the raw records that carry everything else), carried
// by a form like any other component. It also offers the range operations that clear, copy and
// move a block of cells with what is anchored in it.
//
// Creating a workbook touches no file: it starts from the default records with one sheet,
// "Sheet1", and takes the paper size of its new sheets from the user's locale.

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/records/PrintSettings.h"
#include "spreadsheet/sheets/CellRangeOps.h"
#include "spreadsheet/sheets/SheetHost.h"
#include "spreadsheet/sheets/Sheets.h"
#include "spreadsheet/workbook/WorkbookData.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

class TRecordStorageGlobals;
class TRecordStorageEx2007Unknown;
class TXLSVBA;
class TXFont;
class TXFonts;
class TCellFormat;
class TCellFormats;
class TSST2;
class TFormulaHandler;
class TSheetCharts;
class TXMLRelationsWorkbook;

Q4_ENUM_NAMES(TExcelVersion, "xvNone", "xvExcelUnknown", "xvExcel21", "xvExcel30", "xvExcel40",
              "xvExcel50", "xvExcel97", "xvExcel2007");
Q4_ENUM(TTempFileMode, tfmOnDisk, tfmInMemory);

using TIntegerEvent = std::function<void(TObject* sender, int value)>;
using TPasswordEvent = std::function<void(TObject* sender, std::u16string& password)>;
using TWorkbookFunctionEvent = std::function<void(const std::u16string& name, TFormulaValue& result,
                                                  int lastArg, std::vector<TFormulaValue>& args)>;

// The paper of a locale from its size in millimetres: letter, legal and A3 by their sizes,
// anything else A4.
TPaperSize PaperSizeFromMillimetres(int widthMm, int heightMm);

// Drawing objects a workbook holds beside its sheets' drawings.
class TExtraObjects {
public:
    std::vector<std::unique_ptr<TObject>> Items;
};

class TXLSWorkbook4 : public TComponent, public IXLSCellRangeOps, public TSheetHost {
    Q4_CLASS(TXLSWorkbook4, TComponent)
public:
    // Where new workbooks read the locale's paper size (width, height in millimetres; false
    // when unknown). Tests replace it.
    static std::function<bool(int& widthMm, int& heightMm)> PaperQuery;

    explicit TXLSWorkbook4(TComponent* owner);
    ~TXLSWorkbook4() override;

    TExcelVersion Version() const { return version_; }
    // Sets the largest record body (2080 before the 1997 format, else 8224) and the
    // process-wide sheet limits (256 x 65536 before the newer format, else 16384 x 1048576).
    void SetVersion(TExcelVersion value);
    TExcelVersion OrigVersion() const { return origVersion_; }
    int MaxRecordSize() const { return maxRecordSize_; }
    bool Excel2007MacroFile() const;

    TSheets* Sheets() const { return sheets_.get(); }
    void SetSheets(TSheets* value);
    TWorkbookData* Workbook() const { return workbook_.get(); }
    void SetWorkbook(TWorkbookData* value);
    TOptionsDialog* OptionsDialog() const { return optionsDialog_.get(); }
    void SetOptionsDialog(TOptionsDialog* value);
    // The first font of the font list (null when it is empty); setting copies into it.
    TXFont* Font() const;
    void SetFont(const TXFont& value);
    // The user name of the WRITEACCESS record (at most 109 characters), trimmed of blanks.
    std::string UserName() const;
    void SetUserName(const std::string& value);
    bool BookProtected() const;
    void SetBookProtected(bool value);
    bool Backup() const;
    void SetBackup(bool value);
    bool RefreshAll() const;
    void SetRefreshAll(bool value);
    // The process-wide texts of the Boolean values.
    std::u16string GetStrTRUE() const { return StrTRUE; }
    void SetStrTRUE(const std::u16string& value) { StrTRUE = value; }
    std::u16string GetStrFALSE() const { return StrFALSE; }
    void SetStrFALSE(const std::u16string& value) { StrFALSE = value; }
    std::string ComponentVersion() const { return "4.00.12a"; }
    void SetComponentVersion(const std::string&) {}
    TMSOPictures* MSOPictures() const { return msoPictures_.get(); }
    void SetMSOPictures(TMSOPictures* value);
    // The read-only recommendation, kept in the file-sharing body.
    bool RecomendReadOnly() const;
    void SetRecomendReadOnly(bool value);
    const std::vector<uint8_t>& FileSharing() const { return fileSharing_; }

    TRecordStorageGlobals& GlobalRecords() const { return *globalRecords_; }
    TCellFormats& StyleFormats() const { return *styleFormats_; }
    TCellFormat* DefaultFormat() const { return defaultFormat_; }
    TSST2& SST() const { return *sst_; }
    TSheetCharts& SheetCharts() const { return *sheetCharts_; }
    TXMLRelationsWorkbook& Relations() const { return *relations_; }
    TXLSVBA& VBA() const { return *vba_; }
    TPaperSize GetDefaultPaperSize() const { return defaultPaperSize_; }

    // TSheetHost
    TFormulaHandler& FormulaHandler() override { return *formulaHandler_; }
    TCellFormats& MasterFormats() override { return *masterFormats_; }
    TXFonts& Fonts() override { return *fonts_; }
    TMSOPictures& Pictures() override { return *msoPictures_; }
    TPaperSize DefaultPaperSize() const override { return defaultPaperSize_; }
    bool ShowFormulas() const override { return showFormulas_; }
    IXLSCellRangeOps* RangeOps() override { return this; }

    // IXLSCellRangeOps. Areas are ordered first; cells that would land outside the sheet are
    // dropped; an unknown sheet index raises the list's index error.
    void DeleteCells(int sheet, int col1, int row1, int col2, int row2) override;
    void CopyCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet, int destCol,
                   int destRow, TCopyCellsOptions options) override;
    void MoveCells(int srcSheet, int col1, int row1, int col2, int row2, int destSheet, int destCol,
                   int destRow, TCopyCellsOptions options) override;

    std::u16string Filename;
    TTempFileMode TempFileMode = tfmOnDisk;
    bool IsMac = false;
    bool PreserveMacros = true;
    std::u16string Password;
    TIntegerEvent OnProgress;
    TWorkbookFunctionEvent OnFunction;
    TPasswordEvent OnPassword;

    static void DeclareProperties(TPropertyList& p);

private:
    void ReadLocalePaperSize();
    void LoadCalcOptions();
    void InstallFormulaCallbacks();
    void CopyOrMove(bool move, int srcSheet, int col1, int row1, int col2, int row2, int destSheet,
                    int destCol, int destRow, TCopyCellsOptions options);
    void CopyOrMoveCells(bool move, TSheet& src, int col1, int row1, int col2, int row2,
                         TSheet& dest, int destCol, int destRow, TCopyCellsOptions options);
    void CopyOrMoveAreas(bool move, TSheet& src, int col1, int row1, int col2, int row2,
                         TSheet& dest, int destCol, int destRow, TCopyCellsOptions options);

    TExcelVersion version_ = xvExcel97;
    TExcelVersion origVersion_ = xvNone;
    int maxRecordSize_ = 8224;
    bool showFormulas_ = false;
    TPaperSize defaultPaperSize_ = psA4;
    std::vector<uint8_t> fileSharing_;
    TCellFormat* defaultFormat_ = nullptr;

    // Freed in the reverse order: the sheets and the cell stores before the shared strings,
    // formats and fonts their cells use.
    std::unique_ptr<TRecordStorageGlobals> globalRecords_;
    std::unique_ptr<TRecordStorageEx2007Unknown> ex2007Records_;
    std::unique_ptr<TExtraObjects> extraObjects_;
    std::unique_ptr<TWorkbookData> workbook_;
    std::unique_ptr<TOptionsDialog> optionsDialog_;
    std::unique_ptr<TXFonts> fonts_;
    std::unique_ptr<TCellFormats> masterFormats_;
    std::unique_ptr<TCellFormats> styleFormats_;
    std::unique_ptr<TSST2> sst_;
    std::unique_ptr<TMSOPictures> msoPictures_;
    std::unique_ptr<TFormulaHandler> formulaHandler_;
    std::vector<std::vector<uint8_t>> styles_;
    std::unique_ptr<TSheets> sheets_;
    std::unique_ptr<TSheetCharts> sheetCharts_;
    std::unique_ptr<TXLSVBA> vba_;
    std::unique_ptr<TXMLRelationsWorkbook> relations_;
};
