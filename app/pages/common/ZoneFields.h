#pragma once
// A guard-zone bound between the common page's fields (degrees, minutes, seconds with hundredths,
// hemisphere) and the unit's form of it (degrees, minutes as seven digits, sign).

#include "device/DeviceSettings.h"

#include <array>
#include <string>

// One coordinate as its four fields. Hemisphere is the combo box's item: 0 north or east, 1 south
// or west (-1: none chosen, taken as north or east).
struct TCoordinateFields {
    std::string Degrees = "00";
    std::string Minutes = "00";
    std::string Seconds = "00,00";
    int Hemisphere = 0;
    bool operator==(const TCoordinateFields&) const = default;
};

// The four coordinates in the unit's order: minimum latitude, maximum latitude, minimum longitude,
// maximum longitude.
using TZoneFields = std::array<TCoordinateFields, 4>;

// The degree fields of a latitude have two digits, those of a longitude three.
int DegreeDigits(int bound);

// The page's coordinate for the unit: the minutes text is the two minute digits followed by the
// seconds as five digits of a minute. Raises EConvertError for a field that is no number; the
// seconds may be written with "," or ".".
TZoneBound BoundFromFields(const TCoordinateFields& fields);
TZoneBounds BoundsFromFields(const TZoneFields& fields);

// The unit's coordinate (ddmm.mmmmm and a sign) as the page's fields, seconds to the hundredth;
// a fraction that rounds to 60 seconds is carried into the minutes (and degrees).
TCoordinateFields FieldsFromCoordinate(const TZoneCoordinate& coordinate, int degreeDigits);
