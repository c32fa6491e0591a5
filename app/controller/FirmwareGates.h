#pragma once
// The firmware rules of a connection: which builds know which settings, whether a unit is offered
// the firmware update, and the flash type read from the unit's panel-type value. Pure functions,
// so that each rule is checked on its own.

#include <string>

// The only firmware shell the program supports.
constexpr int SupportedShell = 503;

// What the connect sequence read of the unit's firmware.
struct TUnitFirmware {
    int Shell = 0;
    int Build = 0;
    bool Variant = false; // the version text ends in "_p"
    std::string VersionText;
};

// Newer than 503.n: a shell above 503, or shell 503 with a build above n.
bool NewerThan(int shell, int build, int n);
inline bool NewerThan(const TUnitFirmware& unit, int n) {
    return NewerThan(unit.Shell, unit.Build, n);
}

// The builds from which the pages show and exchange more settings.
constexpr int GateGprsSwitch = 47;  // GPRS on/off and time, alert phone and logic
constexpr int GateZone = 52;        // zone group boxes, GPRS switch controls visible
constexpr int GateGpsPage = 55;     // the GPS page may be listed
constexpr int GateIgnition = 60;    // ignition watch, alternative periods
constexpr int GateHistoryWide = 68; // thirteen history columns
constexpr int GateOfferDialog = 67; // the update dialog itself may be shown
constexpr int GateAntiTheft = 76;   // anti-theft and event flags
constexpr int FlashTypeBuild = 87;  // from this build on the flash type is read

// The update offer for a unit at shell a, build b when the first built-in image is shell c,
// build d: nothing, only the service flashing menu item disabled (too old to be flashed this
// way), or the update dialog.
enum class TUpdateOffer { None, DisableMenu, ShowDialog };
bool UpdateDue(int a, int b, int c, int d);
TUpdateOffer UpdateOfferFor(int a, int b, int c, int d);

// The flash type of a panel-type value (hexadecimal): bits 5, 4 and 3 of its low byte all set
// give "AT45DB161D", anything else "M45PE16". Raises EConvertError for a value that is no
// hexadecimal number.
std::string FlashTypeOf(const std::string& panelType);
constexpr const char* DefaultFlashType = "AT45DB161D";

// Fills `unit` from a version text; raises EConvertError (leaving shell and build 0) when the
// text has no version numbers.
void ReadUnitFirmware(const std::string& versionText, TUnitFirmware& unit);
