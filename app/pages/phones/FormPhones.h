#pragma once
// TformPhones, the service phone numbers page ("Инженерные номера"): ten numbers in a grid and
// their switch. The page is read from its description (after the page base's); its controls are its
// settings, which the page base loads, saves and sets to their factory values (their hints).

#include "app/pages/FormIncl.h"

class TformPhones : public TformIncl {
    Q4_CLASS(TformPhones, TformIncl)
public:
    explicit TformPhones(TComponent* owner);

protected:
    // The grid's columns: the row numbers, then the numbers.
    void Loaded() override;
};

// Puts the page and the classes its description names in the class registry.
void RegisterPhonesPage();
