// 10,000 random lines (fixed seed) drawn into 800 x 600: once through the anti-alias chart
// canvas (buffered, smoothing on) and once with QPainter's antialiased lines on an image of the
// same size and format. The run ends by printing the smoothed canvas' cost as the ratio of the
// two times.

#include "bench/support/TimesReporter.h"
#include "chart/draw/AntiAliasCanvas.h"
#include "chart/draw/DrawLibrary.h"
#include "platform/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kW = 800;
constexpr int kH = 600;
constexpr int kLines = 10000;

struct TLine {
    int x0, y0, x1, y1;
};

const std::vector<TLine>& Lines() {
    static const std::vector<TLine> lines = [] {
        std::mt19937 random(20261211);
        std::uniform_int_distribution<int> x(0, kW - 1), y(0, kH - 1);
        std::vector<TLine> v;
        for (int i = 0; i < kLines; ++i)
            v.push_back({x(random), y(random), x(random), y(random)});
        return v;
    }();
    return lines;
}

void Start() {
    static bool started = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_chart_antialias";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
        StartChartLibrary();
        return true;
    }();
    (void)started;
}

void BM_AntiAliasCanvasLines(benchmark::State& state) {
    Start();
    TBitmap window(kW, kH);
    TAntiAliasCanvas canvas;
    for (auto _ : state) {
        canvas.BeginDrawing(window.Canvas(), nullptr, false, {0, 0, kW, kH});
        canvas.ResetAttributes();
        canvas.Brush()->SetColor(clWhite);
        canvas.FillRect({0, 0, kW, kH});
        canvas.Pen()->SetColor(clNavy);
        for (const TLine& l : Lines()) {
            canvas.MoveTo(l.x0, l.y0);
            canvas.LineTo(l.x1, l.y1);
        }
        canvas.Buffer()->Canvas()->Flush();
        benchmark::DoNotOptimize(canvas.Buffer()->ScanLine(kH / 2));
    }
}
BENCHMARK(BM_AntiAliasCanvasLines)->Unit(benchmark::kMillisecond);

void BM_QPainterAntialiasedLines(benchmark::State& state) {
    Start();
    QImage image(kW, kH, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(0, 0, 128), 1));
        for (const TLine& l : Lines())
            p.drawLine(l.x0, l.y0, l.x1, l.y1);
        p.end();
        benchmark::DoNotOptimize(image.constScanLine(kH / 2));
    }
}
BENCHMARK(BM_QPainterAntialiasedLines)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double smoothed = reporter.times["BM_AntiAliasCanvasLines"];
    const double painter = reporter.times["BM_QPainterAntialiasedLines"];
    if (smoothed > 0 && painter > 0)
        std::printf("anti-alias canvas: %.2fx QPainter's antialiased lines (target at most 2x)\n",
                    smoothed / painter);
    benchmark::Shutdown();
    return 0;
}
