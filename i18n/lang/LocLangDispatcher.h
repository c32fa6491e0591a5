#pragma once
// The language dispatcher as the localiser sees it: the values a localiser takes from it while
// loading, and the link and test-mode operations, which this build does not have yet (they
// raise ELocNotImplemented).

#include "platform/classes/Component.h"

#include <string>

class TLocCustomLang;

class TLocLangDispatcher : public TComponent {
    Q4_CLASS(TLocLangDispatcher, TComponent)
    explicit TLocLangDispatcher(TComponent* owner) : TComponent(owner) {}

    // Brings the localiser to the dispatcher's language and keeps it in step.
    virtual void LinkLocaliser(TLocCustomLang* localiser);
    virtual void UnlinkLocaliser(TLocCustomLang* localiser);
    // The test-mode text of a language-1 text; false when test mode is off.
    virtual bool TestModeText(const std::string& text, std::string& distorted);

    int NumOfLanguages = 1;
    int DefaultLanguage = 1;
    bool UseDefaultLanguage = false;
};
