#include "tests/chart/pie/PieTestSupport.h"

#include "chart/series/SeriesLibrary.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/chart/support/ChartTestSupport.h"

namespace {

// An offscreen application with the project's fonts and the series library started.
[[maybe_unused]] ::testing::Environment* const kPies =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-pie-fonts", "test_chart_pie", [] { StartChartSeries(); },
        [] { StopChartSeries(); }));

} // namespace

namespace pietest {

void TPieCanvas::Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
    if (!groups_.empty())
        Slices.push_back({groups_.back(),
                          false,
                          {x1, y1, x2, y2},
                          {x3, y3},
                          {x4, y4},
                          0,
                          0,
                          0,
                          0,
                          0,
                          0,
                          Brush()->Color(),
                          Pen()->Color(),
                          Pen()->Style() != psClear});
    TPlotCanvas3D::Pie(x1, y1, x2, y2, x3, y3, x4, y4);
}

void TPieCanvas::PieSliceSolid(int cx, int cy, int rx, int ry, int depthA, int depthB, double start,
                               double end, bool darkSides, bool drawSides, int donutPercent,
                               TCustomPlotGradient* gradient) {
    if (!groups_.empty())
        Slices.push_back({groups_.back(),
                          true,
                          {},
                          {},
                          {},
                          cx,
                          cy,
                          rx,
                          ry,
                          start,
                          end,
                          Brush()->Color(),
                          Pen()->Color(),
                          Pen()->Style() != psClear});
    TPlotCanvas3D::PieSliceSolid(cx, cy, rx, ry, depthA, depthB, start, end, darkSides, drawSides,
                                 donutPercent, gradient);
}

void TPieCanvas::BeginGroup(const std::string& name) {
    groups_.push_back(name);
}

void TPieCanvas::EndGroup() {
    if (!groups_.empty())
        groups_.pop_back();
}

void PieFixture::SetUp() {
    owner = new TComponent(nullptr);
    chart = new TChart(nullptr);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
}

void PieFixture::TearDown() {
    chart->Free();
    owner->Free();
}

TPieSeries* PieFixture::AddPie(const std::vector<double>& values,
                               const std::vector<std::string>& labels) {
    auto* pie = new TPieSeries(owner);
    for (std::size_t i = 0; i < values.size(); ++i)
        pie->AddValue(values[i], i < labels.size() ? labels[i] : std::string());
    pie->SetParentChart(chart);
    return pie;
}

void PieFixture::Draw(int width, int height) {
    auto drawCanvas = std::make_unique<TPieCanvas>();
    canvas = drawCanvas.get();
    chart->ReplaceDrawCanvas(std::move(drawCanvas));
    bitmap = std::make_unique<TBitmap>(width, height);
    chart->SetBounds(0, 0, width, height);
    chart->DrawToCanvas(bitmap->Canvas(), {0, 0, width, height});
}

std::string PieFixture::SavePicture(const std::string& name) {
    bitmap->Canvas()->Flush();
    return charttest::SavePicture(TGraphicsQt::Image(*bitmap), name);
}

} // namespace pietest
