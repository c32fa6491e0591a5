// Speed of the runtime pieces the program leans on: number texts in every page refresh, the
// settings file written key by key when the main window closes, and the hand-over of calls from
// a worker to the main thread.

#include "platform/rtl/CodePage.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/IniFiles.h"
#include "platform/rtl/Threads.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <unistd.h>

namespace {

const TFormatSettings ru = TFormatSettings::Russian();

void BM_FormatMixed(benchmark::State& state) {
    for (auto _ : state)
        benchmark::DoNotOptimize(Format("%.4d %2.2f %s %x", {42, 12.5, "COM3", 255}, ru));
}
BENCHMARK(BM_FormatMixed);

void BM_FloatToStr(benchmark::State& state) {
    double v = 0.29;
    for (auto _ : state) {
        benchmark::DoNotOptimize(FloatToStr(v * 100, ru));
        v += 1e-9;
    }
}
BENCHMARK(BM_FloatToStr);

void BM_Cp1251RoundTrip(benchmark::State& state) {
    std::string text;
    for (int i = 0; i < 1024; ++i)
        text += static_cast<char>(0xC0 + i % 64);
    for (auto _ : state)
        benchmark::DoNotOptimize(Utf8ToCp1251(Cp1251ToUtf8(text)));
    state.SetBytesProcessed(state.iterations() * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_Cp1251RoundTrip);

// The main window saves every page's controls key by key: about 100 writes.
void BM_IniFileWriteThrough100Keys(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("q4rtl_bench_" + std::to_string(::getpid()) + ".ini"))
                                 .string();
    for (auto _ : state) {
        TIniFile ini(path);
        for (int k = 0; k < 100; ++k)
            ini.WriteString("formCommon", "key" + std::to_string(k), "value");
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_IniFileWriteThrough100Keys)->Unit(benchmark::kMillisecond);

void BM_MemIniFile100KeysOneSave(benchmark::State& state) {
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("q4rtl_bench_mem_" + std::to_string(::getpid()) + ".ini"))
                                 .string();
    for (auto _ : state) {
        TMemIniFile ini(path);
        for (int k = 0; k < 100; ++k)
            ini.WriteString("formCommon", "key" + std::to_string(k), "value");
        ini.UpdateFile();
    }
    std::filesystem::remove(path);
}
BENCHMARK(BM_MemIniFile100KeysOneSave)->Unit(benchmark::kMillisecond);

void BM_SynchronizeRoundTrip(benchmark::State& state) {
    // A worker hands 1000 calls to this (main) thread, which waits for it meanwhile.
    class TWorker : public TThread {
    protected:
        void Execute() override {
            for (int i = 0; i < 1000; ++i)
                Synchronize([] {});
        }
    };
    for (auto _ : state) {
        TWorker worker;
        worker.Start();
        worker.WaitFor();
    }
    state.SetItemsProcessed(state.iterations() * 1000);
}
BENCHMARK(BM_SynchronizeRoundTrip)->Unit(benchmark::kMillisecond);

} // namespace
