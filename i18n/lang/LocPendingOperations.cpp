// Operations that belong to the translation engine. This build does not have them yet: each
// raises ELocNotImplemented naming itself, and the file operations that are made of them reach
// that error through them.

#include "i18n/lang/LocCustomLang.h"

namespace {
[[noreturn]] void NotYet(const char* operation) {
    throw ELocNotImplemented(std::string("TLocCustomLang.") + operation);
}
} // namespace

void TLocCustomLang::CollectTexts() {
    NotYet("CollectTexts");
}
void TLocCustomLang::ApplyLanguage() {
    NotYet("ApplyLanguage");
}
void TLocCustomLang::SetEntryText(TStrings*, const std::string&, int, const std::string&) {
    NotYet("SetEntryText");
}
void TLocCustomLang::PrepareList(TStrings*, int) {
    NotYet("PrepareList");
}
void TLocCustomLang::RedirectResourceStrings() {
    NotYet("RedirectResourceStrings");
}

// --- made of the operations above
// -----------------------------------------------------------------

void TLocCustomLang::SetEntryTextOf(TStrings*& list, const std::string& text, int language,
                                    const std::string& key) {
    SetEntryText(list, text, language, key);
}
