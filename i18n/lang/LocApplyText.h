#pragma once
// The walk that applies one language's texts to a localiser's owner and its components; used by
// TLocCustomLang::ApplyLanguage.

#include "platform/rtl/Classes.h"

#include <string>

class TLocCustomLang;
class TComponent;
class TPropInfo;

class TLocApplyText {
public:
    explicit TLocApplyText(TLocCustomLang& localiser) : loc_(localiser) {}

    // The owner's caption or hint from the first entry of the list.
    void OwnerText(TStrings* list, const char* property);
    // The owner's font name and charset from the first entries of Fonts and CharSets.
    void OwnerFont();
    // Every entry of one kind's list (prepared first).
    void Kind(TStrings* list, int kind);

private:
    std::string LineText(TStrings* list, int index, const std::string& line, int kind);
    TComponent* FindTarget(const std::string& name);
    void Line(TStrings* list, int index, int kind);
    void Font(TComponent* component, const TPropInfo* info, const std::string& name,
              const std::string& text);
    void MultiLine(TComponent* component, const TPropInfo* info, const std::string& innerProperty,
                   const std::string& text);
    void StringProperty(TComponent* component, const TPropInfo* info,
                        const std::string& innerProperty, const std::string& text, int kind);
    void Collections(TStrings* list);
    void CollectionLine(TStrings* list, int index);
    void CollectionItem(TObject* item, const std::string& itemProperty, const std::string& text);

    TLocCustomLang& loc_;
};

// Puts the lines of a program text (a comma text, or CR LF lines with asLines) into a string list
// in place: line i replaced or added, surplus lines deleted, objects of kept lines kept; a sorted
// list stays sorted. With the component of a list control its item index is kept, with a memo's
// its word wrap. TranslationHook sees every line.
void UpdateStringsInPlace(TStrings* target, TComponent* component, const std::string& text,
                          bool asLines);
