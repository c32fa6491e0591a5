#pragma once
// A workbook as one HTML document with a table per sheet: one line per piece (document head,
// table, row, cell), each ended by CR LF. The text is written in Windows-1251, as the document
// head declares; a character the code page lacks is written as a character reference.

#include "spreadsheet/html/XLSExport.h"

#include <memory>
#include <string>

class TFileStream;

// The attributes of the TABLE element.
class TTABLEProperties : public TPersistent {
    Q4_CLASS(TTABLEProperties, TPersistent)
public:
    TTABLEProperties() = default;
    void Assign(TPersistent* source) override;
    int32_t BordeWidth = 0;
    int32_t CellPadding = 0;
    int32_t CellSpacing = 0;
    static void DeclareProperties(TPropertyList& p);
};

class TXLSExportHTML4 : public TXLSExport4 {
    Q4_CLASS(TXLSExportHTML4, TXLSExport4)
public:
    explicit TXLSExportHTML4(TComponent* owner);
    ~TXLSExportHTML4() override;

    // Creates (or replaces) the file named Filename and writes to it.
    void OpenFile() override;
    void BeginDocument() override;
    void BeginTable() override;
    void BeginRow() override;
    void WriteCell(int sheet, int col, int row) override;
    void EndRow() override;
    void EndTable() override;
    void EndDocument() override;
    // Writes what is pending and closes the file.
    void CloseFile() override;
    void ExportCells() override;
    // Writes to the caller's stream (not owned).
    void ExportToStream(TStream& stream) override;

    TTABLEProperties* TABLE() const { return table_.get(); }
    void SetTABLE(TTABLEProperties* value) { table_->Assign(value); }
    bool WriteOnlyTables = false;

    static void DeclareProperties(TPropertyList& p);

private:
    // Appends a line of ASCII text.
    void Line(std::string_view text);
    // Appends text in Windows-1251, other characters as character references.
    void Append(std::u16string_view text);
    void Flush();

    std::unique_ptr<TTABLEProperties> table_;
    std::unique_ptr<TFileStream> file_;
    TStream* output_ = nullptr;
    std::string pending_;
    std::u16string cellHtml_; // the cell being written, kept to reuse its buffer
};
