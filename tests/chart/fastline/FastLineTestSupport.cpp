#include "tests/chart/fastline/FastLineTestSupport.h"

#include "chart/control/ControlLibrary.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/support/ProjectFonts.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace {

// An application over the offscreen platform with the project's fonts and the chart control
// library started.
[[maybe_unused]] ::testing::Environment* const kFastLine =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-fastline-fonts", "test_chart_fastline", [] { StartChartControl(); },
        [] { StopChartControl(); }));

std::string Call(const char* op, int x, int y) {
    return std::string(op) + " " + std::to_string(x) + " " + std::to_string(y);
}

} // namespace

namespace fastlinetest {

bool TLineLogCanvas::Noting() const {
    return groups_.empty() ||
           std::find(groups_.begin(), groups_.end(), SeriesGroup) != groups_.end();
}

void TLineLogCanvas::Note(const std::string& call) {
    if (Noting())
        Calls.push_back(call);
}

void TLineLogCanvas::MoveTo(int x, int y) {
    if (!atDepth_)
        Note(Call("move", x, y));
    TPlotCanvas3D::MoveTo(x, y);
}

void TLineLogCanvas::LineTo(int x, int y) {
    if (!atDepth_)
        Note(Call("line", x, y));
    TPlotCanvas3D::LineTo(x, y);
}

void TLineLogCanvas::MoveToAtDepth(int x, int y, int z) {
    Note(Call("move", x, y) + " " + std::to_string(z));
    atDepth_ = true;
    TPlotCanvas3D::MoveToAtDepth(x, y, z);
    atDepth_ = false;
}

void TLineLogCanvas::LineToAtDepth(int x, int y, int z) {
    Note(Call("line", x, y) + " " + std::to_string(z));
    atDepth_ = true;
    TPlotCanvas3D::LineToAtDepth(x, y, z);
    atDepth_ = false;
}

void TLineLogCanvas::BeginGroup(const std::string& name) {
    groups_.push_back(name);
}

void TLineLogCanvas::EndGroup() {
    if (!groups_.empty())
        groups_.pop_back();
}

std::vector<std::string> TLineLogCanvas::Lines() const {
    std::vector<std::string> lines;
    for (const auto& c : Calls)
        if (c.rfind("line", 0) == 0)
            lines.push_back(c);
    return lines;
}

void FastLineFixture::SetUp() {
    owner = new TComponent(nullptr);
    chart = new TChart(nullptr);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->BottomAxis()->SetAutomatic(false);
    chart->BottomAxis()->SetMinMax(0, 10);
    chart->LeftAxis()->SetAutomatic(false);
    chart->LeftAxis()->SetMinMax(0, 100);
    auto canvas = std::make_unique<TLineLogCanvas>();
    log = canvas.get();
    chart->ReplaceDrawCanvas(std::move(canvas));
}

void FastLineFixture::TearDown() {
    chart->Free();
    owner->Free();
}

TFastLineSeries* FastLineFixture::AddSeries(const std::vector<std::pair<double, double>>& points) {
    series = new TFastLineSeries(owner);
    series->SetName("Fast");
    for (const auto& [x, y] : points)
        series->AddXYValue(x, y);
    series->SetParentChart(chart);
    return series;
}

void FastLineFixture::Draw(int width, int height) {
    log->Calls.clear();
    bitmap = std::make_unique<TBitmap>(width, height);
    chart->SetBounds(0, 0, width, height);
    chart->DrawToCanvas(bitmap->Canvas(), {0, 0, width, height});
}

TPoint FastLineFixture::At(double x, double y) const {
    return {series->XValueToPixel(x), series->YValueToPixel(y)};
}

std::string Move(TPoint p) {
    return Call("move", p.X, p.Y);
}

std::string Line(TPoint p) {
    return Call("line", p.X, p.Y);
}

QImage Grab(TWinControl* control) {
    QApplication::processEvents();
    return control->Handle()->grab().toImage();
}

} // namespace fastlinetest
