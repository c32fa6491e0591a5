#include "device/GpsAidingFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr double kWeek2390 = 29226.0 + 2390 * 7; // Sunday 2025-10-26 00:00 UTC

std::string SatelliteLine(uint8_t Id, int Satellite) {
    const size_t size = Id == TGpsFrame::AlmanacId ? 28 : 90;
    TGpsBytes payload{Id, static_cast<uint8_t>(Satellite)};
    for (size_t i = 0; i < size; ++i) {
        payload.push_back(static_cast<uint8_t>(Satellite * 3 + i));
    }
    return TGpsFrame::HexText(TGpsFrame::Build(payload));
}

std::vector<std::string> AidingLines(int Ephemeris) {
    std::vector<std::string> lines{"00 BC 61 4E 09 56", "00 01 73 18"};
    for (int sv = 1; sv <= 32; ++sv) {
        lines.push_back(SatelliteLine(TGpsFrame::AlmanacId, sv));
    }
    for (int sv = 1; sv <= Ephemeris; ++sv) {
        lines.push_back(SatelliteLine(TGpsFrame::EphemerisId, sv));
    }
    return lines;
}

TEST(GpsAidingFile, TimeLineMovesTheWeekBehindTheTimeOfWeek) {
    EXPECT_EQ(TGpsAidingFile::TimeLineText("09 56 00 BC 61 4E"), "00 BC 61 4E 09 56");
}

TEST(GpsAidingFile, GpsTimeFromOneUtcInstant) {
    struct Case {
        double utc;
        uint32_t week;
        uint32_t tow;
        const char* text;
    };
    const Case cases[] = {
        {kWeek2390 + 10.0 / 86400, 2390, 1000, "00 00 03 E8 09 56"},
        {kWeek2390, 2390, 0, "00 00 00 00 09 56"},
        // One second before the week changes: the previous week, at its very end.
        {kWeek2390 - 1.0 / 86400, 2389, 604799 * 100, "03 9A D9 9C 09 55"},
        {kWeek2390 + 6 + 0.5, 2390, (6 * 86400 + 43200) * 100, "03 58 EF 00 09 56"},
        {29226.0, 0, 0, "00 00 00 00 00 00"},
    };
    for (const auto& c : cases) {
        uint32_t week = 0;
        uint32_t tow = 0;
        TGpsAidingFile::GpsTime(c.utc, week, tow);
        EXPECT_EQ(week, c.week) << c.text;
        EXPECT_EQ(tow, c.tow) << c.text;
        EXPECT_EQ(TGpsAidingFile::PositionText(c.utc), c.text);
    }
}

TEST(GpsAidingFile, AlmanacDataFromLinesTwoToThirtyThree) {
    TGpsBytes data;
    const auto lines = AidingLines(3);
    ASSERT_TRUE(TGpsAidingFile::AlmanacData(lines, data));
    ASSERT_EQ(data.size(), 32u * 28);
    // Each satellite's 28 bytes start with its week and status bytes, without the satellite id.
    EXPECT_EQ(data[0], 3);
    EXPECT_EQ(data[28], 6);
    EXPECT_EQ(data[31 * 28 + 27], static_cast<uint8_t>(32 * 3 + 27));
}

TEST(GpsAidingFile, AlmanacLinesThatDoNotFitFail) {
    TGpsBytes data;
    auto missing7 = AidingLines(2);
    missing7.erase(missing7.begin() + 2 + 6); // satellite 7: line 8 now holds satellite 8
    EXPECT_FALSE(TGpsAidingFile::AlmanacData(missing7, data));

    auto badPair = AidingLines(0);
    badPair[10][20] = 'X';
    EXPECT_FALSE(TGpsAidingFile::AlmanacData(badPair, data));

    auto badChecksum = AidingLines(0);
    badChecksum[5][30] = badChecksum[5][30] == '0' ? '1' : '0';
    EXPECT_FALSE(TGpsAidingFile::AlmanacData(badChecksum, data));

    auto ephemerisInstead = AidingLines(0);
    ephemerisInstead[2] = SatelliteLine(TGpsFrame::EphemerisId, 1);
    EXPECT_FALSE(TGpsAidingFile::AlmanacData(ephemerisInstead, data));

    auto shortFile = AidingLines(0);
    shortFile.pop_back();
    EXPECT_FALSE(TGpsAidingFile::AlmanacData(shortFile, data));
}

TEST(GpsAidingFile, EphemerisDataOfOneLine) {
    TGpsBytes data;
    ASSERT_TRUE(TGpsAidingFile::EphemerisData(SatelliteLine(TGpsFrame::EphemerisId, 4), data));
    ASSERT_EQ(data.size(), 90u);
    EXPECT_EQ(data[0], 12);
    EXPECT_FALSE(TGpsAidingFile::EphemerisData(SatelliteLine(TGpsFrame::AlmanacId, 4), data));
    std::string bad = SatelliteLine(TGpsFrame::EphemerisId, 4);
    bad[100] = 'Z';
    EXPECT_FALSE(TGpsAidingFile::EphemerisData(bad, data));
}

} // namespace
