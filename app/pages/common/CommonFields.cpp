#include "app/pages/common/CommonFields.h"

#include "app/pages/MaskedNumber.h"
#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

#include <cstdint>

namespace {

std::string TwoDigits(int n) {
    return Format("%.2d", {n});
}

// The seconds and the (at most two) hundredths digits of a seconds field, split at its comma
// (or a point); hundredths digits missing on the right count as 0, as untyped mask positions do.
void SplitSeconds(const std::string& text, std::string& seconds, std::string& hundredths) {
    const size_t comma = text.find_first_of(",.");
    seconds = text.substr(0, comma);
    hundredths = comma == std::string::npos ? std::string() : text.substr(comma + 1);
    if (hundredths.size() < 2)
        hundredths.append(2 - hundredths.size(), '0');
}

} // namespace

std::optional<std::string> CheckDegrees(const std::string& text, int maximum, int width) {
    if (MaskedNumber(text) <= maximum)
        return std::nullopt;
    return std::string(static_cast<size_t>(width), '0');
}

std::optional<std::string> CheckMinutes(const std::string& text) {
    if (MaskedNumber(text) < 60)
        return std::nullopt;
    return std::string("00");
}

std::optional<std::string> CheckSeconds(const std::string& text) {
    std::string seconds;
    std::string hundredths;
    SplitSeconds(text, seconds, hundredths);
    if (MaskedNumber(seconds) < 60)
        return std::nullopt;
    return SecondsText(MaskedNumber(hundredths.substr(0, 2)));
}

bool AtCoordinateLimit(const std::string& degrees, int maximum) {
    return MaskedNumber(degrees) == maximum;
}

std::string SecondsText(int hundredths) {
    return TwoDigits(hundredths / 100) + "," + TwoDigits(hundredths % 100);
}

int SecondsHundredths(const std::string& text) {
    std::string seconds;
    std::string hundredths;
    SplitSeconds(text, seconds, hundredths);
    // Digits beyond the hundredths are cut, as the field's mask cuts them.
    MaskedValue(hundredths);
    return MaskedValue(seconds) * 100 + MaskedValue(hundredths.substr(0, 2));
}

TPeriodFields NormalisePeriod(const TPeriodFields& fields, int minimum) {
    int days = 0;
    int hours = 0;
    int minutes = 0;
    if (!TryMaskedNumber(fields.Days, days) || !TryMaskedNumber(fields.Hours, hours) ||
        !TryMaskedNumber(fields.Minutes, minutes)) {
        days = 0;
        hours = 0;
        minutes = minimum;
    }
    if (minutes >= 60)
        minutes = 59;
    if (hours > 23)
        hours = 23;
    const int64_t total = int64_t{days} * 1440 + hours * 60 + minutes;
    if (total < minimum)
        return {"00", "00", TwoDigits(minimum)};
    if (total > MaxPeriodMinutes)
        return {"07", "00", "00"};
    return {TwoDigits(days), TwoDigits(hours), TwoDigits(minutes)};
}

int PeriodMinutes(const TPeriodFields& fields) {
    const int64_t total = int64_t{MaskedValue(fields.Days)} * 1440 +
                          int64_t{MaskedValue(fields.Hours)} * 60 + MaskedValue(fields.Minutes);
    if (total > INT32_MAX)
        throw EConvertError("the period is too long");
    return static_cast<int>(total);
}

TPeriodFields PeriodFromMinutes(int minutes) {
    return {TwoDigits(minutes / 1440), TwoDigits(minutes % 1440 / 60), TwoDigits(minutes % 60)};
}

std::string PeriodText(const TPeriodFields& fields) {
    const std::string days = IntToStr(MaskedNumber(fields.Days));
    const std::string hours = IntToStr(MaskedNumber(fields.Hours));
    const std::string minutes = IntToStr(MaskedNumber(fields.Minutes)) + " мин.";
    if (fields.Days != "00")
        return days + " сут. " + hours + " час. " + minutes;
    if (fields.Hours != "00")
        return hours + " час. " + minutes;
    return minutes;
}
