// The series gallery on a shown window of 470 x 380, each measured beside the same work without
// the supersampled drawing in the same run:
// - opening the "Standard" page (nine sample charts made, laid out and painted) with Smooth on
//   (target under 200 ms), against the same page drawn plainly;
// - a selection change (the highlight moved and both samples painted again) with Smooth on
//   (target under 50 ms), against the same change drawn plainly.
// The run ends with each figure against its target and its ratio to the plain drawing.

#include "bench/support/TimesReporter.h"
#include "chart/draw/ChartMessages.h"
#include "chart/editors/gallery/GalleryPanel.h"
#include "chart/editors/gallery/GalleryRoutines.h"
#include "platform/forms/Forms.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cstdio>
#include <string>

namespace {

TChartGalleryPanel* Gallery() {
    static TChartGalleryPanel* gallery = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        // The preferences of this run stay out of the user's own.
        qputenv("XDG_CONFIG_HOME", "/tmp/q4-bench-gallery");
        static int argc = 1;
        static char name[] = "bench_chart_gallery";
        static char* argv[] = {name, nullptr};
        new TApplication(argc, argv);
        StartChartGallery();
        auto* form = new TForm(nullptr);
        form->SetBounds(0, 0, 470, 380);
        auto* panel = new TChartGalleryPanel(form);
        panel->SetParent(form);
        panel->SetAlign(alClient);
        form->Show();
        form->Handle()->show();
        return panel;
    }();
    return gallery;
}

// Drawings of any sample so far, to tell a repaint that drew from one that only copied.
int& Drawings() {
    static int drawings = 0;
    return drawings;
}

// Every sample's window painted now; false when any did not draw its chart.
bool PaintAll(TChartGalleryPanel* gallery) {
    const int before = Drawings();
    // The new samples' windows come up.
    QApplication::processEvents();
    for (TGalleryChart* chart : gallery->Charts()) {
        chart->OnBeforeDrawChart = [](TObject*) { ++Drawings(); };
        chart->Repaint();
    }
    return Drawings() >= before + gallery->Charts().Count();
}

void OpenPage(benchmark::State& state, bool smooth) {
    TChartGalleryPanel* gallery = Gallery();
    gallery->SetSmooth(smooth);
    for (auto _ : state) {
        gallery->FillPage(ChartMsg(msgStandard));
        if (!PaintAll(gallery)) {
            state.SkipWithError("the samples were not drawn");
            return;
        }
    }
    state.counters["charts"] = gallery->Charts().Count();
}

void BM_GalleryPageSmooth(benchmark::State& state) {
    OpenPage(state, true);
}
BENCHMARK(BM_GalleryPageSmooth)->Unit(benchmark::kMillisecond);

void BM_GalleryPagePlain(benchmark::State& state) {
    OpenPage(state, false);
}
BENCHMARK(BM_GalleryPagePlain)->Unit(benchmark::kMillisecond);

void ChangeSelection(benchmark::State& state, bool smooth) {
    TChartGalleryPanel* gallery = Gallery();
    gallery->SetSmooth(smooth);
    gallery->FillPage(ChartMsg(msgStandard));
    PaintAll(gallery);
    int next = 1;
    for (auto _ : state) {
        TGalleryChart* before = gallery->SelectedChart();
        TGalleryChart* after = gallery->Charts().Items(next);
        gallery->SelectChart(after);
        const int drawn = Drawings();
        before->Repaint();
        after->Repaint();
        if (Drawings() < drawn + 2) {
            state.SkipWithError("the two samples were not drawn");
            return;
        }
        next = next == 1 ? 0 : 1;
    }
}

void BM_GallerySelectionSmooth(benchmark::State& state) {
    ChangeSelection(state, true);
}
BENCHMARK(BM_GallerySelectionSmooth)->Unit(benchmark::kMillisecond);

void BM_GallerySelectionPlain(benchmark::State& state) {
    ChangeSelection(state, false);
}
BENCHMARK(BM_GallerySelectionPlain)->Unit(benchmark::kMillisecond);

void Summary(TTimesReporter& reporter, const char* what, const std::string& name, double targetMs) {
    const double smooth = reporter.times[name + "Smooth"];
    const double plain = reporter.times[name + "Plain"];
    if (smooth <= 0 || plain <= 0)
        return;
    std::printf("%s: %.2f ms smooth (target under %.0f ms: %s), %.2fx the plain drawing's "
                "%.2f ms\n",
                what, smooth, targetMs, smooth < targetMs ? "met" : "MISSED", smooth / plain,
                plain);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Summary(reporter, "gallery page of 9 samples opened and painted", "BM_GalleryPage", 200);
    Summary(reporter, "selection moved, two samples painted again", "BM_GallerySelection", 50);
    benchmark::Shutdown();
    return 0;
}
