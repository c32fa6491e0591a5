#pragma once
// What a connection's controller changes in the windows, all through the output queue (except
// the hooks, which run on the user-interface thread): the log, the connection-progress window,
// the status bar, the main controls, the pages, and the control whose queued click ends the
// connection.

#include "app/controller/FirmwareAdaptation.h"
#include "app/worker/MainControls.h"

#include <functional>
#include <string>
#include <vector>

class TControl;
class TCustomMemo;
class TOutArray;
class TStatusPanel;
class TformIncl;

struct TControllerView {
    TOutArray* Queue = nullptr;
    TCustomMemo* Log = nullptr;
    TControl* SplashText = nullptr; // the step shown by the connection-progress window
    TControl* SplashDone = nullptr; // its hidden button that closes it with OK
    TControl* EndRequest = nullptr; // a click on it ends the connection
    TStatusPanel* VersionPanel = nullptr;
    TStatusPanel* FlashPanel = nullptr;
    TMainControls MainControls;
    // Every page, in the main window's component order.
    std::vector<TformIncl*> Pages;
    TAdaptTargets Adapt;
    // "current.ini".
    std::string SettingsFile;

    // User-interface thread.
    std::function<bool()> UpdateShowing;    // the update dialog owns the line
    std::function<void()> ClearUpdateState; // back to the offer
    std::function<void(const TUnitFirmware&)> OfferUpdate;
};
