#pragma once
// TformGPS, the GPS data page ("GPS фиксация"): the files the receiver's almanac and ephemeris are
// saved to and loaded from, and the two transfer buttons.
// The page is read from its description (after the page base's); its controls are its settings,
// which the page base loads, saves and sets to their factory values (their hints).

#include "app/pages/FormIncl.h"

class TformGPS : public TformIncl {
    Q4_CLASS(TformGPS, TformIncl)
public:
    explicit TformGPS(TComponent* owner);
};

// Puts the page and the classes its description names in the class registry.
void RegisterGPSPage();
