#include "spreadsheet/html/XLSExportHTML.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSPalette.h"
#include "spreadsheet/sheets/HtmlText.h"
#include "spreadsheet/workbook/XLSWorkbook.h"

namespace {

// Pending output is handed to the stream in blocks of about this size.
constexpr size_t kFlushSize = 1 << 16;

} // namespace

void TTABLEProperties::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TTABLEProperties*>(source);
    if (!other) {
        TPersistent::Assign(source);
        return;
    }
    BordeWidth = other->BordeWidth;
    CellPadding = other->CellPadding;
    CellSpacing = other->CellSpacing;
}

void TTABLEProperties::DeclareProperties(TPropertyList& p) {
    p.Add("BordeWidth", &TTABLEProperties::BordeWidth);
    p.Add("CellPadding", &TTABLEProperties::CellPadding);
    p.Add("CellSpacing", &TTABLEProperties::CellSpacing);
}

TXLSExportHTML4::TXLSExportHTML4(TComponent* owner)
    : TXLSExport4(owner), table_(std::make_unique<TTABLEProperties>()) {}

TXLSExportHTML4::~TXLSExportHTML4() = default;

void TXLSExportHTML4::OpenFile() {
    file_ = std::make_unique<TFileStream>(Filename, fmCreate);
    output_ = file_.get();
    pending_.clear();
}

void TXLSExportHTML4::CloseFile() {
    try {
        Flush();
    } catch (...) {
        output_ = nullptr;
        file_.reset();
        throw;
    }
    output_ = nullptr;
    file_.reset();
}

void TXLSExportHTML4::ExportCells() {
    CheckWorkbook();
    pending_.clear();
    TXLSExport4::ExportCells();
    Flush();
}

void TXLSExportHTML4::ExportToStream(TStream& stream) {
    CheckWorkbook();
    TStream* previous = output_;
    output_ = &stream;
    try {
        ExportCells();
    } catch (...) {
        output_ = previous;
        throw;
    }
    output_ = previous;
}

void TXLSExportHTML4::Flush() {
    if (!pending_.empty() && output_)
        output_->WriteBuffer(pending_.data(), static_cast<int64_t>(pending_.size()));
    pending_.clear();
}

void TXLSExportHTML4::Line(std::string_view text) {
    pending_ += text;
    pending_ += "\r\n";
    if (pending_.size() >= kFlushSize)
        Flush();
}

void TXLSExportHTML4::Append(std::u16string_view text) {
    for (size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp < 0x80) {
            pending_ += static_cast<char>(cp);
            continue;
        }
        if (cp >= 0xD800 && cp <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        const int byte = CodePointToCp1251(cp);
        if (byte >= 0)
            pending_ += static_cast<char>(byte);
        else
            pending_ += "&#" + std::to_string(static_cast<uint32_t>(cp)) + ";";
    }
}

void TXLSExportHTML4::BeginDocument() {
    if (WriteOnlyTables)
        return;
    Line("<HTML><HEAD>");
    Line("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=windows-1251\">");
    pending_ += "<TITLE>";
    Append(HtmlEscape(XLS()->Filename));
    Line("</TITLE>");
    Line("</HEAD>");
    Line("<BODY bgcolor=\"#FFFFFF\">");
}

void TXLSExportHTML4::BeginTable() {
    const TSheet& sheet = *XLS()->Sheets()->Items(SheetIndex());
    Line(Format("<TABLE COLS=\"%d\" BORDER=\"%d\" CELLPADDING=\"%d\" CELLSPACING=\"%d\">",
                {sheet.LastCol() - sheet.FirstCol() + 1, table_->BordeWidth, table_->CellPadding,
                 table_->CellSpacing}));
}

void TXLSExportHTML4::BeginRow() {
    Line("<TR>");
}

void TXLSExportHTML4::EndRow() {
    Line("</TR>");
}

void TXLSExportHTML4::EndTable() {
    Line("</TABLE>");
}

void TXLSExportHTML4::EndDocument() {
    if (WriteOnlyTables)
        return;
    Line("</BODY>");
    Line("</HTML>");
}

void TXLSExportHTML4::WriteCell(int sheet, int col, int row) {
    const TSheet& s = *XLS()->Sheets()->Items(sheet);
    TCell* cell = s.GetCell(col, row);
    if (!cell) {
        Line("<TD>&nbsp;</TD>");
        return;
    }
    pending_ += "<TD";
    switch (cell->CellType()) {
    case ckString:
    case ckBoolean:
    case ckError:
    case ckFormulaString:
        break;
    default:
        pending_ += " ALIGN=\"right\"";
    }
    // Automatic, and indexes the palette has no entry for, give no colour.
    const int fill = cell->GetFillPatternForeColor();
    if (fill < xcAutomatic) {
        const uint32_t rgb = ExcelPaletteColor(fill);
        pending_ += Format(" BGCOLOR=\"#%.2X%.2X%.2X\"",
                           {static_cast<int>(rgb & 0xFF), static_cast<int>(rgb >> 8 & 0xFF),
                            static_cast<int>(rgb >> 16 & 0xFF)});
    }
    pending_ += '>';
    cellHtml_.clear();
    s.AppendHTML(col, row, cellHtml_);
    if (cellHtml_.empty())
        pending_ += "&nbsp;";
    else
        Append(cellHtml_);
    Line("</TD>");
}

void TXLSExportHTML4::DeclareProperties(TPropertyList& p) {
    p.Add("WriteOnlyTables", &TXLSExportHTML4::WriteOnlyTables).Default(false);
    p.Add("TABLE", &TXLSExportHTML4::TABLE, &TXLSExportHTML4::SetTABLE);
}
