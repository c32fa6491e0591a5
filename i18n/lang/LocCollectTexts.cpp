// Collecting a form's texts into the localiser's lists: the walk over the owner and its
// components that adds an entry for every translatable property without one (its value in the
// column of language 1), writes changed values into the active language's column while the form
// is designed, keeps the translations of a renamed component (through the holding list) and
// removes entries whose component or property is gone.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocEngineSupport.h"
#include "i18n/lang/LocLangDispatcher.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocCharSets.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Collection.h"
#include "platform/graphics/Graphics.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

using namespace loc_engine;

namespace {

// The published properties of a class in name order.
std::vector<const TPropInfo*> PropertiesByName(TObject* object) {
    std::vector<const TPropInfo*> list = GetPropList(object->ClassType());
    std::stable_sort(list.begin(), list.end(), [](const TPropInfo* a, const TPropInfo* b) {
        return CompareText(a->Name(), b->Name()) < 0;
    });
    return list;
}

std::string CharSetNameOf(uint8_t charSet) {
    for (const TLocCharSetName& entry : CharSetNames())
        if (entry.CharSet == charSet)
            return entry.Name;
    return {};
}

class TLocCollectText {
public:
    explicit TLocCollectText(TLocCustomLang& localiser) : loc_(localiser), d_(localiser.Delim()) {}

    void OwnerText(TStrings* list, int kind);
    void OwnerFont();
    void Kind(TStrings* list, int kind);
    void PropertiesStrings();

private:
    bool Visited(TComponent* component);
    bool Excluded(const char* name) { return loc_.ExcludedProperties()->IndexOf(name) >= 0; }
    std::string NewEntry(const std::string& key, const std::string& value) const {
        return key + d_ + value + std::string(static_cast<size_t>(loc_.NumOfLanguages()), d_);
    }
    int FindEntry(TStrings* list, const std::string& key) const;
    std::string FindHeldEntry(const std::string& text);
    void Notify() {
        if (loc_.ChangeNotify)
            loc_.ChangeNotify(&loc_);
    }
    void RepairFirstKey(TStrings* list, const std::string& value);
    void Component(TStrings* list, int kind, TComponent* component);
    void Collections(TStrings* list, TObject* holder, const std::string& prefix,
                     const std::string& name);
    // Steps 4 to 6 for one property whose key and current (stored) value are known.
    enum class TFound { Entry, Held, New, None };
    TFound Value(TStrings* list, int kind, const std::string& key, const std::string& value,
                 bool fromAction);
    void FontCharSet(const std::string& name, TFound found, TComponent* component);

    TLocCustomLang& loc_;
    char d_;
    std::string heldKey_; // the key of the held line the last Value() re-keyed
};

bool TLocCollectText::Visited(TComponent* component) {
    if (component->Name().empty() || dynamic_cast<TLocCustomLang*>(component) != nullptr ||
        dynamic_cast<TLocLangDispatcher*>(component) != nullptr)
        return false;
    TStrings* skip = loc_.DoNotTranslate();
    return skip->IndexOf(component->Name()) < 0 && skip->IndexOf("!" + component->ClassName()) < 0;
}

int TLocCollectText::FindEntry(TStrings* list, const std::string& key) const {
    const std::string prefix = key + d_;
    for (int i = 0; i < list->Count(); ++i)
        if (StartsStr(prefix, list->Get(i)))
            return i;
    return -1;
}

std::string TLocCollectText::FindHeldEntry(const std::string& text) {
    TStrings& held = loc_.HoldingList();
    for (int i = 0; i < held.Count(); ++i)
        if (loc_.RawTextAt(&held, i, true) == text)
            return held.Get(i);
    return {};
}

TLocCollectText::TFound TLocCollectText::Value(TStrings* list, int kind, const std::string& key,
                                               const std::string& value, bool fromAction) {
    const int at = FindEntry(list, key);
    if (at >= 0) {
        const int active = loc_.ActiveLanguage();
        const std::string line = list->Get(at);
        const std::string text = GetField(line, d_, active);
        const bool same = text == value || (kind == stCollections && text + "\r\n" == value);
        // An empty column of another language is filled only by an edited text, not by the
        // language-1 text the control still shows.
        const bool edited = !text.empty() || active == 1 || value != GetField(line, d_, 1);
        if (loc_.Owner()->ComponentState().Contains(csDesigning) && !same && edited) {
            loc_.PutEntryField(list, value, active, key);
            Notify();
        }
        return TFound::Entry;
    }
    const std::string held = value.empty() ? std::string() : FindHeldEntry(value);
    if (!held.empty()) {
        heldKey_ = GetField(held, d_, 0);
        list->Add(key + held.substr(held.find(d_)));
        return TFound::Held;
    }
    if ((loc_.AutoSkipEmpties() && value.empty()) ||
        ((kind == stCaptions || kind == stHints) && fromAction))
        return TFound::None;
    list->Add(NewEntry(key, value));
    return TFound::New;
}

// A first entry keyed by the owner's name, or by an old class name with the owner's current
// value in language 1, is the owner's: it takes the class name as its key.
void TLocCollectText::RepairFirstKey(TStrings* list, const std::string& value) {
    if (list->Count() == 0)
        return;
    const std::string first = list->Get(0);
    const std::string key = GetField(first, d_, 0);
    if (key == loc_.OwnerKey())
        return;
    const std::string text = GetField(first, d_, 1);
    if (key == loc_.Owner()->Name() || (!text.empty() && text == value))
        list->Put(0, loc_.OwnerKey() + first.substr(key.size()));
}

void TLocCollectText::OwnerText(TStrings* list, int kind) {
    TComponent* owner = loc_.Owner();
    const char* property = OwnPropertyOf(kind);
    const std::string ownerKey = loc_.OwnerKey();
    if (!HasStringProperty(owner, property))
        return;
    if (loc_.SmartExcludeProps()->IndexOf(ownerKey + "." + property) >= 0) {
        loc_.DeleteEntries(list, ownerKey, kind, property);
        return;
    }
    if (Excluded(property) || !loc_.IsOwnerTranslated())
        return;
    const std::string value = loc_.StoredPropertyText(owner, property);
    if ((loc_.AutoSkipEmpties() && value.empty()) || TextFromAction(owner, property))
        return;
    RepairFirstKey(list, value);
    if (list->Count() == 0)
        list->Add(NewEntry(ownerKey, value));
    else if (!ContainsStr(list->Get(0), ownerKey) && !ContainsStr(list->Get(0), owner->Name()))
        list->Insert(0, NewEntry(ownerKey, value));
    if (GetField(list->Get(0), d_, loc_.ActiveLanguage()) != value) {
        loc_.PutEntryField(list, value, loc_.ActiveLanguage(), ownerKey);
        Notify();
    }
}

void TLocCollectText::OwnerFont() {
    TComponent* owner = loc_.Owner();
    const std::string ownerKey = loc_.OwnerKey();
    TStrings* fonts = loc_.GetStringsOfType(stFonts);
    TStrings* charSets = loc_.GetStringsOfType(stCharSets);
    if (!HasExactFont(owner))
        return;
    if (loc_.SmartExcludeProps()->IndexOf(ownerKey + ".Font") >= 0) {
        loc_.DeleteEntries(fonts, ownerKey, stFonts, "");
        loc_.DeleteEntries(charSets, ownerKey, stCharSets, "");
        return;
    }
    if (Excluded("Font") || !loc_.IsOwnerTranslated())
        return;
    const std::string name = loc_.GetFontName(owner);
    const std::string charSet = CharSetNameOf(loc_.GetFontCharset(owner));
    const bool withCharSet = !Excluded("Charset");
    RepairFirstKey(fonts, name);
    RepairFirstKey(charSets, charSet);
    if (fonts->Count() == 0) {
        fonts->Add(NewEntry(ownerKey, name));
        if (withCharSet)
            charSets->Add(NewEntry(ownerKey, charSet));
    } else if (!ContainsStr(fonts->Get(0), ownerKey) &&
               !ContainsStr(fonts->Get(0), owner->Name())) {
        fonts->Insert(0, NewEntry(ownerKey, name));
        if (withCharSet)
            charSets->Insert(0, NewEntry(ownerKey, charSet));
    } else if (withCharSet && charSets->Count() == 0) {
        charSets->Add(NewEntry(ownerKey, charSet));
    }
    if (GetField(fonts->Get(0), d_, loc_.ActiveLanguage()) != name) {
        loc_.PutEntryField(fonts, name, loc_.ActiveLanguage(), ownerKey);
        Notify();
    }
}

void TLocCollectText::FontCharSet(const std::string& name, TFound found, TComponent* component) {
    TStrings* charSets = loc_.GetStringsOfType(stCharSets);
    if (found == TFound::None || loc_.IsPropertyExcluded(name, "Charset") ||
        FindEntry(charSets, name) >= 0)
        return;
    if (found == TFound::Held) {
        // The held font's charsets come along under the new name.
        int at = FindEntry(charSets, heldKey_);
        TStrings* source = charSets;
        if (at < 0) {
            source = &loc_.HoldingList();
            at = FindEntry(source, heldKey_);
        }
        if (at >= 0) {
            const std::string line = source->Get(at);
            charSets->Add(name + line.substr(line.find(d_)));
            return;
        }
    }
    charSets->Add(NewEntry(name, CharSetNameOf(loc_.GetFontCharset(component))));
}

void TLocCollectText::Component(TStrings* list, int kind, TComponent* component) {
    const bool isOwner = component == loc_.Owner();
    const std::string name = isOwner ? loc_.OwnerKey() : component->Name();
    auto collect = [&](TObject* object, const TPropInfo* info, const std::string& path) {
        if (loc_.IsPropertyExcluded(name, path)) {
            loc_.DeleteEntries(list, name, kind, path);
            return;
        }
        if (!info->IsWritable())
            return;
        const bool dotted = kind == stMultiLines || kind == stOtherStrings;
        const std::string key = dotted ? name + "." + path : name;
        if (kind == stMultiLines) {
            if (TStrings* lines = StringsOf(object, info))
                Value(list, kind, key, loc_.ToStoredText(lines->CommaText()), false);
            return;
        }
        const std::string value = loc_.StoredPropertyText(object, info->Name());
        if (kind == stCaptions && component->ClassName() == "TMenuItem" && value == "-")
            return;
        Value(list, kind, key, value, TextFromAction(component, info->Name()));
    };
    if (kind == stCaptions || kind == stHints || kind == stDisplayLabels) {
        const TPropInfo* info = GetPropInfo(component, OwnPropertyOf(kind));
        if (info != nullptr && IsStringKind(info->Kind()))
            collect(component, info, info->Name());
    } else if (kind == stMultiLines) {
        if (component->ClassName() == "TFormStorage")
            return;
        for (const TPropInfo* info : PropertiesByName(component))
            if (info->Kind() == tkClass && (info->PropType() == StringsTypeInfo() ||
                                            loc_.IsStringsTypeClass(info->PropType()->Name)))
                collect(component, info, info->Name());
    } else if (kind == stOtherStrings) {
        for (const TPropInfo* info : PropertiesByName(component)) {
            const std::string& p = info->Name();
            if (IsStringKind(info->Kind()) && p != "Name" && p != "Caption" && p != "Hint" &&
                p != "DisplayLabel")
                collect(component, info, p);
        }
        // The string properties of a component's "Properties" object (not the owner's).
        TObject* properties = isOwner ? nullptr : ObjectProperty(component, "Properties");
        if (properties != nullptr)
            for (const TPropInfo* info : PropertiesByName(properties))
                if (IsStringKind(info->Kind()))
                    collect(properties, info, "Properties." + info->Name());
    }
}

void TLocCollectText::Collections(TStrings* list, TObject* holder, const std::string& prefix,
                                  const std::string& name) {
    for (const TPropInfo* info : PropertiesByName(holder)) {
        auto* collection = dynamic_cast<TCollection*>(ObjectOf(holder, info));
        if (collection == nullptr)
            continue;
        const std::string path = prefix + info->Name();
        if (loc_.IsPropertyExcluded(name, path)) {
            loc_.DeleteEntries(list, name, stCollections, path);
            continue;
        }
        for (int i = 0; i < collection->Count(); ++i) {
            TCollectionItem* item = collection->Items(i);
            const std::string itemKey = name + "." + path + "[" + std::to_string(i) + "].";
            for (const TPropInfo* p : PropertiesByName(item)) {
                const std::string itemPath = path + "[" + std::to_string(i) + "]." + p->Name();
                if (loc_.IsPropertyExcluded(name, itemPath)) {
                    loc_.DeleteEntries(list, name, stCollections, itemPath);
                    continue;
                }
                if (!p->IsWritable())
                    continue;
                if (TStrings* lines = StringsOf(item, p))
                    Value(list, stCollections, itemKey + p->Name(),
                          loc_.ToStoredText(lines->Text()), false);
                else if (IsStringKind(p->Kind()))
                    Value(list, stCollections, itemKey + p->Name(),
                          loc_.StoredPropertyText(item, p->Name()), false);
            }
        }
    }
}

void TLocCollectText::Kind(TStrings* list, int kind) {
    TComponent* owner = loc_.Owner();
    if (kind == stOtherStrings && loc_.IsOwnerTranslated())
        Component(list, kind, owner);
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* component = owner->Components(i);
        if (!Visited(component))
            continue;
        if (kind == stCollections) {
            Collections(list, component, "", component->Name());
            if (TObject* properties = ObjectProperty(component, "Properties"))
                Collections(list, properties, "Properties.", component->Name());
            continue;
        }
        if (kind != stFonts) {
            Component(list, kind, component);
            continue;
        }
        auto* font = dynamic_cast<TFont*>(ObjectProperty(component, "Font"));
        const TPropInfo* info = GetPropInfo(component, "Font");
        if (font == nullptr || !info->IsWritable())
            continue;
        const std::string& name = component->Name();
        if (loc_.IsPropertyExcluded(name, "Font") || UsesParentFont(component)) {
            loc_.DeleteEntries(list, name, stFonts, "");
            loc_.DeleteEntries(loc_.GetStringsOfType(stCharSets), name, stCharSets, "");
            continue;
        }
        FontCharSet(name, Value(list, kind, name, font->Name(), false), component);
    }
}

void TLocCollectText::PropertiesStrings() {
    TStrings* list = loc_.GetStringsOfType(stMultiLines);
    if (Excluded("Properties"))
        return;
    TComponent* owner = loc_.Owner();
    for (int i = 0; i < owner->ComponentCount(); ++i) {
        TComponent* component = owner->Components(i);
        TObject* properties =
            Visited(component) ? ObjectProperty(component, "Properties") : nullptr;
        if (properties == nullptr)
            continue;
        for (const TPropInfo* info : PropertiesByName(properties)) {
            TStrings* lines = StringsOf(properties, info);
            if (lines == nullptr)
                continue;
            const std::string path = "Properties." + info->Name();
            const std::string key = component->Name() + "." + path;
            if (Excluded(path.c_str()))
                loc_.DeleteEntries(list, component->Name(), stMultiLines, path);
            else if (loc_.SmartExcludeProps()->IndexOf(key) < 0)
                Value(list, stMultiLines, key, loc_.ToStoredText(lines->CommaText()), false);
        }
    }
}

} // namespace

void TLocCustomLang::CollectTexts() {
    if (TempHolder || Owner() == nullptr)
        return;
    TTemporary<bool> quiet(DoRaiseExceptions, false);
    struct THoldingGuard {
        TLocCustomLang& Loc;
        ~THoldingGuard() { Loc.FreeHoldingList(); }
    } holdingGuard{*this};
    TLocCollectText collect(*this);
    try {
        collect.OwnerText(&lists_[stCaptions], stCaptions);
        collect.OwnerText(&lists_[stHints], stHints);
        collect.OwnerFont();
        FreeHoldingList();
        HoldingList();
        for (int kind : {stCaptions, stHints, stDisplayLabels, stFonts}) {
            if (excludedProperties_.IndexOf(OwnPropertyOf(kind)) >= 0 ||
                (kind == stFonts && noOwnerFont_))
                continue;
            PrepareList(&lists_[static_cast<size_t>(kind)], kind);
            if (kind == stFonts)
                PrepareList(&lists_[stCharSets], stCharSets);
            collect.Kind(&lists_[static_cast<size_t>(kind)], kind);
            HoldingList().Clear();
        }
        for (int kind : {stMultiLines, stOtherStrings, stCollections}) {
            PrepareList(&lists_[static_cast<size_t>(kind)], kind);
            collect.Kind(&lists_[static_cast<size_t>(kind)], kind);
            if (kind == stMultiLines)
                collect.PropertiesStrings();
            HoldingList().Clear();
        }
        RemoveObsoleteEntries();
        CollectExtendedTranslations();
    } catch (const Exception&) {
        // A property that cannot be read ends the walk; what was collected stays.
    }
}
