#include "chart/tools/ColorBandTool.h"

#include "chart/axispanel/AxisPanel.h"
#include "chart/core/ChartAxis.h"
#include "chart/draw/BlendScope.h"
#include "chart/draw/ChartBrush.h"
#include "chart/draw/ChartPen.h"
#include "chart/draw/Gradient.h"
#include "chart/draw/PlotCanvas.h"
#include "chart/imaging/PlotFilter.h"
#include "chart/tools/ToolTexts.h"
#include "chart/util/HitTests.h"

#include <algorithm>
#include <utility>

namespace {

constexpr int kMouseDown = 0;
constexpr int kMouseMove = 1;

} // namespace

TColorBandTool::TColorBandTool(TComponent* owner)
    : TPlotCustomToolAxis(owner),
      gradient_(std::make_unique<TPlotGradient>([this](TObject*) { Repaint(); })),
      startLine_(MakeEdgeLine()), endLine_(MakeEdgeLine()) {}

TColorBandTool::~TColorBandTool() = default;

TColorBandTool::TLinePtr TColorBandTool::MakeEdgeLine() {
    TLinePtr line(new TColorLineTool(nullptr));
    line->SetActive(false);
    line->SetDragRepaint(true);
    line->OnDragLine = [this](TColorLineTool* sender) { EdgeDragged(sender); };
    line->OnEndDragInternal = [this](TColorLineTool* sender) { EdgeDragEnded(sender); };
    return line;
}

void TColorBandTool::DeclareProperties(TPropertyList& p) {
    using T = TColorBandTool;
    p.Add("Active", &T::Active, &T::SetActive).Default(true);
    p.Add("Brush", &T::Brush, &T::SetBrush);
    p.Add("Color", &T::Color, &T::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Cursor", &T::Cursor, &T::SetCursor).Default(0);
    p.Add("DrawBehind", &T::DrawBehind, &T::SetDrawBehind).Default(true);
    p.Add("DrawBehindAxes", &T::DrawBehindAxes, &T::SetDrawBehindAxes).Default(false);
    p.Add("EndLinePen", &T::EndLinePen, &T::SetEndLinePen);
    p.Add("EndValue", &T::EndValue, &T::SetEndValue);
    p.Add("Gradient", &T::Gradient, &T::SetGradient);
    p.Add("Pen", &T::Pen, &T::SetPen);
    p.Add("Picture", &T::Picture, &T::SetPicture).Stored(&T::PictureStored);
    p.Add("ResizeEnd", &T::ResizeEnd, &T::SetResizeEnd).Default(false);
    p.Add("ResizeStart", &T::ResizeStart, &T::SetResizeStart).Default(false);
    p.Add("StartLinePen", &T::StartLinePen, &T::SetStartLinePen);
    p.Add("StartValue", &T::StartValue, &T::SetStartValue);
    p.Add("Transparency", &T::Transparency, &T::SetTransparency).Default(0);
}

void TColorBandTool::Assign(TPersistent* source) {
    if (auto* other = dynamic_cast<TColorBandTool*>(source)) {
        color_ = other->color_;
        cursor_ = other->cursor_;
        drawBehind_ = other->drawBehind_;
        drawBehindAxes_ = other->drawBehindAxes_;
        endValue_ = other->endValue_;
        gradient_->Assign(other->gradient_.get());
        startValue_ = other->startValue_;
        transparency_ = other->transparency_;
        endLine_->Assign(other->endLine_.get());
        SetPicture(other->picture_.get());
        startLine_->Assign(other->startLine_.get());
    }
    TPlotCustomToolAxis::Assign(source);
}

std::string TColorBandTool::ToolTitleText() const {
    return ToolText(ttColorBandTitle);
}

std::string TColorBandTool::ToolSummaryText() const {
    return ToolText(ttColorBandSummary);
}

// ---- settings -----------------------------------------------------------------------------------

void TColorBandTool::SetStartValue(double value) {
    SetField(startValue_, value);
    startLine_->SetValue(startValue_);
    endLine_->SetValue(endValue_);
}

void TColorBandTool::SetEndValue(double value) {
    SetField(endValue_, value);
    startLine_->SetValue(startValue_);
    endLine_->SetValue(endValue_);
}

void TColorBandTool::SetGradient(TPlotGradient* value) {
    gradient_->Assign(value);
}

TPlotPicture* TColorBandTool::Picture() {
    if (!picture_) {
        picture_ = std::make_unique<TPlotPicture>();
        picture_->OnChange = [this](TObject*) { PictureChanged(); };
    }
    return picture_.get();
}

void TColorBandTool::SetPicture(TPlotPicture* value) {
    if (value == nullptr) {
        picture_.reset();
        Repaint();
        return;
    }
    Picture()->Assign(value);
}

bool TColorBandTool::HasPicture() const {
    return picture_ && picture_->Graphic() != nullptr;
}

void TColorBandTool::PictureChanged() {
    Repaint();
}

void TColorBandTool::Loaded() {
    TPlotCustomToolAxis::Loaded();
    startLine_->SetValue(startValue_);
    endLine_->SetValue(endValue_);
}

void TColorBandTool::SetAxis(TChartAxis* value) {
    TPlotCustomToolAxis::SetAxis(value);
    for (TColorLineTool* line : {startLine_.get(), endLine_.get()}) {
        line->SetAxis(value);
        // The band draws and moves its edges itself: they are on no chart's tools.
        line->SetParentChart(nullptr);
    }
}

void TColorBandTool::SetParentChart(TChartHost* chart) {
    TPlotCustomToolAxis::SetParentChart(chart);
    startLine_->SetTargetChart(Panel());
    endLine_->SetTargetChart(Panel());
}

// ---- geometry -----------------------------------------------------------------------------------

TRect TColorBandTool::BandRect() const {
    const TChartAxis* axis = Axis();
    const TCustomAxisPanel* chart = Panel();
    if (axis == nullptr || chart == nullptr)
        return {};
    double a = startValue_;
    double b = endValue_;
    if (axis->Inverted() ? a < b : a > b)
        std::swap(a, b);
    if (std::min(a, b) > axis->Maximum() || std::max(a, b) < axis->Minimum())
        return {};
    TRect r = chart->PlotRect();
    const bool penVisible = Pen()->Visible();
    if (axis->Horizontal()) {
        r.Left = std::max(axis->StartPixel(), axis->PixelOf(a));
        r.Right = std::min(axis->EndPixel(), axis->PixelOf(b));
        if (penVisible)
            ++r.Right;
    } else {
        r.Top = std::max(axis->StartPixel(), axis->PixelOf(b));
        r.Bottom = std::min(axis->EndPixel(), axis->PixelOf(a));
        ++r.Left;
        ++r.Bottom;
        if (!penVisible) {
            ++r.Bottom;
            ++r.Right;
        }
    }
    return r;
}

int TColorBandTool::DepthZ() const {
    const TCustomAxisPanel* chart = Panel();
    return drawBehind_ && chart != nullptr ? chart->Depth3D() : 0;
}

bool TColorBandTool::HitBand(int x, int y) const {
    const TCustomAxisPanel* chart = Panel();
    if (chart == nullptr || chart->DrawCanvas() == nullptr)
        return false;
    const TRect r = BandRect();
    if (r.Right <= r.Left || r.Bottom <= r.Top)
        return false;
    return PointInsidePolygon({x, y}, chart->DrawCanvas()->ProjectCorners(r, DepthZ()));
}

// ---- drawing ------------------------------------------------------------------------------------

void TColorBandTool::FillBand(TCanvas3D& canvas, const TRect& r, int z) {
    const TCustomAxisPanel& chart = *Panel();
    const bool view3D = chart.View3D();
    const bool flat = !view3D || canvas.IsOrthogonal();
    if (gradient_->Visible() && flat) {
        gradient_->Fill(canvas, canvas.ProjectRect({r.Left, r.Top, r.Right - 1, r.Bottom - 1}, z),
                        0);
        canvas.Brush()->SetStyle(bsClear);
    }
    if (HasPicture()) {
        if (flat) {
            if (TGraphic* graphic = picture_->Filtered())
                canvas.GetDeviceContext()->StretchDraw(canvas.ProjectRect(r, z), graphic);
        } else {
            canvas.GraphicOnPlane(r, picture_.get(), z, 2);
        }
    } else if (view3D) {
        canvas.RectangleAtDepth(r, z);
    } else {
        canvas.Rectangle(r);
    }
}

void TColorBandTool::DrawBand() {
    TCustomAxisPanel* chart = Panel();
    if (Axis() == nullptr || chart == nullptr || chart->DrawCanvas() == nullptr)
        return;
    const TRect r = BandRect();
    if (r.Right - r.Left < 1 || r.Bottom - r.Top < 1)
        return;
    TCanvas3D& canvas = *chart->DrawCanvas();
    canvas.SelectBrushWithColor(Brush(), color_);
    canvas.ApplyChartPen(Pen(), Pen()->Color());
    const int z = DepthZ();
    {
        const TBlendScope blend(canvas, chart->View3D() ? canvas.ProjectedBounds(r, z) : r,
                                transparency_);
        FillBand(canvas, r, z);
    }
    if (endLine_->Active()) {
        endLine_->SetValue(endValue_);
        endLine_->DrawColorLine(drawBehind_);
    }
    if (startLine_->Active()) {
        startLine_->SetValue(startValue_);
        startLine_->DrawColorLine(drawBehind_);
    }
}

void TColorBandTool::ChartToolEvent(TChartToolEventKind kind) {
    TPlotCustomToolAxis::ChartToolEvent(kind);
    const bool now = drawBehindAxes_ ? kind == ctkBeforeDrawAxes
                     : drawBehind_   ? kind == ctkBeforeDrawSeries
                                     : kind == ctkAfterDraw;
    if (now)
        DrawBand();
}

// ---- the mouse ----------------------------------------------------------------------------------

void TColorBandTool::TakeEdgeValue(TColorLineTool* line) {
    if (line == startLine_.get())
        SetStartValue(line->Value());
    else
        SetEndValue(line->Value());
}

void TColorBandTool::EdgeDragged(TColorLineTool* line) {
    if (line->DragRepaint())
        TakeEdgeValue(line);
}

void TColorBandTool::EdgeDragEnded(TColorLineTool* line) {
    if (!line->DragRepaint())
        TakeEdgeValue(line);
    if (OnResized)
        OnResized(this);
}

void TColorBandTool::ChartMouseEvent(int kind, TMouseButton button, TShiftState shift, int x,
                                     int y) {
    TCustomAxisPanel* chart = Panel();
    if (chart == nullptr)
        return;
    if (startLine_->Active())
        startLine_->ChartMouseEvent(kind, button, shift, x, y);
    if (endLine_->Active() && !chart->MouseCancelled)
        endLine_->ChartMouseEvent(kind, button, shift, x, y);
    if (kind == kMouseDown && OnClick && HitBand(x, y)) {
        OnClick(this, button, shift, x, y);
    } else if (kind == kMouseMove && cursor_ != 0 && !chart->MouseCancelled && HitBand(x, y)) {
        chart->SetChartCursor(cursor_);
        chart->MouseCancelled = !chart->PanningState()->Active && !chart->Zoom()->Active;
    }
}
