// Normalising a list before it is applied or collected: entries whose component (or collection
// item) is missing move to the holding list, entries of texts taken from actions go, and with
// AutoSkipEmpties entries without any text go.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocEngineSupport.h"
#include "i18n/text/LocText.h"
#include "platform/classes/Collection.h"
#include "platform/rtl/Strings.h"

using namespace loc_engine;

namespace {

void MoveToHolding(TStrings* list, int index, TStrings& holding) {
    holding.Add(list->Get(index));
    list->Delete(index);
}

// The parts of a collection key: component "." ["Properties."] collection "[" index "]" ...
struct TCollectionKey {
    std::string Component;
    bool InProperties = false;
    std::string Collection;
    std::string Index; // the text between the brackets
};

TCollectionKey SplitCollectionKey(std::string_view key) {
    TCollectionKey parts;
    const size_t dot = key.find('.');
    parts.Component = std::string(key.substr(0, dot));
    if (dot == std::string_view::npos)
        return parts;
    std::string_view rest = key.substr(dot + 1);
    if (StartsStr("Properties.", rest)) {
        parts.InProperties = true;
        rest.remove_prefix(11);
    }
    parts.Collection = std::string(rest.substr(0, rest.find_first_of(".[")));
    const size_t open = rest.find('['), close = rest.find(']');
    if (open != std::string_view::npos && close != std::string_view::npos && close > open)
        parts.Index = std::string(rest.substr(open + 1, close - open - 1));
    return parts;
}

bool IsDecimal(std::string_view text) {
    return !text.empty() && text.size() < 10 &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

void TLocCustomLang::PrepareList(TStrings* list, int kind) {
    if (list == nullptr || kind == stDlgsCaptions || kind == stStrings || kind == stLocales ||
        Owner() == nullptr)
        return;
    TStrings& holding = HoldingList();
    TComponent* owner = Owner();
    const char d = Delim();
    if (kind == stCollections) {
        for (int i = 0; i < list->Count(); ++i) {
            const std::string line = list->Get(i);
            const TCollectionKey key = SplitCollectionKey(line.substr(0, line.find(d)));
            TComponent* component = owner->FindComponent(key.Component);
            if (component == nullptr) {
                MoveToHolding(list, i--, holding);
                continue;
            }
            // A key whose index is no number is left for the apply to skip.
            if (!IsDecimal(key.Index))
                continue;
            TObject* holder =
                key.InProperties ? ObjectProperty(component, "Properties") : component;
            auto* collection = dynamic_cast<TCollection*>(ObjectProperty(holder, key.Collection));
            if (collection == nullptr || std::stoi(key.Index) >= collection->Count())
                MoveToHolding(list, i--, holding);
        }
    } else {
        int start = 0;
        const char* ownProperty = kind == stCaptions ? "Caption" : kind == stHints ? "Hint" : "";
        if ((kind == stCaptions || kind == stHints) && HasStringProperty(owner, ownProperty)) {
            start = 1;
            if (list->Count() > 0 && TextFromAction(owner, ownProperty) &&
                ContainsStr(list->Get(0), OwnerKey() + d)) {
                list->Delete(0);
                start = 0;
            }
        } else if ((kind == stFonts || kind == stCharSets) && HasExactFont(owner)) {
            start = 1;
        }
        const bool dotted = kind == stMultiLines || kind == stOtherStrings;
        for (int i = start; i < list->Count(); ++i) {
            const std::string line = list->Get(i);
            std::string key = line.substr(0, line.find(d));
            if (dotted)
                key = key.substr(0, key.find('.'));
            TComponent* component = owner->FindComponent(key);
            if (component == nullptr && !SameText(key, OwnerKey())) {
                MoveToHolding(list, i--, holding);
                continue;
            }
            if ((kind == stCaptions || kind == stHints) && component != nullptr &&
                TextFromAction(component, ownProperty))
                list->Delete(i--);
        }
    }
    if (!autoSkipEmpties_)
        return;
    for (int i = list->Count() - 1; i >= 0; --i) {
        const std::string line = list->Get(i);
        const size_t first = line.find_first_not_of(d);
        const size_t last = line.find_last_not_of(d);
        const size_t trimmed = first == std::string::npos ? 0 : last - first + 1;
        if (line.size() - trimmed >= static_cast<size_t>(numOfLanguages_) + 1)
            list->Delete(i);
    }
}
