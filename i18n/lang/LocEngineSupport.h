#pragma once
// Small property questions the translation engine and the text collection both ask: kinds of
// published properties, the objects and string lists they hold, and the two reasons a
// component's text is left alone (a parent's font, an action's text).

#include "platform/classes/Component.h"
#include "platform/classes/Properties.h"
#include "platform/rtl/CodePage.h"

#include <string>
#include <string_view>

namespace loc_engine {

// The property a caption, hint, display-label or font entry sets (kinds 0 to 3; charsets count
// as fonts).
inline const char* OwnPropertyOf(int kind) {
    switch (kind) {
    case 0:
        return "Caption";
    case 1:
        return "Hint";
    case 2:
        return "DisplayLabel";
    default:
        return "Font";
    }
}

inline bool IsStringKind(TTypeKind kind) {
    return kind == tkString || kind == tkLString || kind == tkWString;
}

// The value of type T* a class property holds: an object, or a string list (which is no object);
// null for another value or when reading fails.
template <class T> T* HeldBy(TObject* object, const TPropInfo* info) {
    if (object == nullptr || info == nullptr || info->Kind() != tkClass)
        return nullptr;
    try {
        TPropValue value = info->Get(object);
        T** held = std::get_if<T*>(&value);
        return held ? *held : nullptr;
    } catch (const Exception&) {
        return nullptr;
    }
}

inline TObject* ObjectOf(TObject* object, const TPropInfo* info) {
    return HeldBy<TObject>(object, info);
}

inline TStrings* StringsOf(TObject* object, const TPropInfo* info) {
    return HeldBy<TStrings>(object, info);
}

inline TObject* ObjectProperty(TObject* object, std::string_view name) {
    return object ? ObjectOf(object, GetPropInfo(object, name)) : nullptr;
}

// A property's current text as the program holds it (UTF-8); empty when reading it fails.
inline std::string ProgramTextOf(TObject* object, const TPropInfo* info) {
    try {
        TPropValue value = info->Get(object);
        if (auto* text = std::get_if<std::string>(&value))
            return *text;
        if (auto* wide = std::get_if<std::u16string>(&value))
            return Utf16ToUtf8(*wide);
    } catch (const Exception&) {
    }
    return {};
}

// A control whose published "ParentFont" is true keeps its parent's font.
inline bool UsesParentFont(TObject* component) {
    const TPropInfo* info = component ? GetPropInfo(component, "ParentFont") : nullptr;
    if (info == nullptr)
        return false;
    try {
        TPropValue value = info->Get(component);
        auto* flag = std::get_if<int64_t>(&value);
        return flag != nullptr && *flag != 0;
    } catch (const Exception&) {
        return false;
    }
}

// The component's caption (or hint) is its action's: an assigned published "Action" whose
// property of that name equals the component's.
inline bool TextFromAction(TObject* component, std::string_view property) {
    TObject* action = ObjectProperty(component, "Action");
    if (action == nullptr)
        return false;
    const TPropInfo* own = GetPropInfo(component, property);
    const TPropInfo* its = GetPropInfo(action, property);
    return own != nullptr && its != nullptr && IsStringKind(own->Kind()) &&
           IsStringKind(its->Kind()) && ProgramTextOf(component, own) == ProgramTextOf(action, its);
}

// The owner has a published string property of that name.
inline bool HasStringProperty(TObject* object, std::string_view name) {
    const TPropInfo* info = object ? GetPropInfo(object, name) : nullptr;
    return info != nullptr && IsStringKind(info->Kind());
}

// The object has a published "Font" whose type is exactly TFont.
inline bool HasExactFont(TObject* object) {
    const TPropInfo* info = object ? GetPropInfo(object, "Font") : nullptr;
    return info != nullptr && info->Kind() == tkClass && info->PropType()->Name == "TFont";
}

} // namespace loc_engine
