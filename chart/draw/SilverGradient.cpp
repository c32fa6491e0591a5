// The silver gradient's defaults.

#include "chart/draw/SilverGradient.h"

TSilverGradient::TSilverGradient(TNotifyEvent onChange) : TPlotGradient() {
    // Set before anyone listens, so the owner is not told of its own defaults.
    SetDirection(gdRightLeft);
    SetEndColor(DefaultEndColor);
    SetStartColor(DefaultStartColor);
    OnChange = std::move(onChange);
}

void TSilverGradient::DeclareProperties(TPropertyList& p) {
    using G = TSilverGradient;
    p.Add("Direction", &G::Direction, &G::SetDirection).Default(gdRightLeft);
    p.Add("EndColor", &G::EndColor, &G::SetEndColor, TColorTypeInfo()).Default(DefaultEndColor);
    p.Add("StartColor", &G::StartColor, &G::SetStartColor, TColorTypeInfo())
        .Default(DefaultStartColor);
}
