// The localiser's side of extended translations: resolving identifiers to published
// properties, reading and writing them as text, applying and collecting the values.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/FloatFormat.h"
#include "platform/rtl/Strings.h"

namespace {

bool IsStringKind(TTypeKind kind) {
    return kind == tkChar || kind == tkString || kind == tkWChar || kind == tkLString ||
           kind == tkWString;
}

TStrings* StringListOf(TObject* object, const TPropInfo* info) {
    TPropValue value = info->Get(object);
    TStrings** list = std::get_if<TStrings*>(&value);
    return list ? *list : nullptr;
}

} // namespace

TObject* TLocCustomLang::ResolveIdentifierObject(std::string_view identifier,
                                                 std::string* propertyName) {
    const std::string id(identifier);
    size_t dot = id.find('.');
    if (Owner() == nullptr || dot == std::string::npos)
        return nullptr;
    TObject* object = StartsStr(OwnerKey() + ".", id) ? static_cast<TObject*>(Owner())
                                                      : Owner()->FindComponent(id.substr(0, dot));
    std::string rest = id.substr(dot + 1);
    while (object != nullptr && (dot = rest.find('.')) != std::string::npos) {
        const std::string part = rest.substr(0, dot);
        const size_t open = part.find('[');
        const TPropInfo* info = GetPropInfo(object, part.substr(0, open));
        if (info == nullptr || info->Kind() != tkClass)
            return nullptr;
        TPropValue value = info->Get(object);
        TObject** next = std::get_if<TObject*>(&value);
        object = next ? *next : nullptr;
        if (auto* collection = dynamic_cast<TCollection*>(object);
            collection && open != std::string::npos) {
            const size_t close = part.find(']', open);
            const int index = StrToInt(part.substr(
                open + 1, close == std::string::npos ? std::string::npos : close - open - 1));
            object = index >= 0 && index < collection->Count() ? collection->Items(index) : nullptr;
        }
        rest = rest.substr(dot + 1);
    }
    if (propertyName != nullptr)
        *propertyName = rest;
    return object;
}

int TLocCustomLang::ExtendedPropertyKind(std::string_view identifier) {
    std::string name;
    TObject* object = ResolveIdentifierObject(identifier, &name);
    const TPropInfo* info = object ? GetPropInfo(object, name) : nullptr;
    if (info == nullptr || info->Kind() == tkMethod)
        return tkUnknown;
    if (info->Kind() == tkClass)
        return StringListOf(object, info) != nullptr ? tkClass : tkUnknown;
    return info->Kind();
}

std::string TLocCustomLang::ReadPropertyText(std::string_view identifier) {
    std::string name;
    TObject* object = ResolveIdentifierObject(identifier, &name);
    const TPropInfo* info = object ? GetPropInfo(object, name) : nullptr;
    if (info == nullptr)
        return {};
    switch (info->Kind()) {
    case tkInteger:
    case tkInt64:
        return IntToStr(GetOrdProp(object, name));
    case tkEnumeration:
        return GetEnumProp(object, name);
    case tkFloat:
        return FloatToStr(GetFloatProp(object, name));
    case tkSet:
        return GetSetProp(object, name, false);
    case tkClass: {
        TStrings* list = StringListOf(object, info);
        if (list == nullptr)
            return {};
        const std::string text = list->CommaText();
        return storeAsUTF8_ ? text : Utf8ToAnsiByCharSet(text, currentCharSet_);
    }
    default:
        return IsStringKind(info->Kind()) ? StoredPropertyText(object, name) : std::string();
    }
}

void TLocCustomLang::WritePropertyText(std::string_view identifier, const std::string& text) {
    std::string name;
    TObject* object = ResolveIdentifierObject(identifier, &name);
    const TPropInfo* info = object ? GetPropInfo(object, name) : nullptr;
    if (info == nullptr)
        return;
    const std::string programText =
        storeAsUTF8_ ? text : AnsiToUtf8ByCharSet(text, currentCharSet_);
    try {
        switch (info->Kind()) {
        case tkInteger:
            SetOrdProp(object, name, StrToInt(text));
            break;
        case tkInt64:
            SetOrdProp(object, name, StrToInt64(text));
            break;
        case tkEnumeration:
            SetEnumProp(object, name, text);
            break;
        case tkFloat:
            SetFloatProp(object, name, StrToFloat(text));
            break;
        case tkSet:
            SetSetProp(object, name, text);
            break;
        case tkWString:
        case tkWChar:
            SetWideStrProp(object, name, Utf8ToUtf16(programText));
            break;
        case tkString:
        case tkLString:
        case tkChar:
            SetStrProp(object, name, programText);
            break;
        case tkClass:
            if (TStrings* list = StringListOf(object, info)) {
                TStringList lines;
                lines.SetCommaText(programText);
                for (int i = 0; i < lines.Count(); ++i) {
                    if (i < list->Count())
                        list->Put(i, lines.Get(i));
                    else
                        list->Add(lines.Get(i));
                }
                while (list->Count() > lines.Count())
                    list->Delete(list->Count() - 1);
            }
            break;
        default:
            break;
        }
    } catch (const Exception&) {
        // A text that does not convert to the property leaves the property as it was.
    }
}

void TLocCustomLang::ApplyExtendedTranslations() {
    for (int i = 0; i < extended_->Count(); ++i) {
        TLocExtendedItem* item = extended_->Items(i);
        std::string text = GetField(item->Values, Delim(), activeLanguage_ - 1);
        if (text.empty() && useDefaultLanguage_ && activeLanguage_ != defaultLanguage_)
            text = GetField(item->Values, Delim(), defaultLanguage_ - 1);
        std::string distorted;
        if (text.empty() && activeLanguage_ > 1 &&
            TestModeText(GetField(item->Values, Delim(), 0), distorted))
            text = distorted;
        if (text.empty() && TranslateType == ttGetDefault)
            text = GetField(item->Values, Delim(), 0);
        if (!text.empty())
            WritePropertyText(item->Identifier(), text);
    }
}

void TLocCustomLang::CollectExtendedTranslations() {
    for (int i = extended_->Count() - 1; i >= 0; --i) {
        TLocExtendedItem* item = extended_->Items(i);
        if (ResolveIdentifierObject(item->Identifier(), nullptr) == nullptr) {
            extended_->Delete(i);
            continue;
        }
        const std::string current = ReadPropertyText(item->Identifier());
        if (current == GetField(item->Values, Delim(), activeLanguage_ - 1))
            continue;
        std::string values;
        for (int l = 1; l <= numOfLanguages_; ++l)
            values +=
                (l == activeLanguage_ ? current : GetField(item->Values, Delim(), l - 1)) + Delim();
        item->Values = values;
    }
}

void TLocCustomLang::ReplaceInExtendedValues(char oldByte, char newByte) {
    for (int i = 0; i < extended_->Count(); ++i) {
        std::string& values = extended_->Items(i)->Values;
        std::replace(values.begin(), values.end(), oldByte, newByte);
    }
}

std::string TLocCustomLang::BuildLanguageValues(const std::string& text, int language) const {
    std::string values;
    for (int l = 1; l <= numOfLanguages_; ++l)
        values += (l == language ? text : std::string()) + Delim();
    return values;
}

void TLocCustomLang::RebindExtendedItems() {
    for (int i = extended_->Count() - 1; i >= 0; --i) {
        TLocExtendedItem* item = extended_->Items(i);
        const std::string first = item->IdentifierText.substr(0, item->IdentifierText.find('.'));
        TComponent* component = first == OwnerKey() ? Owner() : Owner()->FindComponent(first);
        if (component == nullptr)
            extended_->Delete(i);
        else
            item->IdentifierComponent = component;
    }
}
