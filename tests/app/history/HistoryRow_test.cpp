#include "app/history/HistoryRow.h"

#include "device/HistoryRecord.h"
#include "tools/unitsim/HistoryRing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

struct TCoordinateCase {
    bool Latitude;
    int Sign;
    double Value;
    const char* Text;
};

TEST(HistoryCoordinates, DegreesMinutesSecondsAndHemisphere) {
    const TCoordinateCase cases[] = {
        {true, 1, 5930.50833, "59°30'30.50\"N"},
        {true, -1, 5930.50833, "59°30'30.50\"S"},
        {false, 1, 3018.12345, "30°18'07.41\"E"},
        {false, -1, 3018.12345, "30°18'07.41\"W"},
        {true, 1, 0, "0°00'00.00\"N"},
        // Rounding to hundredths of a second carries into the seconds, minutes and degrees.
        {false, 1, 17959.99999, "180°00'00.00\"E"},
        {true, 1, 959.99917, "9°59'59.95\"N"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatCoordinate(c.Latitude, c.Sign, c.Value), c.Text) << c.Value;
    }
}

// The texts columns are sized to stand beside the captions they belong to: one set a column, each
// holding what that column shows (the type names under "Тип", yes and no under "КС"), none for the
// raw record that takes the rest of the list.
TEST(HistoryColumns, SamplesStandBesideTheirCaptions) {
    for (const int columns : {9, 13}) {
        const std::vector<std::string> captions = HistoryColumnCaptions(columns);
        const std::vector<std::vector<std::string>> samples = HistoryColumnSamples(columns);
        ASSERT_EQ(samples.size(), captions.size()) << columns;
        for (size_t c = 0; c + 1 < samples.size(); ++c)
            EXPECT_FALSE(samples[c].empty()) << columns << " " << captions[c];
        EXPECT_TRUE(samples.back().empty()) << columns;
        const auto holds = [&](const char* caption, const std::string& text) {
            for (size_t c = 0; c < captions.size(); ++c)
                if (captions[c] == caption)
                    return std::find(samples[c].begin(), samples[c].end(), text) !=
                           samples[c].end();
            return false;
        };
        EXPECT_TRUE(holds("Тип", HistoryTypeText(2))) << columns;
        EXPECT_TRUE(holds("КС", "НЕТ")) << columns;
        EXPECT_TRUE(holds("RID", "FFFF")) << columns;
        EXPECT_TRUE(holds("Долгота", "000°00'00.00\"W")) << columns;
        EXPECT_EQ(holds("2/3 D fix", "not available"), columns == 13);
    }
}

TEST(HistoryTypes, NamedTypesAndNumbers) {
    EXPECT_EQ(HistoryTypeText(1), "По времени");
    EXPECT_EQ(HistoryTypeText(2), "По смещению");
    EXPECT_EQ(HistoryTypeText(3), "По событию");
    EXPECT_EQ(HistoryTypeText(0), "0");
    EXPECT_EQ(HistoryTypeText(17), "17");
}

// 59°30'30.50" N, 30°18'07.41" E, 25.12.08 21:30:05 UTC, 10 knots, altitude -12.3 m, 7
// satellites, 3D fix, supply 1234, signal 42, recorded by distance; built by the simulated
// unit's own encoder.
THistoryRing::TPoint Point() {
    THistoryRing::TPoint p;
    p.Latitude = 593050833;
    p.Longitude = 301812345;
    p.Day = 25;
    p.Month = 12;
    p.Year = 8;
    p.Hour = 21;
    p.Minute = 30;
    p.Second = 5;
    p.Speed = 10000;
    p.Tenths = -123;
    p.Satellites = 7;
    p.Fix = 3;
    p.Supply = 1234;
    p.Signal = 42;
    p.Type = 2;
    return p;
}

THistoryRowOptions Options(int build, int columns, bool degrees) {
    THistoryRowOptions o;
    o.Shell = 503;
    o.Build = build;
    o.Columns = columns;
    o.DegreesFormat = degrees;
    o.ThisYear = 2024;
    return o;
}

struct TRowCase {
    const char* Name;
    int Build;   // 69: the older record layout, 90: the newer
    int Columns; // 9 or 13
    bool Degrees;
    std::vector<std::string> Texts; // the columns between the caption and the raw record
};

TEST(HistoryRows, DecodedColumnsForEachLayoutAndFormat) {
    // The dates are local: the tests run three hours east of UTC without daylight saving.
    const TRowCase cases[] = {
        {"plain",
         90,
         9,
         false,
         {"По смещению", "26.12.2008 0:30:05", "5930,50833", "3018,12345", "18,52", "1234", "ДА"}},
        {"degrees",
         90,
         9,
         true,
         {"По смещению", "26.12.2008 0:30:05", "59°30'30.50\"N", "30°18'07.41\"E", "18,52", "1234",
          "ДА"}},
        {"older layout",
         69,
         9,
         false,
         {"По смещению", "26.12.2008 0:30:05", "5930,50833", "3018,12345", "18,52", "1234", "ДА"}},
        {"thirteen columns",
         90,
         13,
         false,
         {"По смещению", "26.12.2008 0:30:05", "5930,50833", "3018,12345", "18,52", "1234", "-12,3",
          "7", "3D fix", "42", "ДА"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const std::string record = THistoryRing::Encode(Point(), 0x0123, c.Build >= 70);
        const THistoryRow row =
            HistoryRow("0123>" + record, Options(c.Build, c.Columns, c.Degrees));
        EXPECT_EQ(row.Caption, "0123");
        std::vector<std::string> expected = c.Texts;
        expected.push_back(record);
        EXPECT_EQ(row.SubItems, expected);
        EXPECT_FALSE(row.Forget);
    }
}

TEST(HistoryRows, SouthWestCoordinatesAreNegative) {
    THistoryRing::TPoint p = Point();
    p.Latitude = -p.Latitude;
    p.Longitude = -p.Longitude;
    const std::string line = "0005>" + THistoryRing::Encode(p, 5, true);
    EXPECT_EQ(HistoryRow(line, Options(90, 9, false)).SubItems[2], "-5930,50833");
    EXPECT_EQ(HistoryRow(line, Options(90, 9, false)).SubItems[3], "-3018,12345");
    EXPECT_EQ(HistoryRow(line, Options(90, 9, true)).SubItems[2], "59°30'30.50\"S");
    EXPECT_EQ(HistoryRow(line, Options(90, 9, true)).SubItems[3], "30°18'07.41\"W");
}

TEST(HistoryRows, WrongChecksumIsShownNotHidden) {
    std::string record = THistoryRing::Encode(Point(), 0x0123, true);
    record.back() = record.back() == '0' ? '1' : '0';
    const THistoryRow row = HistoryRow("0123>" + record, Options(90, 9, false));
    EXPECT_EQ(row.SubItems[0], "По смещению");
    EXPECT_EQ(row.SubItems[6], "НЕТ");
    EXPECT_FALSE(row.Forget);
    // The checksum covers the index: the same record under another index is unsound.
    EXPECT_EQ(
        HistoryRow("0124>" + THistoryRing::Encode(Point(), 0x0123, true), Options(90, 9, false))
            .SubItems[6],
        "НЕТ");
}

TEST(HistoryRows, EmptyOrUndecodableRecordsGiveBlanksAndAreForgotten) {
    std::string bad = THistoryRing::Encode(Point(), 0x00A0, true);
    bad[30] = 'Z'; // inside the speed
    const struct {
        const char* Name;
        std::string Line;
        int Columns;
        int ForgetIndex;
    } cases[] = {
        {"empty slot", "001B>" + std::string(54, 'F'), 9, 0x1B},
        {"empty slot, 13 columns", "FFDF>" + std::string(54, 'F'), 13, 0xFFDF},
        {"undecodable", "00A0>" + bad, 9, 0xA0},
        {"no index", bad, 9, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.Name);
        const THistoryRow row = HistoryRow(c.Line, Options(90, c.Columns, false));
        std::vector<std::string> expected(c.Columns - 2, " ");
        expected.push_back(c.Line.substr(c.Line.find('>') + 1));
        EXPECT_EQ(row.SubItems, expected);
        EXPECT_TRUE(row.Forget);
        EXPECT_EQ(row.ForgetIndex, c.ForgetIndex);
    }
}

} // namespace
