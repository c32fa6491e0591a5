#pragma once
// TformPower, the power page ("Питание"): battery charging, the ignition threshold with its track
// bar, the present supply voltage, the ignition watch and the alternative periods. The page is read
// from its description (after the page base's); its controls are its settings, which the page base
// loads, saves and sets to their factory values (their hints).

#include "app/pages/FormIncl.h"

class TformPower : public TformIncl {
    Q4_CLASS(TformPower, TformIncl)
public:
    explicit TformPower(TComponent* owner);
};

// Puts the page and the classes its description names in the class registry.
void RegisterPowerPage();
