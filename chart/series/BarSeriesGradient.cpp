#include "chart/series/BarSeriesGradient.h"

#include "chart/draw/DrawRoutines.h"
#include "platform/graphics/Color.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

TBarSeriesGradient::TBarSeriesGradient(TNotifyEvent onChange)
    : TPlotGradient(std::move(onChange)) {}

void TBarSeriesGradient::DeclareProperties(TPropertyList& p) {
    using G = TBarSeriesGradient;
    p.Add("Relative", &G::Relative, &G::SetRelative).Default(false);
}

void TBarSeriesGradient::Assign(TPersistent* source) {
    if (auto* g = dynamic_cast<TBarSeriesGradient*>(source))
        relative_ = g->relative_;
    TPlotGradient::Assign(source);
}

TColor TBarSeriesGradient::RelativeColor(TColor start, TColor bar, double fraction) {
    if (std::isnan(fraction))
        return bar;
    const double f = std::clamp(fraction, 0.0, 1.0);
    const auto s = ColorToBytes(ColorToRGB(start));
    const auto b = ColorToBytes(ColorToRGB(bar));
    std::uint8_t channel[3];
    for (int k = 0; k < 3; ++k)
        channel[k] = static_cast<std::uint8_t>(s[k] + RoundEven((b[k] - s[k]) * f));
    // ColorToBytes answers blue, green, red.
    return RGB(channel[2], channel[1], channel[0]);
}
