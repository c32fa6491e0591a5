#pragma once
// TformGPRS, the GPRS settings page: the GPRS access of the unit, its server, the modem restart
// time, the GPRS switch and the alert phone. The page is read from its description (after the page
// base's); its controls are its settings, which the page base loads, saves and sets to their
// factory values (their hints).

#include "app/pages/FormIncl.h"

class TformGPRS : public TformIncl {
    Q4_CLASS(TformGPRS, TformIncl)
public:
    explicit TformGPRS(TComponent* owner);
};

// Puts the page and the classes its description names in the class registry.
void RegisterGPRSPage();
