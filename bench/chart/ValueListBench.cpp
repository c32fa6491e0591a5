// A million values appended to an ascending value list (a time series arriving slightly out of
// order, as readings do) and its statistics read, against the same values inserted into a plain
// std::vector<double> with std::upper_bound and a left-to-right scan for the same figures. Both
// run in every iteration; the counters give each time and the ratio (target at most 1.5x).

#include "chart/core/ChartValueList.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <random>
#include <vector>

namespace {

constexpr int kValues = 1000000;

std::vector<double> Readings() {
    std::mt19937_64 rng(20261210);
    std::uniform_real_distribution<double> jitter(-2.5, 2.5);
    std::vector<double> out(kValues);
    for (int i = 0; i < kValues; ++i)
        out[static_cast<size_t>(i)] = i + jitter(rng);
    return out;
}

double TimeList(const std::vector<double>& input) {
    const auto start = std::chrono::steady_clock::now();
    TChartValueList list(nullptr, "X");
    list.SetOrder(TChartListOrder::loAscending);
    for (double v : input)
        list.AppendValue(v);
    benchmark::DoNotOptimize(list.Highest() + list.Lowest() + list.Sum() + list.SumAbs());
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double TimeVector(const std::vector<double>& input) {
    const auto start = std::chrono::steady_clock::now();
    std::vector<double> values;
    for (double v : input)
        values.insert(std::upper_bound(values.begin(), values.end(), v), v);
    double lo = values[0], hi = values[0], sum = values[0], sumAbs = std::fabs(values[0]);
    for (size_t i = 1; i < values.size(); ++i) {
        const double v = values[i];
        if (v < lo)
            lo = v;
        else if (v > hi)
            hi = v;
        sum += v;
        sumAbs += std::fabs(v);
    }
    benchmark::DoNotOptimize(hi + lo + sum + sumAbs);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_ValueListAppendAndStatistics(benchmark::State& state) {
    const std::vector<double> input = Readings();
    double listTotal = 0, vectorTotal = 0;
    bool listFirst = true;
    for (auto _ : state) {
        // Whichever runs second finds the memory the first one freed: take turns.
        double list = 0;
        if (listFirst)
            list = TimeList(input);
        vectorTotal += TimeVector(input);
        if (!listFirst)
            list = TimeList(input);
        listFirst = !listFirst;
        listTotal += list;
        state.SetIterationTime(list);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["list_ms"] = 1000 * listTotal / n;
    state.counters["vector_ms"] = 1000 * vectorTotal / n;
    state.counters["ratio"] = listTotal / vectorTotal;
}
BENCHMARK(BM_ValueListAppendAndStatistics)->UseManualTime()->Unit(benchmark::kMillisecond);

} // namespace
