// Arbitrary bytes as the unit's reply to a setting request: collecting the reply, extracting the
// value and reading it as a hexadecimal or decimal number, a flag byte, an alarm code or a guard
// zone never fail hard and keep their promises.
//
// Input: one byte choosing the request's keyword, then the reply.

#include "device/DevQuorvan.h"
#include "device/DeviceSettings.h"
#include "device/ReplyCollector.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition)
        std::abort();
}

bool IsHexDigit(char c) {
    return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

bool AllOf(const std::string& text, bool (*test)(char)) {
    for (char c : text)
        if (!test(c))
            return false;
    return true;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The reply as the worker collects it for `keyword`: no kept line names another keyword, and the
// terminator it reports found is in the kept bytes.
void CheckCollector(const std::string& reply, const std::string& keyword) {
    TReplyCollector collector("OK", keyword);
    size_t fed = 0;
    size_t stale = 0;
    for (char c : reply) {
        collector.Add(c);
        ++fed;
        stale += collector.TakeStale().size();
        if (collector.Found() || collector.Refused())
            break;
    }
    const std::string& kept = collector.Bytes();
    Check(kept.size() + stale <= fed);
    Check(!collector.Found() || UpperCase(kept).find("OK") != std::string::npos);
    if (keyword.empty())
        Check(kept == reply.substr(0, fed));
    size_t start = 0;
    while (start < kept.size()) {
        size_t end = kept.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = kept.size();
        const std::string name = TReplyCollector::NameOfLine(kept.substr(start, end - start));
        Check(name.empty() || keyword.empty() || SameText(name, keyword));
        start = end + 1;
    }
}

void CheckNumbers(const std::string& value) {
    int32_t number = 0;
    const bool hex = ReadHexValue(value, number);
    if (!value.empty() && value.size() <= 8 && AllOf(value, IsHexDigit)) {
        Check(hex);
        Check(IntToHex(static_cast<uint32_t>(number), static_cast<int>(value.size())) ==
              UpperCase(value));
    }
    if (AllOf(value, IsHexDigit) && value.find_first_not_of('0') != std::string::npos &&
        value.size() - value.find_first_not_of('0') > 8)
        Check(!hex); // more digits than the unit's counters have: refused, never wrapped
    const bool decimal = ReadDecimalValue(value, number);
    if (!value.empty() && value.size() <= 9 && AllOf(value, IsDigit)) {
        Check(decimal);
        Check(number == std::stol(value));
    }
    if (hex) {
        const uint32_t bits = static_cast<uint32_t>(number);
        const TFlagArray flags = FlagArrayFromNumber(bits);
        Check(FlagArrayFromNumber(FlagArrayToByte(flags)) == flags);
        TEventFlagArray trigger{};
        TEventFlagArray restore{};
        SplitEventFlags(bits, trigger, restore);
        int item = -1;
        if (AlarmLogicItem(bits, item))
            Check(item >= 0 && item <= 3);
        else
            Check(item == -1);
    }
}

void CheckZone(const std::string& value) {
    TZoneCoordinates coordinates;
    bool enabled = false;
    if (!ParseZoneValue(value, coordinates, enabled))
        return;
    for (const TZoneCoordinate& c : coordinates) {
        Check(std::isfinite(c.Value) && c.Value >= 0);
        Check(c.Sign == 1 || c.Sign == -1);
    }
    for (size_t i = 0; i + 8 <= value.size() && i < 32; i += 8) {
        TZoneCoordinate one;
        Check(ZoneCoordinateFromHex(value.substr(i, 8), one));
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kKeywords[] = {"", "object", "periodgsm", "zone", "GAPN", "lookign"};
    const std::string keyword = size > 0 ? kKeywords[data[0] % 6] : "";
    const std::string reply(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                            size > 0 ? size - 1 : 0);

    CheckCollector(reply, keyword);
    TReplyCollector::IsRefusal(reply);
    TReplyCollector::HasValueLine(reply);

    const std::string value = TDevQuorvan::ExtractReplyValue(reply);
    Check(value == Trim(value));
    Check(value.find("OK") == std::string::npos);
    Check(value.empty() || reply.find(value) != std::string::npos);
    CheckNumbers(value);
    CheckNumbers(reply);
    CheckZone(value);
    CheckZone(reply);

    // The same bytes typed into a threshold or an online time: a number or a conversion error.
    try {
        Check(EdgeIgnValue(reply).size() == 4);
    } catch (const EConvertError&) {
    }
    try {
        Check(ActiveGsmValue(reply).size() == 4);
    } catch (const EConvertError&) {
    }
    return 0;
}
