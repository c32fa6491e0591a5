#include "spreadsheet/formulas/FormulaHandler.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/CellRef.h"
#include "spreadsheet/formulas/DecodeFormula.h"
#include "spreadsheet/formulas/Ptg.h"

// The handler's own answer to what calculation reads: sheet i is cell store i.
class TFormulaHandler::TStoreSheets : public TFormulaSheets {
public:
    explicit TStoreSheets(TFormulaHandler& handler) : h_(handler) {}

    TCellValues* Store(int sheet) const {
        TCellValuesList& list = h_.CellValuesList();
        return sheet >= 0 && sheet < list.Count() ? list.Items(sheet) : nullptr;
    }
    TCell* FindCell(int sheet, int col, int row) override {
        TCellValues* store = Store(sheet);
        return store ? store->FindCell(col, row) : nullptr;
    }
    void StoredCells(int sheet, int col1, int row1, int col2, int row2,
                     std::vector<TCellPos>& cells) override {
        if (TCellValues* store = Store(sheet))
            store->CellsInArea(col1, row1, col2, row2, cells);
        else
            cells.clear();
    }
    void GetCellValue(int sheet, int col, int row, TFormulaValue& value, bool byRef) override;
    void EvaluateCell(int sheet, int col, int row, TFormulaValue& value,
                      TCellRefArray& refs) override;
    void CallFunction(const std::u16string& name, TFormulaValue& result, int lastArg,
                      std::vector<TFormulaValue>& args) override {
        if (h_.OnFunction)
            h_.OnFunction(name, result, lastArg, args);
    }

private:
    TFormulaHandler& h_;
};

void TFormulaHandler::TStoreSheets::GetCellValue(int sheet, int col, int row, TFormulaValue& value,
                                                 bool byRef) {
    TCell* cell = FindCell(sheet, col, row);
    const uint8_t kind = cell ? cell->CellType() & 0x7F : 0;
    switch (kind) {
    case ckInteger:
        SetNumberValue(value, static_cast<TIntegerCell*>(cell)->Value);
        break;
    case ckFloat:
        SetNumberValue(value, static_cast<TFloatCell*>(cell)->Value);
        break;
    case ckString:
        SetStringValue(value, static_cast<TStringCell*>(cell)->Text());
        break;
    case ckBoolean:
        SetBooleanValue(value, static_cast<TBooleanCell*>(cell)->Value != 0);
        break;
    case ckError:
        SetErrorValue(value, static_cast<TErrorCell*>(cell)->Value);
        break;
    case ckFormulaNumber:
        SetNumberValue(value, static_cast<TFormulaNumberCell*>(cell)->Result);
        break;
    case ckFormulaString:
        SetStringValue(value, static_cast<TFormulaStringCell*>(cell)->Result);
        break;
    case ckFormulaBoolean:
        SetBooleanValue(value, static_cast<TFormulaBooleanCell*>(cell)->Result != 0);
        break;
    case ckFormulaError:
        SetErrorValue(value, static_cast<TFormulaErrorCell*>(cell)->Result);
        break;
    case ckFormulaNumberEx:
    case ckFormulaStringEx:
        break;
    default:
        if (byRef)
            SetEmptyValue(value);
        else
            SetErrorValue(value, errNA);
    }
}

void TFormulaHandler::TStoreSheets::EvaluateCell(int sheet, int col, int row, TFormulaValue& value,
                                                 TCellRefArray& refs) {
    TCell* cell = FindCell(sheet, col, row);
    const uint8_t kind = cell ? cell->CellType() & 0x7F : 0;
    if (kind < ckFormulaNumber || kind > ckFormulaStringEx) {
        SetErrorValue(value, errNA);
        return;
    }
    auto* formula = static_cast<TFormulaCell*>(cell);
    // A formula held as text is compiled first.
    if (formula->FormulaIsText) {
        h_.CompileCellFormula(sheet, col, row);
        formula = static_cast<TFormulaCell*>(FindCell(sheet, col, row));
    }
    const std::vector<uint8_t> tokens = formula->Tokens();
    CalcFormulaTokens(h_, tokens.data(), static_cast<int>(tokens.size()), value, refs, 0, sheet,
                      row, col);
    formula = static_cast<TFormulaCell*>(FindCell(sheet, col, row));
    formula->Calculated = 1;
    StoreFormulaResult(*Store(sheet), col, row, value);
}

TFormulaHandler::TFormulaHandler(TSST2& sst, const TFormatSettings& settings)
    : SST(sst), settings_(settings), cellValues_(std::make_unique<TCellValuesList>(sst)),
      encoder_(std::make_unique<TEncodeFormula>(settings)),
      externalNames_(std::make_unique<TExternalNames>()),
      internalNames_(std::make_unique<TInternalNames>(encoder_.get())),
      ownSheets_(std::make_unique<TStoreSheets>(*this)), sheets_(ownSheets_.get()) {
    cellValues_->OnDeleteSharedFormula = [this](TCellValues& store, TCell& cell) {
        DeleteSharedFormula(store, cell);
    };
    encoder_->OnGetName = [this](const std::u16string& name, int& index) {
        index = internalNames_->IndexOfName(name);
    };
    encoder_->OnGetExternSheet =
        [this](const std::u16string& fileName, const std::u16string& workbook, int& sheetIndex,
               int& extSheet, bool hasSheet, const std::u16string& sheetName) {
            sheetIndex = extSheet = -1;
            if (fileName.empty() && workbook.empty()) {
                int count = 0;
                if (OnSheetIndex)
                    OnSheetIndex(sheetName, sheetIndex, count);
                if (sheetIndex >= 0)
                    extSheet = externalNames_->GetInternalExtSheet(sheetIndex, count);
                return;
            }
            // The directory and the file: the path before the workbook, or the path split at its
            // last "\".
            std::u16string dir = fileName, file = workbook;
            if (file.empty()) {
                const size_t slash = dir.rfind(u'\\');
                file = slash == std::u16string::npos ? dir : dir.substr(slash + 1);
                dir = slash == std::u16string::npos ? u"" : dir.substr(0, slash + 1);
            }
            if (hasSheet) {
                if (!externalNames_->FindExternSheet(dir, file, sheetIndex, extSheet, sheetName)) {
                    int book;
                    externalNames_->AddExternSheet(dir, file, book, extSheet, sheetName);
                    sheetIndex = 0;
                }
            } else {
                externalNames_->FindExternName(dir, file, sheetIndex, extSheet, sheetName);
            }
        };
    internalNames_->OnGetName = [this](int kind, int index, std::u16string& text, int a1, int a2,
                                       int nameIndex) {
        Resolve(kind, index, text, a1, a2, nameIndex);
    };
}

TFormulaHandler::~TFormulaHandler() = default;

void TFormulaHandler::SetVersion(TExcelVersion version) {
    version_ = version;
    encoder_->FormulaVersion = FormulaVersion();
}

uint8_t TFormulaHandler::FormulaVersion(bool ooc) const {
    return ooc ? 3 : version_ == xvExcel2007 ? 2 : 1;
}

void TFormulaHandler::SetFormatSettings(const TFormatSettings& settings) {
    settings_ = settings;
    encoder_->SetFormatSettings(settings);
}

void TFormulaHandler::SetSheets(TFormulaSheets* sheets) {
    sheets_ = sheets ? sheets : ownSheets_.get();
}

int TFormulaHandler::EncodeFormula(std::u16string_view text, uint8_t argClass, bool ooc,
                                   int bufSize, uint8_t* buffer) {
    return encoder_->CompileFormula(text, argClass, FormulaVersion(ooc), bufSize, buffer);
}

std::vector<uint8_t> TFormulaHandler::EncodeFormula(std::u16string_view text, uint8_t argClass,
                                                    bool ooc) {
    return encoder_->Compile(text, argClass, FormulaVersion(ooc), MaxRecordSize);
}

std::u16string TFormulaHandler::DecodeFormula(const uint8_t* tokens, int length, int rowBase,
                                              int colBase, int extIndex) {
    return DecodeFormulaTokens(
        version_, tokens, length,
        [this](int kind, int index, std::u16string& text, int a1, int a2, int nameIndex) {
            Resolve(kind, index, text, a1, a2, nameIndex);
        },
        rowBase, colBase, extIndex, ListSeparator(), settings_);
}

void TFormulaHandler::CalcFormula(const std::vector<uint8_t>& tokens, int col,
                                  TFormulaValue& result, int sheet, int row) {
    TCellRefArray refs;
    CalcFormulaTokens(*this, tokens.data(), static_cast<int>(tokens.size()), result, refs, 0, sheet,
                      row, col);
}

namespace {

// A sheet name as formulas write it: quoted (quotes doubled) unless it is letters, digits,
// "_" and ".".
std::u16string SheetNameText(const std::u16string& name) {
    bool plain = !name.empty();
    for (char16_t c : name)
        plain = plain && ((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z') ||
                          (c >= u'a' && c <= u'z') || c == u'_' || c == u'.' || c > 0x7F);
    if (plain)
        return name;
    std::u16string quoted = u"'";
    for (char16_t c : name)
        quoted += c == u'\'' ? u"''" : std::u16string(1, c);
    return quoted + u"'";
}

} // namespace

void TFormulaHandler::Resolve(int kind, int index, std::u16string& text, int arg1, int arg2,
                              int nameIndex) {
    const auto nameText = [this](int i) {
        return i >= 0 && i < internalNames_->Count() ? internalNames_->Names(i)->NameText()
                                                     : std::u16string(u"#NAME?");
    };
    const auto sheetText = [&](int sheet) {
        std::u16string name;
        if (OnNameText)
            OnNameText(0, sheet, name, arg1, arg2);
        return name;
    };
    if (kind == 2) {
        const int sheet = externalNames_->ExtSheetToSheet(index);
        if (sheet == 0xFFFF)
            text = u"#REF!!";
        else if (sheet == 0xFFFE)
            text = nameText(nameIndex - 1);
        else if (sheet < 0)
            text = externalNames_->ExternText(index, nameIndex);
        else
            text = SheetNameText(sheetText(sheet)) + u"!";
    } else if (kind == 4) {
        text = sheetText(index);
    } else {
        text = nameText(nameIndex - 1);
    }
}
