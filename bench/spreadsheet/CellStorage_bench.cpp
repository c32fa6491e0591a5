// A million numeric cells written, read back and formatted, beside the same loop on a hash map
// of positions (the baseline the cell store is measured against).

#include "platform/rtl/FloatFormat.h"
#include "spreadsheet/cells/CellStorage.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <unordered_map>

namespace {

constexpr int kCells = 1000000;
constexpr int kColumns = 100;

void CellStore(benchmark::State& state) {
    TXFonts fonts;
    TCellFormats formats(fonts, true);
    formats.Mask().SetFormatSettings(TFormatSettings::Invariant());
    TSST2 sst(fonts);
    for (auto _ : state) {
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
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}

void HashMapBaseline(benchmark::State& state) {
    const TFormatSettings settings = TFormatSettings::Invariant();
    for (auto _ : state) {
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
    }
    state.SetItemsProcessed(state.iterations() * kCells);
}

} // namespace

BENCHMARK(CellStore)->Unit(benchmark::kMillisecond);
BENCHMARK(HashMapBaseline)->Unit(benchmark::kMillisecond);
