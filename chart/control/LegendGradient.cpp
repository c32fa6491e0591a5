// The legend gradient's defaults.

#include "chart/control/LegendGradient.h"

namespace {

constexpr TColor Silver = static_cast<TColor>(0xC0C0C0);
constexpr TColor White = static_cast<TColor>(0xFFFFFF);

} // namespace

TChartLegendGradient::TChartLegendGradient(TNotifyEvent onChange) : TPlotGradient() {
    // The defaults are set before the owner listens, so it hears nothing of them.
    SetDirection(gdRightLeft);
    SetEndColor(White);
    SetStartColor(Silver);
    OnChange = std::move(onChange);
}

void TChartLegendGradient::DeclareProperties(TPropertyList& p) {
    using G = TChartLegendGradient;
    p.Add("Direction", &G::Direction, &G::SetDirection).Default(gdRightLeft);
    p.Add("EndColor", &G::EndColor, &G::SetEndColor, TColorTypeInfo()).Default(White);
    p.Add("StartColor", &G::StartColor, &G::SetStartColor, TColorTypeInfo()).Default(Silver);
}
