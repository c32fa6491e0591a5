#include "chart/panel/ZoomPanning.h"

#include <utility>

void TZoomPanning::Activate(int x, int y) {
    X0 = X1 = x;
    Y0 = Y1 = y;
    Active = true;
}

void TZoomPanning::Check() {
    if (X0 > X1)
        std::swap(X0, X1);
    if (Y0 > Y1)
        std::swap(Y0, Y1);
}

TPlotZoomPen::TPlotZoomPen(TNotifyEvent onChange) : TChartPen() {
    SetColor(clWhite);
    OnChange = std::move(onChange);
}

void TPlotZoomPen::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TPen::Color, &TPen::SetColor, TColorTypeInfo()).Default(clWhite);
}

TPlotZoomBrush::TPlotZoomBrush(TNotifyEvent onChange) : TChartBrush() {
    SetColor(clWhite);
    SetStyle(bsClear);
    OnChange = std::move(onChange);
}

void TPlotZoomBrush::DeclareProperties(TPropertyList& p) {
    p.Add("Color", &TBrush::Color, &TBrush::SetColor, TColorTypeInfo()).Default(clWhite);
    p.Add("Style", &TBrush::Style, &TBrush::SetStyle).Default(bsClear);
}

TPlotZoom::TPlotZoom() = default;

TPlotZoom::~TPlotZoom() = default;

void TPlotZoom::DeclareProperties(TPropertyList& p) {
    p.Add("Allow", &TPlotZoom::Allow).Default(true);
    p.Add("Animated", &TPlotZoom::Animated).Default(false);
    p.Add("AnimatedSteps", &TPlotZoom::AnimatedSteps).Default(8);
    p.Add("Brush", &TPlotZoom::Brush, &TPlotZoom::SetBrush);
    p.Add("Direction", &TPlotZoom::Direction).Default(tzdBoth);
    p.Add("KeyShift", &TPlotZoom::KeyShift).Default(TShiftState{});
    p.Add("MinimumPixels", &TPlotZoom::MinimumPixels).Default(16);
    p.Add("MouseButton", &TPlotZoom::MouseButton).Default(mbLeft);
    p.Add("Pen", &TPlotZoom::Pen, &TPlotZoom::SetPen);
    p.Add("UpLeftZooms", &TPlotZoom::UpLeftZooms).Default(false);
}

void TPlotZoom::Assign(TPersistent* source) {
    auto* other = dynamic_cast<TPlotZoom*>(source);
    if (other == nullptr) {
        TZoomPanning::Assign(source);
        return;
    }
    Allow = other->Allow;
    Animated = other->Animated;
    AnimatedSteps = other->AnimatedSteps;
    SetBrush(other->brush_.get());
    Direction = other->Direction;
    KeyShift = other->KeyShift;
    MouseButton = other->MouseButton;
    SetPen(other->pen_.get());
}

TPlotZoomPen* TPlotZoom::Pen() {
    if (!pen_)
        pen_ = std::make_unique<TPlotZoomPen>();
    return pen_.get();
}

void TPlotZoom::SetPen(TPlotZoomPen* pen) {
    if (pen == nullptr)
        pen_.reset();
    else if (pen != pen_.get())
        Pen()->Assign(pen);
}

TPlotZoomBrush* TPlotZoom::Brush() {
    if (!brush_)
        brush_ = std::make_unique<TPlotZoomBrush>();
    return brush_.get();
}

void TPlotZoom::SetBrush(TPlotZoomBrush* brush) {
    if (brush == nullptr)
        brush_.reset();
    else if (brush != brush_.get())
        Brush()->Assign(brush);
}
