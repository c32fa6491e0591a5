#include "chart/editors/AntiAliasEditor.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/axispanel/DrawBrackets.h"
#include "chart/editors/EditorRoutines.h"
#include "chart/editors/FiltersEditor.h"
#include "chart/tools/AntiAliasTool.h"
#include "chart/util/ChartUtils.h"
#include "platform/graphics/Bitmap.h"
#include "platform/stdctrls/CheckBox.h"

#include <memory>

namespace {

// The tool switched off for a while; its Active comes back however the time ends.
class TToolOffScope {
public:
    explicit TToolOffScope(TAntiAliasTool& tool) : tool_(tool), was_(tool.Active()) {
        tool_.SetActive(false);
    }
    ~TToolOffScope() { tool_.SetActive(was_); }
    TToolOffScope(const TToolOffScope&) = delete;
    TToolOffScope& operator=(const TToolOffScope&) = delete;

private:
    TAntiAliasTool& tool_;
    bool was_;
};

// The chart as it looks without the tool: neither smoothed nor filtered.
std::unique_ptr<TBitmap> PlainPictureOf(TAntiAliasTool& tool, TCustomAxisPanel& chart) {
    TToolOffScope off(tool);
    return chart.CreateBitmapImage();
}

} // namespace

TAntiAliasEditor::TAntiAliasEditor(TComponent* owner) : TForm(owner) {}

void TAntiAliasEditor::DeclareMethods(TMethodTable& m) {
    using E = TAntiAliasEditor;
    m.Add("FormShow", &E::FormShow);
    m.Add("CBAntiClick", &E::CBAntiClick);
    m.Add("Button1Click", &E::Button1Click);
}

void TAntiAliasEditor::AfterConstruction() {
    loading_ = true;
    TForm::AfterConstruction();
    anti_ = FormPart<TCheckBox>(this, "CBAnti");
    loading_ = false;
}

void TAntiAliasEditor::FormShow(TObject*) {
    if (tool_ != nullptr) {
        loading_ = true;
        anti_->SetChecked(tool_->AntiAlias());
        loading_ = false;
    }
    TranslateControl(this);
}

void TAntiAliasEditor::CBAntiClick(TObject*) {
    if (!loading_ && tool_ != nullptr)
        tool_->SetAntiAlias(anti_->Checked());
}

void TAntiAliasEditor::Button1Click(TObject*) {
    if (tool_ == nullptr)
        return;
    TCustomAxisPanel* chart = tool_->Panel();
    if (chart == nullptr) {
        RunFiltersEditor(this, nullptr, tool_->Filters());
        return;
    }
    bool ok = false;
    {
        // Switching the tool off and on asks for no drawing; the picture has its own bitmap and
        // the chart's screen buffer stays as it was.
        TRepaintSuspension quiet(*chart);
        const std::unique_ptr<TBitmap> picture = PlainPictureOf(*tool_, *chart);
        ok = RunFiltersEditor(this, picture.get(), tool_->Filters());
    }
    if (ok)
        chart->Invalidate();
}
