#include "chart/tools/GridBandTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/control/Chart.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotBlend.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/tools/ToolTexts.h"

#include <algorithm>
#include <optional>
#include <utility>

// ---- the band brush -----------------------------------------------------------------------------

TGridBandBrush::TGridBandBrush(TNotifyEvent onChange, TGridBandTool* tool)
    : TChartBrush(onChange), onChange_(onChange), tool_(tool),
      gradient_(std::make_unique<TPlotGradient>(onChange)) {}

TGridBandBrush::~TGridBandBrush() = default;

void TGridBandBrush::DeclareProperties(TPropertyList& p) {
    using T = TGridBandBrush;
    p.Add("Gradient", &T::Gradient, &T::SetGradient);
    p.Add("Transparency", &T::Transparency, &T::SetTransparency).Default(0);
}

void TGridBandBrush::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGridBandBrush*>(source)) {
        gradient_->Assign(other->gradient_.get());
        transparency_ = other->transparency_;
    }
    TChartBrush::Assign(source);
}

void TGridBandBrush::SetGradient(TPlotGradient* value) {
    gradient_->Assign(value);
}

void TGridBandBrush::SetTransparency(TPlotTransparency value) {
    if (value == transparency_)
        return;
    transparency_ = value;
    if (onChange_)
        onChange_(this);
}

// ---- the tool -----------------------------------------------------------------------------------

namespace {

// The grid hook an axis holds for a tool: a callable of its own type, so that the tool can tell
// its hook from another's.
struct TGridBandHook {
    TGridBandTool* tool;
    void operator()(TChartAxis* axis) const { tool->DrawBands(axis); }
};

} // namespace

// What one drawing of the bands shares: the canvas, the blend prepared once, the brush in turn
// and the extent across the axis.
struct TGridBandTool::TBandPass {
    TCanvas3D& canvas;
    std::optional<TPlotBlend> blend;
    TGridBandBrush* current;
    int crossStart;
    int crossEnd;
    bool horizontal;
    bool view3D;
    int depth;
    TColor wallColor;
};

TGridBandTool::TGridBandTool(TComponent* owner)
    : TPlotCustomToolAxis(owner),
      band1_(std::make_unique<TGridBandBrush>([this](TObject*) { Repaint(); }, this)),
      band2_(std::make_unique<TGridBandBrush>([this](TObject*) { Repaint(); }, this)) {
    band2_->SetColor(clWhite);
}

TGridBandTool::~TGridBandTool() {
    if (Axis() != nullptr)
        Unhook(Axis());
}

void TGridBandTool::DeclareProperties(TPropertyList& p) {
    using T = TGridBandTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Band1", &T::Band1, &T::SetBand1);
    p.Add("Band2", &T::Band2, &T::SetBand2);
}

void TGridBandTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TGridBandTool*>(source)) {
        band1_->Assign(other->band1_.get());
        band2_->Assign(other->band2_.get());
    }
    TPlotCustomToolAxis::Assign(source);
}

std::string TGridBandTool::ToolTitleText() const {
    return ToolText(ttGridBandTitle);
}

std::string TGridBandTool::ToolSummaryText() const {
    return ToolText(ttGridBandSummary);
}

// ---- the hook -----------------------------------------------------------------------------------

bool TGridBandTool::HoldsHook(const TChartAxis* axis) const {
    const auto* hook = axis->BeforeGridHook.target<TGridBandHook>();
    return hook != nullptr && hook->tool == this;
}

void TGridBandTool::Hook(TChartAxis* axis) {
    axis->BeforeGridHook = TGridBandHook{this};
}

void TGridBandTool::Unhook(TChartAxis* axis) {
    if (HoldsHook(axis))
        axis->BeforeGridHook = nullptr;
}

void TGridBandTool::SetAxis(TChartAxis* value) {
    if (value == Axis())
        return;
    if (Axis() != nullptr)
        Unhook(Axis());
    TPlotCustomToolAxis::SetAxis(value);
    if (value != nullptr)
        Hook(value);
}

// ---- drawing ------------------------------------------------------------------------------------

void TGridBandTool::DrawBand(TBandPass& pass, int p0, int p1) {
    TGridBandBrush* brush = pass.current;
    pass.current = brush == band1_.get() ? band2_.get() : band1_.get();
    if (brush->Style() == bsClear)
        return;
    if (p0 > p1)
        std::swap(p0, p1);
    const TRect r = pass.horizontal ? TRect{p0, pass.crossStart, p1, pass.crossEnd}
                                    : TRect{pass.crossStart, p0, pass.crossEnd, p1 + 1};
    TCanvas3D& canvas = pass.canvas;
    const TPlotTransparency transparency = brush->Transparency();
    if (transparency > 0)
        pass.blend->SetRectangle(pass.view3D ? canvas.ProjectedBounds(r, pass.depth) : r);
    if (brush->Gradient()->Visible()) {
        if (pass.view3D)
            brush->Gradient()->FillQuadAtDepth(
                canvas,
                {{r.Left, r.Top}, {r.Right, r.Top}, {r.Right, r.Bottom}, {r.Left, r.Bottom}},
                pass.depth);
        else
            brush->Gradient()->Fill(canvas, {r.Left, r.Top, r.Right, r.Bottom - 1}, 0);
    } else {
        const TColor back = brush->BackColor() == clNone ? pass.wallColor : brush->BackColor();
        canvas.SelectBrushColors(brush, brush->Color(), back);
        canvas.Pen()->SetStyle(psClear);
        if (pass.view3D)
            canvas.RectangleAtDepth(r, pass.depth);
        else
            canvas.Rectangle(r.Left, r.Top, r.Right + 1, r.Bottom);
    }
    if (transparency > 0)
        pass.blend->DoBlend(transparency);
}

void TGridBandTool::DrawBands(TChartAxis* axis) {
    TCustomAxisPanel* chart = Panel();
    const std::vector<int>& t = axis->TickPositions();
    if (!Active() || chart == nullptr || chart->DrawCanvas() == nullptr || t.size() < 2 ||
        (band1_->Style() == bsClear && band2_->Style() == bsClear))
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    const TRect plot = chart->PlotRect();
    const bool horizontal = axis->Horizontal();
    auto* fullChart = dynamic_cast<TCustomChart*>(chart);
    TBandPass pass{canvas,
                   std::nullopt,
                   band1_.get(),
                   horizontal ? plot.Top + 1 : plot.Left + 1,
                   horizontal ? plot.Bottom : plot.Right,
                   horizontal,
                   chart->View3D(),
                   chart->Depth3D(),
                   fullChart != nullptr ? fullChart->BackWall()->Color() : chart->Color()};
    if (crossStart_ != 0 || crossEnd_ != 0) {
        pass.crossStart = crossStart_;
        pass.crossEnd = crossEnd_;
    }
    pass.blend.emplace(canvas, TRect{});
    canvas.Pen()->SetStyle(psClear);
    const int start = axis->StartPixel();
    const int end = axis->EndPixel();
    const std::size_t n = t.size() - 1;
    if (horizontal ? t[0] < end : start < t[0])
        DrawBand(pass, horizontal ? end - 1 : start + 1, t[0]);
    else
        pass.current = band2_.get();
    for (std::size_t i = 1; i <= n; ++i)
        DrawBand(pass, t[i - 1], t[i]);
    if (horizontal ? t[n] > start : t[n] < end)
        DrawBand(pass, t[n], horizontal ? start : end);
    canvas.Brush()->SetStyle(bsClear);
}
