#include "i18n/lang/LocCustomLang.h"

#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Strings.h"

namespace {

// The owner, once it is known to hold no localiser yet.
TComponent* CheckSingleLocaliser(TComponent* owner) {
    if (owner != nullptr)
        for (int i = 0; i < owner->ComponentCount(); ++i)
            if (dynamic_cast<TLocCustomLang*>(owner->Components(i)) != nullptr)
                throw Exception("Only one TLocCustomLang component per Form/DataModule allowed!");
    return owner;
}

// The kinds whose entries name a component and a property of the kind's own.
struct TPlainKind {
    int Kind;
    const char* Property;
};
constexpr TPlainKind PlainKinds[] = {{stCaptions, "Caption"},
                                     {stHints, "Hint"},
                                     {stDisplayLabels, "DisplayLabel"},
                                     {stFonts, "Font"},
                                     {stCharSets, "CharSet"}};

// Lists that Notification and PurgeDoNotTranslateEntries clean, with the kind they count as.
constexpr std::pair<int, int> ComponentListKinds[] = {
    {stCaptions, 0},   {stHints, 1},        {stDisplayLabels, 2}, {stFonts, 3},
    {stMultiLines, 4}, {stOtherStrings, 7}, {stCharSets, 3},      {stCollections, 9}};

} // namespace

TLocCustomLang::TLocCustomLang(TComponent* owner)
    : TComponent(CheckSingleLocaliser(owner)), extended_(std::make_unique<TLocExtendedItems>(this)),
      resourceStringTable_(std::make_unique<TLocStringsCollection>(this, this)),
      userStringTable_(std::make_unique<TLocStringsCollection>(this, this)) {
    stringsTypes_.Add("TIB_STRINGLIST");
    stringsTypes_.Add("TSTRINGLIST");
    langNames_.Add("Language N1");
    language_ = langNames_.Get(0);
    FillDialogCaptions();
    CaptureLocaleDefaults();
    for (const std::string& name : DefaultExcludedProperties())
        excludedProperties_.Add(name);
    if (owner != nullptr) {
        const TPropInfo* font = GetPropInfo(owner, "Font");
        noOwnerFont_ =
            font == nullptr || font->Kind() != tkClass || font->PropType()->Name != "TFont";
    }
}

TLocCustomLang::~TLocCustomLang() {
    ReleaseResourceStrings();
    if (langDispatcher_ != nullptr && linkedToDispatcher_) {
        try {
            langDispatcher_->UnlinkLocaliser(this);
        } catch (const Exception&) {
        }
    }
}

std::string TLocCustomLang::OwnerKey() const {
    return Owner() ? Owner()->ClassName() : std::string();
}

void TLocCustomLang::FillDialogCaptions() {
    TStrings& dialogs = lists_[stDlgsCaptions];
    for (int i = 0; i < BasicDialogWordCount; ++i)
        dialogs.Add(DialogWordKey(i) + Delim() + DialogWords()[i].DefaultText + Delim());
}

void TLocCustomLang::CaptureLocaleDefaults() {
    const TFormatSettings& fs = FormatSettings();
    auto joined = [](const auto& names) {
        std::string out;
        for (size_t i = 0; i < names.size(); ++i)
            out += (i ? "," : "") + names[i];
        return out;
    };
    const std::array<std::string, LocaleItemCount> values = {fs.CurrencyString,
                                                             fs.ThousandSeparator,
                                                             std::string(1, fs.DecimalSeparator),
                                                             std::string(1, fs.DateSeparator),
                                                             fs.ShortDateFormat,
                                                             fs.LongDateFormat,
                                                             std::string(1, fs.TimeSeparator),
                                                             fs.TimeAMString,
                                                             fs.TimePMString,
                                                             fs.ShortTimeFormat,
                                                             fs.LongTimeFormat,
                                                             joined(fs.ShortMonthNames),
                                                             joined(fs.LongMonthNames),
                                                             joined(fs.ShortDayNames),
                                                             joined(fs.LongDayNames)};
    for (size_t i = 0; i < values.size(); ++i)
        localeDefaults_[i] = Utf8ToCp1251(values[i]);
}

TStrings* TLocCustomLang::GetStringsOfType(int kind) {
    if (kind < 0 || kind >= ListKindCount)
        return nullptr;
    return &lists_[static_cast<size_t>(kind)];
}

bool TLocCustomLang::IsStringsTypeClass(std::string_view className) const {
    for (int i = 0; i < stringsTypes_.Count(); ++i)
        if (AnsiSameText(stringsTypes_.Get(i), className))
            return true;
    return false;
}

// --- Loading
// ----------------------------------------------------------------------------------------

void TLocCustomLang::Loaded() {
    TComponent::Loaded();
    if (TempHolder || Owner() == nullptr)
        return;
    UpdateDialogCaptions();
    if (options_.Contains(loUseExtCommonStrings)) {
        lists_[stDlgsCaptions].Clear();
        lists_[stLocales].Clear();
    }
    if (langDelim_ == 9) {
        langDelim_ = 1;
        ReplaceDelimiter('\t', '\x01');
    }
    if (HasTabDelimitedData())
        ReplaceDelimiter('\t', Delim());
    TStrings& locales = lists_[stLocales];
    if (locales.Count() == 11)
        for (int i = 11; i < LocaleItemCount; ++i)
            locales.Add(LocaleItemNames()[i] + std::string(1, Delim()) + localeDefaults_[i] +
                        Delim());
    // A stored default language is taken while loading whatever the number of languages read
    // so far; it must fit the languages that were read.
    if (defaultLanguage_ < 1 || defaultLanguage_ > numOfLanguages_)
        defaultLanguage_ = 1;
    PurgeExcludedEntries();
    if (IsDesigning())
        PadAllEntries();
    else
        BuildStringTable(*userStringTable_, lists_[stStrings], numOfLanguages_, Delim(), 0);
    if (langDispatcher_ != nullptr) {
        langDispatcher_->LinkLocaliser(this);
        linkedToDispatcher_ = true;
    }
    if (IsInheritedOwner)
        ApplyLanguage();
    else
        UpdateCharSets();
    if (!IsDesigning() && HandleResourceStrings && ResStringLocaliser() == nullptr) {
        BuildStringTable(*resourceStringTable_, lists_[stStrings], numOfLanguages_, Delim(),
                         resourceLanguageIndex_);
        RedirectResourceStrings();
    }
    if (IsDesigning())
        RebindExtendedItems();
}

void TLocCustomLang::UpdateDialogCaptions() {
    TStrings& dialogs = lists_[stDlgsCaptions];
    if (needAllDlgs_ && dialogs.Count() < DialogWordCount) {
        for (int i = dialogs.Count(); i < DialogWordCount; ++i) {
            std::string text = DialogWords()[static_cast<size_t>(i)].DefaultText;
            if (storeAsUTF8_)
                text = AnsiToUtf8ByCharSet(text, DEFAULT_CHARSET);
            dialogs.Add(DialogWordKey(i) + Delim() + text + Delim());
        }
    } else if (!needAllDlgs_ && dialogs.Count() == DialogWordCount) {
        for (int i = dialogs.Count() - 1; i >= 0; --i)
            if (IsExtraDialogWord(GetField(dialogs.Get(i), Delim(), 0)))
                dialogs.Delete(i);
    }
}

bool TLocCustomLang::HasTabDelimitedData() {
    auto first = [this](int kind) {
        const TStrings& list = lists_[static_cast<size_t>(kind)];
        return list.Count() > 0 ? list.Get(0) : std::string();
    };
    auto tabs = [](const std::string& line) { return CountDelimiters(line, "\t"); };
    if (tabs(first(stDlgsCaptions)) > 0 || tabs(first(stLocales)) > 0)
        return true;
    for (int kind : {stCaptions, stLocales, stHints})
        if (!first(kind).empty() && tabs(first(kind)) == numOfLanguages_ + 1)
            return true;
    return false;
}

void TLocCustomLang::ReplaceDelimiter(char oldDelimiter, char newDelimiter) {
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        if (TStrings* list = GetStringsOfType(kind))
            for (int i = 0; i < list->Count(); ++i) {
                std::string line = list->Get(i);
                std::replace(line.begin(), line.end(), oldDelimiter, newDelimiter);
                list->Put(i, line);
            }
    ReplaceInExtendedValues(oldDelimiter, newDelimiter);
}

// --- Exclusions
// ---------------------------------------------------------------------------------------

bool TLocCustomLang::IsPropertyExcluded(std::string_view componentName,
                                        std::string_view propertyPath) {
    auto holds = [](const TStrings& list, std::string_view name) {
        return list.IndexOf(name) >= 0;
    };
    if (propertyPath.find('.') == std::string_view::npos) {
        if (holds(excludedProperties_, propertyPath))
            return true;
    } else {
        for (int n = 1;; ++n) {
            std::string part = ExtractWord(n, propertyPath, ".");
            if (part.empty())
                break;
            if (holds(excludedProperties_, part))
                return true;
        }
    }
    const std::string path(propertyPath);
    if (holds(smartExcludeProps_, std::string(componentName) + "." + path) || path == "Name")
        return true;
    if (Owner() != nullptr)
        if (TComponent* c = Owner()->FindComponent(componentName))
            return holds(smartExcludeProps_, "!" + c->ClassName() + "." + path);
    return false;
}

void TLocCustomLang::PurgeExcludedEntries() {
    auto excluded = [this](const char* name) { return excludedProperties_.IndexOf(name) >= 0; };
    if (excluded("Caption"))
        lists_[stCaptions].Clear();
    if (excluded("Hint"))
        lists_[stHints].Clear();
    if (excluded("DisplayLabel"))
        lists_[stDisplayLabels].Clear();
    if (excluded("Font")) {
        lists_[stFonts].Clear();
        lists_[stCharSets].Clear();
    }
    if (excluded("Charset"))
        lists_[stCharSets].Clear();
    const std::string d(1, Delim());
    auto purge = [](TStrings& list, const std::function<bool(const std::string&)>& drop) {
        for (int i = list.Count() - 1; i >= 0; --i)
            if (drop(list.Get(i)))
                list.Delete(i);
    };
    for (const TPlainKind& k : PlainKinds)
        purge(lists_[static_cast<size_t>(k.Kind)], [&](const std::string& line) {
            return IsPropertyExcluded(GetField(line, Delim(), 0), k.Property);
        });
    for (int kind : {stMultiLines, stOtherStrings})
        purge(lists_[static_cast<size_t>(kind)], [&](const std::string& line) {
            return IsPropertyExcluded(ExtractWord(1, line, "." + d), ExtractWord(2, line, "." + d));
        });
    purge(lists_[stCollections], [&](const std::string& line) {
        const std::string seps = ".[" + d;
        const std::string component = ExtractWord(1, line, seps);
        return IsPropertyExcluded(component, ExtractWord(2, line, seps)) ||
               IsPropertyExcluded(component, ExtractWord(4, line, seps));
    });
}

void TLocCustomLang::PurgeDoNotTranslateEntries() {
    if (Owner() == nullptr)
        return;
    auto dropEntriesOf = [this](TComponent* component) {
        for (auto [kind, asKind] : ComponentListKinds)
            DeleteComponentEntries(&lists_[static_cast<size_t>(kind)], component, asKind, opRemove);
    };
    for (int i = 0; i < doNotTranslate_.Count(); ++i) {
        const std::string line = doNotTranslate_.Get(i);
        if (TComponent* c = Owner()->FindComponent(line))
            dropEntriesOf(c);
        else if (line == OwnerKey())
            dropEntriesOf(Owner());
        else if (StartsStr("!T", line))
            for (int k = 0; k < Owner()->ComponentCount(); ++k)
                if (Owner()->Components(k)->ClassName() == line.substr(1))
                    dropEntriesOf(Owner()->Components(k));
    }
}

// --- Components leaving and renamed
// -------------------------------------------------------------------

void TLocCustomLang::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (ComponentState().Contains(csDestroying))
        return;
    if (operation == opRemove && component == langDispatcher_) {
        langDispatcher_ = nullptr;
        linkedToDispatcher_ = false;
        return;
    }
    if (operation == opRemove && component == charSetSource_) {
        charSetSource_ = nullptr;
        return;
    }
    if (dynamic_cast<TLocCustomLang*>(component) != nullptr)
        return;
    if (operation == opRemove) {
        int at = doNotTranslate_.IndexOf(component->Name());
        if (at >= 0)
            doNotTranslate_.Delete(at);
    }
    for (auto [kind, asKind] : ComponentListKinds)
        DeleteComponentEntries(&lists_[static_cast<size_t>(kind)], component, asKind, operation);
    DeleteComponentEntries(&smartExcludeProps_, component, 7, operation);
    if (operation == opRemove && !component->Name().empty()) {
        const std::string prefix = component->Name() + ".";
        for (int i = extended_->Count() - 1; i >= 0; --i)
            if (StartsText(prefix, extended_->Items(i)->Identifier()))
                extended_->Delete(i);
    }
}

void TLocCustomLang::DeleteComponentEntries(TStrings* list, TComponent* component, int kind,
                                            TOperation operation) {
    if (operation != opRemove || !IsDesigning() || list == nullptr || list->Count() == 0 ||
        list->Get(0).empty())
        return;
    std::string prefix = component == Owner() ? OwnerKey() : component->Name();
    if (prefix.empty())
        return;
    prefix += (kind == 4 || kind == 7 || kind == 9) ? '.' : Delim();
    try {
        for (int i = list->Count() - 1; i >= 0; --i)
            if (StartsStr(prefix, list->Get(i)))
                list->Delete(i);
    } catch (const Exception&) {
    }
}

void TLocCustomLang::RenameComponentEntries(const std::string& oldName,
                                            const std::string& newName) {
    std::string from = oldName, to = newName;
    if (Owner() != nullptr && oldName == Owner()->Name()) {
        from = "T" + oldName;
        to = "T" + newName;
    }
    const std::string seps = "." + std::string(1, Delim());
    auto rename = [&](TStrings& list) {
        for (int i = 0; i < list.Count(); ++i) {
            const std::string line = list.Get(i);
            const size_t end = line.find_first_of(seps);
            if (SameText(line.substr(0, end), from))
                list.Put(i, to + line.substr(from.size()));
        }
    };
    for (TStringList& list : lists_)
        rename(list);
    rename(doNotTranslate_);
    rename(smartExcludeProps_);
    for (int i = 0; i < extended_->Count(); ++i) {
        TLocExtendedItem* item = extended_->Items(i);
        if (StartsText(from + ".", item->IdentifierText))
            item->IdentifierText = to + item->IdentifierText.substr(from.size());
    }
}

// --- Entries
// ---------------------------------------------------------------------------------------------

std::string TLocCustomLang::GetEntryText(TStrings* list, std::string_view key, int language) {
    if (list == nullptr)
        return {};
    for (int i = 0; i < list->Count(); ++i) {
        const std::string line = list->Get(i);
        if (CompareTextLocale(GetField(line, Delim(), 0), key) != 0)
            continue;
        std::string text = GetField(line, Delim(), language);
        if (storeAsUTF8_ && !text.empty() && list != &lists_[stCharSets] &&
            list != &lists_[stFonts])
            text = Utf8ToAnsiByCharSet(text, LanguageCharSet(language));
        return text;
    }
    return {};
}

void TLocCustomLang::PadAllEntries() {
    for (int kind : {stStrings, stDlgsCaptions, stLocales})
        PadEntries(lists_[static_cast<size_t>(kind)], numOfLanguages_, Delim());
}

void TLocCustomLang::RefreshStringCollections() {
    if (IsDesigning())
        return;
    BuildStringTable(*userStringTable_, lists_[stStrings], numOfLanguages_, Delim(), 0);
    if (HandleResourceStrings && Owner() != nullptr)
        BuildStringTable(*resourceStringTable_, lists_[stStrings], numOfLanguages_, Delim(),
                         resourceLanguageIndex_);
    UpdateResourceStrings();
}

bool TLocCustomLang::TestModeText(const std::string& text, std::string& distorted) {
    return langDispatcher_ != nullptr && langDispatcher_->TestModeText(text, distorted);
}
