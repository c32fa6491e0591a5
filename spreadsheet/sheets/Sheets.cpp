#include "spreadsheet/sheets/Sheets.h"

#include "spreadsheet/cells/SST.h"
#include "spreadsheet/core/XLSUtils.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "spreadsheet/sheets/SheetHost.h"

#include <vector>

TSheets::TSheets(TPersistent* owner, TSheetHost* host)
    : TCollection(TSheet::StaticClass(), owner), host_(host),
      sheetNames_(std::make_unique<TXLSWideStringList>()) {}

TSheets::~TSheets() {
    // The sheets go first (the collection's destructor would free them after the names).
    Clear();
}

TSheet* TSheets::Add(uint8_t sheetKind) {
    auto* sheet = static_cast<TSheet*>(TCollection::Add());
    sheet->SheetKind = sheetKind;
    return sheet;
}

TSheet* TSheets::FindByName(const std::u16string& name) const {
    const std::u16string upper = UpperText(name);
    for (int i = 0; i < Count(); ++i)
        if (UpperText(Items(i)->Name()) == upper)
            return Items(i);
    return nullptr;
}

void TSheets::SetMaxRecordSize(int size) {
    host_->FormulaHandler().MaxRecordSize = size;
    host_->FormulaHandler().SST.MaxRecordSize = size;
}

void TSheets::RemoveSheetName(const TSheet& sheet) {
    const int entry = sheet.SheetIndex;
    if (entry < 0 || entry >= sheetNames_->Count())
        return;
    std::vector<std::u16string> kept;
    for (int i = 0; i < sheetNames_->Count(); ++i)
        if (i != entry)
            kept.push_back(sheetNames_->Strings(i));
    sheetNames_->Clear();
    for (const auto& name : kept)
        sheetNames_->Add(name);
    for (int i = 0; i < Count(); ++i) {
        TSheet* other = Items(i);
        if (other != &sheet && other->SheetIndex > entry)
            --other->SheetIndex;
    }
}
