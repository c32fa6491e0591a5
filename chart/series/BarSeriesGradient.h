#pragma once
// The gradient of gradient-filled bars. Its end colour is always the bar's own colour; with
// Relative the end colour lies between the start colour and the bar colour in proportion to the
// bar's value within the series' range.

#include "chart/draw/Gradient.h"

class TBarSeriesGradient : public TPlotGradient {
    Q4_CLASS(TBarSeriesGradient, TPlotGradient)
public:
    explicit TBarSeriesGradient(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
    void Assign(TPersistent* source) override;

    bool Relative() const { return relative_; }
    void SetRelative(bool value) { Set(relative_, value); }

    // The end colour of a bar of colour bar whose value lies at fraction of the range from its
    // low end: each channel start + Nearest((bar - start) x fraction), the fraction held to
    // 0..1 so that no channel leaves 0..255.
    static TColor RelativeColor(TColor start, TColor bar, double fraction);

private:
    bool relative_ = false;
};
