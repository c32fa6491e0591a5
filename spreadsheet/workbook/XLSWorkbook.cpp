// The workbook component: construction in its fixed order, the version, the published
// properties and the callbacks the formula handler asks.

#include "spreadsheet/workbook/XLSWorkbook.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/LocalePaper.h"
#include "spreadsheet/cells/SST.h"
#include "spreadsheet/charts/SheetCharts.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formats/XFont.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/records/RecordStorage.h"
#include "spreadsheet/records/XLSVBA.h"
#include "spreadsheet/tables/XMLRelations.h"

#include <algorithm>
#include <cstdlib>

std::function<bool(int&, int&)> TXLSWorkbook4::PaperQuery = LocalePaperSize;

TPaperSize PaperSizeFromMillimetres(int widthMm, int heightMm) {
    const auto near = [](int a, int b) { return std::abs(a - b) <= 1; };
    if (near(widthMm, 216) && near(heightMm, 279))
        return psLetter;
    if (near(widthMm, 216) && near(heightMm, 356))
        return psLegal;
    if (near(widthMm, 297) && near(heightMm, 420))
        return psA3;
    return psA4;
}

TXLSWorkbook4::TXLSWorkbook4(TComponent* owner) : TComponent(owner) {
    // No temporary files are cleaned up here: the library makes none, and a pattern over the
    // temporary folder would reach other programs' files.
    ResetExcelPalette();
    defaultPaperSize_ = psA4;
    ReadLocalePaperSize();
    globalRecords_ = std::make_unique<TRecordStorageGlobals>();
    ex2007Records_ = std::make_unique<TRecordStorageEx2007Unknown>();
    PreserveMacros = true;
    extraObjects_ = std::make_unique<TExtraObjects>();
    IsMac = false;
    workbook_ = std::make_unique<TWorkbookData>(*globalRecords_);
    workbook_->SetOptions({woHScroll, woVScroll, woTabs});
    workbook_->SetTop(100);
    workbook_->SetLeft(100);
    workbook_->SetWidth(10000);
    workbook_->SetHeight(7000);
    optionsDialog_ = std::make_unique<TOptionsDialog>(*globalRecords_);
    fonts_ = std::make_unique<TXFonts>();
    masterFormats_ = std::make_unique<TCellFormats>(*fonts_, true);
    defaultFormat_ = masterFormats_->DefaultFormat();
    styleFormats_ = std::make_unique<TCellFormats>(*fonts_, false);
    sst_ = std::make_unique<TSST2>(*fonts_);
    formulaHandler_ = std::make_unique<TFormulaHandler>(*sst_);
    InstallFormulaCallbacks();
    StrTRUE = u"TRUE";
    StrFALSE = u"FALSE";
    msoPictures_ = std::make_unique<TMSOPictures>(this);
    sheets_ = std::make_unique<TSheets>(this, this);
    sheets_->Add();
    sheetCharts_ = std::make_unique<TSheetCharts>(this, msoPictures_.get(), fonts_.get());
    vba_ = std::make_unique<TXLSVBA>();
    relations_ = std::make_unique<TXMLRelationsWorkbook>();
    LoadCalcOptions();
    SetVersion(xvExcel97);
}

TXLSWorkbook4::~TXLSWorkbook4() {
    // The sheets (and with them their cell stores) go before the shared strings, formats and
    // fonts their cells use; the members' order frees the rest.
    sheetCharts_.reset();
    sheets_.reset();
    formulaHandler_.reset();
}

void TXLSWorkbook4::ReadLocalePaperSize() {
    int width = 0, height = 0;
    if (PaperQuery && PaperQuery(width, height))
        defaultPaperSize_ = PaperSizeFromMillimetres(width, height);
}

void TXLSWorkbook4::InstallFormulaCallbacks() {
    formulaHandler_->OnSheetIndex = [this](const std::u16string& name, int& index, int& count) {
        index = -1;
        count = 0;
        if (!sheets_)
            return;
        if (TSheet* sheet = sheets_->FindByName(name)) {
            index = sheet->Index();
            count = sheets_->Count();
        }
    };
    formulaHandler_->OnNameText = [this](int kind, int index, std::u16string& text, int col,
                                         int row) {
        if (!sheets_)
            return;
        if (kind == 0 && index >= 0 && index < sheets_->SheetNames().Count())
            text = sheets_->SheetNames().Strings(index);
        else if (kind == 1 && index >= 0 && index < sheets_->Count())
            text = sheets_->Items(index)->GetAsWideString(col, row);
    };
    formulaHandler_->OnFunction = [this](const std::u16string& name, TFormulaValue& result,
                                         int lastArg, std::vector<TFormulaValue>& args) {
        if (OnFunction)
            OnFunction(name, result, lastArg, args);
    };
    formulaHandler_->InternalNames().OnNameDeleted = [this](TInternalNames&, int nameIndex) {
        if (!sheets_)
            return;
        for (int i = 0; i < sheets_->Count(); ++i)
            sheets_->Items(i)->NameDeleted(nameIndex);
    };
}

void TXLSWorkbook4::LoadCalcOptions() {
    TRecordStorageSheet& records = sheets_->Items(0)->Records();
    switch (static_cast<int16_t>(records.Word(recCALCMODE))) {
    case 0:
        optionsDialog_->CalcMode = cmManual;
        break;
    case 1:
        optionsDialog_->CalcMode = cmAutomatic;
        break;
    case -1:
        optionsDialog_->CalcMode = cmAutoExTables;
        break;
    default:
        break;
    }
    optionsDialog_->SetCalcCount(records.Word(recCALCCOUNT));
    optionsDialog_->Delta = records.Record(recDELTA).DoubleAt(0);
    optionsDialog_->R1C1Mode = records.Word(recREFMODE) == 0;
    optionsDialog_->Iteration = records.Word(recITERATION) == 1;
    optionsDialog_->SaveRecalc = records.Word(recSAVERECALC) == 1;
}

void TXLSWorkbook4::SetVersion(TExcelVersion value) {
    version_ = value;
    maxRecordSize_ = value < xvExcel97 ? 2080 : 8224;
    if (value < xvExcel2007) {
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
    } else {
        MaxCol = MaxColWide;
        MaxRow = MaxRowWide;
    }
    sheets_->SetMaxRecordSize(maxRecordSize_);
    formulaHandler_->SetVersion(value);
}

bool TXLSWorkbook4::Excel2007MacroFile() const {
    if (Filename.size() < 4)
        return false;
    std::u16string tail = Filename.substr(Filename.size() - 4);
    for (char16_t& c : tail)
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
    return tail == u"xlsm";
}

void TXLSWorkbook4::SetSheets(TSheets* value) {
    sheets_->Assign(value);
}

void TXLSWorkbook4::SetWorkbook(TWorkbookData* value) {
    if (value && value != workbook_.get()) {
        workbook_->SetLeft(value->Left());
        workbook_->SetTop(value->Top());
        workbook_->SetWidth(value->Width());
        workbook_->SetHeight(value->Height());
        workbook_->SetOptions(value->Options());
        workbook_->SetSelectedTab(value->SelectedTab());
    }
}

void TXLSWorkbook4::SetOptionsDialog(TOptionsDialog* value) {
    if (!value || value == optionsDialog_.get())
        return;
    TOptionsDialog& o = *optionsDialog_;
    o.SetCalcCount(value->CalcCount());
    o.CalcMode = value->CalcMode;
    o.Delta = value->Delta;
    o.Iteration = value->Iteration;
    o.R1C1Mode = value->R1C1Mode;
    o.RecalcBeforeSave = value->RecalcBeforeSave;
    o.Uncalced = value->Uncalced;
    o.SaveRecalc = value->SaveRecalc;
    o.SetSaveExtLinkVal(value->SaveExtLinkVal());
    o.SetPrecisionAsDisplayed(value->PrecisionAsDisplayed());
    o.SetShowObjects(value->ShowObjects());
}

void TXLSWorkbook4::SetMSOPictures(TMSOPictures* value) {
    msoPictures_->Assign(value);
}

TXFont* TXLSWorkbook4::Font() const {
    return fonts_->Count() > 0 ? fonts_->Fonts(0) : nullptr;
}

void TXLSWorkbook4::SetFont(const TXFont& value) {
    if (fonts_->Count() > 0)
        fonts_->Fonts(0)->Assign(value);
}

std::string TXLSWorkbook4::UserName() const {
    const TRawRecord& r = globalRecords_->WRITEACCESS();
    std::string bytes;
    for (int i = 0; i < 109; ++i)
        bytes += static_cast<char>(r.ByteAt(3 + i));
    const size_t first = bytes.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    bytes = bytes.substr(first, bytes.find_last_not_of(' ') - first + 1);
    return Cp1251ToUtf8(bytes);
}

void TXLSWorkbook4::SetUserName(const std::string& value) {
    // Characters, not bytes, count: the record keeps single-byte text.
    std::string bytes = Utf8ToCp1251(value);
    if (bytes.size() > 109)
        bytes.resize(109);
    TRawRecord& r = globalRecords_->WRITEACCESS();
    for (int i = 0; i < r.Length(); ++i)
        r.SetByteAt(i, 0x20);
    for (size_t i = 0; i < bytes.size(); ++i)
        r.SetByteAt(3 + static_cast<int>(i), static_cast<uint8_t>(bytes[i]));
    r.SetByteAt(0, static_cast<uint8_t>(bytes.size()));
    r.SetByteAt(1, 0);
    r.SetByteAt(2, 0);
}

bool TXLSWorkbook4::BookProtected() const {
    return globalRecords_->Word(recWINDOWPROTECT) == 1;
}

void TXLSWorkbook4::SetBookProtected(bool value) {
    globalRecords_->SetWord(recWINDOWPROTECT, static_cast<uint16_t>(value & 0x7F));
}

bool TXLSWorkbook4::Backup() const {
    return globalRecords_->Word(recBACKUP) == 1;
}

void TXLSWorkbook4::SetBackup(bool value) {
    globalRecords_->SetWord(recBACKUP, static_cast<uint16_t>(value & 0x7F));
}

bool TXLSWorkbook4::RefreshAll() const {
    return globalRecords_->Word(recREFRESHALL) == 1;
}

void TXLSWorkbook4::SetRefreshAll(bool value) {
    globalRecords_->SetWord(recREFRESHALL, static_cast<uint16_t>(value & 0x7F));
}

bool TXLSWorkbook4::RecomendReadOnly() const {
    return fileSharing_.size() >= 2 && fileSharing_[0] == 1 && fileSharing_[1] == 0;
}

void TXLSWorkbook4::SetRecomendReadOnly(bool value) {
    if (value) {
        if (fileSharing_.size() < 2)
            fileSharing_.assign(6, 0);
        fileSharing_[0] = 1;
        fileSharing_[1] = 0;
        return;
    }
    if (fileSharing_.size() < 2) {
        fileSharing_.clear();
        return;
    }
    fileSharing_[0] = fileSharing_[1] = 0;
    if (std::all_of(fileSharing_.begin(), fileSharing_.end(), [](uint8_t b) { return b == 0; }))
        fileSharing_.clear();
}

void TXLSWorkbook4::DeclareProperties(TPropertyList& p) {
    p.Add("Version", &TXLSWorkbook4::Version, &TXLSWorkbook4::SetVersion);
    p.Add("OrigVersion", &TXLSWorkbook4::OrigVersion);
    p.Add("Excel2007MacroFile", &TXLSWorkbook4::Excel2007MacroFile);
    p.Add("Sheets", &TXLSWorkbook4::Sheets, &TXLSWorkbook4::SetSheets);
    p.Add("Workbook", &TXLSWorkbook4::Workbook, &TXLSWorkbook4::SetWorkbook);
    p.Add("OptionsDialog", &TXLSWorkbook4::OptionsDialog, &TXLSWorkbook4::SetOptionsDialog);
    p.Add("UserName", &TXLSWorkbook4::UserName, &TXLSWorkbook4::SetUserName);
    p.Add("BookProtected", &TXLSWorkbook4::BookProtected, &TXLSWorkbook4::SetBookProtected)
        .Default(false);
    p.Add("Backup", &TXLSWorkbook4::Backup, &TXLSWorkbook4::SetBackup).Default(false);
    p.Add("RefreshAll", &TXLSWorkbook4::RefreshAll, &TXLSWorkbook4::SetRefreshAll).Default(false);
    p.Add("StrTRUE", &TXLSWorkbook4::GetStrTRUE, &TXLSWorkbook4::SetStrTRUE);
    p.Add("StrFALSE", &TXLSWorkbook4::GetStrFALSE, &TXLSWorkbook4::SetStrFALSE);
    p.Add("ShowFormulas", &TXLSWorkbook4::showFormulas_).Default(false);
    p.Add("Filename", &TXLSWorkbook4::Filename);
    p.Add("IsMac", &TXLSWorkbook4::IsMac).Default(false);
    p.Add("PreserveMacros", &TXLSWorkbook4::PreserveMacros).Default(true);
    p.Add("ComponentVersion", &TXLSWorkbook4::ComponentVersion,
          &TXLSWorkbook4::SetComponentVersion);
    p.Add("MSOPictures", &TXLSWorkbook4::MSOPictures, &TXLSWorkbook4::SetMSOPictures);
    p.Add("Password", &TXLSWorkbook4::Password);
    p.Add("RecomendReadOnly", &TXLSWorkbook4::RecomendReadOnly, &TXLSWorkbook4::SetRecomendReadOnly)
        .Default(false);
    p.Add("TempFileMode", &TXLSWorkbook4::TempFileMode).Default(tfmOnDisk);
    p.Add("OnProgress", &TXLSWorkbook4::OnProgress);
    p.Add("OnFunction", &TXLSWorkbook4::OnFunction);
    p.Add("OnPassword", &TXLSWorkbook4::OnPassword);
}
