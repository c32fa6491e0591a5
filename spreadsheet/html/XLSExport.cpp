#include "spreadsheet/html/XLSExport.h"

#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/workbook/XLSWorkbook.h"

#include <algorithm>

TXLSExport4::TXLSExport4(TComponent* owner) : TComponent(owner) {}

TXLSExport4::~TXLSExport4() {
    SetXLS(nullptr);
}

void TXLSExport4::SetXLS(TXLSWorkbook4* value) {
    if (value == xls_)
        return;
    if (xls_)
        xls_->RemoveFreeNotification(this);
    xls_ = value;
    if (xls_)
        xls_->FreeNotification(this);
}

void TXLSExport4::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == opRemove && component == xls_)
        xls_ = nullptr;
}

void TXLSExport4::CheckWorkbook() const {
    if (!xls_)
        throw Exception("No TXLSWorkbook defined");
}

void TXLSExport4::ExportCells() {
    CheckWorkbook();
    BeginDocument();
    TSheets& sheets = *xls_->Sheets();
    for (int i = 0; i < sheets.Count(); ++i) {
        TSheet& sheet = *sheets.Items(i);
        sheet.CalcDimensions();
        // Set bounds beyond the sheet's edge end at the edge: there is nothing past it.
        const int c1 = Col1 < 0 ? sheet.FirstCol() : std::min<int>(Col1, MaxCol);
        const int c2 = Col2 < 0 ? sheet.LastCol() : std::min<int>(Col2, MaxCol);
        const int r1 = Row1 < 0 ? sheet.FirstRow() : std::min<int>(Row1, MaxRow);
        const int r2 = Row2 < 0 ? sheet.LastRow() : std::min<int>(Row2, MaxRow);
        sheetIndex_ = i;
        BeginTable();
        for (int r = r1; r <= r2; ++r) {
            BeginRow();
            for (int c = c1; c <= c2; ++c)
                WriteCell(i, c, r);
            EndRow();
        }
        EndTable();
    }
    EndDocument();
}

void TXLSExport4::ExportToStream(TStream&) {
    CheckWorkbook();
    ExportCells();
}

void TXLSExport4::DeclareProperties(TPropertyList& p) {
    p.AddFn<TXLSExport4>(
        "XLS", [](TXLSExport4* e) { return e->XLS(); },
        [](TXLSExport4* e, TXLSWorkbook4* v) { e->SetXLS(v); });
    p.Add("Filename", &TXLSExport4::Filename);
    p.Add("Col1", &TXLSExport4::Col1).Default(-1);
    p.Add("Col2", &TXLSExport4::Col2).Default(-1);
    p.Add("Row1", &TXLSExport4::Row1).Default(-1);
    p.Add("Row2", &TXLSExport4::Row2).Default(-1);
}
