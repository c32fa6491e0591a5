#include "tests/chart/series/SeriesTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/series/SeriesLibrary.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Bitmap.h"
#include "platform/graphics/GraphicsQt_p.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/support/ProjectFonts.h"

#include <cstdio>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace {

// An offscreen application with the project's fonts and the series library started.
[[maybe_unused]] ::testing::Environment* const kSeries =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-series-fonts", "test_chart_series", [] { StartChartSeries(); },
        [] { StopChartSeries(); }));

} // namespace

namespace seriestest {

bool TSeriesCanvas::Recording() const {
    for (const std::string& g : groups_)
        if (g.rfind("Series", 0) == 0)
            return true;
    return false;
}

void TSeriesCanvas::MoveTo(int x, int y) {
    at_ = {x, y};
    TPlotCanvas3D::MoveTo(x, y);
}

void TSeriesCanvas::LineTo(int x, int y) {
    if (Recording())
        Segments.push_back({at_, {x, y}, Pen()->Color(), Pen()->Width()});
    at_ = {x, y};
    TPlotCanvas3D::LineTo(x, y);
}

void TSeriesCanvas::Rectangle(int x0, int y0, int x1, int y1) {
    if (Recording())
        Shapes.push_back({{{x0, y0}, {x1, y1}}, Brush()->Color(), true});
    TPlotCanvas3D::Rectangle(x0, y0, x1, y1);
}

void TSeriesCanvas::Polygon(const TPointList& points) {
    if (Recording())
        Shapes.push_back({points, Brush()->Color(), false});
    TPlotCanvas3D::Polygon(points);
}

void TSeriesCanvas::BeginGroup(const std::string& name) {
    groups_.push_back(name);
}

void TSeriesCanvas::EndGroup() {
    if (!groups_.empty())
        groups_.pop_back();
}

void SeriesFixture::SetUp() {
    owner = new TComponent(nullptr);
    chart = new TChart(nullptr);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    TChartAxis* bottom = chart->BottomAxis();
    bottom->SetAutomatic(false);
    bottom->SetMinMax(0, 10);
    TChartAxis* left = chart->LeftAxis();
    left->SetAutomatic(false);
    left->SetMinMax(0, 100);
}

void SeriesFixture::TearDown() {
    chart->Free();
    owner->Free();
}

void SeriesFixture::Draw(int width, int height) {
    auto drawCanvas = std::make_unique<TSeriesCanvas>();
    canvas = drawCanvas.get();
    chart->ReplaceDrawCanvas(std::move(drawCanvas));
    bitmap = std::make_unique<TBitmap>(width, height);
    chart->SetBounds(0, 0, width, height);
    chart->DrawToCanvas(bitmap->Canvas(), {0, 0, width, height});
}

QImage SeriesFixture::Image() const {
    bitmap->Canvas()->Flush();
    return TGraphicsQt::Image(*bitmap);
}

int SeriesFixture::PX(double x) const {
    return chart->BottomAxis()->PixelOfX(x);
}

int SeriesFixture::PY(double y) const {
    return chart->LeftAxis()->PixelOfY(y);
}

std::string RunPython(const std::string& program) {
    return charttest::RunPython(program);
}

std::vector<int> IntegersOf(const std::string& text) {
    std::istringstream in(text);
    std::vector<int> values;
    int v;
    while (in >> v)
        values.push_back(v);
    return values;
}

} // namespace seriestest
