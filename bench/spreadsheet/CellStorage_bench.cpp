// A million numeric cells written, read back and formatted, against the same loop on a
// std::unordered_map<uint64_t, double> of positions with the same number text. Both run in every
// iteration, taking turns at going first (the second finds the memory the first one freed); the
// counters give each time and the ratio store / map (target at most 3x).

#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/cells/CellStorage.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <unordered_map>

namespace {

constexpr int kCells = 1000000;
constexpr int kColumns = 100;

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeStore(TCellFormats& formats, TSST2& sst) {
    const auto start = std::chrono::steady_clock::now();
    TCellValuesList list(sst);
    TCellValues& store = *list.AddNew();
    TCellFormat* format = formats.Formats(0);
    for (int i = 0; i < kCells; ++i)
        store.SetCell(
            i % kColumns, i / kColumns,
            std::make_unique<TFloatCell>(formats, format, i % kColumns, i / kColumns, i * 0.5));
    double sum = 0;
    size_t chars = 0;
    for (int i = 0; i < kCells; ++i) {
        sum += static_cast<TFloatCell*>(store.FindCell(i % kColumns, i / kColumns))->Value;
        chars += store.GetAsFormattedText(i % kColumns, i / kColumns).size();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(chars);
    return Seconds(start);
}

double TimeMap(const TFormatSettings& settings) {
    const auto start = std::chrono::steady_clock::now();
    std::unordered_map<uint64_t, double> cells;
    for (int i = 0; i < kCells; ++i)
        cells[static_cast<uint64_t>(i / kColumns) << 16 | static_cast<uint64_t>(i % kColumns)] =
            i * 0.5;
    double sum = 0;
    size_t chars = 0;
    for (int i = 0; i < kCells; ++i) {
        const double v = cells.at(static_cast<uint64_t>(i / kColumns) << 16 |
                                  static_cast<uint64_t>(i % kColumns));
        sum += v;
        chars += FloatToStr(v, settings).size();
    }
    benchmark::DoNotOptimize(sum);
    benchmark::DoNotOptimize(chars);
    return Seconds(start);
}

void BM_MillionNumericCells(benchmark::State& state) {
    TXFonts fonts;
    TCellFormats formats(fonts, true);
    const TFormatSettings settings = TFormatSettings::Invariant();
    formats.Mask().SetFormatSettings(settings);
    TSST2 sst(fonts);
    double storeTotal = 0, mapTotal = 0;
    bool storeFirst = true;
    for (auto _ : state) {
        double store = 0;
        if (storeFirst)
            store = TimeStore(formats, sst);
        mapTotal += TimeMap(settings);
        if (!storeFirst)
            store = TimeStore(formats, sst);
        storeFirst = !storeFirst;
        storeTotal += store;
        state.SetIterationTime(store);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["store_ms"] = 1000 * storeTotal / n;
    state.counters["map_ms"] = 1000 * mapTotal / n;
    state.counters["ratio"] = storeTotal / mapTotal;
    state.SetItemsProcessed(state.iterations() * kCells);
}
BENCHMARK(BM_MillionNumericCells)->UseManualTime()->MinTime(3)->Unit(benchmark::kMillisecond);

} // namespace
