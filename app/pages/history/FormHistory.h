#pragma once
// TformHistory, the history page ("История"): the unit's track records, a page at a time, with the
// paging, erase and export buttons above the list and the coordinate format below it.
// The page is read from its description (after the page base's); its controls are its settings,
// which the page base loads, saves and sets to their factory values (their hints).

#include "app/pages/FormIncl.h"

class TformHistory : public TformIncl {
    Q4_CLASS(TformHistory, TformIncl)
public:
    explicit TformHistory(TComponent* owner);
};

// Puts the page and the classes its description names in the class registry.
void RegisterHistoryPage();
