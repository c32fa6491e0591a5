#include "app/pages/common/ZoneFields.h"

#include "app/pages/MaskedNumber.h"
#include "app/pages/common/CommonFields.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Math.h"

#include <cstdint>

namespace {

// Hundredths of a second as hundred-thousandths of a minute: h x 100,000 / 6,000 = h x 50 / 3,
// to the nearest (it is never half-way).
int MinuteFraction(int hundredths) {
    return (hundredths * 100 + 3) / 6;
}

// Hundred-thousandths of a minute as hundredths of a second: f x 6,000 / 100,000 = f x 3 / 50,
// halves to the even neighbour.
int SecondHundredths(int fraction) {
    const int scaled = fraction * 3;
    int hundredths = scaled / 50;
    const int rest = scaled % 50;
    if (rest > 25 || (rest == 25 && hundredths % 2 == 1))
        ++hundredths;
    return hundredths;
}

} // namespace

int DegreeDigits(int bound) {
    return bound < 2 ? 2 : 3;
}

TZoneBound BoundFromFields(const TCoordinateFields& fields) {
    TZoneBound bound;
    bound.Degrees = MaskedValue(fields.Degrees);
    const int minutes = MaskedValue(fields.Minutes);
    const int fraction = MinuteFraction(SecondsHundredths(fields.Seconds));
    bound.Minutes = Format("%.2d", {minutes}) + Format("%.5d", {fraction});
    bound.Sign = fields.Hemisphere == 1 ? -1 : 1;
    return bound;
}

TZoneBounds BoundsFromFields(const TZoneFields& fields) {
    TZoneBounds bounds;
    for (size_t k = 0; k < bounds.size(); ++k)
        bounds[k] = BoundFromFields(fields[k]);
    return bounds;
}

TCoordinateFields FieldsFromCoordinate(const TZoneCoordinate& coordinate, int degreeDigits) {
    const int64_t n = Round(coordinate.Value * 100000);
    int64_t degrees = n / 10000000;
    int minutes = static_cast<int>(n / 100000 % 100);
    int hundredths = SecondHundredths(static_cast<int>(n % 100000));
    if (hundredths >= 6000) {
        hundredths -= 6000;
        ++minutes;
    }
    if (minutes >= 60) {
        minutes -= 60;
        ++degrees;
    }
    TCoordinateFields fields;
    fields.Degrees = Format("%.*d", {degreeDigits, degrees});
    fields.Minutes = Format("%.2d", {minutes});
    fields.Seconds = SecondsText(hundredths);
    fields.Hemisphere = coordinate.Sign < 0 ? 1 : 0;
    return fields;
}
