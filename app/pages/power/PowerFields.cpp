#include "app/pages/power/PowerFields.h"

#include "app/pages/MaskedNumber.h"
#include "platform/rtl/Format.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

std::string ThresholdText(int hundredths) {
    return Format("%.2d,%.2d", {hundredths / 100, hundredths % 100});
}

bool TryVolts(const std::string& text, double& volts) {
    std::string plain;
    bool separator = false;
    bool digit = false;
    for (char c : text) {
        if (c == ',' || c == '.') {
            if (separator)
                return false;
            separator = true;
            plain += '.';
        } else if (c == ' ') {
            plain += '0';
            digit = true;
        } else if (c >= '0' && c <= '9') {
            plain += c;
            digit = true;
        } else {
            return false;
        }
    }
    if (!digit)
        return false;
    volts = std::strtod(plain.c_str(), nullptr);
    return true;
}

std::optional<std::string> CheckThreshold(const std::string& text) {
    double volts = 0;
    if (!TryVolts(text, volts))
        volts = 0;
    // Anything above the range is the range's top; the bound keeps the rounding in an int.
    const int hundredths = static_cast<int>(std::lround(std::min(volts, 1000.0) * 100));
    std::string wanted;
    if (hundredths < ThresholdLowest)
        wanted = ThresholdText(ThresholdLowest);
    else if (hundredths > ThresholdHighest)
        wanted = ThresholdText(ThresholdHighest);
    else
        wanted = ThresholdText(hundredths);
    if (wanted == text)
        return std::nullopt;
    return wanted;
}

std::optional<bool> EngineRunning(const std::string& supply, const std::string& threshold) {
    double volts = 0;
    double edge = 0;
    if (!TryVolts(supply, volts) || !TryVolts(threshold, edge))
        return std::nullopt;
    return volts > edge;
}

TPeriodFields NormaliseAltPeriod(const TPeriodFields& fields, int minimum) {
    int days = 0;
    int hours = 0;
    int minutes = 0;
    if (!TryMaskedNumber(fields.Days, days) || !TryMaskedNumber(fields.Hours, hours) ||
        !TryMaskedNumber(fields.Minutes, minutes))
        return PeriodFromMinutes(minimum);
    minutes = std::min(minutes, 59);
    hours = std::min(hours, 23);
    const int total = days * 1440 + hours * 60 + minutes;
    if (total < minimum)
        return PeriodFromMinutes(minimum);
    return PeriodFromMinutes(std::min(total, MaxPeriodMinutes));
}
