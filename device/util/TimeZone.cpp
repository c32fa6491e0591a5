#include "device/util/TimeZone.h"

namespace {

constexpr double kMinutesPerDay = 24 * 60;

} // namespace

// The runtime's bias is the minutes to add to local time to reach UTC (-180 for Moscow); it is
// 0 when the zone cannot be read.
TDateTime UtcToLocal(TDateTime Utc) {
    return Utc - LocalTimeBias() / kMinutesPerDay;
}

TDateTime LocalToUtc(TDateTime Local) {
    return Local + LocalTimeBias() / kMinutesPerDay;
}
