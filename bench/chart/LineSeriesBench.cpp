// The line series on a chart shown at 800 x 400, each measured beside the platform canvas drawing
// the same lines in the same run (the floor no chart can go under):
// - a two-series line chart of 1,000 points each drawn again as a window repaint (target under
//   10 ms), against the two polylines drawn on a back buffer and copied to the window;
// - a fast line of 100,000 points that draws each added point at once (no chart repaint): one
//   point added and the window's repaint of the segment's rectangle (target under 2 ms), against
//   the one segment drawn on a back buffer and its rectangle copied;
// - for scale, the same fast line drawn again as a whole, against one polyline of its points.
// The run ends with each figure against its target and its ratio to the floor.

#include "chart/control/Chart.h"
#include "chart/series/FastLineSeries.h"
#include "chart/series/LineSeries.h"
#include "chart/series/SeriesLibrary.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <cmath>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kW = 800;
constexpr int kH = 400;
constexpr int kLinePoints = 1000;
constexpr int kFastPoints = 100000;

TForm* Form() {
    static TForm* form = [] {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_chart_line_series";
        static char* argv[] = {name, nullptr};
        new TApplication(argc, argv);
        StartChartSeries();
        auto* f = new TForm(nullptr);
        f->SetBounds(0, 0, kW + 20, kH + 20);
        f->Show();
        // A form made in code has no window shown by Show; the benchmark needs a real one.
        f->Handle()->show();
        return f;
    }();
    return form;
}

// Drawings of any chart so far, to tell a repaint that drew from one that only copied.
int& Drawings() {
    static int drawings = 0;
    return drawings;
}

// A 2D chart of 800 x 400 on the form, legend hidden, its window painted once.
TChart* MakeChart() {
    auto* chart = new TChart(Form());
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->SetParent(Form());
    chart->SetBounds(0, 0, kW, kH);
    chart->OnBeforeDrawChart = [](TObject*) { ++Drawings(); };
    QApplication::processEvents();
    return chart;
}

// The chart's window repainted now, its chart drawn again.
bool RepaintDrawing(TChart* chart) {
    const int before = Drawings();
    chart->Repaint();
    return Drawings() == before + 1;
}

double SineAt(int i, int series) {
    const double t = i * 0.05;
    return series == 0 ? 50 + 40 * std::sin(t) : 50 + 30 * std::cos(t * 1.7);
}

// The pixels the chart gave the line series' points, for the platform canvas to draw the same.
std::vector<TPoint> PixelsOf(TChartSeries* series) {
    std::vector<TPoint> points;
    for (int i = 0; i < series->Count(); ++i)
        points.push_back({series->PixelX(i), series->PixelY(i)});
    return points;
}

struct TLineChart {
    TChart* chart = MakeChart();
    std::vector<TPoint> pixels[2];
    TLineChart() {
        for (int s = 0; s < 2; ++s) {
            auto* series = new TLineSeries(Form());
            series->BeginUpdate();
            for (int i = 0; i < kLinePoints; ++i)
                series->AddXYValue(i, SineAt(i, s));
            series->EndUpdate();
            series->SetParentChart(chart);
        }
        chart->Handle()->repaint();
        for (int s = 0; s < 2; ++s)
            pixels[s] = PixelsOf(chart->SeriesAt(s));
    }
};

TLineChart& LineChart() {
    static TLineChart scene;
    return scene;
}

void BM_LineChartRepaint(benchmark::State& state) {
    TChart* chart = LineChart().chart;
    chart->BringToFront();
    for (auto _ : state)
        if (!RepaintDrawing(chart)) {
            state.SkipWithError("the repaint did not draw the chart");
            break;
        }
}
BENCHMARK(BM_LineChartRepaint)->Unit(benchmark::kMicrosecond);

// The same two lines, in the series' colours and widths, on a buffer copied to the window.
void BM_LineChartRepaintPlatformFloor(benchmark::State& state) {
    const TLineChart& scene = LineChart();
    TBitmap window(kW, kH);
    TBitmap buffer(kW, kH);
    TCanvas& c = *buffer.Canvas();
    const TRect plot = scene.chart->PlotRect();
    for (auto _ : state) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clWhite);
        c.FillRect({0, 0, kW, kH});
        c.IntersectClipRect(plot);
        for (int s = 0; s < 2; ++s) {
            c.Pen()->SetColor(scene.chart->SeriesAt(s)->SeriesColor());
            c.Pen()->SetWidth(1);
            c.Polyline(scene.pixels[s]);
        }
        c.SelectClipRegion(nullptr);
        window.Canvas()->BitBlt(0, 0, kW, kH, &c, 0, 0, cmSrcCopy);
        window.Canvas()->Flush();
    }
}
BENCHMARK(BM_LineChartRepaintPlatformFloor)->Unit(benchmark::kMicrosecond);

struct TFastChart {
    TChart* chart = MakeChart();
    TFastLineSeries* series = new TFastLineSeries(Form());
    double nextX = kFastPoints;
    TFastChart() {
        // Room on the right for the points the benchmark adds.
        chart->BottomAxis()->SetAutomatic(false);
        chart->BottomAxis()->SetMinMax(0, 1.2 * kFastPoints);
        chart->LeftAxis()->SetAutomatic(false);
        chart->LeftAxis()->SetMinMax(0, 100);
        series->BeginUpdate();
        for (int i = 0; i < kFastPoints; ++i)
            series->AddXYValue(i, SineAt(i, 0));
        series->EndUpdate();
        series->SetParentChart(chart);
        series->SetAutoRepaint(false);
        chart->Handle()->repaint();
    }
    // Each added point alternates between two heights, so each draws a long segment.
    void Add() {
        series->AddXYValue(nextX, static_cast<int>(nextX) % 2 == 0 ? 20 : 80);
        nextX += 1;
    }
};

TFastChart& FastChart() {
    static TFastChart scene;
    return scene;
}

void BM_FastLineAppend(benchmark::State& state) {
    TFastChart& scene = FastChart();
    scene.chart->BringToFront();
    RepaintDrawing(scene.chart);
    const int drawings = Drawings();
    for (auto _ : state) {
        scene.Add();
        // The window's paint of the segment's rectangle from the back buffer.
        QApplication::processEvents();
    }
    if (Drawings() != drawings)
        state.SkipWithError("an added point drew the whole chart");
    state.counters["points"] = scene.series->Count();
}
// A fixed number of points added, so the line stays near 100,000 points.
BENCHMARK(BM_FastLineAppend)->Unit(benchmark::kMicrosecond)->Iterations(2000);

// One segment of the same length drawn on a buffer and its rectangle copied to the window.
void BM_FastLineAppendPlatformFloor(benchmark::State& state) {
    TFastChart& scene = FastChart();
    const int last = scene.series->Count() - 1;
    const TPoint a{scene.series->PixelX(last - 1), scene.series->PixelY(last - 1)};
    const TPoint b{scene.series->PixelX(last), scene.series->PixelY(last)};
    TBitmap window(kW, kH);
    TBitmap buffer(kW, kH);
    TCanvas& c = *buffer.Canvas();
    const TRect area{std::min(a.X, b.X) - 1, std::min(a.Y, b.Y) - 1, std::max(a.X, b.X) + 2,
                     std::max(a.Y, b.Y) + 2};
    for (auto _ : state) {
        c.Pen()->SetColor(scene.series->SeriesColor());
        c.MoveTo(a.X, a.Y);
        c.LineTo(b.X, b.Y);
        window.Canvas()->BitBlt(area.Left, area.Top, area.Right - area.Left, area.Bottom - area.Top,
                                &c, area.Left, area.Top, cmSrcCopy);
        window.Canvas()->Flush();
    }
}
BENCHMARK(BM_FastLineAppendPlatformFloor)->Unit(benchmark::kMicrosecond);

void BM_FastLineRepaint(benchmark::State& state) {
    TFastChart& scene = FastChart();
    scene.chart->BringToFront();
    for (auto _ : state)
        if (!RepaintDrawing(scene.chart)) {
            state.SkipWithError("the repaint did not draw the chart");
            break;
        }
    state.counters["points"] = scene.series->Count();
}
BENCHMARK(BM_FastLineRepaint)->Unit(benchmark::kMillisecond);

void BM_FastLineRepaintPlatformFloor(benchmark::State& state) {
    TFastChart& scene = FastChart();
    const std::vector<TPoint> pixels = PixelsOf(scene.series);
    TBitmap window(kW, kH);
    TBitmap buffer(kW, kH);
    TCanvas& c = *buffer.Canvas();
    for (auto _ : state) {
        c.Brush()->SetStyle(bsSolid);
        c.Brush()->SetColor(clWhite);
        c.FillRect({0, 0, kW, kH});
        c.Pen()->SetColor(scene.series->SeriesColor());
        c.Polyline(pixels);
        window.Canvas()->BitBlt(0, 0, kW, kH, &c, 0, 0, cmSrcCopy);
        window.Canvas()->Flush();
    }
}
BENCHMARK(BM_FastLineRepaintPlatformFloor)->Unit(benchmark::kMillisecond);

// Reports as usual and remembers each benchmark's time per iteration in microseconds.
class TFloorReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> micros;
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& r : runs)
            if (r.run_type == Run::RT_Iteration)
                micros[r.run_name.function_name] =
                    r.GetAdjustedRealTime() / benchmark::GetTimeUnitMultiplier(r.time_unit) * 1e6;
    }
};

void Summary(TFloorReporter& reporter, const char* what, const std::string& name,
             double targetMicros) {
    const double measured = reporter.micros[name];
    const double floor = reporter.micros[name + "PlatformFloor"];
    if (measured <= 0 || floor <= 0)
        return;
    if (targetMicros > 0)
        std::printf("%s: %.3f ms (target under %.0f ms: %s), %.1fx the platform canvas's %.3f ms\n",
                    what, measured / 1000, targetMicros / 1000,
                    measured < targetMicros ? "met" : "MISSED", measured / floor, floor / 1000);
    else
        std::printf("%s: %.3f ms, %.1fx the platform canvas's %.3f ms\n", what, measured / 1000,
                    measured / floor, floor / 1000);
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    TFloorReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    Summary(reporter, "2 line series x 1,000 points repainted at 800x400", "BM_LineChartRepaint",
            10000);
    Summary(reporter, "fast line of 100,000 points, one point added and repainted",
            "BM_FastLineAppend", 2000);
    Summary(reporter, "fast line of 100,000 points drawn again whole", "BM_FastLineRepaint", 0);
    benchmark::Shutdown();
    return 0;
}
