#include "device/util/TimeZone.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

namespace {

// Switches the process to a time zone for one test and back.
class TZoneScope {
public:
    explicit TZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) {
            old_ = old;
        }
        setenv("TZ", zone, 1);
        tzset();
    }
    ~TZoneScope() {
        if (old_) {
            setenv("TZ", old_->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }

private:
    std::optional<std::string> old_;
};

constexpr double kMinute = 1.0 / (24 * 60);

} // namespace

TEST(TimeZone, FixedOffsetZone) {
    TZoneScope zone("MSK-3"); // three hours east of UTC, no daylight saving
    const TDateTime utc = EncodeDateTime(2008, 12, 25, 12, 34, 56, 0);
    EXPECT_NEAR(UtcToLocal(utc), EncodeDateTime(2008, 12, 25, 15, 34, 56, 0), 1e-9);
    EXPECT_NEAR(LocalToUtc(EncodeDateTime(2008, 12, 25, 1, 0, 0, 0)),
                EncodeDateTime(2008, 12, 24, 22, 0, 0, 0), 1e-9);
}

TEST(TimeZone, WestOfGreenwichGoesBack) {
    TZoneScope zone("EST5");
    const TDateTime utc = EncodeDateTime(2020, 1, 1, 3, 0, 0, 0);
    EXPECT_NEAR(UtcToLocal(utc), EncodeDateTime(2019, 12, 31, 22, 0, 0, 0), 1e-9);
}

TEST(TimeZone, TheOffsetOfNowAppliesToEverySeason) {
    // A zone with daylight saving: winter and summer dates move by the same amount, the one in
    // force today.
    TZoneScope zone("EET-2EEST,M3.5.0/3,M10.5.0/4");
    const TDateTime winter = EncodeDateTime(2021, 1, 15, 12, 0, 0, 0);
    const TDateTime summer = EncodeDateTime(2021, 7, 15, 12, 0, 0, 0);
    const double shift = -LocalTimeBias() * kMinute;
    EXPECT_TRUE(LocalTimeBias() == -120 || LocalTimeBias() == -180) << LocalTimeBias();
    EXPECT_NEAR(UtcToLocal(winter) - winter, shift, 1e-9);
    EXPECT_NEAR(UtcToLocal(summer) - summer, shift, 1e-9);
    for (TDateTime t : {winter, summer, TDateTime(0), TDateTime(-700000.5)}) {
        EXPECT_NEAR(LocalToUtc(UtcToLocal(t)), t, 1e-9);
    }
}
