// Translation project files: a file our writer makes loads back into a localiser of the form
// it names, and a file that is not one, or is cut short or damaged, fails with a typed error.

#include "LocLangFixture.h"

#include "i18n/lang/LPBFileManager.h"
#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLang.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/Files.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class TOtherForm : public TTestCaptioned {
    Q4_CLASS(TOtherForm, TTestCaptioned)
    explicit TOtherForm(TComponent* owner) : TTestCaptioned(owner) {}
};

// The connect dialog's stored localiser, with a UTF-8 flag, a third language and an extended
// item besides its tables, and another form's localiser.
struct TProjectForms {
    TProjectForms() {
        RegisterFixtureClasses();
        RegisterClasses<TOtherForm>();
        ReadComponentDescription(ConnectDialogText(), &dialog);
        loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
        loc->GetStringsOfType(stStrings)->Add("Msg\x01\xC4\xE0\x01Yes\x01");
        TLocExtendedItem* item = loc->ExtendedTranslations()->Add();
        item->SetIdentifier("Label1.Hint");
        item->Values = "\xCF\x01P\x01";
        other.SetName("OtherForm");
        otherLoc = new TLocLang(&other);
        otherLoc->SetName("locOther");
        otherLoc->GetStringsOfType(stCaptions)->Add("TOtherForm\x01Other\x01");
    }
    std::string File(const TStrings& fixed) {
        TStringStream out;
        TLPBFileManager::SaveToStream(out, {{"TOtherForm", otherLoc}, {"TdlgConnect", loc}}, fixed);
        return out.DataString();
    }
    TdlgConnect dialog{nullptr};
    TLocLang* loc = nullptr;
    TOtherForm other{nullptr};
    TLocLang* otherLoc = nullptr;
};

// A fresh localiser of the dialog's form, to load into.
struct TTarget {
    TTarget() {
        form.SetName("dlgConnect");
        loc = new TLocLang(&form);
        loc->SetName("locLang1");
    }
    TdlgConnect form{nullptr};
    TLocLang* loc = nullptr;
};

TLPBFault FaultOf(const std::string& bytes, TLocCustomLang* into,
                  const std::string& formClass = "TdlgConnect") {
    TLPBFileManager manager;
    TStringStream stream(bytes);
    try {
        manager.LoadFromStream(into, formClass, stream);
    } catch (const ELocProjectFileError& e) {
        return e.Fault;
    }
    ADD_FAILURE() << "nothing raised";
    return TLPBFault::Class;
}

void PutWord(std::string& bytes, size_t at, uint32_t value, int size) {
    for (int i = 0; i < size; ++i)
        bytes[at + static_cast<size_t>(i)] = static_cast<char>(value >> (8 * i) & 0xFF);
}

} // namespace

TEST(LPBFileManagerTest, AFileOurWriterMakesLoadsBackIdentically) {
    TProjectForms forms;
    const std::string file = forms.File(TStringList{"English", "Russian", "English"});
    ASSERT_EQ(file.substr(0, 43), TLPBFileManager::FileHeader());
    EXPECT_EQ(file[42], '\0');

    TTarget target;
    TLPBFileManager manager;
    TStringStream stream(file);
    manager.LoadFromStream(target.loc, "TdlgConnect", stream);
    for (int kind = 0; kind < ListKindCount; ++kind)
        EXPECT_EQ(target.loc->GetStringsOfType(kind)->ToVector(),
                  forms.loc->GetStringsOfType(kind)->ToVector())
            << StringsTypeName(kind);
    EXPECT_EQ(target.loc->LangNames()->ToVector(),
              (std::vector<std::string>{"Russian", "English"}));
    EXPECT_EQ(target.loc->NumOfLanguages(), 2);
    ASSERT_EQ(target.loc->ExtendedTranslations()->Count(), 1);
    EXPECT_EQ(target.loc->ExtendedTranslations()->Items(0)->Identifier(), "Label1.Hint");
    EXPECT_EQ(target.loc->ExtendedTranslations()->Items(0)->Values, "\xCF\x01P\x01");
    EXPECT_EQ(manager.FixedLanguageNames.ToVector(),
              (std::vector<std::string>{"English", "Russian"}));
    EXPECT_FALSE(target.loc->TempHolder);
    // Loading leaves nothing behind on the form, however often it is done.
    const int owned = target.form.ComponentCount();
    for (int i = 0; i < 100; ++i) {
        TStringStream again(file);
        manager.LoadFromStream(target.loc, "TdlgConnect", again);
    }
    EXPECT_EQ(target.form.ComponentCount(), owned);
}

TEST(LPBFileManagerTest, TheEntryOfTheFormsClassIsTheOneRead) {
    TProjectForms forms;
    // Only the fixed languages change when the file has no entry for the form.
    TTarget target;
    const std::vector<std::string> captions = target.loc->GetStringsOfType(stCaptions)->ToVector();
    TLPBFileManager manager;
    TStringStream stream(forms.File(TStringList{"German"}));
    manager.LoadFromStream(target.loc, "TNoSuchForm", stream);
    EXPECT_EQ(manager.FixedLanguageNames.ToVector(), std::vector<std::string>{"German"});
    EXPECT_EQ(target.loc->GetStringsOfType(stCaptions)->ToVector(), captions);
    EXPECT_EQ(target.loc->NumOfLanguages(), 1);

    // Of two entries of one class the first counts.
    TStringStream two;
    TLPBFileManager::SaveToStream(
        two, {{"TdlgConnect", forms.otherLoc}, {"TdlgConnect", forms.loc}}, TStringList{});
    manager.LoadFromStream(target.loc, "TdlgConnect", two);
    EXPECT_EQ(target.loc->GetStringsOfType(stCaptions)->ToVector(),
              std::vector<std::string>{"TOtherForm\x01Other\x01"});
    EXPECT_TRUE(manager.FixedLanguageNames.ToVector().empty());
}

TEST(LPBFileManagerTest, TablesStoredWithTheTabDelimiterLoadWithOurs) {
    TProjectForms forms;
    const std::vector<std::string> captions = forms.loc->GetStringsOfType(stCaptions)->ToVector();
    forms.loc->SetLangDelim(9);
    ASSERT_EQ(forms.loc->GetStringsOfType(stCaptions)->Get(0).find('\x01'), std::string::npos);
    TTarget target;
    TLPBFileManager manager;
    TStringStream stream(forms.File(TStringList{}));
    manager.LoadFromStream(target.loc, "TdlgConnect", stream);
    EXPECT_EQ(target.loc->GetStringsOfType(stCaptions)->ToVector(), captions);
}

TEST(LPBFileManagerTest, DamagedFilesFailWithTheirFault) {
    TProjectForms forms;
    const std::string file = forms.File(TStringList{"English"});
    TTarget target;
    // The header: another text, or no zero byte where it ends.
    std::string renamed = file;
    renamed[0] = 'X';
    EXPECT_EQ(FaultOf(renamed, target.loc), TLPBFault::Header);
    std::string noZero = file;
    noZero[42] = ' ';
    EXPECT_EQ(FaultOf(noZero, target.loc), TLPBFault::Header);
    EXPECT_EQ(FaultOf("", target.loc), TLPBFault::Header);
    {
        TLPBFileManager manager;
        TStringStream stream(renamed);
        try {
            manager.LoadFromStream(target.loc, "TdlgConnect", stream);
            ADD_FAILURE() << "nothing raised";
        } catch (const Exception& e) {
            EXPECT_EQ(e.Message(), "Unrecognized stream format!");
        }
    }
    // An entry count larger than the index: looking for a form it does not hold reads on into
    // the stored localisers until the file ends.
    std::string counted = file;
    PutWord(counted, 43, 60000, 2);
    EXPECT_EQ(FaultOf(counted, target.loc, "TNoSuchForm"), TLPBFault::Truncated);
    // An offset past the end of the file (the dialog's entry is the second).
    const size_t fixedLength = 7 + 2; // "English" and its line break
    const size_t secondOffset = 43 + 4 + fixedLength + (2 + 10 + 4) + (2 + 11);
    std::string farOff = file;
    PutWord(farOff, secondOffset, 0xFFFFFFF0u, 4);
    EXPECT_EQ(FaultOf(farOff, target.loc), TLPBFault::Offset);
    // An offset into the middle of the index: the description reader refuses it.
    std::string misplaced = file;
    PutWord(misplaced, secondOffset, 50, 4);
    TLPBFileManager manager;
    TStringStream stream(misplaced);
    EXPECT_THROW(manager.LoadFromStream(target.loc, "TdlgConnect", stream), EReadError);
    EXPECT_FALSE(target.loc->TempHolder);
}

TEST(LPBFileManagerTest, EveryTruncationFailsWithAReadError) {
    TProjectForms forms;
    const std::string file = forms.File(TStringList{"English"});
    for (size_t size = 0; size < file.size(); ++size) {
        TTarget target;
        TLPBFileManager manager;
        TStringStream stream(file.substr(0, size));
        EXPECT_THROW(manager.LoadFromStream(target.loc, "TdlgConnect", stream), EReadError)
            << "cut at " << size;
    }
}

TEST(LPBFileManagerTest, ALocaliserReadsNamesAndOneKindFromAProjectFile) {
    TProjectForms forms;
    char tmpl[] = "/tmp/q4-lpb-XXXXXX";
    const std::string folder = mkdtemp(tmpl);
    const std::string path = folder + "/project.lpb";
    {
        TFileStream out(path, fmCreate);
        out.WriteBytes(forms.File(TStringList{}));
    }
    EXPECT_TRUE(IsProjectFileName(path));
    TTarget target;
    TStringList names;
    target.loc->ReadLanguageNames(path, names);
    EXPECT_EQ(names.ToVector(), (std::vector<std::string>{"Russian", "English"}));
    target.loc->LoadKindFromProjectFile(stHints, path);
    EXPECT_EQ(target.loc->GetStringsOfType(stHints)->ToVector(),
              forms.loc->GetStringsOfType(stHints)->ToVector());
    EXPECT_TRUE(target.loc->GetStringsOfType(stStrings)->ToVector().empty());
    // The holders used for reading are gone again.
    EXPECT_EQ(target.form.ComponentCount(), 1);
    std::filesystem::remove_all(folder);
}
