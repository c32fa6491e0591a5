#include "tools/unitsim/GpsReceiverModel.h"

#include "tests/tools/unitsim/FakeHost.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using TBytes = TGpsReceiverModel::TBytes;

std::string Hex(const std::string& bytes) {
    static const char d[] = "0123456789ABCDEF";
    std::string text;
    for (unsigned char c : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += d[c >> 4];
        text += d[c & 15];
    }
    return text;
}

std::string Raw(const TBytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

class GpsReceiverModelTest : public ::testing::Test {
protected:
    void SetUp() override {
        unit.Feed("GPSACCESS_ON\r");
        host.Advance(100);
        ASSERT_EQ(host.Take(), "OK\r\n");
        ASSERT_TRUE(gps.PassThrough());
        unit.Feed("$PSRF100,0,9600,8,0,0*0D\r");
        ASSERT_TRUE(gps.Binary());
    }

    std::string Send(const TBytes& payload) {
        unit.Feed(Raw(TGpsReceiverModel::Frame(payload)));
        host.Advance(1000);
        return host.Take();
    }

    TFakeHost host;
    TSimUnit unit{host};
    TGpsReceiverModel gps{unit};
};

TEST_F(GpsReceiverModelTest, AnswersTheClockPoll) {
    gps.SetClock(2390, 12345678, 95000);
    EXPECT_EQ(Hex(Send({0x90, 0x00})), "A0 A2 00 14 07 09 56 00 BC 61 4E 08 00 01 73 18 00 01 86 "
                                       "A0 07 5B CA 00 04 B8 B0 B3");
    gps.SetAnswerClock(false);
    EXPECT_EQ(Send({0x90, 0x00}), "");
}

TEST_F(GpsReceiverModelTest, AnswersAlmanacAndEphemerisPolls) {
    TBytes sv5;
    for (int i = 0x10; i <= 0x2B; ++i) {
        sv5.push_back(static_cast<uint8_t>(i));
    }
    gps.SetAlmanac(5, sv5);
    gps.SetAlmanac(7, {});
    const std::string almanac = Hex(Send({0x92, 0x00}));
    EXPECT_NE(almanac.find("A0 A2 00 1E 0E 05 10 11 12 13 14 15 16 17 18 19 1A 1B 1C 1D 1E 1F 20 "
                           "21 22 23 24 25 26 27 28 29 2A 2B 03 4D B0 B3"),
              std::string::npos);
    EXPECT_EQ(almanac.find("A0 A2 00 1E 0E 07"), std::string::npos);
    EXPECT_EQ(almanac.size(), 31u * 38 * 3 - 1);

    const std::string ephemeris = Hex(Send({0x93, 0x00, 0x00}));
    EXPECT_EQ(ephemeris.size(), 6u * 100 * 3 - 1); // satellites 2, 5, 7, 13, 21, 30
    EXPECT_EQ(ephemeris.substr(0, 17), "A0 A2 00 5C 0F 02");
}

TEST_F(GpsReceiverModelTest, TakesSetFramesAndCountsBadOnes) {
    TBytes almanac{0x82};
    for (int i = 0; i < 32 * 28; ++i) {
        almanac.push_back(static_cast<uint8_t>(i * 3));
    }
    EXPECT_EQ(Send(almanac), "");
    EXPECT_EQ(gps.AlmanacWrites(), 1);
    EXPECT_EQ(gps.Almanac(2), TBytes(almanac.begin() + 29, almanac.begin() + 57));

    TBytes ephemeris(91, 0x44);
    ephemeris[0] = 0x95;
    TBytes broken = TGpsReceiverModel::Frame(ephemeris);
    broken[50] ^= 1;
    unit.Feed(Raw(broken));
    // Split across reads, after the broken one.
    const TBytes good = TGpsReceiverModel::Frame(ephemeris);
    unit.Feed(Raw(TBytes(good.begin(), good.begin() + 30)));
    unit.Feed(Raw(TBytes(good.begin() + 30, good.end())));
    EXPECT_EQ(gps.BadFrames(), 1);
    ASSERT_EQ(gps.WrittenEphemeris().size(), 1u);
    EXPECT_EQ(gps.WrittenEphemeris()[0], TBytes(90, 0x44));

    Send({0x80, 1, 2, 3});
    EXPECT_EQ(gps.InitData(), (TBytes{0x80, 1, 2, 3}));
}

TEST_F(GpsReceiverModelTest, SwitchOffWordEndsThePassThrough) {
    Send({0x81, 0x02});
    EXPECT_FALSE(gps.Binary());
    unit.Feed("$GPxxx\rGPSACCESS_OFF\r+point\r");
    host.Advance(100);
    EXPECT_EQ(host.Take(), "OK\r\npoint>0000\r\nOK\r\n");
    EXPECT_FALSE(gps.PassThrough());
    // Another try of the switch-off is confirmed too.
    unit.Feed("GPSACCESS_OFF\r");
    host.Advance(100);
    EXPECT_EQ(host.Take(), "OK\r\n");
}

TEST_F(GpsReceiverModelTest, CutFrameAndChatter) {
    gps.CutNext(0x07);
    EXPECT_EQ(Send({0x90, 0x00}).size(), 14u);
    EXPECT_EQ(Send({0x90, 0x00}).size(), 28u);

    gps.SetChatter(true);
    host.Advance(1100);
    EXPECT_EQ(Hex(host.Take()).substr(0, 14), "A0 A2 00 29 00");
    Send({0x81, 0x02});
    host.Advance(1000);
    EXPECT_EQ(host.Take().substr(0, 7), "$GPGGA,");
}

} // namespace
