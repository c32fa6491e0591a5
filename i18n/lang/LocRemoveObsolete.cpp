// Dropping the entries of components and properties that are gone, after the texts of a form
// were collected.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocEngineSupport.h"
#include "platform/rtl/Strings.h"

using namespace loc_engine;

namespace {

enum class TFit { Class, String, Any };

// Whether the property path names a published property of the right kind on the object. A path
// with a "." is tested on the object its first part holds: when the first part is no published
// class property the entry is obsolete, when its object is merely not assigned it is kept.
bool PathExists(TObject* object, const std::string& path, TFit fit) {
    std::string rest = path;
    for (size_t dot; (dot = rest.find('.')) != std::string::npos;) {
        const TPropInfo* info = GetPropInfo(object, rest.substr(0, dot));
        if (info == nullptr || info->Kind() != tkClass)
            return false;
        object = ObjectOf(object, info);
        if (object == nullptr)
            return true;
        rest = rest.substr(dot + 1);
    }
    const TPropInfo* info = GetPropInfo(object, rest);
    if (info == nullptr)
        return false;
    switch (fit) {
    case TFit::Class:
        return info->Kind() == tkClass;
    case TFit::String:
        return IsStringKind(info->Kind());
    default:
        return info->Kind() != tkMethod;
    }
}

} // namespace

void TLocCustomLang::RemoveObsoleteEntries() {
    TComponent* owner = Owner();
    if (owner == nullptr)
        return;
    struct TKindRule {
        int Kind;
        const char* Property; // the kind's own property, or null when the key names it
        TFit Fit;
    };
    const TKindRule rules[] = {{stCaptions, "Caption", TFit::String},
                               {stHints, "Hint", TFit::String},
                               {stDisplayLabels, "DisplayLabel", TFit::String},
                               {stFonts, "Font", TFit::Class},
                               {stCharSets, "Font", TFit::Class},
                               {stMultiLines, nullptr, TFit::Class},
                               {stOtherStrings, nullptr, TFit::String},
                               {stCollections, nullptr, TFit::Any}};
    for (const TKindRule& rule : rules) {
        TStrings& list = lists_[static_cast<size_t>(rule.Kind)];
        for (int i = 0; i < list.Count(); ++i) {
            const std::string line = list.Get(i);
            const std::string key = line.substr(0, line.find(Delim()));
            std::string name = key, path = rule.Property ? rule.Property : "";
            if (rule.Property == nullptr) {
                const size_t dot = key.find('.');
                name = key.substr(0, dot);
                path = dot == std::string::npos ? std::string() : key.substr(dot + 1);
                if (rule.Kind == stCollections)
                    path = path.substr(0, path.find('['));
            }
            TObject* object = owner->FindComponent(name);
            if (object == nullptr && (name == owner->Name() || name == OwnerKey()))
                object = owner;
            if (key.empty() || object == nullptr || path.empty() ||
                !PathExists(object, path, rule.Fit))
                list.Delete(i--);
        }
    }
}
