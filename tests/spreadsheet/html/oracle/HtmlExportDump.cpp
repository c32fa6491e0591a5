// Writes the HTML export of a workbook whose first sheet holds a grid of every kind of value
// (texts that need escaping, Cyrillic, blanks, numbers, Booleans, errors, formulas) to the
// file named by the first argument, and the grid the export shows, one row per line with the
// cells separated by TAB (UTF-8), to the second.

#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "platform/rtl/CodePage.h"
#include "spreadsheet/html/XLSExportHTML.h"

#include <cstdio>
#include <fstream>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s out.html expected.tsv\n", argv[0]);
        return 2;
    }
    TTestWorkbook wb;
    wb.Book().Filename = u"check & <see>.xls";
    wb.Text(0, 0, u"Name");
    wb.Text(1, 0, u"Value");
    wb.Text(2, 0, u"Note");
    wb.Text(0, 1, u"less < greater > amp & quote \"");
    wb.Integer(1, 1, 42);
    wb.Text(2, 1, u"Привет, мир");
    wb.Text(0, 2, u"&lt; stays text");
    wb.Integer(1, 2, -7);
    wb.Boolean(2, 2, true);
    wb.Text(0, 3, u"  edge blanks  ");
    wb.Formula(1, 3, u"1+2", 3);
    wb.Error(2, 3, 7);
    wb.Text(0, 4, u"a<b>c</b>");
    wb.Integer(2, 4, 1000);
    wb.Text(0, 5, u"tab\tinside");
    wb.Text(1, 5, u"<script>alert(1)</script>");

    TXLSExportHTML4 exporter(nullptr);
    exporter.SetXLS(&wb.Book());
    exporter.Filename = argv[1];
    exporter.OpenFile();
    exporter.ExportCells();
    exporter.CloseFile();

    std::ofstream expected(argv[2], std::ios::binary);
    TSheet& sheet = wb.Sheet();
    sheet.CalcDimensions();
    for (int r = sheet.FirstRow(); r <= sheet.LastRow(); ++r) {
        for (int c = sheet.FirstCol(); c <= sheet.LastCol(); ++c)
            expected << (c > sheet.FirstCol() ? "\t" : "")
                     << Utf16ToUtf8(sheet.GetAsDisplayText(c, r));
        expected << "\n";
    }
    return 0;
}
