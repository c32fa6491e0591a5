#include "chart/series/BarSeries.h"

TBarSeries::TBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
    Gradient()->SetDirection(gdTopBottom);
    YValues()->SetName("Bar");
}

void TBarSeries::DeclareProperties(TPropertyList& p) {
    p.Add("CustomBarWidth", &TBarSeries::CustomBarWidth, &TBarSeries::SetCustomBarWidth).Default(0);
}

THorizBarSeries::THorizBarSeries(TComponent* owner) : TCustomBarSeries(owner) {
    SetXMandatory();
    calcVisiblePoints_ = false;
    XValues()->SetOrder(loNone);
    YValues()->SetOrder(loAscending);
    Gradient()->SetDirection(gdLeftRight);
    XValues()->SetName("Bar");
}

void THorizBarSeries::DeclareProperties(TPropertyList& p) {
    p.Add("CustomBarHeight", &THorizBarSeries::CustomBarWidth, &THorizBarSeries::SetCustomBarWidth)
        .Default(0);
}
