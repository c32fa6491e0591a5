// The series pointer: its settings, stored form, canvas set-up and the room it asks for.

#include "chart/core/SeriesPointer.h"

#include "chart/core/ChartHost.h"
#include "chart/core/ChartSeries.h"
#include "chart/draw/ChartMessages.h"
#include "chart/draw/PlotCanvas.h"

#include <algorithm>
#include <climits>

// The pointer gives its shape no panel: every repaint, brush and pen changes included, goes to
// the chart it finds through its series at that moment, never to one it kept.
TSeriesPointer::TSeriesPointer(TChartSeries* series)
    : TPlotCustomShapeBrushPen(nullptr), series_(series) {
    auto changed = [this](TObject*) { Repaint(); };
    Brush()->OnChange = changed;
    Pen()->OnChange = changed;
    gradient_ = std::make_unique<TPlotGradient>(changed);
    shadow_ = std::make_unique<TPlotShadow>(changed);
    shadow_->SetDefaults(shadow_->Color(), 3);
    shadow_->SetDefaultVisible(false);
}

TSeriesPointer::~TSeriesPointer() = default;

void TSeriesPointer::DeclareProperties(TPropertyList& p) {
    using S = TSeriesPointer;
    p.Add("Brush", &S::Brush, &S::SetBrush);
    p.Add("Dark3D", &S::Dark3D, &S::SetDark3D).Default(true);
    p.Add("Draw3D", &S::Draw3D, &S::SetDraw3D).Default(true);
    p.Add("Gradient", &S::Gradient, &S::SetGradient);
    p.Add("HorizSize", &S::HorizSize, &S::SetHorizSize).Default(4);
    // Always stored: each owner starts its pointer with its own choice.
    p.Add("InflateMargins", &S::InflateMargins, &S::SetInflateMargins);
    p.Add("Pen", &S::Pen, &S::SetPen);
    p.Add("Shadow", &S::Shadow, &S::SetShadow);
    p.Add("Style", &S::Style, &S::SetStyle).Default(psRectangle);
    p.Add("Transparency", &S::Transparency, &S::SetTransparency).Default(0);
    p.Add("VertSize", &S::VertSize, &S::SetVertSize).Default(4);
    // Always stored: a line series starts with its pointer hidden, a point series shown.
    p.Add("Visible", &S::Visible, &S::SetVisible);
}

void TSeriesPointer::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TSeriesPointer*>(source);
    if (other != nullptr) {
        dark3D_ = other->dark3D_;
        draw3D_ = other->draw3D_;
        gradient_->Assign(other->gradient_.get());
        horizSize_ = other->horizSize_;
        inflateMargins_ = other->inflateMargins_;
        shadow_->Assign(other->shadow_.get());
        style_ = other->style_;
        transparency_ = other->transparency_;
        vertSize_ = other->vertSize_;
    }
    TPlotCustomShapeBrushPen::Assign(source);
    Repaint();
}

TChartHost* TSeriesPointer::ParentChart() const {
    return series_ != nullptr ? series_->ParentChart() : chart_;
}

void TSeriesPointer::Repaint() {
    if (TChartHost* chart = ParentChart())
        chart->Invalidate();
}

void TSeriesPointer::SetVisible(bool on) {
    if (Visible() == on)
        return;
    TPlotCustomShapeBrushPen::SetVisible(on);
    Repaint();
}

void TSeriesPointer::SetHorizSize(int size) {
    if (size <= 0)
        throw ChartException(ChartMsg(msgPointerSize));
    SetOwn(horizSize_, size);
}

void TSeriesPointer::SetVertSize(int size) {
    if (size <= 0)
        throw ChartException(ChartMsg(msgPointerSize));
    SetOwn(vertSize_, size);
}

int TSeriesPointer::StartZ() const {
    return series_ != nullptr ? series_->StartZ() : 0;
}

int TSeriesPointer::MiddleZ() const {
    return series_ != nullptr ? series_->MiddleZ() : 0;
}

int TSeriesPointer::EndZ() const {
    return series_ != nullptr ? series_->EndZ() : 0;
}

// ---- canvas -------------------------------------------------------------------------------------

void TSeriesPointer::SetupCanvas(TCanvas3D& canvas, TColor color) {
    if (Pen()->Visible())
        canvas.SelectPenColored(Pen(), Pen()->Color() == clDefault ? color : Pen()->Color());
    else
        canvas.Pen()->SetStyle(psClear);
    TColor fill = Brush()->Color();
    if (fill == clDefault)
        fill = Brush()->Style() != bsSolid ? Brush()->BackColor() : color;
    canvas.SelectBrushColors(Brush(), fill, color);
}

void TSeriesPointer::SetupCanvas() {
    TChartHost* chart = ParentChart();
    if (chart != nullptr && chart->ChartCanvas() != nullptr)
        SetupCanvas(*chart->ChartCanvas(), Brush()->Color());
}

// ---- margins ------------------------------------------------------------------------------------

void TSeriesPointer::CalcHorizMargins(int& left, int& right) const {
    if (!Visible() || !inflateMargins_)
        return;
    const int room = horizSize_ < INT_MAX ? horizSize_ + 1 : horizSize_;
    left = std::max(left, room);
    right = std::max(right, room);
}

void TSeriesPointer::CalcVerticalMargins(int& top, int& bottom) const {
    if (!Visible() || !inflateMargins_)
        return;
    const int room = vertSize_ < INT_MAX ? vertSize_ + 1 : vertSize_;
    top = std::max(top, room);
    bottom = std::max(bottom, room);
}
