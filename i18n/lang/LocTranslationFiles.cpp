// External translation files: ini-style texts that hold the tables of many forms side by side,
// one section per kind of table with keys "<form class>.<entry key>", the extended translations
// in "Extended", the language names and the options. Read and written through TLocMemIniFile.

#include "i18n/ini/LocIniFile.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocFileText.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

#include <memory>

namespace {

constexpr const char* ExtendedSection = "Extended";
constexpr const char* TypeKindSuffix = "_TypeKind";

std::unique_ptr<TLocMemIniFile> ReadIni(TStream& stream) {
    auto ini = std::make_unique<TLocMemIniFile>(std::string());
    stream.SetPosition(0);
    ini->LoadStream(stream);
    return ini;
}

void WriteIni(TLocMemIniFile& ini, TStream& stream) {
    TStringList lines;
    ini.ExportLines(lines);
    stream.SetSize(0);
    stream.SetPosition(0);
    stream.WriteBytes(lines.Text());
}

bool IsCollectionKind(int kind) {
    return kind == stCollections || kind == stListView_TreeView_Items;
}

// The length of the form prefix ("<owner name>." or "<class name>.", ignoring case) a key
// begins with; 0 when it begins with neither.
size_t FormPrefixLength(std::string_view key, const std::string& ownerName,
                        const std::string& className) {
    for (const std::string& name : {ownerName, className})
        if (!name.empty() && StartsTextLocale(name + ".", key))
            return name.size() + 1;
    return 0;
}

} // namespace

// --- Language names and options
// -------------------------------------------------------------------

void TLocCustomLang::TakeFileLanguages(TLocMemIniFile& ini) {
    const bool utf8 = ini.ReadFlag(FileOptionsSection, "IsUTF8File", false);
    if (ini.HasSection(FileNamesSection)) {
        TStringList names;
        ReadFileLanguageNames(ini, names);
        // A file that names no language leaves the one a localiser always has, and the
        // active language is kept within the languages read.
        SetLangNames(&names);
    }
    numOfLanguages_ = std::max(1, langNames_.Count());
    storeAsUTF8_ = utf8;
    fixedLanguageList_.Clear();
    for (int n = 1; n <= numOfLanguages_; ++n)
        if (ini.ReadFlag(FileOptionsSection, "Language_Fixed" + IntToStr(n), false))
            fixedLanguageList_.Add(langNames_.Get(n - 1));
}

void TLocCustomLang::WriteFileLanguages(TLocMemIniFile& ini) {
    ini.DropSection(FileNamesSection);
    ini.DropSection(FileOldNamesSection);
    for (int n = 1; n <= numOfLanguages_; ++n) {
        std::string name = n <= langNames_.Count() ? langNames_.Get(n - 1) : std::string();
        if (name.empty())
            name = "Language N" + IntToStr(n);
        ini.WriteText(FileNamesSection, "Language_" + IntToStr(n),
                      ProgramTextToFile(name, storeAsUTF8_));
    }
}

// --- One kind
// -------------------------------------------------------------------------------------

void TLocCustomLang::ApplyLoadedKind(TStrings* list, int kind) {
    if (FileBusy)
        return;
    PrepareList(list, kind);
    if (kind == stStrings)
        RefreshStringCollections();
    ApplyLanguage();
}

int TLocCustomLang::LoadTypeFromIni(int kind, TLocMemIniFile& ini, bool clearFirst) {
    TStrings* list = GetStringsOfType(kind);
    if (list == nullptr)
        return -1;
    if (clearFirst)
        list->Clear();
    try {
        const std::string d = FileDelimiter(ini);
        TakeFileLanguages(ini);
        const std::string className = OwnerKey();
        const std::string ownerName = Owner() != nullptr ? Owner()->Name() : std::string();
        TStringList keys, values;
        ini.ListKeys(FileSectionName(kind), keys);
        ini.ListValues(FileSectionName(kind), values);
        int count = 0;
        for (int i = 0; i < keys.Count(); ++i) {
            // Equal names stand together, the one that counts first.
            if (i > 0 && CompareTextLocale(keys.Get(i), keys.Get(i - 1)) == 0)
                continue;
            ++count;
            std::string line = keys.Get(i) + Delim();
            if (IsCollectionKind(kind))
                line = KeyFromFile(line);
            const size_t prefix = FormPrefixLength(line, ownerName, className);
            if (prefix == 0)
                continue;
            line.erase(0, prefix);
            const size_t dot = line.find('.');
            const std::string component =
                dot != std::string::npos ? line.substr(0, dot) : line.substr(0, line.size() - 1);
            if (doNotTranslate_.IndexOf(component) >= 0)
                continue;
            const std::string value = values.Get(i);
            std::string texts;
            if (d.empty() || value.find(d) == std::string::npos)
                texts = value + Delim();
            texts += ReplaceText(value, d, std::string(1, Delim()), true);
            line += TextFromFile(texts);
            if (line.back() != Delim())
                line += Delim();
            if (StartsTextLocale(className + Delim(), line) ||
                (!ownerName.empty() && StartsTextLocale(ownerName + Delim(), line)))
                list->Insert(0, line);
            else
                list->Add(line);
        }
        ApplyLoadedKind(list, kind);
        return count;
    } catch (const Exception&) {
        return -1;
    }
}

int TLocCustomLang::SaveTypeToIni(int kind, TLocMemIniFile& ini, const std::string& delimiter) {
    TStrings* list = GetStringsOfType(kind);
    if (list == nullptr)
        return -1;
    ini.WriteText(FileOptionsSection, "DELIMITER", delimiter);
    ini.WriteFlag(FileOptionsSection, "IsUTF8File", storeAsUTF8_);
    WriteFileLanguages(ini);
    const std::string section = FileSectionName(kind);
    const std::string className = OwnerKey();
    for (int i = 0; i < list->Count(); ++i) {
        const std::string entry = list->Get(i);
        const size_t at = entry.find(Delim());
        std::string name = at == std::string::npos ? std::string() : entry.substr(0, at);
        if (IsCollectionKind(kind))
            name = KeyToFile(name);
        const std::string texts = at == std::string::npos ? entry : entry.substr(at + 1);
        ini.WriteText(section, className + "." + name,
                      TextToFile(ReplaceText(texts, std::string(1, Delim()), delimiter, true)));
    }
    // Keys an older form wrote under the owner's name go. (A form whose name is its class
    // name keeps the keys just written.)
    const std::string ownerName = Owner() != nullptr ? Owner()->Name() : std::string();
    if (!ownerName.empty() && !SameText(ownerName, className)) {
        TStringList keys;
        ini.ListKeys(section, keys);
        for (int i = 0; i < keys.Count(); ++i)
            if (StartsStr(ownerName + ".", keys.Get(i)))
                ini.DropKey(section, keys.Get(i));
    }
    return list->Count();
}

int TLocCustomLang::LoadTypeFromStream(int kind, TStream& stream, bool clearFirst) {
    if (GetStringsOfType(kind) == nullptr)
        return -1;
    std::unique_ptr<TLocMemIniFile> ini;
    try {
        ini = ReadIni(stream);
    } catch (const Exception&) {
        return -1;
    }
    return LoadTypeFromIni(kind, *ini, clearFirst);
}

int TLocCustomLang::SaveTypeToStream(int kind, TStream& stream, const std::string& delimiter) {
    if (GetStringsOfType(kind) == nullptr)
        return -1;
    std::unique_ptr<TLocMemIniFile> ini = ReadIni(stream);
    const int count = SaveTypeToIni(kind, *ini, delimiter);
    WriteIni(*ini, stream);
    return count;
}

// --- Extended translations
// ------------------------------------------------------------------------

void TLocCustomLang::LoadExtendedFromIni(TLocMemIniFile& ini, bool clearFirst) {
    if (clearFirst)
        extended_->Clear();
    const std::string d = FileDelimiter(ini);
    const std::string prefix = OwnerKey() + ".";
    TStringList keys, values;
    ini.ListKeys(ExtendedSection, keys);
    ini.ListValues(ExtendedSection, values);
    for (int i = 0; i < keys.Count(); ++i) {
        const std::string key = keys.Get(i);
        if (i > 0 && CompareTextLocale(key, keys.Get(i - 1)) == 0)
            continue;
        if (!StartsStr(prefix, key) || EndsText(TypeKindSuffix, key))
            continue;
        const std::string identifier = key.substr(prefix.size());
        TLocExtendedItem* item = extended_->FindByIdentifier(identifier);
        if (item == nullptr) {
            item = extended_->Add();
            item->SetIdentifier(identifier);
            item->PropertyType = static_cast<TTypeKind>(ExtendedPropertyKind(identifier));
        }
        item->Values = TextFromFile(ReplaceText(values.Get(i), d, std::string(1, Delim()), true));
    }
}

void TLocCustomLang::SaveExtendedToIni(TLocMemIniFile& ini, const std::string& delimiter) {
    ini.WriteText(FileOptionsSection, "DELIMITER", delimiter);
    WriteFileLanguages(ini);
    const std::string prefix = OwnerKey() + ".";
    for (int i = 0; i < extended_->Count(); ++i) {
        const TLocExtendedItem* item = extended_->Items(i);
        // One text for each language, each followed by the delimiter.
        std::string values;
        for (int n = 1; n <= numOfLanguages_; ++n)
            values += GetField(item->Values, Delim(), n - 1) + Delim();
        const std::string key = prefix + item->Identifier();
        ini.WriteText(ExtendedSection, key,
                      TextToFile(ReplaceText(values, std::string(1, Delim()), delimiter, true)));
        ini.WriteText(
            ExtendedSection, key + TypeKindSuffix,
            GetEnumName(Q4TypeInfo(static_cast<TTypeKind*>(nullptr)), item->PropertyType));
    }
}

void TLocCustomLang::LoadExtendedFromStream(TStream& stream, bool clearFirst) {
    LoadExtendedFromIni(*ReadIni(stream), clearFirst);
}

void TLocCustomLang::SaveExtendedToStream(TStream& stream, const std::string& delimiter) {
    std::unique_ptr<TLocMemIniFile> ini = ReadIni(stream);
    SaveExtendedToIni(*ini, delimiter);
    WriteIni(*ini, stream);
}

void TLocCustomLang::LoadExtendedFromFile(const std::string& fileName, bool clearFirst) {
    if (!FileExists(fileName))
        return;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    LoadExtendedFromStream(stream, clearFirst);
}

void TLocCustomLang::SaveExtendedToFile(const std::string& fileName, const std::string& delimiter) {
    TFileStream stream(fileName, FileExists(fileName) ? fmOpenReadWrite : fmCreate);
    SaveExtendedToStream(stream, delimiter);
}

// --- All kinds
// ------------------------------------------------------------------------------------

void TLocCustomLang::LoadAllFromStream(TStream& stream, bool clearFirst, bool noApply) {
    TTemporary<bool> busy(FileBusy, true);
    // The file is parsed once and handed to every kind's load.
    std::unique_ptr<TLocMemIniFile> ini = ReadIni(stream);
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        TStrings* list = GetStringsOfType(kind);
        if (LoadTypeFromIni(kind, *ini, clearFirst) > 0 && list != nullptr)
            PrepareList(list, kind);
    }
    LoadExtendedFromIni(*ini, clearFirst);
    RefreshStringCollections();
    if (!noApply)
        ApplyLanguage();
}

void TLocCustomLang::SaveAllToStream(TStream& stream, const std::string& delimiter) {
    // Every kind, then the extended translations, into a new file text written at the
    // stream's position.
    TLocMemIniFile ini{std::string()};
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        SaveTypeToIni(kind, ini, delimiter);
    SaveExtendedToIni(ini, delimiter);
    TStringList lines;
    ini.ExportLines(lines);
    stream.WriteBytes(lines.Text());
}

// --- Merging
// --------------------------------------------------------------------------------------

bool TLocCustomLang::MergeTypeFromIni(int kind, TLocMemIniFile& ini) {
    TStrings* list = GetStringsOfType(kind);
    if (list == nullptr)
        return false;
    TStringList old;
    old.Assign(*list);
    {
        TTemporary<bool> busy(FileBusy, true);
        try {
            if (LoadTypeFromIni(kind, ini, true) < 0) {
                list->Assign(old);
                return false;
            }
            AppendMissingEntries(*list, old, Delim());
        } catch (const Exception&) {
            list->Assign(old);
            return false;
        }
    }
    ApplyLoadedKind(list, kind);
    return true;
}

bool TLocCustomLang::MergeTypeFromStream(int kind, TStream& stream) {
    if (GetStringsOfType(kind) == nullptr)
        return false;
    return MergeTypeFromIni(kind, *ReadIni(stream));
}

bool TLocCustomLang::MergeAllFromStream(TStream& stream) {
    TTemporary<bool> busy(FileBusy, true);
    std::unique_ptr<TLocMemIniFile> ini = ReadIni(stream);
    // Kinds without a list have nothing to merge; they do not make the merge fail.
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        if (GetStringsOfType(kind) != nullptr && !MergeTypeFromIni(kind, *ini))
            return false;
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        if (TStrings* list = GetStringsOfType(kind))
            PrepareList(list, kind);
    RefreshStringCollections();
    return true;
}

bool TLocCustomLang::MergeStreamAndApply(TStream& stream) {
    // The merge's result, so that a failed merge is not reported as done.
    const bool merged = MergeAllFromStream(stream);
    ApplyLanguage();
    return merged;
}
