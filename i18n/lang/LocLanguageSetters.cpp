// The setters of the localiser's published properties and their loading and run-time rules.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/text/LocText.h"
#include "platform/forms/Forms.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

namespace {

// Sets the screen cursor for the life of the guard, when asked to and the screen shows the
// default cursor.
class TCursorGuard {
public:
    TCursorGuard(int16_t cursor, bool designing) {
        if (cursor != -1 && Screen != nullptr && Screen->Cursor() == crDefault && !designing) {
            saved_ = Screen->Cursor();
            Screen->SetCursor(cursor);
            active_ = true;
        }
    }
    ~TCursorGuard() {
        if (active_ && Screen != nullptr)
            Screen->SetCursor(saved_);
    }
    TCursorGuard(const TCursorGuard&) = delete;
    TCursorGuard& operator=(const TCursorGuard&) = delete;

private:
    TCursor saved_ = crDefault;
    bool active_ = false;
};

int IndexOfName(const TStrings& names, std::string_view name) {
    for (int i = 0; i < names.Count(); ++i)
        if (AnsiSameText(names.Get(i), name))
            return i;
    return -1;
}

} // namespace

void TLocCustomLang::SetActiveLanguage(int value) {
    if (value == activeLanguage_)
        return;
    if (value < 1 || value > numOfLanguages_) {
        if (IsLoading())
            return;
        const std::string tail =
            "%d - is not a valid property value!\rValue must be within [1..%d]!";
        if (Owner() != nullptr)
            throw ELanguageError(
                Format("%s: " + tail, {Owner()->ClassName(), value, numOfLanguages_}));
        throw ELanguageError(Format(tail, {value, numOfLanguages_}));
    }
    OnlyStringsType = -1;
    TCursorGuard cursor(ChangingCursor, IsDesigning());
    if ((langDispatcher_ != nullptr || !IsLoading()) && IsDesigning())
        CollectTexts();
    if (!IsLoading() && !DispatcherSwitching && OnLanguageChanging) {
        bool allow = true;
        OnLanguageChanging(this, value, allow);
        if (!allow)
            return;
    }
    activeLanguage_ = value;
    if (!IsLoading() && langNames_.Count() >= value)
        language_ = langNames_.Get(value - 1);
    if (!IsLoading())
        ApplyLanguage();
}

void TLocCustomLang::SetLanguage(const std::string& value) {
    if (value == language_)
        return;
    if (IndexOfName(langNames_, value) < 0) {
        if (!IsLoading())
            throw ELanguageError("Language name shall be included in LangNames property!");
        langNames_.Add(value);
    }
    const std::string previous = language_;
    language_ = value;
    if (!IsLoading() && !TempHolder) {
        const int language = IndexOfName(langNames_, value) + 1;
        SetActiveLanguage(language);
        // A refused change keeps the name of the language still shown.
        if (activeLanguage_ != language)
            language_ = previous;
    }
}

void TLocCustomLang::SetLangNames(TStrings* value) {
    if (value != nullptr && value != &langNames_)
        langNames_.Assign(*value);
    // An empty list still names the one language a localiser always has.
    if (langNames_.Count() == 0)
        langNames_.Add("Language N1");
    numOfLanguages_ = langNames_.Count();
    if (activeLanguage_ > numOfLanguages_)
        activeLanguage_ = numOfLanguages_;
    if (langNames_.Count() >= activeLanguage_)
        language_ = langNames_.Get(activeLanguage_ - 1);
}

void TLocCustomLang::SetNumOfLanguages(int value) {
    if (value == numOfLanguages_)
        return;
    if (value < 1)
        throw ELanguageError(IntToStr(value) +
                             " - is not a valid property value !\rValue must be more than ZERO !");
    if (value < numOfLanguages_) {
        for (TStringList& list : lists_)
            for (int i = 0; i < list.Count(); ++i) {
                const std::string line = list.Get(i);
                size_t at = std::string::npos;
                int seen = 0;
                for (size_t k = 0; k < line.size() && seen <= value; ++k)
                    if (line[k] == Delim() && ++seen == value + 1)
                        at = k;
                if (at != std::string::npos)
                    list.Put(i, line.substr(0, at + 1));
            }
    }
    numOfLanguages_ = value;
    if (IsDesigning() && !IsLoading())
        PadAllEntries();
    while (langNames_.Count() < numOfLanguages_)
        langNames_.Add("Language N" + IntToStr(langNames_.Count() + 1));
    while (langNames_.Count() > numOfLanguages_)
        langNames_.Delete(langNames_.Count() - 1);
    if (activeLanguage_ > numOfLanguages_) {
        activeLanguage_ = numOfLanguages_;
        language_ = langNames_.Get(activeLanguage_ - 1);
    }
    if (!IsDesigning() && !IsLoading()) {
        PadAllEntries();
        RefreshStringCollections();
    }
}

void TLocCustomLang::SetLangDelim(uint8_t value) {
    if (value == langDelim_)
        return;
    if (!IsLoading())
        ReplaceDelimiter(static_cast<char>(langDelim_), static_cast<char>(value));
    langDelim_ = value;
}

void TLocCustomLang::SetOptions(TLocLangOptions value) {
    if (value == options_)
        return;
    options_ = value;
    if (options_.Contains(loUseExtCommonStrings) && IsDesigning()) {
        lists_[stDlgsCaptions].Clear();
        lists_[stLocales].Clear();
    }
}

void TLocCustomLang::SetLangDispatcher(TLocLangDispatcher* value) {
    if (value == langDispatcher_)
        return;
    if (langDispatcher_ != nullptr && linkedToDispatcher_) {
        linkedToDispatcher_ = false;
        langDispatcher_->UnlinkLocaliser(this);
    }
    langDispatcher_ = value;
    if (value == nullptr)
        return;
    value->FreeNotification(this);
    if (IsLoading()) {
        numOfLanguages_ = value->NumOfLanguages();
        defaultLanguage_ = value->DefaultLanguage();
        useDefaultLanguage_ = value->UseDefaultLanguage();
    } else if (Owner() != nullptr && !TempHolder) {
        value->LinkLocaliser(this);
        linkedToDispatcher_ = true;
    }
}

void TLocCustomLang::SetResourceLanguageIndex(uint16_t value) {
    if (value == resourceLanguageIndex_)
        return;
    if (!IsLoading() && (value < 1 || value > numOfLanguages_))
        throw ELanguageError(
            Format("%d - is not a valid property value!\rValue must be within [1..%d]!",
                   {static_cast<int>(value), numOfLanguages_}));
    resourceLanguageIndex_ = value;
    if (!IsLoading() && !IsDesigning()) {
        resourceStringTable_->SetSortID(value);
        resourceStringTable_->Sort();
        UpdateResourceStrings();
    }
}

void TLocCustomLang::SetListOfType(int kind, TStrings* value) {
    TStrings* list = GetStringsOfType(kind);
    if (list == nullptr || value == nullptr || value == list)
        return;
    list->Assign(*value);
    if (kind == stDlgsCaptions)
        return;
    OnlyStringsType = kind;
    ApplyLanguage();
}

void TLocCustomLang::SetStringsTypes(TStrings* value) {
    if (value != nullptr && value != &stringsTypes_)
        stringsTypes_.Assign(*value);
    if (!IsLoading())
        CollectTexts();
}

void TLocCustomLang::SetSmartExcludeProps(TStrings* value) {
    if (value != nullptr && value != &smartExcludeProps_)
        smartExcludeProps_.Assign(*value);
    if (!IsLoading())
        CollectTexts();
}

void TLocCustomLang::SetDoNotTranslate(TStrings* value) {
    if (value != nullptr && value != &doNotTranslate_)
        doNotTranslate_.Assign(*value);
    if (!IsLoading())
        PurgeDoNotTranslateEntries();
}

void TLocCustomLang::SetExcludedProperties(TStrings* value) {
    if (value != nullptr && value != &excludedProperties_)
        excludedProperties_.Assign(*value);
    if (!IsLoading()) {
        PurgeExcludedEntries();
        CollectTexts();
    }
}

bool TLocCustomLang::ExcludedPropertiesStored() const {
    if (excludedProperties_.Count() != static_cast<int>(DefaultExcludedProperties().size()))
        return true;
    for (int i = 0; i < excludedProperties_.Count(); ++i)
        if (excludedProperties_.Get(i) != DefaultExcludedProperties()[static_cast<size_t>(i)])
            return true;
    return false;
}

void TLocCustomLang::SetNeedAllDlgs(bool value) {
    if (value == needAllDlgs_)
        return;
    needAllDlgs_ = value;
    if (!IsLoading())
        UpdateDialogCaptions();
}

void TLocCustomLang::SetExtendedTranslations(TLocExtendedItems* value) {
    if (value != nullptr && value != extended_.get())
        extended_->Assign(value);
}

void TLocCustomLang::SetCharSetSource(TLocCustomLang* value) {
    if (value == charSetSource_)
        return;
    charSetSource_ = value;
    if (value != nullptr)
        value->FreeNotification(this);
}
