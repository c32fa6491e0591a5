#include "i18n/lang/LocLangDispatcher.h"

#include "i18n/lang/LocErrors.h"

void TLocLangDispatcher::LinkLocaliser(TLocCustomLang*) {
    throw ELocNotImplemented("TLocLangDispatcher.LinkLocaliser");
}

void TLocLangDispatcher::UnlinkLocaliser(TLocCustomLang*) {
    throw ELocNotImplemented("TLocLangDispatcher.UnlinkLocaliser");
}

bool TLocLangDispatcher::TestModeText(const std::string&, std::string&) {
    throw ELocNotImplemented("TLocLangDispatcher.TestModeText");
}
