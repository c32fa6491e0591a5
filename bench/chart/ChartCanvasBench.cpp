// A two-series line chart of 1,000 points drawn into 800 x 400: once through the chart canvas (a
// buffered pass with chart pens, fonts and a gradient back wall) and once with the same primitives
// on the platform canvas alone. The run ends by printing the chart layer's cost as the ratio of
// the two times.

#include "bench/support/TimesReporter.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/DrawLibrary.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas3D.h"
#include "chart/draw/PlotFont.h"
#include "platform/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QGuiApplication>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kW = 800;
constexpr int kH = 400;
constexpr int kPoints = 1000;
const TRect kPlot{50, 20, 780, 360};

struct TScene {
    std::vector<TPoint> series[2];
    std::vector<std::string> labels;
    TScene() {
        for (int i = 0; i < kPoints; ++i) {
            const int x = kPlot.Left + i * (kPlot.Right - kPlot.Left - 1) / (kPoints - 1);
            const double t = i * 0.05;
            series[0].push_back({x, 190 + static_cast<int>(std::lround(120 * std::sin(t)))});
            series[1].push_back({x, 190 + static_cast<int>(std::lround(80 * std::cos(t * 1.7)))});
        }
        for (int i = 0; i <= 10; ++i)
            labels.push_back(std::to_string(10 + i) + ":00");
    }
};

const TScene& Scene() {
    static TScene scene;
    return scene;
}

void Start() {
    static bool started = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_chart";
        static char* argv[] = {name, nullptr};
        new QGuiApplication(argc, argv);
        StartChartLibrary();
        return true;
    }();
    (void)started;
}

int GridX(int i) {
    return kPlot.Left + i * (kPlot.Right - kPlot.Left) / 10;
}

void BM_ChartCanvas(benchmark::State& state) {
    Start();
    const TScene& scene = Scene();
    TBitmap window(kW, kH);
    TPlotCanvas3D canvas;
    TChartPen grid;
    grid.SetColor(clGray);
    grid.SetStyle(psDot);
    TChartPen pens[2];
    pens[0].SetColor(clRed);
    pens[1].SetColor(clBlue);
    pens[1].SetWidth(2);
    TPlotFont font;
    TPlotGradient wall;
    wall.SetVisible(true);
    for (auto _ : state) {
        canvas.BeginDrawing(window.Canvas(), nullptr, false, {0, 0, kW, kH});
        canvas.ResetAttributes();
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect({0, 0, kW, kH});
        wall.Fill(canvas, kPlot, 0);
        canvas.SelectPen(&grid);
        for (int i = 0; i <= 10; ++i)
            canvas.VerticalLine(GridX(i), kPlot.Top, kPlot.Bottom);
        canvas.ClipToRect(kPlot);
        for (int s = 0; s < 2; ++s) {
            canvas.SelectPen(&pens[s]);
            canvas.Polyline(scene.series[s]);
        }
        canvas.RemoveClip();
        canvas.SelectFont(&font);
        canvas.Brush()->SetStyle(bsClear);
        for (int i = 0; i <= 10; ++i)
            canvas.TextOut(GridX(i) - 12, kPlot.Bottom + 6, scene.labels[i]);
        canvas.FinishDrawing(window.Canvas(), window.Canvas(), {0, 0, kW, kH});
        window.Canvas()->Flush();
    }
}
BENCHMARK(BM_ChartCanvas)->Unit(benchmark::kMicrosecond);

// The same pixels with the platform canvas alone: a back buffer, the same fills, lines and texts,
// and the gradient bands drawn as rectangles.
void BM_PlatformCanvas(benchmark::State& state) {
    Start();
    const TScene& scene = Scene();
    TBitmap window(kW, kH);
    TBitmap buffer(kW, kH);
    TCanvas& c = *buffer.Canvas();
    for (auto _ : state) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clBtnFace);
        c.FillRect({0, 0, kW, kH});
        const int height = kPlot.Bottom - kPlot.Top;
        const int steps = std::min(height, 256);
        for (int i = 0; i < steps; ++i) {
            const int a0 = height * i / steps, a1 = height * (i + 1) / steps;
            const int blue = 255 - 255 * i / (steps - 1);
            c.Brush()->SetColor(RGB(255, 255, static_cast<std::uint8_t>(255 - blue)));
            c.FillRect({kPlot.Left, kPlot.Bottom - a1, kPlot.Right, kPlot.Bottom - a0});
        }
        c.Pen()->SetColor(clGray);
        c.Pen()->SetStyle(psDot);
        c.Pen()->SetWidth(1);
        for (int i = 0; i <= 10; ++i) {
            c.MoveTo(GridX(i), kPlot.Top);
            c.LineTo(GridX(i), kPlot.Bottom);
        }
        c.IntersectClipRect(kPlot);
        c.Pen()->SetStyle(psSolid);
        c.Pen()->SetColor(clRed);
        c.Polyline(scene.series[0]);
        c.Pen()->SetColor(clBlue);
        c.Pen()->SetWidth(2);
        c.Polyline(scene.series[1]);
        c.SelectClipRegion(nullptr);
        c.Font()->SetName("Arial");
        c.Font()->SetSize(8);
        c.Font()->SetColor(clBlack);
        c.Brush()->SetStyle(bsClear);
        for (int i = 0; i <= 10; ++i)
            c.TextOut(GridX(i) - 12, kPlot.Bottom + 6, scene.labels[i]);
        window.Canvas()->BitBlt(0, 0, kW, kH, &c, 0, 0, cmSrcCopy);
        window.Canvas()->Flush();
    }
}
BENCHMARK(BM_PlatformCanvas)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TTimesReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double chart = reporter.times["BM_ChartCanvas"];
    const double platform = reporter.times["BM_PlatformCanvas"];
    if (chart > 0 && platform > 0)
        std::printf("chart layer cost: %.2fx the platform canvas (target at most 1.30x)\n",
                    chart / platform);
    benchmark::Shutdown();
    return 0;
}
