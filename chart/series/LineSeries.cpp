#include "chart/series/LineSeries.h"

TLineSeries::TLineSeries(TComponent* owner) : TCustomSeries(owner) {
    SetConnectPoints(true);
    Pointer()->Hide();
    allowSinglePoint_ = false;
    drawBetweenPoints_ = true;
}

void TLineSeries::Assign(TPersistent* source) {
    TCustomSeries::Assign(source);
    if (!source->InheritsFrom(TLineSeries::StaticClass()) && !source->InheritsFrom(ClassType()))
        Pointer()->Hide();
    SetDrawArea(false);
    SetConnectPoints(true);
}

THorizLineSeries::THorizLineSeries(TComponent* owner) : TLineSeries(owner) {
    SetXMandatory();
    calcVisiblePoints_ = false;
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
}
