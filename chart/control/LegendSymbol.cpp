// The legend symbol's width rule and plain drawing.

#include "chart/control/LegendSymbol.h"

#include "chart/draw/PlotCanvas3D.h"

#include <cmath>

void TLegendSymbol::Assign(const TLegendSymbol& other) {
    continuous_ = other.continuous_;
    position_ = other.position_;
    squared_ = other.squared_;
    width_ = other.width_;
    widthUnits_ = other.widthUnits_;
    visible_ = other.visible_;
    if (changed_)
        changed_();
}

int TLegendSymbol::WidthFor(int textWidth, int rowHeight) const {
    if (!visible_)
        return 0;
    if (squared_)
        return rowHeight - 5;
    if (widthUnits_ == lcsPixels)
        return width_;
    return static_cast<int>(std::lround(static_cast<double>(textWidth) * width_ / 100.0));
}

void TLegendSymbol::DrawPlain(TCanvas3D& canvas, TColor color, const TRect& rect) const {
    canvas.Brush()->SetColor(color);
    canvas.Brush()->SetStyle(bsSolid);
    if (canvas.Pen()->Style() != psClear)
        canvas.Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom);
    else
        canvas.Rectangle(rect.Left, rect.Top, rect.Right + 1, rect.Bottom + 1);
}
