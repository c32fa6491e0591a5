#include "tests/chart/editors/ToolEditorTestSupport.h"

#include "chart/control/Chart.h"
#include "chart/tools/ToolsLibrary.h"

namespace edtest {

void ToolEditorTest::SetUpTestSuite() {
    StartChartTools();
}

void ToolEditorTest::TearDownTestSuite() {
    StopChartTools();
}

void ToolEditorTest::SetUp() {
    form = TCustomForm::Create<TForm>(nullptr);
    form->SetBounds(0, 0, 420, 320);
    form->Show();
    chart = new TChart(form);
    chart->SetParent(form);
    chart->SetBounds(0, 0, 400, 300);
    chart->SetView3D(false);
    chart->Handle();
}

void ToolEditorTest::TearDown() {
    if (host_ != nullptr)
        host_->Free();
    form->Free();
}

void ToolEditorTest::ShowEmbedded(TCustomForm* editor, int width, int height) {
    host_ = TCustomForm::Create<TForm>(nullptr);
    host_->SetClientWidth(width);
    host_->SetClientHeight(height);
    host_->Show();
    editor->SetBorderStyle(bsNone);
    editor->SetParent(host_);
    editor->SetAlign(alClient);
    editor->Show();
}

} // namespace edtest
