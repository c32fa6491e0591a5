// Loading one language of an external translation file into a column of the tables.

#include "i18n/ini/LocIniFile.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocFileText.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Strings.h"

namespace {

// Field `column` (from 1) of a file value whose texts are separated by delimiter.
std::string FileField(const std::string& value, const std::string& delimiter, int column) {
    size_t start = 0;
    for (int i = 1; i < column; ++i) {
        const size_t at = delimiter.empty() ? std::string::npos : value.find(delimiter, start);
        if (at == std::string::npos)
            return {};
        start = at + delimiter.size();
    }
    const size_t end = delimiter.empty() ? std::string::npos : value.find(delimiter, start);
    return TextFromFile(value.substr(start, end == std::string::npos ? end : end - start));
}

} // namespace

int TLocCustomLang::FileLanguageColumn(TLocMemIniFile& ini, const std::string& fileName,
                                       const std::string& languageName, int& column) {
    TStringList names;
    ReadFileLanguageNames(ini, names);
    int fileColumn = 0;
    for (int i = 0; i < names.Count() && fileColumn == 0; ++i)
        if (names.Get(i) == languageName)
            fileColumn = i + 1;
    if (fileColumn == 0) {
        if (DoRaiseExceptions)
            throw Exception(languageName + " not found in " + fileName);
        return 0;
    }
    column = IndexOfLanguage(langNames_, languageName) + 1;
    if (column == 0) {
        ++numOfLanguages_;
        langNames_.Add(languageName);
        column = langNames_.Count();
    }
    return fileColumn;
}

void TLocCustomLang::LoadLanguageTypeFromIni(int kind, TLocMemIniFile& ini, int fileColumn,
                                             int column) {
    TStrings* list = GetStringsOfType(kind);
    const std::string d = FileDelimiter(ini);
    const std::string prefix = OwnerKey() + ".";
    TStringList keys, values;
    ini.ListKeys(FileSectionName(kind), keys);
    ini.ListValues(FileSectionName(kind), values);
    TEntryKeyIndex present(*list, Delim());
    for (int i = 0; i < keys.Count(); ++i) {
        std::string key = keys.Get(i);
        if (!StartsStr(prefix, key))
            continue;
        if (kind == stCollections || kind == stListView_TreeView_Items)
            key = KeyFromFile(key);
        const std::string text = FileField(values.Get(i), d, fileColumn);
        const std::string entryKey = key.substr(prefix.size());
        if (present.Contains(entryKey)) {
            SetEntryText(list, text, column, entryKey);
        } else {
            list->Add(entryKey + Delim() + BuildLanguageValues(text, column));
            present.Add(entryKey);
        }
    }
    ApplyLoadedKind(list, kind);
}

void TLocCustomLang::LoadLanguageExtendedFromIni(TLocMemIniFile& ini, int fileColumn, int column) {
    const std::string d = FileDelimiter(ini);
    const std::string prefix = OwnerKey() + ".";
    TStringList keys, values;
    ini.ListKeys("Extended", keys);
    ini.ListValues("Extended", values);
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string key = keys.Get(i);
        if (!StartsStr(prefix, key) || EndsText("_TypeKind", key))
            continue;
        const std::string text = FileField(values.Get(i), d, fileColumn);
        const std::string identifier = key.substr(prefix.size());
        if (TLocExtendedItem* item = extended_->FindByIdentifier(identifier)) {
            std::string newValues;
            for (int n = 1; n <= numOfLanguages_; ++n)
                newValues +=
                    (n == column ? text : GetField(item->Values, Delim(), n - 1)) + Delim();
            item->Values = newValues;
        } else {
            item = extended_->Add();
            item->SetIdentifier(identifier);
            item->Values = BuildLanguageValues(text, column);
            item->PropertyType = static_cast<TTypeKind>(ExtendedPropertyKind(identifier));
        }
    }
    if (!FileBusy)
        ApplyLanguage();
}

void TLocCustomLang::LoadFileLanguage(const std::string& fileName, const std::string& languageName,
                                      const std::function<void(TLocMemIniFile&, int, int)>& load) {
    if (!FileExists(fileName) || languageName.empty())
        return;
    // The file is read once, whatever load does with it.
    TLocMemIniFile ini(fileName);
    int column = 0;
    const int fileColumn = FileLanguageColumn(ini, fileName, languageName, column);
    if (fileColumn == 0)
        return;
    try {
        load(ini, fileColumn, column);
    } catch (const Exception&) {
    }
}

void TLocCustomLang::LoadLanguageTypeFromFile(int kind, const std::string& fileName,
                                              const std::string& languageName) {
    if (GetStringsOfType(kind) == nullptr)
        return;
    LoadFileLanguage(fileName, languageName, [&](TLocMemIniFile& ini, int fileColumn, int column) {
        LoadLanguageTypeFromIni(kind, ini, fileColumn, column);
    });
}

void TLocCustomLang::LoadLanguageExtendedFromFile(const std::string& fileName,
                                                  const std::string& languageName) {
    LoadFileLanguage(fileName, languageName, [&](TLocMemIniFile& ini, int fileColumn, int column) {
        LoadLanguageExtendedFromIni(ini, fileColumn, column);
    });
}

void TLocCustomLang::LoadLanguageFromFile(const std::string& fileName,
                                          const std::string& languageName) {
    TTemporary<bool> busy(FileBusy, true);
    LoadFileLanguage(fileName, languageName, [&](TLocMemIniFile& ini, int fileColumn, int column) {
        for (int kind = 0; kind < StringsTypeCount; ++kind)
            if (TStrings* list = GetStringsOfType(kind)) {
                LoadLanguageTypeFromIni(kind, ini, fileColumn, column);
                PrepareList(list, kind);
            }
        LoadLanguageExtendedFromIni(ini, fileColumn, column);
        RefreshStringCollections();
        ApplyLanguage();
    });
}
