// A chart's records from arbitrary bytes, read into a chart shape's part. Only the library's
// own errors may come out. What reads attaches the typed layer (which may refuse) and reads its
// properties; then it writes, reads again and writes the same records.

#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "spreadsheet/charts/DrwChart.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/drawing/ChartPart.h"
#include "spreadsheet/drawing/EscherGroup.h"
#include "spreadsheet/formats/CellFormats.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <cstdint>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition)
        __builtin_trap();
}

std::vector<uint8_t> Save(const TChartRecord& root) {
    TMemoryStream memory;
    TBIFFStream stream(&memory);
    WriteChartRecords(root, stream);
    std::vector<uint8_t> bytes(static_cast<size_t>(memory.Size()));
    memory.SetPosition(0);
    if (!bytes.empty())
        memory.ReadBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    return bytes;
}

bool Load(TChartRecord& root, const uint8_t* data, size_t size) {
    TMemoryStream memory;
    memory.WriteBuffer(data, static_cast<int64_t>(size));
    memory.SetPosition(0);
    TBIFFStream stream(&memory);
    try {
        ReadChartRecords(root, stream);
        return true;
    } catch (const Exception&) {
        return false;
    }
}

// Reads every property the typed layer offers; each may raise the library's error.
void ReadProperties(TDrwChart& chart) {
    const auto tryRead = [](auto read) {
        try {
            read();
        } catch (const Exception&) {
        }
    };
    for (int i = 0; i < chart.Series().Count(); ++i) {
        TXLSChartSerie& serie = *chart.Series().Items(i);
        tryRead([&] { serie.Values(); });
        tryRead([&] { serie.Values2(); });
        tryRead([&] { serie.Category(); });
        tryRead([&] { serie.SerieName(); });
        tryRead([&] { serie.Geomtery(); });
        tryRead([&] { serie.HasDefDataPoint(); });
    }
    tryRead([&] { chart.SheetOptions(); });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool started = [] {
        InitializeRecordFormatUnit();
        InitializeUtilitiesUnit();
        return true;
    }();
    (void)started;
    TXFonts fonts;
    TCellFormats formats{fonts, true};
    TSST2 sst{fonts};
    TFormulaHandler handler{sst, TFormatSettings::Invariant()};
    handler.CellValuesList().AddNew();
    TEscherGroup group;
    TDrwCharts charts{nullptr, nullptr, &handler, &fonts};
    TShapeOutsideMsoChart part(&group, &fonts);
    if (!Load(*part.Root, data, size))
        return 0;
    TDrwChart& chart = *charts.Add();
    try {
        AttachChart(chart, *part.Root);
    } catch (const Exception&) {
    }
    ReadProperties(chart);
    const std::vector<uint8_t> first = Save(*part.Root);
    TEscherGroup group2;
    TShapeOutsideMsoChart again(&group2, &fonts);
    Check(Load(*again.Root, first.data(), first.size()));
    Check(Save(*again.Root) == first);
    return 0;
}
