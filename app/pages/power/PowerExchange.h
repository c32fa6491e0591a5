#pragma once
// The power page's exchange with the unit, on the worker thread: battery charging, the ignition
// threshold, the supply voltage, and from 503.61 the ignition watch with the alternative periods
// and fix time. One request per setting; its label turns blue or red; a value is shown only when
// its request succeeded.
//
// The supply voltage and the unit's threshold do not go through the output queue: they reach the
// page in one step on the user-interface thread (TPowerDisplay), which writes the voltage text,
// moves the chart's time window, redraws the threshold line and adds the new point, in that order.

#include "app/pages/common/CommonFields.h"

#include <string>

class TPageLink;

// The page's values as the writer takes them (on the user-interface thread).
struct TPowerValues {
    bool DontCharge = true;
    std::string Threshold = "10,00"; // volts, "," or "."
    bool LookIgn = false;
    TPeriodFields Reporting{"00", "02", "00"};
    TPeriodFields Fix{"00", "01", "00"};
    int ActiveItem = 0; // of the fix time list, -1 for none
};

// What a reading changes on the page, run on the user-interface thread.
class TPowerDisplay {
public:
    virtual ~TPowerDisplay() = default;
    // A supply voltage reading, in hundredths of a volt.
    virtual void ShowSupply(int hundredths) = 0;
    // The threshold the unit holds, in hundredths of a volt (possibly outside the track bar's
    // range).
    virtual void ShowUnitThreshold(int hundredths) = 0;
};

// The idle poll's reading (and the end of a page read): the supply voltage, and from 503.61 the
// unit's threshold.
void ReadSupplyVoltage(TPageLink& link, TPowerDisplay& display);
void ReadPowerPage(TPageLink& link, TPowerDisplay& display);
// Raises EConvertError when the threshold or a period is no number, ending the write.
void WritePowerPage(TPageLink& link, const TPowerValues& values);
