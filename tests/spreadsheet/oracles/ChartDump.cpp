// What the outside checks of charts compare with.
//
//   spreadsheet_chart_dump roundtrip IN OUT  reads the chart records IN holds (BOF to EOF) into a
//                                            chart shape's part, attaches the typed layer,
//                                            writes the records to OUT and prints, one line
//                                            each, the chart's style, the gel frames
//                                            attached and every series' values,
//                                            categories and name
//   spreadsheet_chart_dump default OUT [K]   writes the default chart with one series over
//                                            Sheet1!$B$2:$B$5 named "Volts", with the chart
//                                            group of template K (4 to 10) when given
//
// Formulas name the sheet at index 0 "Sheet1", which is the first sheet reference of the
// workbook (as its EXTERNSHEET record would give it) and holds the texts "Volts" in B1 and
// "Amps" in C1.

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/charts/DrwChart.h"
#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/ChartTemplates.h"
#include "spreadsheet/formulas/FormulaHandler.h"
#include "tests/spreadsheet/charts/ChartTestSupport.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

struct TBook : TChartBook {
    TBook() {
        // Sheet1 is the workbook's first sheet reference, as its EXTERNSHEET record says.
        handler.EncodeFormula(u"Sheet1!A1", 0x20);
        Text(1, 0, u"Volts");
        Text(2, 0, u"Amps");
    }
    // No drawing: items attach to the parts given to them instead of making shapes.
    TDrwCharts charts{nullptr, nullptr, &handler, &fonts};
};

std::string Utf8(const std::u16string& text) {
    return Utf16ToUtf8(text);
}

// A property's text, or the error it raises.
template <class TGet> std::string Property(TGet get) {
    try {
        return Utf8(get());
    } catch (const Exception& e) {
        return std::string("error: ") + e.what();
    }
}

void Print(TDrwChart& chart) {
    const TChartStyle* style = chart.PlotArea().Style.get();
    std::printf("style %s\n", style ? style->ClassName().c_str() : "none");
    // Gel frames the typed layer attached (and so writes from their property tables).
    int gelFrames = (chart.PaintFrame().GelFrame ? 1 : 0) +
                    (chart.PlotArea().PaintFrame.GelFrame ? 1 : 0) +
                    (style && style->Legend.PaintFrame.GelFrame ? 1 : 0);
    std::printf("attached-gel-frames %d\n", gelFrames);
    for (int i = 0; i < chart.Series().Count(); ++i) {
        TXLSChartSerie& serie = *chart.Series().Items(i);
        std::printf("series %d values=%s category=%s name=%s\n", i,
                    Property([&] { return serie.Values(); }).c_str(),
                    Property([&] { return serie.Category(); }).c_str(),
                    Property([&] { return serie.SerieName(); }).c_str());
    }
}

void Save(const TChartRecord& root, const char* path) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    WriteChartRecords(root, stream);
    memory.SaveToFile(path);
}

int RoundTrip(const char* in, const char* out) {
    TBook book;
    TShapeOutsideMsoChart part(&book.group, &book.fonts);
    TMemoryStream source;
    source.LoadFromFile(in);
    source.SetPosition(0);
    TBIFFStream stream(&source);
    ReadChartRecords(*part.Root, stream);
    TDrwChart& chart = *book.charts.Add();
    AttachChart(chart, *part.Root);
    Print(chart);
    Save(*part.Root, out);
    return 0;
}

int Default(const char* out, int group) {
    TBook book;
    TShapeOutsideMsoChart part(&book.group, &book.fonts);
    InsertTemplate(*part.Root, ctDefaultChart, &book.fonts);
    if (group >= 0) {
        // The chart group's records in place of the column chart's.
        TDrwChart probe(nullptr);
        AttachChart(probe, *part.Root);
        TChartRecord& format = *probe.PlotArea().Style->Record;
        format.Children.clear();
        InsertTemplate(format, group, &book.fonts);
    }
    TDrwChart& chart = *book.charts.Add();
    AttachChart(chart, *part.Root);
    TXLSChartSerie& serie = *chart.Series().Items(0);
    serie.SetValues(u"Sheet1!$B$2:$B$5");
    serie.SetCategory(u"Sheet1!$A$2:$A$5");
    serie.SetSerieName(u"\"Volts\"");
    Print(chart);
    Save(*part.Root, out);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    try {
        if (argc == 4 && std::strcmp(argv[1], "roundtrip") == 0)
            return RoundTrip(argv[2], argv[3]);
        if (argc == 3 && std::strcmp(argv[1], "default") == 0)
            return Default(argv[2], -1);
        if (argc == 4 && std::strcmp(argv[1], "default") == 0)
            return Default(argv[2], std::atoi(argv[3]));
    } catch (const Exception& e) {
        std::fprintf(stderr, "error: %s\n", e.what());
        return 1;
    }
    std::fprintf(stderr, "usage: %s roundtrip IN OUT | default OUT [GROUP]\n", argv[0]);
    return 2;
}
