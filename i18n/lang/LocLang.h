#pragma once
// The localiser as forms carry it: TLocCustomLang with every property published.

#include "i18n/lang/LocCustomLang.h"

class TLocLang : public TLocCustomLang {
    Q4_CLASS(TLocLang, TLocCustomLang)
    explicit TLocLang(TComponent* owner) : TLocCustomLang(owner) {}
    static void DeclareProperties(TPropertyList& p);
};

// Registers the localiser classes for form descriptions (TLocLang unless a class of that name
// is registered already). Safe to call more than once.
void InitLocaliserClasses();
