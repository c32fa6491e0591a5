#include "chart/series/PointSeries.h"

#include "chart/core/SeriesMarks.h"

TPointSeries::TPointSeries(TComponent* owner) : TCustomSeries(owner) {
    ApplyPointLook();
    // Marks sit right on their points.
    Marks()->Callout()->SetDefaultLength(0);
}

void TPointSeries::ApplyPointLook() {
    Pointer()->SetVisible(true);
    SetDrawArea(false);
    SetConnectPoints(false);
    SetClickableLine(false);
}

void TPointSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    ApplyPointLook();
}

void TPointSeries::SetColorEachPoint(bool value) {
    TCustomSeries::SetColorEachPoint(value);
    if (value)
        Pointer()->Brush()->SetColor(clDefault);
}

TPlotTransparency TPointSeries::GetTransparency() const {
    return Pointer()->Transparency();
}

void TPointSeries::SetTransparency(TPlotTransparency value) {
    Pointer()->SetTransparency(value);
}
