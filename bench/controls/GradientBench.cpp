// Gradient fills of a full-HD area in each of the ten directions (panels and hot-track faces
// repaint on every hover change), and a segmented progress bar repainted per update.

#include "controls/paint/FrBars.h"
#include "controls/paint/FrGradient.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Canvas.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

namespace {

void EnsureApp() {
    static QGuiApplication* app = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_controls";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
}

void BM_GradientFullHd(benchmark::State& state) {
    EnsureApp();
    TBitmap target(1920, 1080, pfDevice);
    const auto direction = static_cast<TGradientDirection>(state.range(0));
    for (auto _ : state) {
        PaintGradient(target.Canvas(), Rect(0, 0, 1920, 1080), direction, 1, clNavy, clYellow);
        target.Canvas()->Flush();
        benchmark::ClobberMemory();
    }
    state.SetLabel(GetEnumName(Q4TypeInfo(static_cast<TGradientDirection*>(nullptr)), direction));
}
BENCHMARK(BM_GradientFullHd)
    ->DenseRange(gdDiagonalUp, gdBigSquareBox)
    ->Unit(benchmark::kMillisecond);

void BM_SegmentedBarUpdate(benchmark::State& state) {
    EnsureApp();
    TBitmap target(300, 18, pfDevice);
    int percent = 0;
    for (auto _ : state) {
        PaintProgressSegments(target.Canvas(), Rect(0, 0, 300, 18), false, false, false, percent,
                              30, clBtnFace, clHighlight);
        percent = (percent + 1) % 101;
        target.Canvas()->Flush();
    }
}
BENCHMARK(BM_SegmentedBarUpdate)->Unit(benchmark::kMicrosecond);

} // namespace
