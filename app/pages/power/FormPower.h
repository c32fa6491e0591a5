#pragma once
// TformPower, the power page ("Питание"): battery charging, the ignition threshold with its track
// bar, the present supply voltage drawn as a live chart against the threshold, the ignition watch
// and the alternative periods. The page is read from its description (after the page base's); its
// controls are its settings, which the page base loads, saves and sets to their factory values
// (their hints).
//
// The chart shows a two-second window that moves with each reading: the bottom axis is set to
// [t - 1 s, t + 1 ms] in one call, so a clock that steps back never leaves it with its minimum
// above its maximum; the threshold line spans the window; voltage points are kept for the whole
// run.
//
// A threshold the unit holds outside the track bar's range (10,00 to 25,00 V) is shown as the unit
// reports it, its label red, and written back unchanged until the track bar is moved.

#include "app/pages/FormIncl.h"
#include "app/pages/power/PowerExchange.h"
#include "platform/rtl/DateTime.h"

#include <functional>
#include <optional>

class TChart;
class TLineSeries;

class TformPower : public TformIncl, public TPowerDisplay {
    Q4_CLASS(TformPower, TformIncl)
public:
    explicit TformPower(TComponent* owner);
    static void DeclareMethods(TMethodTable& m);

    // Besides the base: the alternative periods and the fix time to their factory values.
    void PrepareRead() override;
    // Besides the base: the track bar to the threshold the file holds, the alternative periods
    // enabled with the ignition watch.
    void LoadFromIni(TCustomIniFile& ini) override;
    // The track bar to its bottom (10,00 V) and the fix time to its first item, then the base;
    // the alternative periods then follow the ignition watch (off).
    void SetDefaults() override;

    // The present date and time; the program's clock unless a test sets another.
    void SetClock(std::function<TDateTime()> clock);

    // Supply voltage reading: the voltage text, the time window, the threshold line, the point.
    void ShowSupply(int hundredths) override;
    // The unit's threshold: the track bar moved to it, or held as the unit reports it when the
    // track bar cannot show it.
    void ShowUnitThreshold(int hundredths) override;
    // The unit's threshold is outside the track bar's range and is kept as it is.
    bool HoldsUnitThreshold() const { return held_.has_value(); }

    // The window [now - 1 s, now + 1 ms], now cut to whole seconds, then the threshold line.
    void UpdateTimeAxis();
    // The threshold edit and line from the track bar (or the held value), then the engine state.
    void UpdateThresholdLine();
    // The alternative periods' controls enabled exactly when the ignition watch is on.
    void EnableAltPeriods();

    TChart* Chart() const;
    TLineSeries* VoltageSeries() const;
    TLineSeries* ThresholdSeries() const;

    // The page's values as the writer sends them.
    TPowerValues Values() const;

    // Handlers named by the description.
    void TrackBar1Change(TObject* sender);
    void cbLookIgnClick(TObject* sender);
    void meEdgeignChange(TObject* sender);
    void PeriodGPRSChange(TObject* sender);
    void PeriodGPSChange(TObject* sender);

protected:
    void Loaded() override;

private:
    int ThresholdHundredths() const;
    void ShowEngineState();
    void CheckPeriod(const char* prefix, int minimum);

    std::function<TDateTime()> clock_;
    std::optional<int> held_; // the unit's threshold, when the track bar cannot show it
    bool settingFromUnit_ = false;
};

// Puts the page and the classes its description names (the chart with its line series among
// them) in the class registry, and the page's reader, writer and supply-voltage poll with the
// controller's.
void RegisterPowerPage();
