#include "tests/chart/mouse/MouseTestSupport.h"

#include "chart/series/SeriesLibrary.h"
#include "tests/chart/support/ChartAppEnvironment.h"

#include <QApplication>
#include <QWidget>

namespace mousetest {

namespace {

[[maybe_unused]] ::testing::Environment* const kMouse =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-mouse-fonts", "test_chart_mouse", [] { StartChartSeries(); },
        [] { StopChartSeries(); }));

const char* const kMouseKinds[] = {"down", "move", "up"};
const char* const kWheelKinds[] = {"wheel-down", "wheel", "wheel-up"};

} // namespace

TAxisScale TAxisScale::Of(const TChartAxis& axis) {
    return {axis.Automatic(), axis.AutomaticMinimum(), axis.AutomaticMaximum(), axis.Minimum(),
            axis.Maximum()};
}

bool TAxisScale::operator==(const TAxisScale& o) const {
    return Automatic == o.Automatic && AutomaticMinimum == o.AutomaticMinimum &&
           AutomaticMaximum == o.AutomaticMaximum && Minimum == o.Minimum && Maximum == o.Maximum;
}

std::ostream& operator<<(std::ostream& out, const TAxisScale& s) {
    return out << (s.Automatic ? "auto " : "") << (s.AutomaticMinimum ? "auto-min " : "")
               << (s.AutomaticMaximum ? "auto-max " : "") << s.Minimum << ".." << s.Maximum;
}

void TLogTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x, int y) {
    if (Log)
        Log->push_back(Name + " " + kMouseKinds[kind] + " " + std::to_string(button) + " " +
                       std::to_string(x) + "," + std::to_string(y) +
                       (shift.Contains(ssDouble) ? " double" : ""));
    if (kind == CancelKind)
        Panel()->MouseCancelled = true;
}

void TLogTool::ChartWheelEvent(int kind, int delta, int x, int y) {
    if (Log)
        Log->push_back(Name + " " + kWheelKinds[kind] + " " + std::to_string(delta) + " " +
                       std::to_string(x) + "," + std::to_string(y));
}

void ChartMouseFixture::SetUp() {
    // Made as the program makes its forms, so that its window shows (and repaints at once).
    form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 460, 340);
    form->Show();
    chart = new TChart(form);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 400, 300);
    chart->SetView3D(false);
    chart->Legend()->SetVisible(false);
    chart->OnZoom = [this](TObject*) { ++zooms; };
    chart->OnUndoZoom = [this](TObject*) { ++undos; };
    chart->OnScroll = [this](TObject*) { ++scrolls; };
    series = new TLineSeries(form);
    series->Pointer()->SetVisible(true);
    for (int x = 0; x <= 10; ++x)
        series->AddXYValue(x, x * x);
    series->SetParentChart(chart);
    chart->Handle();
    Paint();
}

void ChartMouseFixture::TearDown() {
    form->Free();
}

QImage ChartMouseFixture::Paint() {
    QApplication::processEvents();
    QImage image = chart->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    return image;
}

void ChartMouseFixture::Drag(int x0, int y0, int x1, int y1, Qt::MouseButton button) {
    charttest::Drag(chart, x0, y0, x1, y1, button);
    Paint();
}

double ChartMouseFixture::ValueAt(const TChartAxis& axis, int pixel) {
    const double perPixel = (axis.InternalMaximum() - axis.InternalMinimum()) / axis.PixelSize();
    const int along = pixel - axis.StartPixel();
    return axis.Horizontal() ? axis.InternalMinimum() + along * perPixel
                             : axis.InternalMaximum() - along * perPixel;
}

std::vector<TAxisScale> ChartMouseFixture::AllScales() const {
    std::vector<TAxisScale> scales;
    for (int i = 0; i < chart->AxisCount(); ++i)
        scales.push_back(TAxisScale::Of(*chart->AxisAt(i)));
    return scales;
}

} // namespace mousetest
