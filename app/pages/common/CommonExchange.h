#pragma once
// The common page's exchange with the unit, on the worker thread: reading and writing the page,
// sending the mode and the anti-theft switch when the operator changes them, and resetting the
// unit's event flags. One request per setting; its label turns blue or red; a value is shown only
// when its request succeeded.
//
// Mended: a fix time limit with no item chosen sends nothing (the bare keyword would be a read)
// and marks its label red; the zone's seconds are shown as "ss,hh" and read with a comma or a
// point, whatever the desktop's decimal separator.

#include "app/pages/common/CommonFields.h"
#include "app/pages/common/ModeState.h"
#include "app/pages/common/ZoneFields.h"

#include <array>
#include <functional>
#include <string>

class TPageLink;

// The names of one zone coordinate's controls.
struct TCoordinateNames {
    const char* Label;
    const char* Degrees;
    const char* Minutes;
    const char* Seconds;
    const char* Hemisphere;
};
extern const std::array<TCoordinateNames, 4> ZoneControlNames;

// The fix time limit's codes, by item of its combo box.
extern const std::array<const char*, 4> ActiveTimeCodes;
// The item of a code the unit reported (the first code the reply holds), or -1.
int ActiveTimeItem(const std::string& reply);

// The page's values as the writers take them (on the user-interface thread).
struct TCommonValues {
    std::string ObjectNumber = "0050";
    TPeriodFields Reporting;
    TPeriodFields Fix;
    int ActiveTime = 0; // item of the fix time limit, -1 for none
    TModeButtons Mode;
    bool ZoneOn = false; // the guard zone's switch
    TZoneFields Zone;
    bool LeaveOnce = true; // the zone-exit action: switch on once (else until back in the zone)
    bool AntiTheft = true;
    bool HistoryTrigger = false; // power events written to the history: on trigger, on restore
    bool HistoryRestore = false;
    bool FlagTrigger = false; // power events raising the unit's flags
    bool FlagRestore = false;
};

// Reads the page: mode, object number, periods, fix time limit; from 503.53 the zone (in the
// sleep with constant fixing) and the zone-exit action; from 503.77 the anti-theft switch, the
// power event settings and the raised flags. `sleepWithFix` tells, after the mode was read,
// whether the sleep with constant fixing is the page's mode (taken on the user-interface thread).
void ReadCommonPage(TPageLink& link, const std::function<bool()>& sleepWithFix);
// Writes the page's values (never the mode itself).
void WriteCommonPage(TPageLink& link, const TCommonValues& values);
// The mode the operator chose; leaving for the duty mode releases the anti-theft switch, which
// from 503.77 is then sent too. The release is queued for the page.
void ApplySleepMode(TPageLink& link, TCommonValues values);
// The anti-theft switch, preceded by the zone when anti-theft is switched on in the sleep with
// constant fixing.
void ApplyAntiTheft(TPageLink& link, const TCommonValues& values);
// Lowers the unit's raised event flags.
void ResetEventFlags(TPageLink& link);
