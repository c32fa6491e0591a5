#include "i18n/lang/LocFileText.h"

#include "i18n/ini/LocIniFile.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocNames.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Strings.h"

#include <algorithm>

namespace {

bool LessKey(std::string_view a, std::string_view b) {
    return CompareTextLocale(a, b) < 0;
}

std::string KeyOf(const std::string& line, char delimiter) {
    return line.substr(0, line.find(delimiter));
}

} // namespace

const char* FileSectionName(int kind) {
    static const char* const names[StringsTypeCount] = {
        "Captions",   "Hints",       "DisplayLabels", "Fonts",
        "Multilines", "Dialogs",     "Strings",       "Other",
        "Locales",    "Collections", "CharSets",      "ListView_TreeView_Items"};
    return kind >= 0 && kind < StringsTypeCount ? names[kind] : "";
}

std::string FileDelimiter(TLocMemIniFile& ini) {
    return ini.ReadText(FileOptionsSection, "DELIMITER", DefaultFileDelimiter);
}

void ReadFileLanguageNames(TLocMemIniFile& ini, TStrings& names) {
    const bool utf8 = ini.ReadFlag(FileOptionsSection, "IsUTF8File", false);
    names.Clear();
    for (int n = 1;; ++n) {
        const std::string name = ini.ReadText(FileNamesSection, "Language_" + IntToStr(n), "");
        if (name.empty())
            break;
        names.Add(FileTextToProgram(name, utf8));
    }
}

std::string ProgramTextToFile(const std::string& text, bool utf8File) {
    return utf8File ? text : Utf8ToCp1251(text);
}

std::string FileTextToProgram(const std::string& text, bool utf8File) {
    return utf8File ? text : Cp1251ToUtf8(text);
}

std::string TextToFile(std::string text) {
    std::replace(text.begin(), text.end(), '\r', '\x19');
    std::replace(text.begin(), text.end(), '\n', '\x1A');
    return text;
}

std::string TextFromFile(std::string text) {
    std::replace(text.begin(), text.end(), '\x19', '\r');
    std::replace(text.begin(), text.end(), '\x1A', '\n');
    return text;
}

std::string KeyToFile(std::string key) {
    std::replace(key.begin(), key.end(), '[', '-');
    std::replace(key.begin(), key.end(), ']', '+');
    return key;
}

std::string KeyFromFile(std::string key) {
    if (size_t at = key.find('-'); at != std::string::npos)
        key[at] = '[';
    if (size_t at = key.find('+'); at != std::string::npos)
        key[at] = ']';
    return key;
}

int IndexOfLanguage(const TStrings& names, std::string_view name) {
    for (int i = 0; i < names.Count(); ++i)
        if (AnsiSameText(names.Get(i), name))
            return i;
    return -1;
}

bool StartsTextLocale(std::string_view prefix, std::string_view text) {
    return text.size() >= prefix.size() &&
           CompareTextLocale(text.substr(0, prefix.size()), prefix) == 0;
}

TEntryKeyIndex::TEntryKeyIndex(const TStrings& list, char delimiter) {
    keys_.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        keys_.push_back(KeyOf(list.Get(i), delimiter));
    std::sort(keys_.begin(), keys_.end(), LessKey);
}

bool TEntryKeyIndex::Contains(std::string_view key) const {
    return std::binary_search(keys_.begin(), keys_.end(), key, LessKey);
}

void TEntryKeyIndex::Add(std::string key) {
    keys_.insert(std::upper_bound(keys_.begin(), keys_.end(), key, LessKey), std::move(key));
}

void AppendMissingEntries(TStrings& list, const TStrings& old, char delimiter) {
    const TEntryKeyIndex present(list, delimiter);
    for (int i = 0; i < old.Count(); ++i) {
        const std::string line = old.Get(i);
        if (!present.Contains(KeyOf(line, delimiter)))
            list.Add(line);
    }
}
