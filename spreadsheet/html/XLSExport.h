#pragma once
// Writing a workbook's cells to another format: the exporter walks every sheet, row by row and
// cell by cell, through a fixed set of hooks that a format fills. Bounds below 0 stand for the
// sheet's own used range.

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"

#include <cstdint>
#include <string>

class TStream;
class TXLSWorkbook4;

class TXLSExport4 : public TComponent {
    Q4_CLASS(TXLSExport4, TComponent)
public:
    explicit TXLSExport4(TComponent* owner);
    ~TXLSExport4() override;

    TXLSWorkbook4* XLS() const { return xls_; }
    // The workbook is not owned; the exporter forgets it when it is freed.
    void SetXLS(TXLSWorkbook4* value);

    // The hooks, in the order an export calls them; here they do nothing.
    virtual void OpenFile() {}
    virtual void BeginDocument() {}
    virtual void BeginTable() {}
    virtual void BeginRow() {}
    virtual void WriteCell(int sheet, int col, int row) { (void)sheet, (void)col, (void)row; }
    virtual void EndRow() {}
    virtual void EndTable() {}
    virtual void EndDocument() {}
    virtual void CloseFile() {}
    // Every sheet in order: the used range (or the set bounds), a table of rows of cells.
    virtual void ExportCells();
    // Raises "No TXLSWorkbook defined" without a workbook.
    virtual void ExportToStream(TStream& stream);

    void Notification(TComponent* component, TOperation operation) override;

    std::string Filename;
    int32_t Col1 = -1;
    int32_t Col2 = -1;
    int32_t Row1 = -1;
    int32_t Row2 = -1;

    static void DeclareProperties(TPropertyList& p);

protected:
    // The index of the sheet being exported.
    int SheetIndex() const { return sheetIndex_; }
    void CheckWorkbook() const;

private:
    TXLSWorkbook4* xls_ = nullptr;
    int sheetIndex_ = 0;
};
