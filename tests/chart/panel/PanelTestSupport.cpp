#include "tests/chart/panel/PanelTestSupport.h"

#include "chart/imaging/Filters.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/chart/support/MouseInput.h"
#include "tests/support/ProjectFonts.h"

#include <QApplication>
#include <QWidget>

#include <memory>

namespace paneltest {

namespace {

// A full application (forms, the error handler) over the offscreen platform, with the image
// filters registered.
[[maybe_unused]] ::testing::Environment* const kPanel =
    ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
        "chart-panel-fonts", "test_chart_panel", [] { StartChartImaging(); },
        [] { StopChartImaging(); }));

} // namespace

void TTestPanel::DrawToRect(const TRect& r) {
    ++Drawings;
    DrawBackground(r);
    if (Content)
        Content(*this, r);
}

void TTestPanel::ZoomToRect() {
    ++Zooms;
    TCustomPlotPanelExtended::ZoomToRect();
}

bool TTestPanel::PanBy(TPoint from, TPoint to) {
    Pans.emplace_back(from, to);
    return true;
}

void PanelFixture::SetUp() {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 420, 300);
    form->Show();
}

void PanelFixture::TearDown() {
    form->Free();
}

TTestPanel* PanelFixture::MakePanel(int w, int h) {
    auto* panel = new TTestPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, w, h);
    panel->Handle();
    return panel;
}

QImage Grab(TWinControl* control) {
    // Paints asked for meanwhile run first, as the event loop would run them.
    QApplication::processEvents();
    QImage image = control->Handle()->grab().toImage().convertToFormat(QImage::Format_RGB32);
    QApplication::processEvents();
    return image;
}

void Press(TWinControl* control, int x, int y, Qt::MouseButton button, Qt::KeyboardModifiers keys) {
    charttest::Press(control, x, y, button, keys);
}

void MoveTo(TWinControl* control, int x, int y, Qt::MouseButtons held) {
    charttest::MoveTo(control, x, y, held);
}

void Release(TWinControl* control, int x, int y, Qt::MouseButton button) {
    charttest::Release(control, x, y, button);
}

void DoubleClick(TWinControl* control, int x, int y) {
    charttest::DoubleClick(control, x, y);
}

} // namespace paneltest
