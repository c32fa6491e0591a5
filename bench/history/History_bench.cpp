// The History page's own cost and the export, with the unit simulated on a pseudo-terminal.
//
// BM_PageOwnCost: one page step over records already read (the cache walk, decoding 32 records,
// building the rows, queueing them and filling the list view), with the command object's cache
// holding two pages, half the ring and the whole ring. Counters: milliseconds per page for each,
// "ratio_full_to_two_pages" (the whole ring's cost over two pages', measured in the same run:
// about 1 when the cost does not grow with the cache) and "ratio_to_5ms" (the whole ring's cost
// over the 5 ms budget).
//
// BM_PageThroughRingOverCable: from the write pointer back through all 65,504 records of a
// wrapped ring, each page fetched over the simulated cable (unpaced; the 400 ms pause after each
// request and the polls are on a clock that only counts them). Counters: milliseconds per page
// in all, in the device reads, and the program's own share ("own_ms_per_page"), and how many
// records the cache held at the end.
//
// BM_ExportThousandRecords: 1,000 records read from the unit, shown in a list view, exported to
// a file; "ratio_to_write" is the export's time over writing the same bytes to the same place
// (the part no export can avoid, measured in the same run), "ratio_to_100ms" its share of the
// 100 ms budget.

#include "app/history/DevHistorySource.h"
#include "app/history/HistoryOperations.h"
#include "app/history/HistoryRow.h"
#include "app/history/XlsExport.h"
#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "device/ComPortWorker.h"
#include "device/DevQuorvan.h"
#include "device/WorkerClock.h"
#include "tests/app/history/HistoryFakes.h"
#include "tools/unitsim/HistoryRing.h"
#include "tools/unitsim/UnitSim.h"

#include "platform/forms/Forms.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"
#include "platform/rtl/Files.h"
#include "platform/stdctrls/ListItems.h"
#include "platform/stdctrls/Registration.h"

#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>

#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

double MsSince(Clock::time_point start) {
    return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// The offscreen application the list views need, made once.
void EnsureApplication() {
    static std::unique_ptr<TApplication> app = [] {
        ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char name[] = "bench_app_history";
        static char* argv[] = {name, nullptr};
        auto a = std::make_unique<TApplication>(argc, argv);
        RegisterStdControls();
        return a;
    }();
}

// Counts the worker's pauses and poll intervals instead of sleeping them (1 ms each at most),
// so that the run measures the program and the line, not the cable's fixed pauses.
class TQuickClock : public TWorkerClock {
public:
    uint32_t Ticks() override { return now_.load(); }
    void Sleep(uint32_t ms) override {
        now_ += ms;
        std::this_thread::sleep_for(std::chrono::microseconds(ms >= 50 ? 1000 : 100));
    }

private:
    std::atomic<uint32_t> now_{0};
};

// A unit with a wrapped ring of 65,504 records, and a command object over the cable.
class TRingUnit {
public:
    explicit TRingUnit(long long written) : sim_(Options()) {
        sim_.Access([&](TSimUnit& unit, TSimModem*) {
            ring_ = std::make_unique<THistoryRing>(unit);
            ring_->Fill(written);
        });
        sim_.Start();
        port_ = std::make_unique<TComPortWorker>(sim_.Path(), false, nullptr);
        port_->SetClock(clock_);
        port_->Reopen();
        dev_ = std::make_unique<TDevQuorvan>(nullptr, port_.get());
    }
    ~TRingUnit() {
        dev_.reset();
        port_.reset();
        sim_.Stop();
    }
    TDevQuorvan& Dev() { return *dev_; }
    // The ring lines of records First..Last as the unit stores them.
    std::vector<std::string> Lines(int first, int last) {
        std::vector<std::string> lines;
        sim_.Access([&](TSimUnit&, TSimModem*) {
            for (int i = first; i <= last; ++i) {
                lines.push_back(THistoryRecord::Line(i, ring_->Record(i)));
            }
        });
        return lines;
    }

private:
    static TUnitSimOptions Options() {
        TUnitSimOptions options;
        options.Pacing = false;
        return options;
    }

    TUnitSim sim_;
    std::unique_ptr<THistoryRing> ring_;
    TQuickClock clock_;
    std::unique_ptr<TComPortWorker> port_;
    std::unique_ptr<TDevQuorvan> dev_;
};

// The history operations with the page's list filled from the output queue, as the drain
// timer fills it.
struct TPage {
    explicit TPage(TDevQuorvan& dev) : host(dev, queue), ops(host, view) {
        for (const std::string& caption : HistoryColumnCaptions(9)) {
            view.List()->Columns()->Add()->SetCaption(caption);
        }
    }
    TPage(TDevQuorvan& dev, THistorySource& source) : host(dev, queue), ops(host, view, source) {
        for (const std::string& caption : HistoryColumnCaptions(9)) {
            view.List()->Columns()->Add()->SetCaption(caption);
        }
    }
    // A page step as the operator sees it: the list cleared, the step, the rows drained in.
    template <typename TStep> void Step(TStep step) {
        view.ClearList();
        step(ops);
        DrainOutArray(queue);
    }
    TOutArray queue;
    histtest::TFakeHistoryHost host;
    histtest::TFakeHistoryView view;
    THistoryOperations ops;
};

void BM_PageOwnCost(benchmark::State& state) {
    EnsureApplication();
    constexpr int kRing = THistoryRecord::RingSize;
    TRingUnit unit(2LL * kRing);
    const int cacheSizes[] = {64, kRing / 2, kRing};
    double msPerPage[3] = {};
    for (auto _ : state) {
        for (int k = 0; k < 3; ++k) {
            // The cache holds the records of the shown pages and as many more as the run asks.
            unit.Dev().Cache().Clear();
            const int first = kRing - cacheSizes[k];
            unit.Dev().Cache().Store(first, kRing - 1, unit.Lines(first, kRing - 1));
            TPage page(unit.Dev());
            page.Step([](THistoryOperations& ops) { ops.ReadHistoryPage(); }); // pointer 0
            constexpr int kSteps = 400;
            const auto start = Clock::now();
            for (int i = 0; i < kSteps; ++i) {
                page.Step([i](THistoryOperations& ops) {
                    if (i % 2 == 0) {
                        ops.HistoryBack();
                    } else {
                        ops.HistoryForward();
                    }
                });
            }
            msPerPage[k] = MsSince(start) / kSteps;
            if (page.view.List()->Items()->Count() != 32) {
                state.SkipWithError("a page did not show 32 rows");
                return;
            }
        }
    }
    state.counters["ms_per_page_cache_64"] = msPerPage[0];
    state.counters["ms_per_page_cache_half"] = msPerPage[1];
    state.counters["ms_per_page_cache_full"] = msPerPage[2];
    state.counters["ratio_full_to_two_pages"] = msPerPage[2] / msPerPage[0];
    state.counters["ratio_to_5ms"] = msPerPage[2] / 5.0;
}
BENCHMARK(BM_PageOwnCost)->Iterations(1)->Unit(benchmark::kMillisecond);

// Times the device reads of the operations.
class TTimedSource : public THistorySource {
public:
    explicit TTimedSource(TDevQuorvan& dev) : inner_(dev) {}
    bool ReadRecords(int First, int Count, std::vector<std::string>& Lines) override {
        const auto start = Clock::now();
        const bool ok = inner_.ReadRecords(First, Count, Lines);
        ms += MsSince(start);
        return ok;
    }
    bool ReadWrapState(bool& Wrapped) override {
        const auto start = Clock::now();
        const bool ok = inner_.ReadWrapState(Wrapped);
        ms += MsSince(start);
        return ok;
    }
    double ms = 0;

private:
    TDevHistorySource inner_;
};

void BM_PageThroughRingOverCable(benchmark::State& state) {
    EnsureApplication();
    constexpr int kPages = THistoryRecord::RingSize / 32;
    for (auto _ : state) {
        TRingUnit unit(THistoryRecord::RingSize + 1000); // wrapped, pointer at 1000
        TTimedSource source(unit.Dev());
        TPage page(unit.Dev(), source);
        const auto start = Clock::now();
        page.Step([](THistoryOperations& ops) { ops.ReadHistoryPage(); });
        for (int i = 1; i < kPages; ++i) {
            page.Step([](THistoryOperations& ops) { ops.HistoryBack(); });
        }
        const double total = MsSince(start);
        const size_t cached = unit.Dev().Cache().Count();
        if (cached != static_cast<size_t>(THistoryRecord::RingSize)) {
            state.SkipWithError("not every record was read");
            return;
        }
        state.counters["ms_per_page"] = total / kPages;
        state.counters["device_ms_per_page"] = source.ms / kPages;
        state.counters["own_ms_per_page"] = (total - source.ms) / kPages;
        state.counters["cached_records"] = static_cast<double>(cached);
    }
}
BENCHMARK(BM_PageThroughRingOverCable)->Iterations(1)->Unit(benchmark::kMillisecond);

void BM_ExportThousandRecords(benchmark::State& state) {
    EnsureApplication();
    constexpr int kRecords = 1000;
    TRingUnit unit(kRecords);
    TStringList lines;
    if (!unit.Dev().ReadHistory(0, kRecords, lines) || lines.Count() != kRecords) {
        state.SkipWithError("the unit did not send its history");
        return;
    }
    TListView list(nullptr);
    for (const std::string& caption : HistoryColumnCaptions(13)) {
        list.Columns()->Add()->SetCaption(caption);
    }
    THistoryRowOptions options;
    options.Shell = 503;
    options.Build = 90;
    options.Columns = 13;
    options.ThisYear = CurrentYear();
    for (int i = kRecords - 1; i >= 0; --i) {
        const THistoryRow row = HistoryRow(lines[i], options);
        TListItem* item = list.Items()->Add();
        item->SetCaption(row.Caption);
        item->SubItems()->AddStrings(row.SubItems);
    }
    const std::string folder =
        std::filesystem::temp_directory_path() / ("q4-bench-history-" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    const std::string file = folder + "/history.xls";
    double exportMs = 0;
    double writeMs = 0;
    int runs = 0;
    for (auto _ : state) {
        auto start = Clock::now();
        ExportHistoryToXls(HistorySheetOf(list), file);
        exportMs += MsSince(start);
        const std::string bytes = ReadFileBytes(file);
        start = Clock::now();
        WriteFileAtomic(file, bytes);
        writeMs += MsSince(start);
        ++runs;
    }
    std::filesystem::remove_all(folder);
    state.counters["export_ms"] = exportMs / runs;
    state.counters["write_ms"] = writeMs / runs;
    state.counters["ratio_to_write"] = exportMs / writeMs;
    state.counters["ratio_to_100ms"] = exportMs / runs / 100.0;
}
BENCHMARK(BM_ExportThousandRecords)->Iterations(20)->Unit(benchmark::kMillisecond);

} // namespace
