#include "chart/tools/AntiAliasTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/ToolTexts.h"
#include "platform/classes/Filer.h"
#include "platform/graphics/Bitmap.h"

TAntiAliasTool::TAntiAliasTool(TComponent* owner)
    : TPlotCustomTool(owner), filters_(std::make_unique<TFilterItems>(this)) {
    SetAntiAlias(true);
}

TAntiAliasTool::~TAntiAliasTool() {
    // A canvas the tool still holds goes with it; one a chart owns stays with that chart.
    if (held_)
        held_.reset();
    else if (canvas_ != nullptr)
        canvas_->SetTool(nullptr);
    canvas_ = nullptr;
}

void TAntiAliasTool::DeclareProperties(TPropertyList& p) {
    using T = TAntiAliasTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("AntiAlias", &T::AntiAlias, &T::SetAntiAlias).Default(true);
}

void TAntiAliasTool::DefineProperties(TFiler* filer) {
    TPlotCustomTool::DefineProperties(filer);
    filer->DefineProperty(
        "FilterItems", [this](TReader* r) { filters_->ReadItems(*r); },
        [this](TWriter* w) { filters_->WriteItems(*w); }, filters_->Count() > 0);
}

void TAntiAliasTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TAntiAliasTool*>(source)) {
        filters_->Assign(other->filters_.get());
        SetAntiAlias(other->AntiAlias());
    }
    TPlotCustomTool::Assign(source);
}

std::string TAntiAliasTool::ToolTitleText() const {
    return ToolText(ttAntiAliasTitle);
}

std::string TAntiAliasTool::ToolSummaryText() const {
    return ToolText(ttAntiAliasSummary);
}

void TAntiAliasTool::SetFilters(TFilterItems* value) {
    filters_->Assign(value);
}

bool TAntiAliasTool::AntiAlias() const {
    return canvas_ != nullptr && !canvas_->Disabled();
}

void TAntiAliasTool::MakeCanvas(bool disabled) {
    held_ = std::make_unique<TAntiAliasCanvas>();
    held_->SetDisabled(disabled);
    held_->SetTool(this);
    canvas_ = held_.get();
}

void TAntiAliasTool::SetAntiAlias(bool value) {
    if (canvas_ == nullptr)
        MakeCanvas(!value);
    canvas_->SetDisabled(!value);
    Install();
}

void TAntiAliasTool::SetActive(bool value) {
    TPlotCustomTool::SetActive(value);
    SetAntiAlias(value);
}

void TAntiAliasTool::SetParentChart(TChartHost* chart) {
    TPlotCustomTool::SetParentChart(chart);
    Install();
}

void TAntiAliasTool::Install() {
    TCustomAxisPanel* chart = Panel();
    if (!Active() || !AntiAlias() || chart == nullptr || chart->DrawCanvas() == canvas_)
        return;
    if (!held_) {
        // The canvas draws another chart (the tool moved): that chart keeps it, and this chart
        // gets a canvas of its own.
        canvas_->SetTool(nullptr);
        MakeCanvas(false);
    }
    // The chart frees the canvas it drew with; an anti-alias canvas tells its tool.
    chart->ReplaceDrawCanvas(std::move(held_));
}

void TAntiAliasTool::AntiAliasCanvasDestroyed(TAntiAliasCanvas* canvas) {
    if (canvas == canvas_)
        canvas_ = nullptr;
}

void TAntiAliasTool::ChartToolEvent(TChartToolEventKind kind) {
    TCustomAxisPanel* chart = Panel();
    if (kind != ctkAfterDraw || chart == nullptr || filters_->Count() == 0)
        return;
    auto* canvas = dynamic_cast<TPlotCanvas3D*>(chart->DrawCanvas());
    if (canvas != nullptr && canvas->Buffer() != nullptr)
        filters_->ApplyTo(*canvas->Buffer());
}
