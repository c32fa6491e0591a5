// The HTML export against golden files (tests/spreadsheet/html/golden; Q4_UPDATE_GOLDEN=1
// rewrites them from the current output, to be read before they are committed), and its errors
// and file handling.

#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/html/XLSExportHTML.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>

namespace {

std::string Export(TXLSExportHTML4& exporter) {
    TMemoryStream stream;
    exporter.ExportToStream(stream);
    return std::string(reinterpret_cast<const char*>(stream.Memory()),
                       static_cast<size_t>(stream.Size()));
}

std::string ReadFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

struct GoldenCase {
    const char* name;
    std::function<void(TTestWorkbook&, TXLSExportHTML4&)> setUp;
};

const GoldenCase kCases[] = {
    {"column_c_rows_2_3",
     [](TTestWorkbook& wb, TXLSExportHTML4&) {
         wb.Text(2, 1, u"first");
         wb.Integer(2, 2, 2);
     }},
    {"never_used_sheet", [](TTestWorkbook&, TXLSExportHTML4&) {}},
    {"emptied_sheet",
     [](TTestWorkbook& wb, TXLSExportHTML4&) {
         wb.Number(40, 300, 1);
         wb.Sheet().DeleteCell(40, 300);
     }},
    {"only_tables",
     [](TTestWorkbook& wb, TXLSExportHTML4& e) {
         e.WriteOnlyTables = true;
         wb.Integer(0, 0, 1);
         wb.Book().Sheets()->Add();
         wb.Text(1, 0, u"second sheet", {}, 1);
     }},
    {"bounds_wider_than_used",
     [](TTestWorkbook& wb, TXLSExportHTML4& e) {
         e.Col1 = 0;
         e.Col2 = 4;
         wb.Integer(1, 0, 1);
         wb.Integer(2, 1, 2);
     }},
    {"kinds_and_alignment",
     [](TTestWorkbook& wb, TXLSExportHTML4& e) {
         e.TABLE()->BordeWidth = 1;
         e.TABLE()->CellPadding = 2;
         e.TABLE()->CellSpacing = 3;
         wb.Integer(0, 0, 42);
         wb.Text(1, 0, u"a < b & c > d");
         wb.Boolean(2, 0, false);
         wb.Error(3, 0, 2);
         wb.Formula(4, 0, u"1+1", 2);
         wb.FormulaString(5, 0, u"\"x\"", u"x");
         wb.Text(6, 0, u"  two blanks");
     }},
    {"fill_colours",
     [](TTestWorkbook& wb, TXLSExportHTML4&) {
         wb.Blank(0, 0)->SetFillPatternForeColor(xcYellow);
         wb.Integer(1, 0, 5)->SetFillPatternForeColor(xcRed);
         // Indexes beyond the palette give no colour.
         wb.Integer(2, 0, 6)->SetFillPatternForeColor(70);
     }},
    {"fonts_and_runs",
     [](TTestWorkbook& wb, TXLSExportHTML4&) {
         TCell* c = wb.Text(0, 0, u"bold red");
         c->SetFontStyle(0x01);
         c->SetFontColorRGB(0x0000FF);
         c->SetFontSize(16);
         TXFont italic;
         italic.Assign(*wb.Book().Fonts().Fonts(0));
         italic.SetStyle(0x02);
         const auto i = static_cast<uint32_t>(wb.Book().Fonts().FindOrAddFont(italic)->Index);
         wb.Text(1, 0, u"plain italic plain", {{6, i}, {12, 0}});
     }},
    {"cyrillic_and_other_characters",
     [](TTestWorkbook& wb, TXLSExportHTML4&) {
         wb.Book().Filename = u"Отчёт <1> & \"копия\".xls";
         wb.Text(0, 0, u"Привет, мир");
         wb.Text(0, 1, u"✓ €5 😀");
     }},
};

std::filesystem::path GoldenPath(const char* name) {
    return std::filesystem::path(Q4_SOURCE_DIR) / "tests/spreadsheet/html/golden" /
           (std::string(name) + ".html");
}

TEST(HtmlExportTest, OutputMatchesTheGoldenFiles) {
    const bool update = std::getenv("Q4_UPDATE_GOLDEN") != nullptr;
    for (const GoldenCase& c : kCases) {
        SCOPED_TRACE(c.name);
        TTestWorkbook wb;
        TXLSExportHTML4 exporter(nullptr);
        exporter.SetXLS(&wb.Book());
        c.setUp(wb, exporter);
        const std::string html = Export(exporter);
        if (update) {
            std::ofstream(GoldenPath(c.name), std::ios::binary) << html;
            continue;
        }
        EXPECT_EQ(html, ReadFile(GoldenPath(c.name)));
    }
}

TEST(HtmlExportTest, NoWorkbookIsAnError) {
    TXLSExportHTML4 exporter(nullptr);
    TMemoryStream stream;
    try {
        exporter.ExportToStream(stream);
        FAIL() << "no exception";
    } catch (const Exception& e) {
        EXPECT_STREQ(e.what(), "No TXLSWorkbook defined");
    }
    EXPECT_EQ(stream.Size(), 0);
}

TEST(HtmlExportTest, TheExporterForgetsAWorkbookThatGoes) {
    TXLSExportHTML4 exporter(nullptr);
    {
        TTestWorkbook wb;
        exporter.SetXLS(&wb.Book());
        EXPECT_EQ(exporter.XLS(), &wb.Book());
    }
    EXPECT_EQ(exporter.XLS(), nullptr);
}

TEST(HtmlExportTest, AFileExportReplacesTheFileAndWritesTheSameAsAStream) {
    TTestWorkbook wb;
    wb.Text(0, 0, u"file");
    TXLSExportHTML4 exporter(nullptr);
    exporter.SetXLS(&wb.Book());
    const std::filesystem::path path =
        std::filesystem::path(Q4_BINARY_DIR) / "html_export_file_test.html";
    std::ofstream(path) << std::string(100000, 'x');
    exporter.Filename = path.string();
    exporter.OpenFile();
    exporter.ExportCells();
    exporter.CloseFile();
    EXPECT_EQ(ReadFile(path), Export(exporter));
    std::filesystem::remove(path);

    exporter.Filename = (std::filesystem::path(Q4_BINARY_DIR) / "no/such/dir/x.html").string();
    EXPECT_THROW(exporter.OpenFile(), Exception);
}

TEST(HtmlExportTest, ExplicitBoundsBeyondTheSheetEndAtItsEdge) {
    TTestWorkbook wb;
    wb.Integer(0, 0, 1);
    TXLSExportHTML4 exporter(nullptr);
    exporter.SetXLS(&wb.Book());
    exporter.WriteOnlyTables = true;
    exporter.Col1 = 250;
    exporter.Col2 = 100000;
    exporter.Row1 = 65535;
    exporter.Row2 = 2147483647;
    const std::string html = Export(exporter);
    // Columns 250..255 of row 65535: one row of six cells.
    size_t cells = 0;
    for (size_t at = html.find("<TD>"); at != std::string::npos; at = html.find("<TD>", at + 1))
        ++cells;
    EXPECT_EQ(cells, 6u);
    EXPECT_EQ(html.find("<TR>"), html.rfind("<TR>"));
}

} // namespace
