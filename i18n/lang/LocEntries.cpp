// Reading and writing single entries: look-ups with the language options, writing one text into
// an entry, deleting a property's entries, and the property helpers the engine sets texts with.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Format.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

TTranslationHook TranslationHook;
std::atomic<int> ResIdLimit{0};

namespace {

// Set while another localiser answers for a shared list: it answers from its own list, so that
// two localisers with the option never ask each other in turn.
bool answeringForAnother = false;

bool IsStringKind(TTypeKind kind) {
    return kind == tkString || kind == tkLString || kind == tkWString;
}

// True when the line's key (field 0) equals the key, ignoring case.
bool KeyIs(std::string_view line, char delimiter, std::string_view key) {
    const size_t end = line.find(delimiter);
    return CompareTextLocale(line.substr(0, end), key) == 0;
}

} // namespace

// With the shared-list options, the dispatcher's first other localiser whose list of the same
// kind holds entries answers; the localiser itself never asks itself again, and answers from its
// own list when no other one has entries. Null when the own list answers.
TLocCustomLang* TLocCustomLang::SharedListSource(TStrings* list) {
    int kind = -1;
    for (int k = 0; k < ListKindCount; ++k)
        if (list == &lists_[static_cast<size_t>(k)])
            kind = k;
    const bool shared = (options_.Contains(loUseExtCommonStrings) &&
                         (kind == stLocales || kind == stDlgsCaptions)) ||
                        (options_.Contains(loUseExtUDStrings) && kind == stStrings);
    if (!shared || langDispatcher_ == nullptr || answeringForAnother)
        return nullptr;
    for (TLocCustomLang* other : langDispatcher_->Localisers())
        if (other != this && other->GetStringsOfType(kind)->Count() > 0)
            return other;
    return nullptr;
}

std::string TLocCustomLang::RawTextAt(TStrings* list, int index, bool fallBack) {
    if (list == nullptr)
        return {};
    if (options_.Contains(loUseExtCommonStrings) &&
        (list == &lists_[stLocales] || list == &lists_[stDlgsCaptions])) {
        if (langDispatcher_ == nullptr)
            return {};
        for (int k : {stLocales, stDlgsCaptions})
            if (list == &lists_[static_cast<size_t>(k)])
                if (TLocCustomLang* source = SharedListSource(list)) {
                    TTemporary<bool> guard(answeringForAnother, true);
                    return source->RawTextAt(source->GetStringsOfType(k), index, fallBack);
                }
    }
    if (index < 0 || index >= list->Count())
        return {};
    const std::string line = list->Get(index);
    std::string text = GetField(line, Delim(), activeLanguage_);
    if (text.empty() && fallBack)
        text = GetField(line, Delim(), 1);
    return text;
}

std::string TLocCustomLang::GetTextAt(TStrings* list, int index, bool fallBack) {
    std::string text = RawTextAt(list, index, fallBack);
    // Charset names are never converted (they choose the conversion themselves).
    if (storeAsUTF8_ && !text.empty() && list != &lists_[stCharSets] && list != &lists_[stFonts])
        text = Utf8ToAnsiByCharSet(text, LanguageCharSet(activeLanguage_));
    return text;
}

std::string TLocCustomLang::TestModeLanguage1Text(std::string_view line) {
    std::string distorted;
    const std::string first = GetField(line, Delim(), 1);
    if (!first.empty() && TestModeText(first, distorted))
        return distorted;
    return {};
}

std::string TLocCustomLang::LookupText(TStrings* list, std::string_view identifier, bool fallBack) {
    if (list == nullptr)
        return {};
    if (TLocCustomLang* source = SharedListSource(list)) {
        for (int k = 0; k < ListKindCount; ++k)
            if (list == &lists_[static_cast<size_t>(k)]) {
                TTemporary<bool> guard(answeringForAnother, true);
                return source->LookupText(source->GetStringsOfType(k), identifier, fallBack);
            }
    }
    const bool strings = list == &lists_[stStrings];
    if (strings && !IsDesigning()) {
        std::string text = userStringTable_->TextByName(identifier, activeLanguage_);
        if (text.empty() && DoRaiseExceptions && userStringTable_->IndexOfName(identifier) < 0)
            throw ELanguageError(Format("String identifier \"%s\" not found!", {identifier}));
        std::string distorted;
        if (text.empty() && activeLanguage_ > 1 &&
            TestModeText(userStringTable_->TextByName(identifier, 1), distorted))
            text = distorted;
        if (text.empty() && fallBack)
            text = userStringTable_->TextByName(identifier, 1);
        return text;
    }
    for (int i = 0; i < list->Count(); ++i) {
        const std::string line = list->Get(i);
        if (line.find(Delim()) == std::string::npos || !KeyIs(line, Delim(), identifier))
            continue;
        std::string text = GetField(line, Delim(), activeLanguage_);
        if (text.empty() && activeLanguage_ != 1)
            text = TestModeLanguage1Text(line);
        if (text.empty() && fallBack)
            text = GetField(line, Delim(), 1);
        if (storeAsUTF8_ && !text.empty())
            text = Utf8ToAnsiByCharSet(text, LanguageCharSet(activeLanguage_));
        return text;
    }
    if (DoRaiseExceptions)
        throw ELanguageError(Format("String identifier \"%s\" not found!", {identifier}));
    return {};
}

void TLocCustomLang::SetEntryText(TStrings* list, const std::string& text, int language,
                                  const std::string& key) {
    if (list == nullptr || language < 1)
        return;
    const std::string stored =
        storeAsUTF8_ ? AnsiToUtf8ByCharSet(text, LanguageCharSet(language)) : text;
    if (list == &lists_[stStrings] && !IsDesigning()) {
        for (TLocStringsCollection* table : {userStringTable_.get(), resourceStringTable_.get()})
            for (int i = 0; i < table->Count(); ++i) {
                TLocStringsCollectionItem* item = table->Items(i);
                if (CompareTextLocale(item->StringName, key) != 0)
                    continue;
                while (item->Texts.Count() < language)
                    item->Texts.Add("");
                item->Texts.Put(language - 1, stored);
            }
    }
    PutEntryField(list, stored, language, key);
    if (list == &lists_[stStrings])
        UpdateResourceStrings();
}

void TLocCustomLang::PutEntryField(TStrings* list, const std::string& storedText, int language,
                                   std::string_view key) {
    if (list == nullptr || language < 1)
        return;
    const char d = Delim();
    for (int i = 0; i < list->Count(); ++i) {
        const std::string line = list->Get(i);
        if (!KeyIs(line, d, key))
            continue;
        // The positions of the language-th and the (language+1)-th delimiters.
        size_t open = std::string::npos, close = std::string::npos;
        int seen = 0;
        for (size_t k = 0; k < line.size(); ++k)
            if (line[k] == d) {
                ++seen;
                if (seen == language)
                    open = k;
                else if (seen == language + 1) {
                    close = k;
                    break;
                }
            }
        std::string rebuilt;
        if (close != std::string::npos) {
            rebuilt = line.substr(0, open + 1) + storedText + line.substr(close);
        } else {
            // A short entry is padded up to the field, so the text lands in its own column.
            rebuilt = open != std::string::npos ? line.substr(0, open + 1) : line;
            const int have = CountDelimiters(rebuilt, std::string_view(&d, 1));
            rebuilt.append(static_cast<size_t>(std::max(0, language - have)), d);
            rebuilt += storedText;
            rebuilt += d;
        }
        list->Put(i, rebuilt);
    }
}

void TLocCustomLang::DeleteEntries(TStrings* list, std::string_view key, int kind,
                                   std::string_view propertyName) {
    if (list == nullptr)
        return;
    std::string prefix(key);
    if (kind == stMultiLines || kind == stOtherStrings)
        prefix += "." + std::string(propertyName) + Delim();
    else if (kind == stCollections)
        prefix += "." + std::string(propertyName);
    else
        prefix += Delim();
    for (int i = list->Count() - 1; i >= 0; --i)
        if (StartsStr(prefix, list->Get(i))) {
            list->Delete(i);
            if (kind != stCollections)
                return;
        }
}

std::string TLocCustomLang::ToProgramText(const std::string& stored) const {
    return storeAsUTF8_ ? stored : AnsiToUtf8ByCharSet(stored, currentCharSet_);
}

std::string TLocCustomLang::ToStoredText(const std::string& program) const {
    return storeAsUTF8_ ? program : Utf8ToAnsiByCharSet(program, currentCharSet_);
}

std::string TLocCustomLang::GetStringPropertyByName(TComponent* component, std::string_view name) {
    if (component == nullptr || GetPropInfo(component, name) == nullptr)
        return {};
    return StoredPropertyText(component, name);
}

void TLocCustomLang::SetStringPropertyByName(TComponent* component, std::string_view name,
                                             const std::string& text) {
    if (component == nullptr)
        return;
    if (const TPropInfo* info = GetPropInfo(component, name))
        AssignStringProperty(component, info, text);
}

void TLocCustomLang::AssignStringProperty(TObject* object, const TPropInfo* property,
                                          const std::string& text) {
    if (object == nullptr || property == nullptr || !IsStringKind(property->Kind()))
        return;
    std::string programText = ToProgramText(text);
    if (TranslationHook)
        TranslationHook(object, property, programText);
    if (property->Kind() == tkWString)
        property->Set(object, Utf8ToUtf16(programText));
    else
        property->Set(object, programText);
}

std::string TLocCustomLang::GetFontName(TComponent* component) {
    const TPropInfo* info = component ? GetPropInfo(component, "Font") : nullptr;
    if (info == nullptr || info->Kind() != tkClass)
        return {};
    TObject* font = GetObjectProp(component, "Font");
    return font != nullptr ? GetStrProp(font, "Name") : std::string();
}

uint8_t TLocCustomLang::GetFontCharset(TComponent* component) {
    const TPropInfo* info = component ? GetPropInfo(component, "Font") : nullptr;
    if (info == nullptr || info->Kind() != tkClass)
        return 0;
    TObject* font = GetObjectProp(component, "Font");
    return font != nullptr ? static_cast<uint8_t>(GetOrdProp(font, "Charset")) : 0;
}

bool TLocCustomLang::IsOwnerTranslated() {
    return Owner() == nullptr || doNotTranslate_.IndexOf(OwnerKey()) < 0;
}

TStringList& TLocCustomLang::HoldingList() {
    if (!holdingList_)
        holdingList_ = std::make_unique<TStringList>();
    return *holdingList_;
}

void TLocCustomLang::SetEntryTextOf(TStrings*& list, const std::string& text, int language,
                                    const std::string& key) {
    SetEntryText(list, text, language, key);
}
