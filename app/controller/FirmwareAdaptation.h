#pragma once
// Shows or hides the page parts a unit's firmware build supports, once per connection on the
// user-interface thread: the GPRS switch and alert phone and the zone groups (newer than 503.52),
// the GPS page's tree node (newer than 503.55 with the "SL_AlEh" switch of the settings file),
// the ignition-watch parts of the power page (newer than 503.60), the history list's thirteen
// columns (newer than 503.68, keeping the widths of "КС" and "Запись" through each switch, the
// four added ones as wide as their captions and texts) and
// the anti-theft group (newer than 503.76). Nothing is undone on disconnect; the next connection
// adapts the pages again.

#include "app/controller/FirmwareGates.h"

#include <string>

class TCustomListView;
class TCustomTreeView;
class TformIncl;

struct TAdaptTargets {
    TCustomTreeView* Tree = nullptr;
    TformIncl* Common = nullptr;
    TformIncl* Gprs = nullptr;
    TformIncl* History = nullptr;
    TformIncl* Power = nullptr;
};

// What the caller must do after adapting.
struct TAdaptResult {
    // The GPS page's node went away: the power page becomes the current page and comes to the
    // front.
    bool ShowPowerPage = false;
};

// `gpsSwitch` is the value of "SL_AlEh" in section "GPSfix" of the settings file.
TAdaptResult AdaptPagesToFirmware(const TAdaptTargets& targets, const TUnitFirmware& unit,
                                  const std::string& gpsSwitch);

// The history list's column switch alone (9 columns up to 503.68, 13 after).
void AdaptHistoryColumns(TCustomListView& list, bool wide);

// The page tree's node of the GPS page.
constexpr const char* GpsNodeText = "GPS фиксация";
constexpr int GpsNodeState = 5;
