#include "device/DeviceSettings.h"

#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(FlagArray, BitsFollowTheUnitsFlagOrder) {
    const int bits[] = {0, 8, 4, 2, 1, 16, 32, 64, 0};
    for (int flag = 0; flag <= 8; ++flag) {
        EXPECT_EQ(FlagBit(flag), bits[flag]) << "flag " << flag;
    }
    TFlagArray flags;
    flags[1] = true;
    flags[5] = true;
    EXPECT_EQ(FlagArrayToByte(flags), 0x18);
    EXPECT_EQ(FlagArrayFromNumber(0x18), flags);
    EXPECT_THROW(flags[0], std::out_of_range);
    EXPECT_THROW(flags[8], std::out_of_range);
}

TEST(FlagArray, EverySetOfFlagsRoundTripsAndBit128IsIgnored) {
    for (uint32_t byte = 0; byte < 128; ++byte) {
        EXPECT_EQ(FlagArrayToByte(FlagArrayFromNumber(byte)), byte);
        EXPECT_EQ(FlagArrayFromNumber(byte | 0x80), FlagArrayFromNumber(byte));
    }
}

TEST(EventFlags, EvenBitsAreTriggersOddBitsRestores) {
    struct Case {
        uint32_t number;
        std::vector<int> triggers;
        std::vector<int> restores;
    };
    for (const Case& c : {Case{0x3000, {6}, {6}}, Case{0x0001, {0}, {}}, Case{0x0002, {}, {0}},
                          Case{0x1555, {0, 1, 2, 3, 4, 5, 6}, {}},
                          Case{0x2AAA, {}, {0, 1, 2, 3, 4, 5, 6}}, Case{0xC000, {}, {}}}) {
        TEventFlagArray trigger;
        TEventFlagArray restore;
        trigger.fill(true); // every entry is overwritten
        restore.fill(true);
        SplitEventFlags(c.number, trigger, restore);
        TEventFlagArray wantTrigger{};
        TEventFlagArray wantRestore{};
        for (int k : c.triggers) {
            wantTrigger[k] = true;
        }
        for (int k : c.restores) {
            wantRestore[k] = true;
        }
        EXPECT_EQ(trigger, wantTrigger) << std::hex << c.number;
        EXPECT_EQ(restore, wantRestore) << std::hex << c.number;
    }
}

TEST(AlarmLogic, CodesAndItems) {
    struct Case {
        int item, kind;
        bool flag;
        int code;
    };
    for (const Case& c : {Case{0, 0, false, 0xFF}, Case{1, 0, false, 0xF9}, Case{2, 0, false, 0xFA},
                          Case{3, 0, false, 0xFB}, Case{1, 1, true, 0x09}, Case{3, 3, true, 0x1B},
                          Case{4, 0, true, 56}, Case{2, 9, true, 2}, Case{-1, -1, false, 192}}) {
        EXPECT_EQ(AlarmLogicCode(c.item, c.kind, c.flag), c.code)
            << c.item << "/" << c.kind << "/" << c.flag;
    }
    struct Read {
        uint32_t number;
        bool named;
        int item;
    };
    for (const Read& r :
         {Read{0xFF, true, 0}, Read{0xF9, true, 1}, Read{0xFA, true, 2}, Read{0xFB, true, 3},
          Read{0xFC, false, 42}, Read{0xF8, false, 42}, Read{0x0E, false, 42}}) {
        int item = 42;
        EXPECT_EQ(AlarmLogicItem(r.number, item), r.named) << std::hex << r.number;
        EXPECT_EQ(item, r.item) << std::hex << r.number;
    }
}

TEST(Zone, BoundsEncodeAsSignAndMagnitude) {
    struct Case {
        TZoneBound bound;
        std::string hex;
    };
    for (const Case& c :
         {Case{{59, "5612345", 1}, "238052B9"}, Case{{59, "5612345", -1}, "A38052B9"},
          Case{{59, "3050000", 1}, "23593990"}, Case{{0, "0000000", -1}, "80000000"},
          Case{{0, "0000000", 1}, "00000000"}, Case{{180, "0000000", -1}, "EB49D200"},
          Case{{214, "7483647", 1}, "7FFFFFFF"}}) {
        EXPECT_EQ(ZoneBoundToHex(c.bound), c.hex) << c.bound.Degrees << " " << c.bound.Minutes;
    }
}

TEST(Zone, BadBoundsRaiseBeforeAnythingIsSent) {
    for (const TZoneBound& bound :
         {TZoneBound{59, "561234", 1}, TZoneBound{59, "56123456", 1}, TZoneBound{59, "56x2345", 1},
          TZoneBound{59, "", 1}, TZoneBound{-1, "0000000", 1}, TZoneBound{215, "0000000", 1}}) {
        EXPECT_THROW(ZoneBoundToHex(bound), EConvertError) << bound.Degrees << " " << bound.Minutes;
    }
}

TEST(Zone, WholeValueRoundTrips) {
    const TZoneBounds bounds = {TZoneBound{59, "5612345", 1}, TZoneBound{60, "0100000", 1},
                                TZoneBound{30, "1850000", -1}, TZoneBound{31, "0000001", -1}};
    const std::string on = ZoneValue(true, bounds);
    EXPECT_EQ(on, "238052B9"
                  "23C4CCA0"
                  "91FDDD90"
                  "927A3981"
                  "00");
    EXPECT_EQ(ZoneValue(false, bounds).substr(32), "FF");

    TZoneCoordinates coordinates;
    bool enabled = false;
    ASSERT_TRUE(ParseZoneValue(on, coordinates, enabled));
    EXPECT_TRUE(enabled);
    const double values[] = {5956.12345, 6001.0, 3018.5, 3100.00001};
    const int signs[] = {1, 1, -1, -1};
    for (int k = 0; k < 4; ++k) {
        EXPECT_DOUBLE_EQ(coordinates[k].Value, values[k]) << k;
        EXPECT_EQ(coordinates[k].Sign, signs[k]) << k;
    }
    ASSERT_TRUE(ParseZoneValue(ZoneValue(false, bounds), coordinates, enabled));
    EXPECT_FALSE(enabled);
}

TEST(Zone, LowerCaseDigitsKeepTheirSign) {
    TZoneCoordinate coordinate;
    ASSERT_TRUE(ZoneCoordinateFromHex("a38052b9", coordinate));
    EXPECT_EQ(coordinate.Sign, -1);
    EXPECT_DOUBLE_EQ(coordinate.Value, 5956.12345);
}

TEST(Zone, MalformedValuesFailAndLeaveTheOutputs) {
    for (const std::string& value : {std::string(), std::string("238052B9"), std::string(31, '0'),
                                     std::string("238052B9238052B9238052B9238052BG00"),
                                     std::string("238052B9 38052B9238052B9238052B900")}) {
        TZoneCoordinates coordinates;
        coordinates[0].Value = 1.5;
        bool enabled = true;
        EXPECT_FALSE(ParseZoneValue(value, coordinates, enabled)) << value;
        EXPECT_EQ(coordinates[0].Value, 1.5);
        EXPECT_TRUE(enabled);
    }
}

TEST(EdgeIgn, VoltsBecomeHundredthsInHex) {
    struct Case {
        std::string volts;
        std::string hex;
    };
    for (const Case& c : {Case{"12.5", "04E2"}, Case{"12,5", "04E2"}, Case{"10", "03E8"},
                          Case{"25,00", "09C4"}, Case{"0,29", "001D"}, Case{"0.57", "0039"},
                          Case{"10,01", "03E9"}, Case{"655.35", "FFFF"}, Case{"0", "0000"}}) {
        EXPECT_EQ(EdgeIgnValue(c.volts), c.hex) << c.volts;
    }
}

TEST(EdgeIgn, TextsThatAreNotHundredthsRaise) {
    for (const char* volts : {"12.345", "12,345", "", "abc", "12.5V", "-1", "655.36", "1e9"}) {
        EXPECT_THROW(EdgeIgnValue(volts), EConvertError) << volts;
    }
}

TEST(ActiveGsm, DecimalSecondsAsFourHexDigits) {
    EXPECT_EQ(ActiveGsmValue("120"), "0078");
    EXPECT_EQ(ActiveGsmValue("65534"), "FFFE");
    EXPECT_EQ(ActiveGsmValue("0"), "0000");
    for (const char* seconds : {"", "12a", "-1", "65536", "1.5"}) {
        EXPECT_THROW(ActiveGsmValue(seconds), EConvertError) << seconds;
    }
}

TEST(DontSleep, TheLastChosenModeWins) {
    struct Case {
        bool duty, withFix, sleep;
        std::string code;
    };
    for (const Case& c : {Case{false, false, false, ""}, Case{true, false, false, "00"},
                          Case{false, true, false, "0F"}, Case{false, false, true, "FF"},
                          Case{false, true, true, "FF"}, Case{true, true, false, "0F"},
                          Case{true, false, true, "FF"}, Case{true, true, true, "FF"}}) {
        EXPECT_EQ(DontSleepValue(c.duty, c.withFix, c.sleep), c.code)
            << c.duty << c.withFix << c.sleep;
    }
}

TEST(ValueText, ControlCharactersAndNumbers) {
    EXPECT_FALSE(HasControlCharacters("internet"));
    EXPECT_FALSE(HasControlCharacters("Точка доступа"));
    EXPECT_FALSE(HasControlCharacters(""));
    for (const std::string& text : {std::string("a\rb"), std::string("a\n"), std::string("\x7f"),
                                    std::string("x\0y", 3), std::string("\t")}) {
        EXPECT_TRUE(HasControlCharacters(text));
    }
    EXPECT_EQ(OnOffValue(true), "00");
    EXPECT_EQ(OnOffValue(false), "FF");

    struct Hex {
        std::string value;
        bool ok;
        int32_t number;
    };
    for (const Hex& h : {Hex{"18FF", true, 0x18FF}, Hex{"ab", true, 0xAB}, Hex{"0000", true, 0},
                         Hex{"FFFFFFFF", true, -1}, Hex{"", false, 7}, Hex{"G1", false, 7},
                         Hex{"100000000", false, 7}, Hex{"12 ", false, 7}}) {
        int32_t number = 7;
        EXPECT_EQ(ReadHexValue(h.value, number), h.ok) << h.value;
        EXPECT_EQ(number, h.number) << h.value;
    }
    int32_t number = 7;
    EXPECT_TRUE(ReadDecimalValue("0050", number));
    EXPECT_EQ(number, 50);
    EXPECT_FALSE(ReadDecimalValue("5O", number));
    EXPECT_EQ(number, 50);
}
