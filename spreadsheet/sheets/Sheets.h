#pragma once
// The workbook's worksheets, in order, with the list of their names by position (formulas
// name sheets through it). A sheet that goes takes its name entry along, so that the entries
// always stand in sheet order.

#include "platform/classes/Collection.h"
#include "spreadsheet/core/WideStringList.h"
#include "spreadsheet/sheets/Sheet.h"

#include <memory>
#include <string>

class TSheetHost;

class TSheets : public TCollection {
    Q4_CLASS(TSheets, TCollection)
public:
    TSheets(TPersistent* owner, TSheetHost* host);
    ~TSheets() override;

    // A new sheet at the end, named "SheetN" after the first free number from its id + 1.
    TSheet* Add(uint8_t sheetKind = 0);
    TSheet* Items(int index) const { return Item<TSheet>(index); }
    // The first sheet whose name equals ignoring case, or null.
    TSheet* FindByName(const std::u16string& name) const;
    // The largest record body the shared string table writes in one record.
    void SetMaxRecordSize(int size);

    TSheetHost& Host() const { return *host_; }
    TXLSWideStringList& SheetNames() const { return *sheetNames_; }

private:
    friend class TSheet;
    // Called by a sheet that goes: its name entry goes and the later sheets' entries move up.
    void RemoveSheetName(const TSheet& sheet);

    TSheetHost* host_;
    std::unique_ptr<TXLSWideStringList> sheetNames_;
};
