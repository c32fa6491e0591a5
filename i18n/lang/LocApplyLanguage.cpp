// Applying the active language: the owner's own caption, hint and font, then every entry of the
// captions, hints, display labels, fonts, multi-line lists, other strings and locale settings
// (collections in LocApplyCollections.cpp), each set only where it differs.

#include "i18n/lang/LocApplyText.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocEngineSupport.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/forms/Forms.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/FormatSettings.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

using namespace loc_engine;

namespace {

// The charset of a name among the 19 charset names, ignoring case; -1 when none.
int CharSetOfNameIgnoringCase(std::string_view name) {
    for (const TLocCharSetName& entry : CharSetNames())
        if (SameText(entry.Name, name))
            return entry.CharSet;
    return -1;
}

// The first character of a program text, when it is a single byte.
bool FirstByte(const std::string& text, char& out) {
    if (text.empty() || static_cast<unsigned char>(text[0]) >= 0x80)
        return false;
    out = text[0];
    return true;
}

template <size_t N> void SetNames(std::array<std::string, N>& names, const std::string& text) {
    TStringList items;
    items.SetCommaText(text);
    for (int i = 0; i < items.Count() && i < static_cast<int>(N); ++i)
        names[static_cast<size_t>(i)] = items.Get(i);
}

// Sets the format setting of a locale item from a program text.
void SetLocaleItem(std::string_view item, const std::string& text) {
    TFormatSettings& fs = FormatSettings();
    const auto& names = LocaleItemNames();
    const auto at =
        std::find_if(names.begin(), names.end(), [&](const char* name) { return item == name; });
    if (at == names.end())
        return;
    switch (at - names.begin()) {
    case 0:
        fs.CurrencyString = text;
        break;
    case 1: {
        size_t i = 0;
        if (!text.empty()) {
            Utf8Next(text, i);
            fs.ThousandSeparator = text.substr(0, i);
        }
        break;
    }
    case 2:
        FirstByte(text, fs.DecimalSeparator);
        break;
    case 3:
        FirstByte(text, fs.DateSeparator);
        break;
    case 4:
        fs.ShortDateFormat = text;
        break;
    case 5:
        fs.LongDateFormat = text;
        break;
    case 6:
        FirstByte(text, fs.TimeSeparator);
        break;
    case 7:
        fs.TimeAMString = text;
        break;
    case 8:
        fs.TimePMString = text;
        break;
    case 9:
        fs.ShortTimeFormat = text;
        break;
    case 10:
        fs.LongTimeFormat = text;
        break;
    case 11:
        SetNames(fs.ShortMonthNames, text);
        break;
    case 12:
        SetNames(fs.LongMonthNames, text);
        break;
    case 13:
        SetNames(fs.ShortDayNames, text);
        break;
    case 14:
        SetNames(fs.LongDayNames, text);
        break;
    }
}

// A display label or other string that names a relative file whose full name is the current
// value is left as it is.
bool IsSameFileName(const std::string& text, const std::string& current) {
    const bool relative =
        ContainsStr(text, "..") || ContainsStr(text, ".\\") || ContainsStr(text, "./");
    return relative && ExpandFileName(text) == current;
}

} // namespace

// The text of an entry for the active language (step by step: its own column, the default
// language, the test-mode text of language 1, and language 1 with ttGetDefault).
std::string TLocApplyText::LineText(TStrings* list, int index, const std::string& line, int kind) {
    const char d = loc_.Delim();
    std::string text = loc_.TextWithDefault(line, d, loc_.ActiveLanguage());
    if (text.empty() && loc_.ActiveLanguage() > 1 && kind != stFonts && kind != stLocales &&
        kind != stCharSets)
        text = loc_.TestModeLanguage1Text(line);
    if (text.empty() && loc_.TranslateType == ttGetDefault)
        text = loc_.RawTextAt(list, index, true);
    return text;
}

void TLocApplyText::OwnerText(TStrings* list, const char* property) {
    TComponent* owner = loc_.Owner();
    const std::string key = loc_.OwnerKey();
    try {
        if (list->Count() == 0 || !loc_.IsOwnerTranslated() ||
            loc_.SmartExcludeProps()->IndexOf(key + "." + property) >= 0 ||
            !HasStringProperty(owner, property))
            return;
        const std::string first = list->Get(0);
        if (!SameText(GetField(first, loc_.Delim(), 0), key))
            return;
        std::string text = loc_.TextWithDefault(first, loc_.Delim(), loc_.ActiveLanguage());
        if (text.empty() && loc_.ActiveLanguage() > 1)
            text = loc_.TestModeLanguage1Text(first);
        if (text.empty() && loc_.TranslateType == ttGetDefault)
            text = loc_.RawTextAt(list, 0, true);
        if (!text.empty())
            loc_.SetStringPropertyByName(owner, property, text);
    } catch (const Exception&) {
        // The owner keeps a text it does not take.
    }
}

void TLocApplyText::OwnerFont() {
    TComponent* owner = loc_.Owner();
    TStrings* fonts = loc_.GetStringsOfType(stFonts);
    const std::string key = loc_.OwnerKey();
    if (fonts->Count() == 0 || !loc_.IsOwnerTranslated() ||
        loc_.SmartExcludeProps()->IndexOf(key + ".Font") >= 0 || !HasExactFont(owner))
        return;
    const std::string first = fonts->Get(0);
    if (!SameText(GetField(first, loc_.Delim(), 0), key))
        return;
    auto* font = dynamic_cast<TFont*>(ObjectProperty(owner, "Font"));
    if (font == nullptr)
        return;
    std::string name = GetField(first, loc_.Delim(), loc_.ActiveLanguage());
    if (name.empty() && loc_.TranslateType == ttGetDefault)
        name = loc_.RawTextAt(fonts, 0, true);
    if (!name.empty())
        font->SetName(name);
    const int charSet = CharSetOfName(
        loc_.GetEntryText(loc_.GetStringsOfType(stCharSets), key, loc_.ActiveLanguage()));
    if (charSet >= 0)
        font->SetCharset(static_cast<TFontCharset>(charSet));
}

void TLocApplyText::Kind(TStrings* list, int kind) {
    loc_.PrepareList(list, kind);
    if (list->Count() == 0)
        return;
    if (kind == stCollections) {
        Collections(list);
        return;
    }
    int start = 0;
    if ((kind == stCaptions || kind == stHints || kind == stFonts) &&
        dynamic_cast<TForm*>(loc_.Owner()) != nullptr && loc_.IsOwnerTranslated() &&
        ContainsStr(list->Get(0), loc_.OwnerKey() + loc_.Delim()))
        start = 1;
    for (int i = start; i < list->Count(); ++i) {
        try {
            Line(list, i, kind);
        } catch (const EListError&) {
        }
    }
}

TComponent* TLocApplyText::FindTarget(const std::string& name) {
    TComponent* owner = loc_.Owner();
    if (TComponent* component = owner->FindComponent(name))
        return component;
    if (name == loc_.OwnerKey() || name == owner->Name())
        return owner;
    return nullptr;
}

void TLocApplyText::Line(TStrings* list, int index, int kind) {
    const std::string line = list->Get(index);
    const char d = loc_.Delim();
    const std::string key = line.substr(0, line.find(d));
    std::string name = key, property = OwnPropertyOf(kind), objectProperty;
    if (kind == stMultiLines || kind == stOtherStrings) {
        const size_t dot = key.find('.');
        name = key.substr(0, dot);
        property = dot == std::string::npos ? std::string() : key.substr(dot + 1);
        const size_t inner = property.find('.');
        if (inner != std::string::npos) {
            objectProperty = property.substr(0, inner);
            property = property.substr(inner + 1);
        }
    }
    if (loc_.DoNotTranslate()->IndexOf(name) >= 0)
        return;
    const std::string text = LineText(list, index, line, kind);
    if (kind == stLocales) {
        if (!text.empty())
            SetLocaleItem(name, loc_.ToProgramText(text));
        return;
    }
    TComponent* component = FindTarget(name);
    if (component == nullptr)
        return;
    const TPropInfo* info =
        GetPropInfo(component, objectProperty.empty() ? property : objectProperty);
    if (info == nullptr || !info->IsWritable())
        return;
    if (kind == stFonts)
        Font(component, info, name, text);
    else if (kind == stMultiLines)
        MultiLine(component, info, objectProperty.empty() ? "" : property, text);
    else
        StringProperty(component, info, objectProperty.empty() ? "" : property, text, kind);
}

void TLocApplyText::Font(TComponent* component, const TPropInfo* info, const std::string& name,
                         const std::string& text) {
    auto* font = dynamic_cast<TFont*>(ObjectOf(component, info));
    if (font == nullptr)
        return;
    const bool parentFont = UsesParentFont(component);
    const int charSet = CharSetOfNameIgnoringCase(
        loc_.GetEntryText(loc_.GetStringsOfType(stCharSets), name, loc_.ActiveLanguage()));
    if (charSet >= 0 && !parentFont)
        font->SetCharset(static_cast<TFontCharset>(charSet));
    if (text.empty() || parentFont)
        return;
    // The font goes back through the property, so the component takes it as a font change.
    TFont changed;
    changed.Assign(*font);
    changed.SetName(text);
    info->Set(component, static_cast<TObject*>(&changed));
}

void TLocApplyText::MultiLine(TComponent* component, const TPropInfo* info,
                              const std::string& innerProperty, const std::string& text) {
    if (text.empty())
        return;
    TStrings* target = nullptr;
    bool inObject = false;
    if (!innerProperty.empty()) {
        TObject* object = ObjectOf(component, info);
        target = object ? StringsOf(object, GetPropInfo(object, innerProperty)) : nullptr;
        inObject = true;
    } else {
        target = StringsOf(component, info);
    }
    const std::string programText = loc_.ToProgramText(text);
    if (target != nullptr && target->CommaText() != programText)
        UpdateStringsInPlace(target, inObject ? nullptr : component, programText, false);
}

void TLocApplyText::StringProperty(TComponent* component, const TPropInfo* info,
                                   const std::string& innerProperty, const std::string& text,
                                   int kind) {
    if (text.empty())
        return;
    try {
        if (!innerProperty.empty()) {
            TObject* object = ObjectOf(component, info);
            const TPropInfo* inner = object ? GetPropInfo(object, innerProperty) : nullptr;
            if (inner != nullptr && inner->IsWritable() && IsStringKind(inner->Kind()) &&
                loc_.StoredPropertyText(object, innerProperty) != text)
                loc_.AssignStringProperty(object, inner, text);
            return;
        }
        if (!IsStringKind(info->Kind()))
            return;
        const std::string current = loc_.StoredPropertyText(component, info->Name());
        if (current == text)
            return;
        if ((kind == stDisplayLabels || kind == stOtherStrings) && IsSameFileName(text, current))
            return;
        loc_.AssignStringProperty(component, info, text);
    } catch (const Exception&) {
        // A property that refuses the text keeps its own.
    }
}

void TLocCustomLang::ApplyLanguage() {
    if (TempHolder || Owner() == nullptr)
        return;
    UpdateCharSets();
    const int only = OnlyStringsType;
    auto wanted = [only](std::initializer_list<int> kinds) {
        return only == -1 || std::find(kinds.begin(), kinds.end(), only) != kinds.end();
    };
    if (TranslateExtendedFirst && only == -1)
        ApplyExtendedTranslations();
    TLocApplyText apply(*this);
    apply.OwnerText(&lists_[stCaptions], "Caption");
    apply.OwnerText(&lists_[stHints], "Hint");
    for (int kind : {stCaptions, stHints, stDisplayLabels})
        if (wanted({kind}))
            apply.Kind(&lists_[static_cast<size_t>(kind)], kind);
    if (wanted({stFonts, stCharSets}) && !noOwnerFont_)
        apply.Kind(&lists_[stFonts], stFonts);
    apply.OwnerFont();
    for (int kind : {stMultiLines, stOtherStrings, stLocales, stCollections})
        if (wanted({kind}) && (kind != stLocales || changeLocales_))
            apply.Kind(&lists_[static_cast<size_t>(kind)], kind);
    if (!TranslateExtendedFirst && only == -1)
        ApplyExtendedTranslations();
    UpdateResourceStrings();
    if (OnChangeLanguage)
        OnChangeLanguage(this);
}
