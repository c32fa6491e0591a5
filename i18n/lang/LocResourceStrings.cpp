// Redirecting the program's resource strings through a localiser: the first run-time localiser
// with HandleResourceStrings installs the hook of the platform's resource-string loader, and
// every resource string is then looked up in its tables before it is used.
//
// Resource strings may be loaded on any thread (a worker's error texts), while the tables change
// on the user-interface thread. The hook therefore never touches the localiser: it reads an
// immutable snapshot of the translations for the active language, which the localiser replaces
// whenever its language or its Strings change.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/ResStrings.h"
#include "platform/rtl/Strings.h"

#include <map>
#include <memory>
#include <mutex>

namespace {

struct TResStringSnapshot {
    // "IDS_RES_<id>" (upper case) to the active language's text, for the non-empty ones.
    std::map<std::string, std::string> ById;
    // Resource texts (of the resource language) to their non-empty translations.
    std::map<std::string, std::string> ByText;
};

TLocCustomLang* resStringLocaliser = nullptr;
std::mutex snapshotLock;
std::shared_ptr<const TResStringSnapshot> snapshot;

std::shared_ptr<const TResStringSnapshot> CurrentSnapshot() {
    std::lock_guard<std::mutex> lock(snapshotLock);
    return snapshot;
}

void ReplaceSnapshot(std::shared_ptr<const TResStringSnapshot> next) {
    std::lock_guard<std::mutex> lock(snapshotLock);
    snapshot = std::move(next);
}

const std::string IdPrefix = "IDS_RES_";

// The replacement of the platform's loader: the stored text, translated when the localiser
// that redirected the strings shows another language than the resource language.
std::string LoadResStringLocalised(const TResStringRec& record, std::string text) {
    const std::shared_ptr<const TResStringSnapshot> current = CurrentSnapshot();
    if (!current)
        return text;
    const int limit = ResIdLimit.load();
    if (limit != 0 && !record.HasText() && record.Identifier <= limit) {
        auto it = current->ById.find(IdPrefix + std::to_string(record.Identifier));
        if (it != current->ById.end())
            return it->second;
    }
    auto it = current->ByText.find(text);
    return it != current->ByText.end() ? it->second : text;
}

} // namespace

TLocCustomLang* TLocCustomLang::ResStringLocaliser() {
    return resStringLocaliser;
}

void TLocCustomLang::RedirectResourceStrings() {
    if (resStringLocaliser != nullptr && resStringLocaliser != this)
        return;
    resStringLocaliser = this;
    UpdateResourceStrings();
    SetResStringHook(&LoadResStringLocalised);
}

void TLocCustomLang::ReleaseResourceStrings() {
    if (resStringLocaliser != this)
        return;
    resStringLocaliser = nullptr;
    ReplaceSnapshot(nullptr);
}

void TLocCustomLang::UpdateResourceStrings() {
    if (resStringLocaliser != this || IsDesigning())
        return;
    if (resourceLanguageIndex_ == activeLanguage_) {
        ReplaceSnapshot(nullptr);
        return;
    }
    auto next = std::make_shared<TResStringSnapshot>();
    const uint8_t activeCharSet = LanguageCharSet(activeLanguage_);
    const uint8_t resourceCharSet = LanguageCharSet(resourceLanguageIndex_);
    TStrings& strings = lists_[stStrings];
    for (int i = 0; i < strings.Count(); ++i) {
        const std::string name = GetField(strings.Get(i), Delim(), 0);
        if (!StartsText(IdPrefix, name))
            continue;
        const std::string text = LookupText(&strings, name, false);
        if (!text.empty())
            next->ById.emplace(UpperCase(name), AnsiToUtf8ByCharSet(text, activeCharSet));
    }
    TLocStringsCollection& table = *resourceStringTable_;
    for (int i = 0; i < table.Count(); ++i) {
        const std::string stored = table.Items(i)->Text(resourceLanguageIndex_);
        if (stored.empty())
            continue;
        const std::string translated = table.TranslateText(stored, activeLanguage_);
        if (translated.empty())
            continue;
        const std::string key =
            storeAsUTF8_ ? stored : AnsiToUtf8ByCharSet(stored, resourceCharSet);
        next->ByText.emplace(key, AnsiToUtf8ByCharSet(translated, activeCharSet));
    }
    ReplaceSnapshot(std::move(next));
}
