// The filters editor's preview as a user drags an option: a 1024 x 768 picture with three
// filters (brightness, hue-luminance-saturation, sharpen), filtered again and scaled into the
// preview after a change of the brightness scroll bar. The budget is 30 ms per change; the run
// reports each change's share of it for single changes (each one refreshed) and for a drag of
// five changes between two turns of the event loop (one shared refresh), and beside them each
// filter alone and the scaling alone. The reference, measured in the same run, is Qt's own
// smooth scaling of the same picture into the preview's size (QImage::scaled): the run ends with
// the change's time against the budget and its ratio to that reference.

#include "bench/support/TimesReporter.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/editors/EditorRegistration.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/imaging/Filters.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/imaging/Resample.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"
#include "platform/stdctrls/PageControl.h"
#include "platform/stdctrls/ScrollBar.h"

#include <benchmark/benchmark.h>

#include <QImage>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

constexpr int kW = 1024;
constexpr int kH = 768;
constexpr double kBudgetMs = 30;

struct TBench {
    TBench() {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        static int argc = 1;
        static char program[] = "bench_chart_filters_preview";
        static char* argv[] = {program, nullptr};
        app = std::make_unique<TApplication>(argc, argv);
        StartChartLibrary();
        StartChartImaging();
        RegisterChartEditorClasses();
        TCanvas* c = source.Canvas();
        for (int y = 0; y < kH; y += 32)
            for (int x = 0; x < kW; x += 32) {
                c->Brush()->SetColor(RGB(static_cast<std::uint8_t>(x / 4),
                                         static_cast<std::uint8_t>(y / 3),
                                         static_cast<std::uint8_t>((x + y) / 8)));
                c->FillRect(Rect(x, y, x + 32, y + 32));
            }
        filters.Add<TBrightnessFilter>();
        filters.Add<THueLumSatFilter>()->Hue = 40;
        filters.Add<TSharpenFilter>();
        editor = TCustomForm::Create<TFiltersEditor>(nullptr);
        editor->SourceGraphic = &source;
        editor->EditedFilters = &filters;
        editor->Show();
        auto* options = static_cast<TTabSheet*>(editor->FindComponent("Properties"));
        for (int i = 0; i < options->ControlCount(); ++i)
            if (auto* bar = dynamic_cast<TScrollBar*>(options->Controls(i)))
                amount = bar;
    }
    std::unique_ptr<TApplication> app;
    TBitmap source{kW, kH, pf24bit};
    TFilterItems filters;
    TFiltersEditor* editor = nullptr;
    TScrollBar* amount = nullptr;
};

TBench& Bench() {
    static TBench bench;
    return bench;
}

void BM_PreviewPerChange(benchmark::State& state) {
    TBench& b = Bench();
    if (b.amount == nullptr || b.editor->PreviewBitmap() == nullptr) {
        state.SkipWithError("the editor shows no brightness scroll bar or no preview");
        return;
    }
    int step = 0;
    double totalMs = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        const int changes = static_cast<int>(state.range(0));
        for (int i = 0; i < changes; ++i)
            b.amount->SetPosition(step++ % 2 == 0 ? 40 : -40); // writes, asks for a refresh
        b.editor->FlushPreview();                              // the event loop's turn
        benchmark::DoNotOptimize(b.editor->PreviewBitmap());
        totalMs +=
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count();
    }
    // Above 1 the change takes longer than the budget.
    state.counters["budget_share"] =
        benchmark::Counter(totalMs / kBudgetMs / static_cast<double>(state.range(0)),
                           benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_PreviewPerChange)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_FiltersAlone(benchmark::State& state) {
    TBench& b = Bench();
    TBitmap work(kW, kH, pf32bit);
    for (auto _ : state) {
        work.Canvas()->Draw(0, 0, &b.source);
        b.filters.ApplyTo(work);
    }
}
BENCHMARK(BM_FiltersAlone)->Unit(benchmark::kMillisecond);

// Each of the three filters on its own, to show where a change's time goes.
void BM_OneFilter(benchmark::State& state) {
    TBench& b = Bench();
    TBitmap work(kW, kH, pf32bit);
    work.Canvas()->Draw(0, 0, &b.source);
    TPlotFilter* filter = b.filters.Items(static_cast<int>(state.range(0)));
    state.SetLabel(filter->Description());
    for (auto _ : state)
        filter->ApplyTo(work);
}
BENCHMARK(BM_OneFilter)->DenseRange(0, 2)->Unit(benchmark::kMillisecond);

void BM_ScaleAlone(benchmark::State& state) {
    TBench& b = Bench();
    TBitmap work(kW, kH, pf32bit);
    work.Canvas()->Draw(0, 0, &b.source);
    TBitmap scaled(346, 300, pf24bit);
    for (auto _ : state)
        ResampleBitmap(work, scaled);
}
BENCHMARK(BM_ScaleAlone)->Unit(benchmark::kMillisecond);

void BM_QtSmoothScaleReference(benchmark::State& state) {
    QImage picture(kW, kH, QImage::Format_RGB32);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            picture.setPixel(x, y, qRgb(x / 4, y / 3, (x + y) / 8));
    for (auto _ : state) {
        QImage scaled = picture.scaled(346, 300, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        benchmark::DoNotOptimize(scaled.constBits());
    }
}
BENCHMARK(BM_QtSmoothScaleReference)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double change = reporter.times["BM_PreviewPerChange/1"];
    const double reference = reporter.times["BM_QtSmoothScaleReference"];
    if (change > 0 && reference > 0)
        std::printf("preview refreshed after one change: %.2f ms (target under %.0f ms: %s), "
                    "%.2fx Qt's smooth scaling of the picture (%.2f ms)\n",
                    change, kBudgetMs, change < kBudgetMs ? "met" : "MISSED", change / reference,
                    reference);
    benchmark::Shutdown();
    return 0;
}
