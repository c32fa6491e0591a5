// Applying collection entries: "Component.[Object.]Collection[index].Property[.Property]" keys
// set a string or a string list of one collection item.

#include "i18n/lang/LocApplyText.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocEngineSupport.h"
#include "platform/classes/Collection.h"

using namespace loc_engine;

namespace {

// The parts of a collection key; Valid is false when the key cannot name an item.
struct TItemKey {
    std::string Component, ObjectProperty, Collection, ItemProperty;
    int Index = -1;
    bool Valid = false;
};

TItemKey SplitItemKey(const std::string& key) {
    TItemKey parts;
    const size_t dot = key.find('.');
    const size_t open = key.find('[');
    const size_t close = key.find("].");
    if (dot == std::string::npos || open == std::string::npos || close == std::string::npos ||
        open < dot || close < open)
        return parts;
    parts.Component = key.substr(0, dot);
    std::string path = key.substr(dot + 1, open - dot - 1);
    const size_t inner = path.find('.');
    if (inner != std::string::npos) {
        parts.ObjectProperty = path.substr(0, inner);
        path = path.substr(inner + 1);
    }
    parts.Collection = path;
    parts.ItemProperty = key.substr(close + 2);
    const std::string index = key.substr(open + 1, close - open - 1);
    // A key whose index is no decimal number names no item: the entry is skipped.
    if (index.empty() || index.size() > 9 ||
        index.find_first_not_of("0123456789") != std::string::npos)
        return parts;
    parts.Index = std::stoi(index);
    parts.Valid = true;
    return parts;
}

} // namespace

void TLocApplyText::Collections(TStrings* list) {
    for (int i = 0; i < list->Count(); ++i) {
        try {
            CollectionLine(list, i);
        } catch (const EListError&) {
        }
    }
}

void TLocApplyText::CollectionLine(TStrings* list, int index) {
    const std::string line = list->Get(index);
    const std::string key = line.substr(0, line.find(loc_.Delim()));
    const std::string name = key.substr(0, key.find('.'));
    if (loc_.DoNotTranslate()->IndexOf(name) >= 0)
        return;
    const TItemKey parts = SplitItemKey(key);
    if (!parts.Valid)
        return;
    const std::string text = LineText(list, index, line, stCollections);
    TComponent* component = loc_.Owner()->FindComponent(parts.Component);
    if (component == nullptr)
        return;
    const std::string first =
        parts.ObjectProperty.empty() ? parts.Collection : parts.ObjectProperty;
    const TPropInfo* info = GetPropInfo(component, first);
    if (info == nullptr)
        return;
    TObject* holder = component;
    if (!parts.ObjectProperty.empty()) {
        holder = ObjectOf(component, info);
        if (holder == nullptr)
            return;
    }
    auto* collection = dynamic_cast<TCollection*>(ObjectProperty(holder, parts.Collection));
    if (collection == nullptr || parts.Index >= collection->Count())
        return;
    CollectionItem(collection->Items(parts.Index), parts.ItemProperty, text);
}

void TLocApplyText::CollectionItem(TObject* item, const std::string& itemProperty,
                                   const std::string& text) {
    const size_t dot = itemProperty.find('.');
    if (dot != std::string::npos) {
        const TPropInfo* outer = GetPropInfo(item, itemProperty.substr(0, dot));
        if (outer == nullptr || !outer->IsWritable())
            return;
        TObject* object = ObjectOf(item, outer);
        const std::string name = itemProperty.substr(dot + 1);
        const TPropInfo* inner = object ? GetPropInfo(object, name) : nullptr;
        if (inner == nullptr)
            return;
        if (!text.empty() && loc_.StoredPropertyText(object, name) != text)
            loc_.AssignStringProperty(object, inner, text);
        return;
    }
    const TPropInfo* info = GetPropInfo(item, itemProperty);
    if (info == nullptr)
        return;
    if (TStrings* lines = StringsOf(item, info)) {
        const std::string programText = loc_.ToProgramText(text);
        if (!text.empty() && lines->Text() != programText)
            UpdateStringsInPlace(lines, nullptr, programText, true);
        return;
    }
    if (!info->IsWritable() || text.empty())
        return;
    if (loc_.StoredPropertyText(item, itemProperty) != text)
        loc_.AssignStringProperty(item, info, text);
}
