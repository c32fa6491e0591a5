#pragma once
// TformCommon, the common settings page ("Общие"): the object number, the GPRS and fix periods, the
// unit's mode, the guard zone and what leaving it does, the anti-theft mode, the event flags and
// which events go to the history and to the flags.
// The page is read from its description (after the page base's); its controls are its settings,
// which the page base loads, saves and sets to their factory values (their hints).

#include "app/pages/FormIncl.h"

class TformCommon : public TformIncl {
    Q4_CLASS(TformCommon, TformIncl)
public:
    explicit TformCommon(TComponent* owner);
};

// Puts the page and the classes its description names in the class registry.
void RegisterCommonPage();
