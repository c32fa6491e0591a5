// Per-language charsets, UTF-8 storage of the lists and the smaller language options.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"

uint8_t TLocCustomLang::LanguageCharSet(int language) {
    std::string name;
    if (Owner() == nullptr || TempHolder) {
        TTemporary<int> active(activeLanguage_, language);
        name = GetTextAt(&lists_[stCharSets], 0, false);
    } else {
        name = GetEntryText(&lists_[stCharSets], OwnerKey(), language);
    }
    if (name.empty() && charSetSource_ == nullptr && langDispatcher_ != nullptr) {
        // Another form's localiser on the same dispatcher supplies the charsets.
        SetCharSetSource(langDispatcher_->CharSetSourceFor(this));
    }
    if (name.empty() && charSetSource_ != nullptr)
        name = charSetSource_->GetEntryText(&charSetSource_->lists_[stCharSets],
                                            charSetSource_->OwnerKey(), language);
    int charSet = CharSetOfName(name);
    return charSet < 0 ? DEFAULT_CHARSET : static_cast<uint8_t>(charSet);
}

void TLocCustomLang::RebuildLangCharSets() {
    langCharSets_.assign(static_cast<size_t>(numOfLanguages_), DEFAULT_CHARSET);
    for (int i = 1; i <= numOfLanguages_; ++i)
        langCharSets_[static_cast<size_t>(i - 1)] = LanguageCharSet(i);
}

void TLocCustomLang::UpdateCharSets() {
    RebuildLangCharSets();
    // An active language outside the languages has no charset of its own.
    currentCharSet_ =
        activeLanguage_ >= 1 && activeLanguage_ <= static_cast<int>(langCharSets_.size())
            ? langCharSets_[static_cast<size_t>(activeLanguage_ - 1)]
            : DEFAULT_CHARSET;
}

std::string TLocCustomLang::StoredPropertyText(TObject* object, std::string_view property) {
    if (object == nullptr)
        return {};
    const TPropInfo* info = GetPropInfo(object, property);
    if (info == nullptr)
        return {};
    // Program text is Unicode; stored texts are UTF-8 or the active language's code page.
    std::string text = info->Kind() == tkWString || info->Kind() == tkWChar
                           ? Utf16ToUtf8(GetWideStrProp(object, property))
                           : GetStrProp(object, property);
    return storeAsUTF8_ ? text : Utf8ToAnsiByCharSet(text, currentCharSet_);
}

void TLocCustomLang::SetStoreAsUTF8(bool value) {
    if (IsLoading()) {
        storeAsUTF8_ = value;
        return;
    }
    if (value == storeAsUTF8_)
        return;
    ConvertStoredTexts(value);
    storeAsUTF8_ = value;
}

void TLocCustomLang::ConvertStoredTexts(bool toUtf8) {
    RebuildLangCharSets();
    auto convert = [&](const std::string& text, int language) {
        const uint8_t charSet = langCharSets_[static_cast<size_t>(language - 1)];
        return toUtf8 ? AnsiToUtf8ByCharSet(text, charSet) : Utf8ToAnsiByCharSet(text, charSet);
    };
    for (int kind = 0; kind < ListKindCount; ++kind) {
        if (kind == stFonts || kind == stCharSets)
            continue;
        TStrings& list = lists_[static_cast<size_t>(kind)];
        for (int i = 0; i < list.Count(); ++i) {
            const std::string line = list.Get(i);
            std::string rebuilt = GetField(line, Delim(), 0) + Delim();
            for (int l = 1; l <= numOfLanguages_; ++l)
                rebuilt += convert(GetField(line, Delim(), l), l) + Delim();
            list.Put(i, rebuilt);
        }
    }
    if (!IsDesigning()) {
        BuildStringTable(*userStringTable_, lists_[stStrings], numOfLanguages_, Delim(), 0);
        if (HandleResourceStrings && ResStringLocaliser() == this)
            BuildStringTable(*resourceStringTable_, lists_[stStrings], numOfLanguages_, Delim(),
                             resourceLanguageIndex_);
        UpdateResourceStrings();
    }
    for (int i = 0; i < extended_->Count(); ++i) {
        TLocExtendedItem* item = extended_->Items(i);
        std::string rebuilt;
        for (int l = 1; l <= numOfLanguages_; ++l)
            rebuilt += convert(GetField(item->Values, Delim(), l - 1), l) + Delim();
        item->Values = rebuilt;
    }
}

void TLocCustomLang::SetDefaultLanguage(int value) {
    // While loading the number of languages may not have been read yet: Loaded checks it.
    if (IsLoading() || (value >= 1 && value <= numOfLanguages_))
        defaultLanguage_ = value;
}

std::string TLocCustomLang::TextWithDefault(std::string_view text, char delimiter,
                                            int language) const {
    std::string field = GetField(text, delimiter, language);
    if (field.empty() && useDefaultLanguage_ && language != defaultLanguage_)
        field = GetField(text, delimiter, defaultLanguage_);
    return field;
}

void TLocCustomLang::SetAutoSkipEmpties(bool value) {
    if (value == autoSkipEmpties_)
        return;
    autoSkipEmpties_ = value;
    if (value && !IsLoading())
        CollectTexts();
}

void TLocCustomLang::SetChangeLocales(bool value) {
    if (value == changeLocales_)
        return;
    changeLocales_ = value;
    TStrings& locales = lists_[stLocales];
    if (value && locales.Count() == 0)
        for (int i = 0; i < LocaleItemCount; ++i)
            locales.Add(LocaleItemNames()[static_cast<size_t>(i)] + std::string(1, Delim()) +
                        localeDefaults_[static_cast<size_t>(i)] + Delim());
}
