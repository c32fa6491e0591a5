// The common page's field checks, period normalising and the period in words.

#include "app/pages/common/CommonFields.h"

#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace {

struct TCheckCase {
    const char* name;
    std::optional<std::string> got;
    std::optional<std::string> want;
};

TEST(CommonFields, CoordinateFieldChecks) {
    const TCheckCase cases[] = {
        {"latitude 95", CheckDegrees("95", LatitudeLimit, 2), "00"},
        {"latitude 90 stays", CheckDegrees("90", LatitudeLimit, 2), std::nullopt},
        {"latitude blank digit", CheckDegrees(" 9", LatitudeLimit, 2), std::nullopt},
        {"longitude 181", CheckDegrees("181", LongitudeLimit, 3), "000"},
        {"longitude 180 stays", CheckDegrees("180", LongitudeLimit, 3), std::nullopt},
        {"longitude 999", CheckDegrees("999", LongitudeLimit, 3), "000"},
        {"not a number counts as 0", CheckDegrees("x5", LatitudeLimit, 2), std::nullopt},
        {"minutes 60", CheckMinutes("60"), "00"},
        {"minutes 99", CheckMinutes("99"), "00"},
        {"minutes 59 stay", CheckMinutes("59"), std::nullopt},
        {"seconds 61,00", CheckSeconds("61,00"), "00,00"},
        {"seconds 60,50 keep hundredths", CheckSeconds("60,50"), "00,50"},
        {"seconds with a point", CheckSeconds("75.25"), "00,25"},
        {"untyped hundredth digit", CheckSeconds("80,4 "), "00,40"},
        {"seconds 59,99 stay", CheckSeconds("59,99"), std::nullopt},
        {"blank seconds stay", CheckSeconds("  ,  "), std::nullopt},
    };
    for (const TCheckCase& c : cases)
        EXPECT_EQ(c.got, c.want) << c.name;
}

TEST(CommonFields, CoordinateLimitClearsMinutesAndSeconds) {
    EXPECT_TRUE(AtCoordinateLimit("90", LatitudeLimit));
    EXPECT_TRUE(AtCoordinateLimit("180", LongitudeLimit));
    EXPECT_FALSE(AtCoordinateLimit("89", LatitudeLimit));
    EXPECT_FALSE(AtCoordinateLimit("090", LongitudeLimit));
}

TEST(CommonFields, SecondsReadWithCommaOrPoint) {
    const struct {
        const char* text;
        int hundredths;
    } cases[] = {
        {"30,00", 3000}, {"30.00", 3000}, {" 7,41", 741},  {"07,4 ", 740},
        {"7", 700},      {"00,0000", 0},  {"59,99", 5999}, {"12.5", 1250},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SecondsHundredths(c.text), c.hundredths) << c.text;
    EXPECT_THROW(SecondsHundredths("ab,00"), EConvertError);
    EXPECT_THROW(SecondsHundredths("30,x0"), EConvertError);
    EXPECT_THROW(SecondsHundredths("-1,00"), EConvertError);
    EXPECT_EQ(SecondsText(741), "07,41");
    EXPECT_EQ(SecondsText(0), "00,00");
}

TEST(CommonFields, PeriodNormalising) {
    const struct {
        const char* name;
        TPeriodFields fields;
        int minimum;
        TPeriodFields want;
    } cases[] = {
        {"zero fix period asleep", {"00", "00", "00"}, MinFixMinutesAsleep, {"00", "00", "10"}},
        {"zero fix period in duty", {"00", "00", "00"}, MinFixMinutesAwake, {"00", "00", "01"}},
        {"eight days", {"08", "00", "00"}, MinReportingMinutes, {"07", "00", "00"}},
        {"seven days and a minute", {"07", "00", "01"}, MinReportingMinutes, {"07", "00", "00"}},
        {"seven days", {"07", "00", "00"}, MinReportingMinutes, {"07", "00", "00"}},
        {"five minutes reporting", {"00", "00", "05"}, MinReportingMinutes, {"00", "00", "10"}},
        {"nine minutes reporting", {"00", "00", "09"}, MinReportingMinutes, {"00", "00", "10"}},
        {"minutes above 59", {"00", "00", "75"}, MinFixMinutesAwake, {"00", "00", "59"}},
        {"hours above 23", {"00", "30", "00"}, MinFixMinutesAwake, {"00", "23", "00"}},
        {"blanks are zeros", {" 1", " 2", " 3"}, MinFixMinutesAwake, {"01", "02", "03"}},
        {"not a number", {"0x", "05", "00"}, MinReportingMinutes, {"00", "00", "10"}},
        {"largest inside", {"06", "23", "59"}, MinReportingMinutes, {"06", "23", "59"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NormalisePeriod(c.fields, c.minimum), c.want) << c.name;
}

TEST(CommonFields, PeriodInMinutesAndBack) {
    EXPECT_EQ(PeriodMinutes({"01", "02", "30"}), 1440 + 120 + 30);
    EXPECT_EQ(PeriodMinutes({" 1", "  ", "05"}), 1445);
    EXPECT_THROW(PeriodMinutes({"01", "a2", "30"}), EConvertError);
    EXPECT_EQ(PeriodFromMinutes(1502), (TPeriodFields{"01", "01", "02"}));
    EXPECT_EQ(PeriodFromMinutes(10080), (TPeriodFields{"07", "00", "00"}));
    EXPECT_EQ(PeriodFromMinutes(1), (TPeriodFields{"00", "00", "01"}));
}

TEST(CommonFields, PeriodInWords) {
    EXPECT_EQ(PeriodText({"01", "02", "30"}), "1 сут. 2 час. 30 мин.");
    EXPECT_EQ(PeriodText({"01", "00", "00"}), "1 сут. 0 час. 0 мин.");
    EXPECT_EQ(PeriodText({"00", "02", "05"}), "2 час. 5 мин.");
    EXPECT_EQ(PeriodText({"00", "00", "10"}), "10 мин.");
}

} // namespace
