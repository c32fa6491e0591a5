// Exporting a sheet of 100,000 cells (10 columns by 10,000 rows: numbers, texts with
// characters HTML reserves, Cyrillic) to HTML in memory, against Python writing the same table
// (the same cell texts, html.escape, Windows-1251 with character references) in the same run.
// Both sides count the best processor time of five runs; the counters give ours, Python's and
// the ratio ours / Python's (below 1: faster than Python). A second benchmark clears a whole
// sheet of the newer format that holds a few cells.

#include "tests/spreadsheet/workbook/support/WorkbookTestSupport.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/html/XLSExportHTML.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <memory>
#include <string>

namespace {

constexpr int kCols = 10;
constexpr int kRows = 10000;

struct TFixture {
    std::unique_ptr<TTestWorkbook> wb;
    double pythonMs = 0;
};

std::u16string CellText(int col, int row) {
    static const char16_t* const words[] = {u"Привет & <мир>", u"plain text", u"a \"quoted\" one",
                                            u"Тест-123"};
    return words[(col + row) % 4] + std::u16string(u" ") +
           Utf8ToUtf16(std::to_string(row * kCols + col));
}

const char* const kScript = R"(import html, sys, time
rows = [line.rstrip('\n').split('\t') for line in open(sys.argv[1], encoding='utf-8')]
def export():
    out = ['<HTML><HEAD>',
           '<meta http-equiv="Content-Type" content="text/html; charset=windows-1251">',
           '<TITLE></TITLE>', '</HEAD>', '<BODY bgcolor="#FFFFFF">',
           '<TABLE COLS="%d" BORDER="0" CELLPADDING="0" CELLSPACING="0">' % len(rows[0])]
    for row in rows:
        out.append('<TR>')
        for cell in row:
            kind, text = cell[0], cell[1:]
            align = ' ALIGN="right"' if kind == 'n' else ''
            out.append('<TD%s><font face=Arial size=2>%s</font></TD>'
                       % (align, html.escape(text, quote=False)))
        out.append('</TR>')
    out += ['</TABLE>', '</BODY>', '</HTML>', '']
    return '\r\n'.join(out).encode('cp1251', 'xmlcharrefreplace')
best = []
for _ in range(5):
    start = time.process_time()
    export()
    best.append(time.process_time() - start)
print(min(best) * 1000)
)";

TFixture& Fixture() {
    static TFixture fixture = [] {
        TFixture f;
        f.wb = std::make_unique<TTestWorkbook>();
        const std::string tsv = "/tmp/bench_html_export_cells.tsv";
        std::ofstream cells(tsv, std::ios::binary);
        for (int r = 0; r < kRows; ++r) {
            for (int c = 0; c < kCols; ++c) {
                std::string shown;
                if (c % 2 == 0) {
                    f.wb->Integer(c, r, r * kCols + c);
                    shown = "n" + std::to_string(r * kCols + c);
                } else {
                    const std::u16string text = CellText(c, r);
                    f.wb->Text(c, r, text);
                    shown = "s" + Utf16ToUtf8(text);
                }
                cells << (c ? "\t" : "") << shown;
            }
            cells << "\n";
        }
        cells.close();
        const std::string script = "/tmp/bench_html_export.py";
        std::ofstream(script) << kScript;
        if (FILE* pipe = popen(("/usr/bin/python3 " + script + " " + tsv).c_str(), "r")) {
            if (std::fscanf(pipe, "%lf", &f.pythonMs) != 1)
                f.pythonMs = 0;
            pclose(pipe);
        }
        return f;
    }();
    return fixture;
}

void BM_ExportHtml100kCells(benchmark::State& state) {
    TFixture& f = Fixture();
    TXLSExportHTML4 exporter(nullptr);
    exporter.SetXLS(&f.wb->Book());
    double best = 1e300;
    int64_t bytes = 0;
    // One stream for every run, emptied before each: its memory is paged in once, as Python's
    // allocator reuses the memory of its previous run.
    TMemoryStream stream;
    for (auto _ : state) {
        stream.Clear();
        const std::clock_t start = std::clock();
        exporter.ExportToStream(stream);
        best = std::min(best, static_cast<double>(std::clock() - start) * 1000.0 / CLOCKS_PER_SEC);
        bytes = stream.Size();
        benchmark::DoNotOptimize(stream.Memory());
    }
    state.counters["cells"] = kCols * kRows;
    state.counters["html_bytes"] = static_cast<double>(bytes);
    state.counters["ours_ms"] = best;
    state.counters["python_ms"] = f.pythonMs;
    state.counters["ours_per_python"] = f.pythonMs > 0 ? best / f.pythonMs : 0;
}
BENCHMARK(BM_ExportHtml100kCells)->Unit(benchmark::kMillisecond)->Iterations(5);

void BM_ClearWholeSheetOfTheNewerFormat(benchmark::State& state) {
    TTestWorkbook wb;
    wb.Book().SetVersion(xvExcel2007);
    for (auto _ : state) {
        state.PauseTiming();
        for (int i = 0; i < 100; ++i)
            wb.Number(i * 150, i * 10000, i);
        state.ResumeTiming();
        wb.Book().DeleteCells(0, 0, 0, MaxCol, MaxRow);
    }
}
BENCHMARK(BM_ClearWholeSheetOfTheNewerFormat)->Unit(benchmark::kMillisecond);

} // namespace
