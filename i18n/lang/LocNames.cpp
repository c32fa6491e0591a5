#include "i18n/lang/LocNames.h"

#include <algorithm>

const std::string& StringsTypeName(int kind) {
    static const std::vector<std::string> names = [] {
        const TTypeInfo* info = Q4TypeInfo(static_cast<TStringsType*>(nullptr));
        return info->Names;
    }();
    return names.at(static_cast<size_t>(kind));
}

std::string StringsTypeListName(int kind) {
    return StringsTypeName(kind).substr(2);
}

const std::array<TLocDialogWord, DialogWordCount>& DialogWords() {
    static const std::array<TLocDialogWord, DialogWordCount> words = {{
        {"Warning", "Warning"},
        {"Error", "Error"},
        {"Information", "Information"},
        {"Confirm", "Confirm"},
        {"&Yes", "&Yes"},
        {"&No", "&No"},
        {"OK", "OK"},
        {"Cancel", "Cancel"},
        {"&Abort", "&Abort"},
        {"&Retry", "&Retry"},
        {"&Ignore", "&Ignore"},
        {"&All", "&All"},
        {"N&o To All", "N&o to All"},
        {"Y&es To All", "Yes to &All"},
        {"&Help", "&Help"},
#define W(word) {word, word}
        W("&Open"),
        W("Look &in:"),
        W("File &name:"),
        W("Files of &type:"),
        W("&Read-only"),
        W("&Save"),
        W("&Drives:"),
        W("Save &in:"),
        W("Save as &type:"),
        W("&Basic colors:"),
        W("&Custom colors:"),
        W("&Define Custom Colors >>"),
        W("Color"),
        W("|S&olid"),
        W("Hu&e:"),
        W("&Sat:"),
        W("&Lum:"),
        W("&Red:"),
        W("&Green:"),
        W("Bl&ue:"),
        W("&Add to Custom Colors"),
        W("&Font:"),
        W("Font st&yle:"),
        W("Si&ze:"),
        W("&Color:"),
        W("&Apply"),
        W("Effects"),
        W("Stri&keout"),
        W("&Underline"),
        W("Sample"),
        W("Sc&ript:"),
        W("Printer"),
        W("&Name:"),
        W("&Properties"),
        W("Status:"),
        W("Type:"),
        W("Where:"),
        W("Comment:"),
        W("Paper"),
        W("&Source:"),
        W("Orientation"),
        W("P&ortrait"),
        W("L&andscape"),
        W("Print to f&ile"),
        W("Print"),
        W("Pa&ges"),
        W("&Selection"),
        W("&from:"),
        W("&to:"),
        W("Copies"),
        W("Number of &copies:"),
        W("C&ollate"),
        W("Fi&nd what:"),
        W("Match &whole words only"),
        W("Match &case"),
        W("Direction"),
        W("&Up"),
        W("&Down"),
        W("&Find Next"),
        W("&Replace"),
        W("Replace &All"),
        W("Re&place with:"),
        W("Picture:"),
        W("Preview"),
        W("New Folder"),
        W("Folder:"),
        W("(None)"),
        W("Close"),
        W("Network"),
        W("Print Setup"),
        W("Find"),
#undef W
    }};
    return words;
}

std::string DialogWordKey(int index) {
    std::string key = DialogWords().at(static_cast<size_t>(index)).Word;
    key.erase(std::remove(key.begin(), key.end(), '&'), key.end());
    return key;
}

bool IsExtraDialogWord(const std::string& key) {
    for (int i = 0; i < BasicDialogWordCount; ++i)
        if (DialogWordKey(i) == key)
            return false;
    return true;
}

const std::array<const char*, LocaleItemCount>& LocaleItemNames() {
    static const std::array<const char*, LocaleItemCount> names = {
        "Currency String",   "Thousand Separator", "Decimal Separator", "Date Separator",
        "Short Date Format", "Long Date Format",   "Time Separator",    "Time AM String",
        "Time PM String",    "Short Time Format",  "Long Time Format",  "Short Month Names",
        "Long Month Names",  "Short Day Names",    "Long Day Names"};
    return names;
}

const std::vector<std::string>& DefaultExcludedProperties() {
    static const std::vector<std::string> names = {"Category",
                                                   "SecondaryShortCuts",
                                                   "HelpKeyword",
                                                   "InitialDir",
                                                   "HelpKeyword",
                                                   "ActivePage",
                                                   "ImeName",
                                                   "DefaultExt",
                                                   "FileName",
                                                   "FieldName",
                                                   "PickList",
                                                   "DisplayFormat",
                                                   "EditMask",
                                                   "KeyList",
                                                   "LookupDisplayFields",
                                                   "DropDownSpecRow",
                                                   "TableName",
                                                   "DatabaseName",
                                                   "IndexName",
                                                   "MasterFields"};
    return names;
}

const std::vector<std::string>& LocaliserClassNames() {
    static const std::vector<std::string> names = {"TLocLang", "TLocLangLinked", "TLocLangRT",
                                                   "TLocLangRTSE", "TLocLangTLV"};
    return names;
}

const std::vector<std::string>& TextAccessRoutineNames() {
    static const std::vector<std::string> names = {"GetText(",  "GetTextOrDefault(",
                                                   "GetTextC(", "GetTextOrDefaultC(",
                                                   "GetTextW(", "GetTextOrDefaultW("};
    return names;
}
