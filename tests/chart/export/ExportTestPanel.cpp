#include "tests/chart/export/ExportTestPanel.h"

#include "chart/export/ExportLibrary.h"
#include "platform/rtl/Streams.h"
#include "tests/chart/support/ChartAppEnvironment.h"
#include "tests/chart/support/ChartTestSupport.h"
#include "tests/support/TestTempPath.h"

#include <QApplication>

namespace exporttest {

TBlocksPanel::TBlocksPanel(TComponent* owner) : TCustomPlotPanelExtended(owner) {
    SetBevelOuter(bvNone);
    SetColor(kBack);
}

void TBlocksPanel::DrawToRect(const TRect& r) {
    DrawBackground(r);
    TCanvas3D& dc = *DrawCanvas();
    dc.Pen()->SetStyle(psClear);
    dc.Brush()->SetStyle(bsSolid);
    dc.Brush()->SetColor(clRed);
    dc.Rectangle(kRedBlock);
    dc.Brush()->SetColor(clBlue);
    dc.Rectangle(kBlueBlock);
}

void ExportFixture::SetUp() {
    form = new TForm(nullptr);
    form->SetBounds(0, 0, 300, 200);
    form->Show();
    panel = new TBlocksPanel(form);
    panel->SetParent(form);
    panel->SetBounds(0, 0, 200, 100);
    QApplication::processEvents();
}

void ExportFixture::TearDown() {
    form->Free();
}

std::string Oracle(const std::string& program) {
    std::string out = charttest::RunPython(program);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r'))
        out.pop_back();
    return out;
}

std::string OutputPath(const std::string& name) {
    return TestTempPath(name);
}

std::string SaveExport(TPlotExportFormat& format, const std::string& name) {
    const std::string path = OutputPath(name);
    TFileStream stream(path, fmCreate);
    format.SaveToStream(stream);
    return path;
}

namespace {

const auto* environment = ::testing::AddGlobalTestEnvironment(new charttest::TChartAppEnvironment(
    "chart-export-fonts", "test_chart_export", [] { StartChartExport(); },
    [] { StopChartExport(); }));

} // namespace

} // namespace exporttest
