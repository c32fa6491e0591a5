#pragma once
// The common page's field rules, as pure text functions: the checks each coordinate field runs
// when it changes, the normalising of the two periods (days, hours, minutes), and the reporting
// period in words for the sleep-mode warning.
//
// The fields are masked edits ("!99", "!999", "!99,99"): a blank is a digit not yet typed and
// counts as 0. A check returns the text the field must show instead, or nothing when the field may
// stay as it is, so that a field is rewritten only when its value really changes (rewriting fires
// the field's change event again). Numbers of the fields are read by MaskedNumber.

#include <optional>
#include <string>

// Degrees above `maximum` (90 for a latitude, 180 for a longitude) become 0, written with
// `width` digits.
std::optional<std::string> CheckDegrees(const std::string& text, int maximum, int width);
// Minutes of 60 or more become "00".
std::optional<std::string> CheckMinutes(const std::string& text);
// Seconds and hundredths ("30,00"; a "." is taken as the comma): seconds of 60 or more become 0,
// the field then reads "00,hh".
std::optional<std::string> CheckSeconds(const std::string& text);
// A coordinate at its maximum (90 or 180 degrees) has no minutes or seconds.
bool AtCoordinateLimit(const std::string& degrees, int maximum);

constexpr int LatitudeLimit = 90;
constexpr int LongitudeLimit = 180;

// Seconds and hundredths of a second as the seconds field shows them: "07,41".
std::string SecondsText(int hundredths);
// The seconds field read as hundredths of a second; "," and "." are both taken as the comma.
// Raises EConvertError for a text that is no number of that form.
int SecondsHundredths(const std::string& text);

// One period as its three fields.
struct TPeriodFields {
    std::string Days = "00";
    std::string Hours = "00";
    std::string Minutes = "10";
    bool operator==(const TPeriodFields&) const = default;
};

// The longest period, seven days, in minutes.
constexpr int MaxPeriodMinutes = 7 * 1440;
// The shortest reporting period, and the shortest fix periods by mode.
constexpr int MinReportingMinutes = 10;
constexpr int MinFixMinutesAwake = 1;
constexpr int MinFixMinutesAsleep = 10;

// The fields after a change: minutes above 59 become 59, hours above 23 become 23; a period shorter
// than `minimum` minutes becomes `minimum` minutes, one longer than seven days becomes seven days;
// otherwise the three fields are written with two digits. A field that is no number makes the
// period `minimum` minutes.
TPeriodFields NormalisePeriod(const TPeriodFields& fields, int minimum);
// Days x 1440 + hours x 60 + minutes; raises EConvertError for a field that is no number.
int PeriodMinutes(const TPeriodFields& fields);
// The fields of a period of `minutes` as the unit gives it.
TPeriodFields PeriodFromMinutes(int minutes);
// The period in words, numbers without leading zeros: "1 сут. 2 час. 30 мин.", "2 час. 30 мин."
// or "30 мин.".
std::string PeriodText(const TPeriodFields& fields);
