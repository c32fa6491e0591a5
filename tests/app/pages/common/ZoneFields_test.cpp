// Guard-zone coordinates between the page's fields and the unit's form, through the wire's hex.

#include "app/pages/common/ZoneFields.h"

#include "platform/rtl/Exception.h"
#include "platform/rtl/Format.h"

#include <gtest/gtest.h>

namespace {

// The page's fields through the unit's wire form and back.
TCoordinateFields RoundTrip(const TCoordinateFields& fields, int bound) {
    TZoneCoordinate coordinate;
    EXPECT_TRUE(ZoneCoordinateFromHex(ZoneBoundToHex(BoundFromFields(fields)), coordinate));
    return FieldsFromCoordinate(coordinate, DegreeDigits(bound));
}

TEST(ZoneFields, PageToUnit) {
    const TZoneBound north = BoundFromFields({"59", "30", "30,00", 0});
    EXPECT_EQ(north.Degrees, 59);
    EXPECT_EQ(north.Minutes, "3050000");
    EXPECT_EQ(north.Sign, 1);
    EXPECT_EQ(ZoneBoundToHex(north), "23593990");
    // A point is taken as well as the comma the field shows.
    const TZoneBound south = BoundFromFields({"59", "30", "30.00", 1});
    EXPECT_EQ(south.Sign, -1);
    EXPECT_EQ(ZoneBoundToHex(south), "A3593990");
    // Seconds become five digits of a minute: 0,01 s = 0.000167 min.
    EXPECT_EQ(BoundFromFields({"00", "00", "00,01", 0}).Minutes, "0000017");
    EXPECT_EQ(BoundFromFields({"180", "00", "00,00", 1}).Degrees, 180);
    EXPECT_EQ(BoundFromFields({"00", "00", "59,99", 0}).Minutes, "0099983");
    // No hemisphere chosen: north or east.
    EXPECT_EQ(BoundFromFields({"10", "00", "00,00", -1}).Sign, 1);
}

TEST(ZoneFields, FieldThatIsNoNumberEndsTheWrite) {
    EXPECT_THROW(BoundFromFields({"5x", "30", "30,00", 0}), EConvertError);
    EXPECT_THROW(BoundFromFields({"59", "3?", "30,00", 0}), EConvertError);
    EXPECT_THROW(BoundFromFields({"59", "30", "3a,00", 0}), EConvertError);
}

TEST(ZoneFields, UnitToPage) {
    const TCoordinateFields latitude = FieldsFromCoordinate({5930.5, 1}, 2);
    EXPECT_EQ(latitude, (TCoordinateFields{"59", "30", "30,00", 0}));
    // Seconds always with two digits each side of the comma, for the "!99,99" mask.
    EXPECT_EQ(FieldsFromCoordinate({3712.1235, -1}, 3),
              (TCoordinateFields{"037", "12", "07,41", 1}));
    EXPECT_EQ(FieldsFromCoordinate({0, 1}, 2), (TCoordinateFields{"00", "00", "00,00", 0}));
}

TEST(ZoneFields, SixtySecondsAreCarried) {
    // 0.99999 of a minute is 59,9994 s: it rounds to a whole minute.
    EXPECT_EQ(FieldsFromCoordinate({5930.99999, 1}, 2),
              (TCoordinateFields{"59", "31", "00,00", 0}));
    EXPECT_EQ(FieldsFromCoordinate({5959.99999, 1}, 2),
              (TCoordinateFields{"60", "00", "00,00", 0}));
}

TEST(ZoneFields, EveryHundredthOfASecondComesBackUnchanged) {
    // Each bound kind, both hemispheres, the ends of the ranges, every seconds value.
    const TCoordinateFields starts[] = {
        {"00", "00", "", 0},  {"59", "30", "", 1},  {"90", "00", "", 0},  {"89", "59", "", 1},
        {"000", "00", "", 1}, {"037", "12", "", 0}, {"179", "59", "", 1}, {"180", "00", "", 0},
    };
    for (int k = 0; k < 8; ++k) {
        const int bound = k < 4 ? 0 : 2;
        for (int hundredths = 0; hundredths < 6000; ++hundredths) {
            TCoordinateFields fields = starts[k];
            fields.Seconds = Format("%.2d,%.2d", {hundredths / 100, hundredths % 100});
            const TCoordinateFields back = RoundTrip(fields, bound);
            ASSERT_EQ(back, fields)
                << "at " << fields.Degrees << " " << fields.Minutes << " " << fields.Seconds;
        }
    }
}

} // namespace
