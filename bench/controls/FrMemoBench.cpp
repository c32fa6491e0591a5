// The log memo of the main window takes a line per device exchange. Appending 10,000 lines to a
// shown framed memo (read-only, vertical scroll bar, the caret kept at the end by each line) is
// timed against the reference: the same lines appended to a bare Qt plain-text view through its
// own appendPlainText, in the same run. The events waiting are run every 20 lines, as the main
// window's 50 ms timer lets them run between batches of queued lines.
//
// Counters: "us_per_line" (the average; the target is below 1000), "last_vs_first" (the time of
// the last 1,000 lines over that of the first 1,000: about 1 when a line costs the same however
// long the memo is) and "vs_reference" (the memo's time over the reference's).

#include "controls/memo/FrMemo.h"
#include "platform/forms/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QPlainTextEdit>

#include <chrono>
#include <memory>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

void EnsureApp() {
    static TApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_framed_memo";
        static char* argv[] = {name, nullptr};
        return new TApplication(argc, argv);
    }();
    (void)app;
}

constexpr int kLines = 10000;
constexpr int kBatch = 20;

std::string LogLine(int i) {
    return "12.05.2024 10:15:" + std::to_string(10 + i % 50) + " > AT+QSET=" + std::to_string(i) +
           ",\"Параметр обмена\",OK";
}

// Seconds taken by lines [from, to) of a run of `add` over kLines lines.
struct TRun {
    double first = 0, last = 0, total = 0;
};

template <class Add> TRun Time(Add add) {
    TRun run;
    const auto start = Clock::now();
    auto mark = start;
    for (int i = 0; i < kLines; ++i) {
        add(i);
        if ((i + 1) % kBatch == 0)
            QApplication::processEvents();
        if (i + 1 == 1000) {
            run.first = std::chrono::duration<double>(Clock::now() - start).count();
        } else if (i + 1 == kLines - 1000) {
            mark = Clock::now();
        }
    }
    QApplication::processEvents();
    const auto end = Clock::now();
    run.last = std::chrono::duration<double>(end - mark).count();
    run.total = std::chrono::duration<double>(end - start).count();
    return run;
}

void BM_LogMemoAppend(benchmark::State& state) {
    EnsureApp();
    double total = 0, first = 0, last = 0, reference = 0;
    for (auto _ : state) {
        auto form = std::make_unique<TForm>(nullptr);
        form->SetBounds(0, 0, 640, 300);
        auto* memo = new TFrMemo(form.get());
        memo->SetParent(form.get());
        memo->SetAlign(alClient);
        memo->SetColor(clInfoBk);
        memo->SetReadOnly(true);
        memo->SetScrollBars(ssVertical);
        memo->SetFrameVisible(true);
        memo->SetFrameColor(0xB99D7F);
        form->Show();
        memo->HandleNeeded();
        const TRun run = Time([&](int i) { memo->Lines()->Add(LogLine(i)); });
        total += run.total, first += run.first, last += run.last;
        if (memo->Lines()->Count() != kLines || memo->CaretLine() != kLines)
            state.SkipWithError(("the memo ended with " + std::to_string(memo->Lines()->Count()) +
                                 " lines, the caret on line " + std::to_string(memo->CaretLine()))
                                    .c_str());

        QPlainTextEdit bare;
        bare.resize(636, 296);
        bare.setReadOnly(true);
        bare.show();
        reference +=
            Time([&](int i) { bare.appendPlainText(QString::fromStdString(LogLine(i))); }).total;
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["us_per_line"] = total / n / kLines * 1e6;
    state.counters["last_vs_first"] = last / first;
    state.counters["vs_reference"] = total / reference;
}
BENCHMARK(BM_LogMemoAppend)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
