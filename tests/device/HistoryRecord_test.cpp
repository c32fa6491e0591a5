#include "device/HistoryRecord.h"

#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// Index 0x0010: 59 deg 56.12345' N, 30 deg 18.5' E, 25.12.08 12:34:56, 10.5 knots, 123.4 m,
// 8 satellites, 3D fix, supply 1200, signal 42, record by time.
const std::string kNewer = "238052B911FDDD9003D54801E2400000290404D2080304B02A0197";
const std::string kOlder = "238052B911FDDD9003D54801E2400000290404D208032A04B00197";

// Replaces characters From.. (1-based) of a record and fixes its checksum for Index.
std::string WithField(std::string Record, size_t From, const std::string& Field, int Index) {
    Record.replace(From - 1, Field.size(), Field);
    char ck[3];
    std::snprintf(ck, sizeof ck, "%02X", THistoryRecord::ChecksumByte(Index, Record));
    Record.replace(52, 2, ck);
    return Record;
}

TEST(HistoryRecordChecksum, SoundAndBrokenRecords) {
    struct Case {
        int index;
        std::string record;
        bool sound;
    };
    const Case cases[] = {
        {0x0010, kNewer, true},
        {0x0010, kOlder, true},
        {0x0011, kNewer, false}, // the index takes part in the sum
        {0x0010, "338052B911FDDD9003D54801E2400000290404D2080304B02A0197", false}, // one digit off
        {0x0203, std::string(50, '0') + "00FB", true}, // 2 + 3 + 251 = 256
        {0x0203, std::string(50, '0') + "00FA", false},
        {0x0010, kNewer.substr(0, 52), false},                                     // too short
        {0x0010, kNewer + "00", false},                                            // too long
        {0x0010, "2G8052B911FDDD9003D54801E2400000290404D2080304B02A0197", false}, // not hex
        {0x0010, "238052b911fddd9003d54801e2400000290404d2080304b02a0197", true},  // lower case
    };
    for (const auto& c : cases) {
        EXPECT_EQ(THistoryRecord::CheckChecksum(c.index, c.record), c.sound)
            << std::hex << c.index << " " << c.record;
    }
}

TEST(HistoryRecordChecksum, ChecksumByteMakesAnyRecordSound) {
    for (int index : {0, 0x0203, 0xFFDF}) {
        const std::string record = WithField(kNewer, 1, "12345678", index);
        EXPECT_TRUE(THistoryRecord::CheckChecksum(index, record)) << index;
        EXPECT_FALSE(THistoryRecord::CheckChecksum(index + 1, record)) << index;
    }
}

TEST(HistoryRecordLayout, ShellAndBuildChooseTheLayout) {
    EXPECT_FALSE(THistoryRecord::IsNewerLayout(503, 69));
    EXPECT_TRUE(THistoryRecord::IsNewerLayout(503, 70));
    EXPECT_TRUE(THistoryRecord::IsNewerLayout(504, 0));
    EXPECT_FALSE(THistoryRecord::IsNewerLayout(502, 90));
}

TEST(HistoryRecordDecode, BothLayoutsGiveTheSameTrackPoint) {
    struct Case {
        const std::string* record;
        int shell;
        int build;
    };
    for (const Case& c : {Case{&kNewer, 503, 90}, Case{&kOlder, 503, 69}, Case{&kNewer, 504, 1}}) {
        THistoryFields f;
        ASSERT_TRUE(THistoryRecord::Decode(*c.record, c.shell, c.build, 2026, f)) << c.build;
        EXPECT_DOUBLE_EQ(f.Latitude, 5956.12345);
        EXPECT_EQ(f.LatitudeSign, 1);
        EXPECT_DOUBLE_EQ(f.Longitude, 3018.5);
        EXPECT_EQ(f.LongitudeSign, 1);
        EXPECT_NEAR(f.DateTime, 39807.52425925926, 1e-9); // 2008-12-25 12:34:56
        EXPECT_NEAR(f.Speed, 19.446, 1e-9);
        EXPECT_EQ(f.TenthsText, "123,4");
        EXPECT_EQ(f.ByteText, "8");
        EXPECT_EQ(f.FixText, "3D fix");
        EXPECT_EQ(f.Supply, 1200);
        EXPECT_EQ(f.LayoutByteText, "42");
        EXPECT_EQ(f.RecordType, 1);
    }
}

TEST(HistoryRecordDecode, WrongLayoutSwapsSupplyAndSignal) {
    THistoryFields f;
    ASSERT_TRUE(THistoryRecord::Decode(kOlder, 503, 70, 2026, f));
    EXPECT_EQ(f.Supply, 0x2A04);
    EXPECT_EQ(f.LayoutByteText, std::to_string(0xB0));
}

TEST(HistoryRecordDecode, SignBitsGiveSouthAndWest) {
    const std::string r = WithField(WithField(kNewer, 1, "A38052B9", 1), 9, "91FDDD90", 1);
    THistoryFields f;
    ASSERT_TRUE(THistoryRecord::Decode(r, 503, 90, 2026, f));
    EXPECT_EQ(f.LatitudeSign, -1);
    EXPECT_DOUBLE_EQ(f.Latitude, 5956.12345);
    EXPECT_EQ(f.LongitudeSign, -1);
    EXPECT_DOUBLE_EQ(f.Longitude, 3018.5);
}

TEST(HistoryRecordDecode, EmptySlotDecodesWithoutError) {
    THistoryFields f;
    f.FixText = "previous";
    const std::string empty(54, 'F');
    EXPECT_TRUE(THistoryRecord::IsEmpty(empty));
    EXPECT_FALSE(THistoryRecord::IsEmpty(kNewer));
    ASSERT_TRUE(THistoryRecord::Decode(empty, 503, 90, 2026, f));
    EXPECT_EQ(f.DateTime, 0); // day 16, month 77
    EXPECT_EQ(f.LatitudeSign, -1);
    EXPECT_NEAR(f.Speed, -0.001852, 1e-12); // eight digits wrap to -1
    EXPECT_EQ(f.TenthsText, "-0,1");
    EXPECT_EQ(f.FixText, "previous"); // 0xFF is no fix value: the text stays
    EXPECT_EQ(f.Supply, 0xFFFF);
    EXPECT_EQ(f.RecordType, 255);
}

TEST(HistoryRecordDecode, SmallFieldsTable) {
    struct Case {
        size_t from;
        std::string field;
        std::string tenths;
        std::string fix;
    };
    const Case cases[] = {
        {37, "FFF6", "-1", "3D fix"},         {37, "0005", "0,5", "3D fix"},
        {37, "8000", "-3276,8", "3D fix"},    {37, "0000", "0", "3D fix"},
        {43, "01", "123,4", "not available"}, {43, "02", "123,4", "2D fix"},
    };
    for (const auto& c : cases) {
        THistoryFields f;
        ASSERT_TRUE(
            THistoryRecord::Decode(WithField(kNewer, c.from, c.field, 0), 503, 90, 2026, f));
        EXPECT_EQ(f.TenthsText, c.tenths) << c.field;
        EXPECT_EQ(f.FixText, c.fix) << c.field;
    }
}

TEST(HistoryRecordDecode, TenthsFollowTheSystemDecimalSeparator) {
    const char saved = FormatSettings().DecimalSeparator;
    FormatSettings().DecimalSeparator = '.';
    THistoryFields f;
    const bool ok = THistoryRecord::Decode(kNewer, 503, 90, 2026, f);
    FormatSettings().DecimalSeparator = saved;
    ASSERT_TRUE(ok);
    EXPECT_EQ(f.TenthsText, "123.4");
}

TEST(HistoryRecordDecode, DateTakesTheCenturyOfTheCurrentYear) {
    THistoryFields f;
    ASSERT_TRUE(THistoryRecord::Decode(kNewer, 503, 90, 2199, f));
    EXPECT_NEAR(f.DateTime, 76331 + 0.52425925926, 1e-9); // 2108-12-25
    // 29.02.00 exists in 2000 (a leap year by the 400-year rule).
    ASSERT_TRUE(THistoryRecord::Decode(WithField(kNewer, 17, "046D98", 0), 503, 90, 2026, f));
    EXPECT_NEAR(f.DateTime, 36585 + 0.52425925926, 1e-9);
}

TEST(HistoryRecordDecode, BadPositionOrTimeOnlyLosesTheDate) {
    const std::string cases[] = {
        WithField(kNewer, 17, "04F3B0", 0),  // 32.50.08
        WithField(kNewer, 17, "0150E4", 0),  // 08.63.08: month 63
        WithField(kNewer, 23, "03A980", 0),  // 24:00:00
        WithField(kNewer, 23, "01E244", 0),  // 12:34:60
        WithField(kNewer, 1, "2380G2B9", 0), // latitude not hex
    };
    for (const auto& r : cases) {
        THistoryFields f;
        f.DateTime = 123;
        EXPECT_TRUE(THistoryRecord::Decode(r, 503, 90, 2026, f)) << r;
        EXPECT_EQ(f.DateTime, 0) << r;
        EXPECT_EQ(f.Supply, 1200) << r;
        EXPECT_EQ(f.RecordType, 1) << r;
    }
}

TEST(HistoryRecordDecode, BadLaterFieldFailsKeepingEarlierOnes) {
    THistoryFields f;
    std::string r = kNewer;
    r[46] = 'X'; // inside the supply field
    EXPECT_FALSE(THistoryRecord::Decode(r, 503, 90, 2026, f));
    EXPECT_EQ(f.FixText, "3D fix");
    EXPECT_EQ(f.ByteText, "8");
    EXPECT_EQ(f.RecordType, 0);

    THistoryFields g;
    EXPECT_FALSE(THistoryRecord::Decode(kNewer.substr(0, 40), 503, 90, 2026, g));
    EXPECT_NEAR(g.DateTime, 39807.52425925926, 1e-9);
    EXPECT_EQ(g.TenthsText, "123,4");
    EXPECT_EQ(g.ByteText, "");
    EXPECT_FALSE(THistoryRecord::Decode("", 503, 90, 2026, g));
}

TEST(HistoryRecordLine, FormatAndParse) {
    EXPECT_EQ(THistoryRecord::Line(0x10, kNewer), "0010>" + kNewer);
    EXPECT_EQ(THistoryRecord::Line(65503, kNewer).substr(0, 5), "FFDF>");

    int index = -1;
    std::string_view record;
    const std::string line = "FFDF>" + kNewer;
    ASSERT_TRUE(THistoryRecord::ParseLine(line, index, record));
    EXPECT_EQ(index, 65503);
    EXPECT_EQ(record, kNewer);
    for (const std::string& bad : {"FFE0>" + kNewer, "ffdf>" + kNewer, "0010 " + kNewer,
                                   "010>" + kNewer, "0010>" + kNewer + "0", std::string("0010>")}) {
        EXPECT_FALSE(THistoryRecord::ParseLine(bad, index, record)) << bad;
    }
}

} // namespace
