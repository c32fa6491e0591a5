// The chart panel's rubber band against drawing the chart again, in the same run: a panel of
// 800 x 400 on a shown form, its background a gradient with 40 framed shapes over it (each with
// a gradient and a shadow). One zoom-band step is a mouse move of a drag (the old band inverted
// away and the new one inverted in, in the back buffer) and the paint of the window that
// follows (the window grabbed, which paints it); the reference is one full drawing of the same
// panel and its paint. The benchmark
// reports "vs_full_redraw", the band step's best time over the full drawing's best (the band
// must cost a small part of a drawing, and of a 60 Hz frame: "vs_frame" is over 16.7 ms).

#include "chart/imaging/Filters.h"
#include "chart/panel/PlotPanelExtended.h"
#include "chart/panel/PlotShape.h"
#include "platform/forms/Forms.h"

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
    // The reference: the best of several full drawings with their paint.
    double full = 1e9;
    for (int i = 0; i < 15; ++i) {
        const auto start = std::chrono::steady_clock::now();
        panel->Invalidate();
        panel->Handle()->grab();
        full = std::min(full, Seconds(std::chrono::steady_clock::now() - start));
    }
    panel->StartDrag(mbLeft, {}, 100, 80);
    panel->Handle()->grab();
    double best = 1e9;
    int step = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        ++step;
        panel->DragTo(300 + step % 200, 200 + step % 100);
        panel->Handle()->grab();
        best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
    }
    panel->EndDrag(mbMiddle, 0, 0);
    panel->Zoom()->Active = false;
    state.counters["vs_full_redraw"] = best / full;
    state.counters["vs_frame"] = best / (1.0 / 60);
}
BENCHMARK(BM_ZoomBandStep800x400)->Unit(benchmark::kMicrosecond);

} // namespace
