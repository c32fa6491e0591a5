// Driver of the translation-file cross-checks with Python (files_oracle.py):
//   loc-files-oracle write FILE   saves the connect dialog's tables (plus a multi-line string
//                                 and an extended translation) into FILE with "~!@#"
//   loc-files-oracle read FILE    loads every kind of FILE into a fresh localiser of the
//                                 dialog's form and prints "<kind> <hex of the entry>" per entry,
//                                 then "names <hex>..." and "utf8 <0|1>"
//   loc-files-oracle lpb-body FILE  the dialog's localiser as a binary form description
//   loc-files-oracle lpb-write FILE a project file of the dialog's localiser under the class
//                                 names TOtherForm and TdlgConnect, fixed languages English and
//                                 Russian
//   loc-files-oracle lpb-read FILE  the lists and languages a fresh dialog localiser loads from
//                                 the project file, as "read" prints them, then "fixed <hex>..."

#include "../lang/LocLangFixture.h"

#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLang.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Streams.h"

#include <cstdio>
#include <string>

namespace {

std::string Hex(const std::string& bytes) {
    static const char digits[] = "0123456789abcdef";
    std::string out;
    for (unsigned char c : bytes) {
        out += digits[c >> 4];
        out += digits[c & 15];
    }
    return out.empty() ? "-" : out;
}

int Write(const std::string& file) {
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(ConnectDialogText(), &dialog);
    auto* loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    loc->GetStringsOfType(stStrings)->Add(
        "Greeting\x01\xCF\xF0\xE8\xE2\xE5\xF2\r\n\xEC\xE8\xF0\x01Hello\x01");
    TLocExtendedItem* item = loc->ExtendedTranslations()->Add();
    item->SetIdentifier("Label1.Hint");
    item->PropertyType = tkLString;
    item->Values = "\xCF\xEE\xE4\xF1\xEA\xE0\xE7\xEA\xE0\x01Hint\x01";
    loc->SaveAllToFile(file, "~!@#");
    return 0;
}

void PrintLists(TLocLang* loc) {
    for (int kind = 0; kind < ListKindCount; ++kind) {
        const TStrings* list = loc->GetStringsOfType(kind);
        for (int i = 0; i < list->Count(); ++i)
            std::printf("%d %s\n", kind, Hex(list->Get(i)).c_str());
    }
    std::printf("names");
    for (int i = 0; i < loc->LangNames()->Count(); ++i)
        std::printf(" %s", Hex(loc->LangNames()->Get(i)).c_str());
    std::printf("\nutf8 %d\n", loc->StoreAsUTF8() ? 1 : 0);
}

int Read(const std::string& file, bool project) {
    TdlgConnect form(nullptr);
    form.SetName("dlgConnect");
    auto* loc = new TLocLang(&form);
    loc->SetName("locLang1");
    loc->FileBusy = true;
    if (project) {
        TLPBFileManager manager;
        manager.LoadFromFile(loc, "TdlgConnect", file);
        PrintLists(loc);
        std::printf("fixed");
        for (int i = 0; i < manager.FixedLanguageNames.Count(); ++i)
            std::printf(" %s", Hex(manager.FixedLanguageNames.Get(i)).c_str());
        std::printf("\n");
        return 0;
    }
    for (int kind = 0; kind < ListKindCount; ++kind)
        loc->LoadTypeFromFile(kind, file, true);
    PrintLists(loc);
    return 0;
}

int WriteProject(const std::string& file, bool bodyOnly) {
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(ConnectDialogText(), &dialog);
    auto* loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    TFileStream out(file, fmCreate);
    if (bodyOnly)
        WriteComponentToStream(out, loc);
    else
        TLPBFileManager::SaveToStream(out, {{"TOtherForm", loc}, {"TdlgConnect", loc}},
                                      TStringList{"English", "Russian"});
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3)
        return 2;
    RegisterFixtureClasses();
    const std::string mode = argv[1];
    if (mode == "write")
        return Write(argv[2]);
    if (mode == "read")
        return Read(argv[2], false);
    if (mode == "lpb-read")
        return Read(argv[2], true);
    if (mode == "lpb-write" || mode == "lpb-body")
        return WriteProject(argv[2], mode == "lpb-body");
    return 2;
}
