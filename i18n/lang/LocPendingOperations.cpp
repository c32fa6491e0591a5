// Operations that belong to the translation engine and the translation files. This build does
// not have them yet: each raises ELocNotImplemented naming itself, and the file operations that
// are made of them reach that error through them.

#include "i18n/lang/LocCustomLang.h"
#include "i18n/lang/LocTemporary.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

namespace {
[[noreturn]] void NotYet(const char* operation) {
    throw ELocNotImplemented(std::string("TLocCustomLang.") + operation);
}
} // namespace

void TLocCustomLang::CollectTexts() {
    NotYet("CollectTexts");
}
void TLocCustomLang::ApplyLanguage() {
    NotYet("ApplyLanguage");
}
void TLocCustomLang::SetEntryText(TStrings*, const std::string&, int, const std::string&) {
    NotYet("SetEntryText");
}
int TLocCustomLang::LoadTypeFromStream(int, TStream&, bool) {
    NotYet("LoadTypeFromStream");
}
int TLocCustomLang::SaveTypeToStream(int, TStream&, char) {
    NotYet("SaveTypeToStream");
}
void TLocCustomLang::LoadAllFromStream(TStream&, bool, bool) {
    NotYet("LoadAllFromStream");
}
void TLocCustomLang::SaveAllToStream(TStream&, char) {
    NotYet("SaveAllToStream");
}
bool TLocCustomLang::MergeTypeFromStream(int, TStream&) {
    NotYet("MergeTypeFromStream");
}
bool TLocCustomLang::MergeStreamAndApply(TStream&) {
    NotYet("MergeStreamAndApply");
}
bool TLocCustomLang::MergeAllFromStream(TStream&) {
    NotYet("MergeAllFromStream");
}
bool TLocCustomLang::MergeTypeFromFile(int, const std::string&) {
    NotYet("MergeTypeFromFile");
}
void TLocCustomLang::LoadLanguageTypeFromFile(int, const std::string&, const std::string&) {
    NotYet("LoadLanguageTypeFromFile");
}
void TLocCustomLang::LoadLanguageExtendedFromFile(const std::string&, const std::string&) {
    NotYet("LoadLanguageExtendedFromFile");
}
void TLocCustomLang::LoadLanguageFromFile(const std::string&, const std::string&) {
    NotYet("LoadLanguageFromFile");
}
void TLocCustomLang::RedirectResourceStrings() {
    NotYet("RedirectResourceStrings");
}

// --- made of the operations above
// -----------------------------------------------------------------

void TLocCustomLang::SetEntryTextOf(TStrings*& list, const std::string& text, int language,
                                    const std::string& key) {
    SetEntryText(list, text, language, key);
}

int TLocCustomLang::LoadTypeFromFile(int kind, const std::string& fileName, bool clearFirst) {
    if (!FileExists(fileName))
        return -1;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    return LoadTypeFromStream(kind, stream, clearFirst);
}

void TLocCustomLang::SaveTypeToFile(int kind, const std::string& fileName, char delimiter) {
    TFileStream stream(fileName, FileExists(fileName) ? fmOpenReadWrite : fmCreate);
    SaveTypeToStream(kind, stream, delimiter);
}

void TLocCustomLang::LoadAllFromFile(const std::string& fileName, bool clearFirst) {
    if (!FileExists(fileName))
        return;
    TFileStream stream(fileName, fmOpenRead | fmShareDenyNone);
    LoadAllFromStream(stream, clearFirst, false);
}

void TLocCustomLang::SaveAllToFile(const std::string& fileName, char delimiter) {
    for (int kind = 0; kind < StringsTypeCount; ++kind)
        SaveTypeToFile(kind, fileName, delimiter);
    NotYet("SaveExtendedToFile");
}

void TLocCustomLang::LoadStringsFromFile(const std::string& fileName, bool clearFirst) {
    LoadTypeFromFile(stStrings, fileName, clearFirst);
}

void TLocCustomLang::SaveStringsToFile(const std::string& fileName, char delimiter) {
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
        if (GetStringsOfType(kind) != nullptr)
            NotYet("PrepareList");
    }
    NotYet("LoadExtendedFromFile");
}

bool TLocCustomLang::MergeAllFromFile(const std::string& fileName) {
    TTemporary<bool> busy(FileBusy, true);
    for (int kind = 0; kind < StringsTypeCount; ++kind) {
        if (!MergeTypeFromFile(kind, fileName))
            return false;
        if (GetStringsOfType(kind) != nullptr)
            NotYet("PrepareList");
    }
    RefreshStringCollections();
    return true;
}
