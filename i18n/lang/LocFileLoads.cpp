// The localiser's file-name operations: they open a translation file (an external ini-style
// file, or a project file for names ending in ".LPB") and hand it to the stream operations;
// merging one kind from a file with its columns matched to the localiser's languages.

#include "i18n/ini/LocIniFile.h"
#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocFileText.h"
#include "i18n/lang/LocTemporary.h"
#include "i18n/text/LocText.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"
#include "platform/rtl/Strings.h"

namespace {

// Brings the texts of a list read from a file that names the languages `fileNames` into the
// columns of `names`: each of our languages takes the file's text of the same name (ignoring
// case), or an empty text; the file's other languages are dropped. (Moving the file's columns
// one at a time, from its last to its first, would swap two exchanged languages back.)
void ReconcileColumns(TStrings& list, const TStrings& fileNames, const TStrings& names,
                      char delim) {
    if (AnsiSameText(Trim(fileNames.Text()), Trim(names.Text())))
        return;
    std::vector<int> source;
    for (int q = 0; q < names.Count(); ++q)
        source.push_back(IndexOfLanguage(fileNames, names.Get(q)) + 1);
    for (int i = 0; i < list.Count(); ++i) {
        const std::string line = list.Get(i);
        std::string remapped = GetField(line, delim, 0) + delim;
        for (int p : source)
            remapped += (p > 0 ? GetField(line, delim, p) : std::string()) + delim;
        list.Put(i, remapped);
    }
}

} // namespace

int TLocCustomLang::LoadTypeFromFile(int kind, const std::string& fileName, bool clearFirst) {
    if (!FileExists(fileName))
        return -1;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    return LoadTypeFromStream(kind, stream, clearFirst);
}

void TLocCustomLang::SaveTypeToFile(int kind, const std::string& fileName,
                                    const std::string& delimiter) {
    TFileStream stream(fileName, FileExists(fileName) ? fmOpenReadWrite : fmCreate);
    SaveTypeToStream(kind, stream, delimiter);
}

void TLocCustomLang::LoadAllFromFile(const std::string& fileName, bool clearFirst) {
    if (!FileExists(fileName))
        return;
    if (IsProjectFileName(fileName)) {
        LoadFromProjectFile(fileName);
        return;
    }
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    LoadAllFromStream(stream, clearFirst, false);
}

void TLocCustomLang::SaveAllToFile(const std::string& fileName, const std::string& delimiter) {
    // Every kind and the extended translations go into the file as it stands, read and
    // written once (the file keeps the other forms' keys).
    TFileStream stream(fileName, FileExists(fileName) ? fmOpenReadWrite : fmCreate);
    TLocMemIniFile ini{std::string()};
    ini.LoadStream(stream);
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        SaveTypeToIni(kind, ini, delimiter);
    SaveExtendedToIni(ini, delimiter);
    TStringList lines;
    ini.ExportLines(lines);
    stream.SetSize(0);
    stream.SetPosition(0);
    stream.WriteBytes(lines.Text());
}

void TLocCustomLang::LoadStringsFromFile(const std::string& fileName, bool clearFirst) {
    LoadTypeFromFile(stStrings, fileName, clearFirst);
}

void TLocCustomLang::SaveStringsToFile(const std::string& fileName, const std::string& delimiter) {
    SaveTypeToFile(stStrings, fileName, delimiter);
}

bool TLocCustomLang::MergeFileAndApply(const std::string& fileName) {
    bool merged = MergeAllFromFile(fileName);
    ApplyLanguage();
    return merged;
}

void TLocCustomLang::LoadAllTypesFromFile(const std::string& fileName, bool clearFirst) {
    TTemporary<bool> busy(FileBusy, true);
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        LoadTypeFromFile(kind, fileName, clearFirst);
        if (TStrings* list = GetStringsOfType(kind))
            PrepareList(list, kind);
    }
    LoadExtendedFromFile(fileName, clearFirst);
    RefreshStringCollections();
}

bool TLocCustomLang::MergeAllFromFile(const std::string& fileName) {
    TTemporary<bool> busy(FileBusy, true);
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        if (!MergeTypeFromFile(kind, fileName))
            return false;
        if (TStrings* list = GetStringsOfType(kind))
            PrepareList(list, kind);
    }
    RefreshStringCollections();
    return true;
}

bool TLocCustomLang::MergeTypeFromFile(int kind, const std::string& fileName) {
    if (!FileExists(fileName))
        return false;
    TStrings* list = GetStringsOfType(kind);
    if (list == nullptr)
        return true;
    TStringList old, ourNames;
    old.Assign(*list);
    ourNames.Assign(langNames_);
    try {
        TTemporary<bool> busy(FileBusy, true);
        TStringList fileNames;
        ReadLanguageNames(fileName, fileNames);
        if (IsProjectFileName(fileName))
            LoadKindFromProjectFile(kind, fileName);
        else if (LoadTypeFromFile(kind, fileName, true) < 0)
            throw Exception("The translation file " + fileName + " cannot be read");
        // Reading the file took its language names; the merged texts stand in our languages.
        if (!langNames_.Equals(ourNames))
            SetLangNames(&ourNames);
        ReconcileColumns(*list, fileNames, ourNames, Delim());
    } catch (const Exception&) {
        // A failed merge leaves the list and the languages as they were, and says so.
        list->Assign(old);
        if (!langNames_.Equals(ourNames))
            SetLangNames(&ourNames);
        return false;
    }
    AppendMissingEntries(*list, old, Delim());
    ApplyLoadedKind(list, kind);
    return true;
}

void TLocCustomLang::ReadLanguageNames(const std::string& fileName, TStrings& names) {
    if (IsProjectFileName(fileName)) {
        // The names of this form's entry, read into a localiser of our class that is thrown
        // away again.
        TLPBFileManager manager;
        std::unique_ptr<TLocCustomLang> temporary = manager.CreateHolder(this);
        manager.LoadFromFile(temporary.get(), OwnerKey(), fileName);
        names.Assign(*temporary->LangNames());
        return;
    }
    // An external file's names are read from its names section; a file without one leaves the
    // one default language of a new localiser.
    TLocMemIniFile ini(fileName);
    TStringList read;
    if (ini.HasSection(FileNamesSection))
        ReadFileLanguageNames(ini, read);
    if (read.Count() == 0)
        read.Add("Language N1");
    names.Assign(read);
}
