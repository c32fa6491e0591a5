// A series' stored points from outside (a form description). The first byte picks the series:
// bit 0 a horizontal one, the next bits 0 to 2 further value lists; the rest is the block. It
// either reads, leaving manual data and a closed batch, or raises an ordinary error with the
// batch closed. What reads is written back, and that block reads into a series that writes
// the same bytes again.

#include "chart/core/ChartCore.h"
#include "chart/core/SeriesDataBlock.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/core/SeriesDataTestSupport.h"

#include <QGuiApplication>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    static QGuiApplication app(*argc, *argv);
    StartChartCore();
    return 0;
}

static std::string Block(TChartSeries& series) {
    TStringStream stream;
    TSeriesDataBlock::Write(series, stream);
    return stream.DataString();
}

// Equal positions keep their order when added again; a NaN among them does not.
static bool OrderIsStable(const TChartSeries& series) {
    for (int i = 0; i < series.Count(); ++i)
        if (std::isnan(series.XValueAt(i)))
            return false;
    return true;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    TStoredSeriesShape shape;
    shape.horizontal = (data[0] & 1) != 0;
    shape.extraLists = (data[0] >> 1) % 3;
    TStringStream stream(std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    TStoredShapeSeries series(nullptr, shape);
    try {
        TSeriesDataBlock::Read(series, stream);
    } catch (const Exception&) {
        if (series.UpdateDepth() != 0 || series.ManualData())
            std::abort();
        return 0;
    }
    if (series.UpdateDepth() != 0 || !series.ManualData())
        std::abort();
    const std::string written = Block(series);
    TStringStream again(written);
    TStoredShapeSeries back(nullptr, shape);
    TSeriesDataBlock::Read(back, again);
    if (back.Count() != series.Count())
        std::abort();
    if ((shape.horizontal || OrderIsStable(series)) && Block(back) != written)
        std::abort();
    return 0;
}
