#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include "chart/core/ChartAxis.h"
#include "chart/series/SeriesLibrary.h"
#include "chart/tools/ToolsLibrary.h"
#include "tests/chart/support/ChartAppEnvironment.h"

#include <QApplication>
#include <QWidget>

namespace tooltest {

namespace {

[[maybe_unused]] ::testing::Environment* const kTools =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-tools-fonts", "test_chart_tools_pointer",
        [] {
            StartChartSeries();
            StartChartTools();
        },
        [] {
            StopChartTools();
            StopChartSeries();
        }));

} // namespace

void ToolChartFixture::SetUp() {
    form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 460, 340);
    form->Show();
    chart = new TChart(form);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 400, 300);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->BottomAxis()->SetMinMax(0, 10);
    chart->LeftAxis()->SetMinMax(0, 100);
    chart->OnZoom = [this](TObject*) { ++zooms; };
    chart->OnScroll = [this](TObject*) { ++scrolls; };
    chart->Handle();
    Paint();
}

void ToolChartFixture::TearDown() {
    form->Free();
}

TLineSeries* ToolChartFixture::AddSeries(const std::vector<std::pair<double, double>>& points) {
    auto* series = new TLineSeries(form);
    for (const auto& [x, y] : points)
        series->AddXYValue(x, y);
    series->SetParentChart(chart);
    return series;
}

QImage ToolChartFixture::Paint() {
    QApplication::processEvents();
    QImage image = chart->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    return image;
}

QImage ToolChartFixture::Repaint() {
    chart->Invalidate();
    return Paint();
}

int DifferingPixels(const QImage& a, const QImage& b) {
    if (a.size() != b.size())
        return -1;
    int count = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            count += a.pixel(x, y) != b.pixel(x, y);
    return count;
}

} // namespace tooltest
