// SUM and COUNT over the whole sheet (A1:IV65536) with N numeric cells stored, either as a
// table of 20 columns from A1 down or scattered at random over the sheet, against a plain loop
// that adds and counts the same N values held in a std::vector<double>. Both run in every
// iteration; the counters give each time and the ratio formula / loop. The formula's cost
// follows N and the rows in use, not the 16.7 million positions of the area.

#include "spreadsheet/cells/Cell.h"
#include "spreadsheet/core/XLSGlobals.h"
#include "spreadsheet/formulas/FormulaHandler.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <random>
#include <stdexcept>
#include <vector>

namespace {

double Seconds(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_WholeSheetAggregate(benchmark::State& state) {
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    TXFonts fonts;
    TCellFormats formats(fonts, true);
    TSST2 sst(fonts);
    TFormulaHandler handler(sst, TFormatSettings::Invariant());
    TCellValues& store = *handler.CellValuesList().AddNew();
    const int n = static_cast<int>(state.range(0));
    const bool scattered = state.range(1) != 0;
    std::mt19937 rng(11);
    std::vector<double> values;
    while (static_cast<int>(values.size()) < n) {
        // Scattered over the sheet, or a table of 20 columns from A1 down.
        const int i = static_cast<int>(values.size());
        const int col = scattered ? static_cast<int>(rng() % 256) : i % 20;
        const int row = scattered ? static_cast<int>(rng() % 65536) : i / 20;
        if (store.FindCell(col, row))
            continue;
        const double v = static_cast<double>(rng() % 1000) / 4;
        store.SetCell(col, row,
                      std::make_unique<TFloatCell>(formats, formats.DefaultFormat(), col, row, v));
        values.push_back(v);
    }
    const std::vector<uint8_t> sum = handler.EncodeFormula(u"SUM(A1:IV65536)");
    const std::vector<uint8_t> count = handler.EncodeFormula(u"COUNT(A1:IV65536)");
    double formulaTotal = 0, loopTotal = 0;
    for (auto _ : state) {
        auto start = std::chrono::steady_clock::now();
        TFormulaValue total, counted;
        handler.CalcFormula(sum, 0, total, 0, 0);
        handler.CalcFormula(count, 0, counted, 0, 0);
        const double formula = Seconds(start);
        start = std::chrono::steady_clock::now();
        double loopSum = 0;
        int64_t loopCount = 0;
        for (double v : values) {
            loopSum += v;
            ++loopCount;
        }
        benchmark::DoNotOptimize(loopSum);
        benchmark::DoNotOptimize(loopCount);
        loopTotal += Seconds(start);
        formulaTotal += formula;
        state.SetIterationTime(formula);
        if (counted.Number != static_cast<double>(loopCount) || total.Kind != fvNumber)
            throw std::runtime_error("the formula and the loop disagree");
    }
    const double iterations = static_cast<double>(state.iterations());
    state.counters["formula_us"] = 1e6 * formulaTotal / iterations;
    state.counters["loop_us"] = 1e6 * loopTotal / iterations;
    state.counters["ratio"] = formulaTotal / loopTotal;
    state.SetItemsProcessed(state.iterations() * n);
}
BENCHMARK(BM_WholeSheetAggregate)
    ->ArgNames({"cells", "scattered"})
    ->ArgsProduct({{10, 1000, 100000}, {0, 1}})
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

} // namespace
