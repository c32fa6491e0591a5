#pragma once
// The pen of an axis' grid lines: a dotted grey chart pen that also says at which ticks a line
// is drawn (every DrawEvery-th), whether the lines sit between the ticks (centred) and where in
// depth, in percent of the chart's 3D depth, the part running towards the back starts.

#include "chart/draw/ChartPen.h"

class TAxisGridPen : public TDottedGrayPen {
    Q4_CLASS(TAxisGridPen, TDottedGrayPen)
public:
    explicit TAxisGridPen(TNotifyEvent onChange = {});
    static void DeclareProperties(TPropertyList& p);
    using TDottedGrayPen::Assign;
    void Assign(TPersistent* source) override;

    bool Centered() const { return centered_; }
    void SetCentered(bool value);
    int DrawEvery() const { return drawEvery_; }
    void SetDrawEvery(int value);
    double ZPosition() const { return zPosition_; }
    void SetZPosition(double value);
    // The axis' own default, against which ZPosition is stored.
    double DefaultZPosition() const { return defaultZPosition_; }
    void SetDefaultZPosition(double value) { defaultZPosition_ = value; }

private:
    bool ZPositionStored() const { return zPosition_ != defaultZPosition_; }

    bool centered_ = false;
    int drawEvery_ = 1;
    double zPosition_ = 0;
    double defaultZPosition_ = 0;
};
