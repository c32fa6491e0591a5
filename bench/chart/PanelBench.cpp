// The chart panel's rubber band against drawing the chart again, in the same run: a panel of
// 800 x 400 on a shown form, its background a gradient with 40 framed shapes over it (each with
// a gradient and a shadow). One zoom-band step is a mouse move of a drag: the old band inverted
// away and the new one inverted in, in the back buffer, and the repaint of their rectangles
// asked for. The reference is one full drawing of the same panel into a bitmap of its size. The
// window's own paint (a copy of the buffer) is the same for both and left out. The benchmark
// reports "vs_full_redraw", the band step's best time over the full drawing's best, and
// "vs_frame", the band step over a 60 Hz frame (16.7 ms).

#include "chart/draw/PlotCanvas3D.h"
#include "chart/imaging/Filters.h"
#include "chart/panel/PlotPanelExtended.h"
#include "chart/panel/PlotShape.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>

#include <algorithm>
#include <chrono>
#include <memory>
#include <vector>

namespace {

class TBenchPanel : public TCustomPlotPanelExtended {
    Q4_CLASS(TBenchPanel, TCustomPlotPanelExtended)
public:
    explicit TBenchPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {
        Gradient()->SetVisible(true);
        for (int i = 0; i < 40; ++i) {
            auto shape = std::make_unique<TPlotShape>(this);
            shape->Gradient()->SetVisible(true);
            shape->Gradient()->SetStartColor(static_cast<TColor>(0x101010 * (i % 15)));
            shape->Shadow()->SetSmooth(false);
            const int x = 20 + (i % 10) * 76, y = 30 + (i / 10) * 90;
            shape->ShapeRect = {x, y, x + 60, y + 60};
            shapes.push_back(std::move(shape));
        }
    }
    std::vector<std::unique_ptr<TPlotShape>> shapes;

protected:
    void DrawToRect(const TRect& r) override {
        DrawBackground(r);
        for (auto& shape : shapes)
            shape->DrawShape();
    }
};

TBenchPanel* MakePanel() {
    static TBenchPanel* panel = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "bench_chart_panel";
        static char* argv[] = {name, nullptr};
        new TApplication(argc, argv);
        StartChartImaging();
        auto* form = new TForm(nullptr);
        form->SetBounds(0, 0, 820, 420);
        form->Show();
        auto* p = new TBenchPanel(form);
        p->SetParent(form);
        p->SetBounds(0, 0, 800, 400);
        QApplication::processEvents();
        return p;
    }();
    return panel;
}

double Seconds(std::chrono::steady_clock::duration d) {
    return std::chrono::duration<double>(d).count();
}

void BM_ZoomBandStep800x400(benchmark::State& state) {
    TBenchPanel* panel = MakePanel();
    // The reference: the best of several full drawings.
    double full = 1e9;
    TBitmap target(800, 400);
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        panel->DrawToCanvas(target.Canvas(), {0, 0, 800, 400});
        full = std::min(full, Seconds(std::chrono::steady_clock::now() - start));
    }
    panel->Handle()->grab(); // the back buffer drawn and clean
    panel->StartDrag(mbLeft, {}, 100, 80);
    auto* buffer = dynamic_cast<TPlotCanvas3D*>(panel->DrawCanvas());
    if (buffer == nullptr || buffer->Buffer() == nullptr || buffer->BufferStale()) {
        state.SkipWithError("the band would not be drawn into a clean back buffer");
        return;
    }
    double best = 1e9;
    int step = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ++step;
        panel->DragTo(300 + step % 200, 200 + step % 100);
        best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
    }
    panel->EndDrag(mbMiddle, 0, 0);
    panel->Zoom()->Active = false;
    state.counters["vs_full_redraw"] = best / full;
    state.counters["vs_frame"] = best / (1.0 / 60);
}
BENCHMARK(BM_ZoomBandStep800x400)->Unit(benchmark::kMicrosecond);

} // namespace
