#pragma once
// The unit's operating mode on the common page: the three mode buttons, the anti-theft button and
// the guard zone form one state machine, and choosing the deep sleep while connected asks the
// operator three times before the mode is sent.
//
//   mode                          anti-theft   zone group                shortest fix period
//   duty                          disabled     disabled                  1 minute
//   sleep with constant fixing    enabled      enabled while anti-theft  1 minute
//                                              is off
//   sleep                         enabled      disabled                  10 minutes
//
// The reporting period can be set only outside the duty mode. A disabled zone group always has
// its guard zone switched off.

#include <functional>
#include <string>

// The three mode buttons (exactly one is down once the page is set up).
struct TModeButtons {
    bool Duty = true;
    bool SleepWithFix = false;
    bool Sleep = false;
    bool operator==(const TModeButtons&) const = default;
};

// What the page's controls look like in a mode.
struct TModeLook {
    int MinFixMinutes = 1;
    bool ReportingEnabled = false; // the reporting period's fields and label
    bool ZoneEnabled = false;      // the zone group; its switch is off while disabled
    bool WakeEnabled = false;      // the anti-theft button
    bool operator==(const TModeLook&) const = default;
};

TModeLook ModeLook(const TModeButtons& mode, bool antiTheft);

// The answers of the three questions, in order; each returns the dialog's modal result.
struct TModeQuestions {
    std::function<int(const std::string& text)> Confirm; // Yes, No, Cancel
    std::function<int(const std::string& text)> Warn;    // OK, Cancel
};

// What a click on a mode button leads to.
enum class TModeChange {
    Keep,    // not connected: the page only follows the button
    Send,    // the new mode goes to the unit
    Restore, // the operator refused: the previous buttons come back
};

// Choosing the deep sleep (when the unit was not already in it) while connected asks: are you
// sure, the unit will not be reachable for the reporting period, really? Only Yes, OK and Yes
// send the mode. `reportingPeriod` is the period in words (PeriodText).
TModeChange DecideModeChange(const TModeButtons& previous, const TModeButtons& chosen,
                             bool connected, const std::string& reportingPeriod,
                             const TModeQuestions& ask);

// The three questions.
extern const char* const SleepQuestion;
std::string SleepWarning(const std::string& reportingPeriod);
extern const char* const SleepLastQuestion;
