#pragma once
// The service phone numbers page's exchange with the unit, on the worker thread: the switch that
// enables the numbers ("enaing", its label blue or red) and the ten numbers ("ing0" to "ing9",
// results not shown).
//
// Mended: a number that could not be read leaves its cell as it was (empty after the read's
// preparation); an error text is never shown as a number, so it cannot be written back.

#include "app/pages/phones/PhoneNumbers.h"

class TPageLink;

// The page's values as the writer takes them (on the user-interface thread).
struct TPhonesValues {
    bool Enabled = false;
    TPhoneNumbers Numbers;
};

void ReadPhonesPage(TPageLink& link);
// With every number empty the switch is sent off, and unchecked on the page.
void WritePhonesPage(TPageLink& link, TPhonesValues values);

// The grid and its column of numbers.
extern const char* const PhoneGridName;
constexpr int PhoneColumn = 1;
