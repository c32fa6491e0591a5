// The main window's start to its first paint, offscreen: making the program's windows as the
// program does (the main window with its six pages read from their descriptions, the settings
// loaded from "current.ini", the connection-progress, About and firmware windows), showing the
// main window and running the events until it has painted once. The reference, in the same run,
// is a bare form of the same size shown until its first paint.
//
// Counters: "ms" (the average start to first paint; the target is below 300) and "vs_reference"
// (the main window's time over the bare form's).

#include "app/firmware/FormUpdateIns.h"
#include "app/firmware/FormUpdateInsertion.h"
#include "app/mainwin/DlgSplash.h"
#include "app/mainwin/FormAbout.h"
#include "app/mainwin/FormMain.h"
#include "app/mainwin/ProgramWindows.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/Files.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QWidget>

#include <chrono>
#include <cstdlib>
#include <string>

namespace {

using Clock = std::chrono::steady_clock;

void EnsureApp() {
    static TApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_main_window";
        static char* argv[] = {name, nullptr};
        char folder[] = "/tmp/q4-bench-main-XXXXXX";
        SetProgramFileName(std::string(mkdtemp(folder)) + "/quorvan4");
        InitializeProgramModules();
        return new TApplication(argc, argv);
    }();
    (void)app;
}

// Sees the first paint of any widget in the window of `top` (a bare form may paint only through
// the widgets the platform puts inside it).
class TPaintWatch : public QObject {
public:
    explicit TPaintWatch(QWidget* top) : top_(top) {}
    bool Painted = false;
    bool eventFilter(QObject* object, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* widget = qobject_cast<QWidget*>(object);
            if (widget != nullptr && widget->window() == top_->window())
                Painted = true;
        }
        return false;
    }

private:
    QWidget* top_;
};

// Shows the form and runs the events until it painted; the time from `start`.
double UntilFirstPaint(TCustomForm* form, Clock::time_point start) {
    TPaintWatch watch(form->Handle());
    qApp->installEventFilter(&watch);
    form->Show();
    while (!watch.Painted)
        QApplication::processEvents(QEventLoop::AllEvents, 5);
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    qApp->removeEventFilter(&watch);
    return ms;
}

double StartMainWindow() {
    const auto start = Clock::now();
    TProgramWindows w = CreateProgramWindows(*Application);
    w.Main->SetBounds(0, 0, 1024, 768);
    const double ms = UntilFirstPaint(w.Main, start);
    FreeProgramWindows(w);
    return ms;
}

double StartBareForm() {
    const auto start = Clock::now();
    auto* form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 1024, 768);
    const double ms = UntilFirstPaint(form, start);
    form->Free();
    return ms;
}

void BM_MainWindowStartToFirstPaint(benchmark::State& state) {
    EnsureApp();
    StartMainWindow(); // the first run also loads fonts and the platform plugin
    double total = 0, reference = 0;
    int runs = 0;
    for (auto _ : state) {
        const double ms = StartMainWindow();
        state.SetIterationTime(ms / 1000.0);
        total += ms;
        state.PauseTiming();
        reference += StartBareForm();
        state.ResumeTiming();
        ++runs;
    }
    state.counters["ms"] = total / runs;
    state.counters["vs_reference"] = total / reference;
}

} // namespace

BENCHMARK(BM_MainWindowStartToFirstPaint)
    ->UseManualTime()
    ->Iterations(10)
    ->Unit(benchmark::kMillisecond);
