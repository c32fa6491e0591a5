// The stored-table reader and writer: headers, inherited forms' merge, escapes and UTF-16 blocks.

#include "LocLangFixture.h"

#include "i18n/lang/LocExtendedItems.h"
#include "i18n/lang/LocLang.h"
#include "platform/classes/Streaming.h"
#include "platform/rtl/CodePage.h"
#include "platform/rtl/Streams.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

std::string L(std::string s) {
    std::replace(s.begin(), s.end(), '|', '\x01');
    return s;
}

struct TReadFixture {
    TReadFixture() {
        RegisterFixtureClasses();
        loc = new TLocLang(&form);
        TStringList names{"Russian", "English"};
        loc->SetLangNames(&names);
    }
    void Read(const std::string& block) {
        TStringStream stream(block);
        loc->ReadTranslationData(stream);
    }
    std::vector<std::string> List(int kind) { return loc->GetStringsOfType(kind)->ToVector(); }
    TdlgConnect form{nullptr};
    TLocLang* loc = nullptr;
};

std::string Utf16Le(const std::u16string& text) {
    std::string out;
    for (char16_t c : text) {
        out += static_cast<char>(c & 0xFF);
        out += static_cast<char>(c >> 8);
    }
    return out;
}

} // namespace

TEST(LocTranslationDataTest, HeadersSelectListsWhateverTheirCase) {
    TReadFixture f;
    f.loc->GetStringsOfType(stHints)->Add(L("kept|a|b|"));
    f.Read(
        L("ignored before any header\r\nSTCAPTIONS\r\nLabel1|a|b|\r\nstCaptions \r\n"
          "stListView_TreeView_Items\r\nnowhere\r\nstDisplayLabels\r\nx|1|2|\r\nstdisplaylabels\n"
          "y|3|4|\rstFonts\r\n"));
    EXPECT_EQ(f.List(stCaptions), (std::vector<std::string>{L("Label1|a|b|"), "stCaptions "}));
    EXPECT_EQ(f.List(stHints), std::vector<std::string>{L("kept|a|b|")}); // no header: unchanged
    EXPECT_EQ(f.List(stDisplayLabels), std::vector<std::string>{L("y|3|4|")}); // second wins
    EXPECT_TRUE(f.List(stFonts).empty());
}

TEST(LocTranslationDataTest, TheFormsOwnEntryGoesFirstAndLineBreaksAreEscaped) {
    TReadFixture f;
    f.Read(L("stCaptions\r\nLabel1|a|b|\r\nTdlgConnect|Form|Form|\r\nstMultiLines\r\n"
             "Memo1.Lines|one\x19\x1Atwo|x|\r\n"));
    EXPECT_EQ(f.List(stCaptions),
              (std::vector<std::string>{L("TdlgConnect|Form|Form|"), L("Label1|a|b|")}));
    EXPECT_EQ(f.List(stMultiLines), std::vector<std::string>{L("Memo1.Lines|one\r\ntwo|x|")});
    TStringStream written;
    f.loc->WriteTranslationData(written);
    const std::string block = written.DataString();
    EXPECT_NE(block.find(L("Memo1.Lines|one\x19\x1Atwo|x|\r\n")), std::string::npos);
    EXPECT_EQ(block.rfind("stCharSets\r\n"), block.size() - 12);
}

TEST(LocTranslationDataTest, AnInheritedFormMergesItsEntriesIntoTheAncestors) {
    TReadFixture f;
    f.loc->IsInheritedOwner = true;
    f.loc->GetStringsOfType(stCaptions)->Add(L("Label1|X|Y|"));
    f.loc->GetStringsOfType(stCaptions)->Add(L("Other|o|p|"));
    f.Read(L("stCaptions\r\nlabel1||Z|W|\r\nNew|n|m|\r\n"));
    EXPECT_EQ(f.List(stCaptions),
              (std::vector<std::string>{L("Label1|X|Z|W|"), L("Other|o|p|"), L("New|n|m|")}));
    // A localiser that only holds a file's contents loads plainly.
    f.loc->TempHolder = true;
    f.Read(L("stCaptions\r\nlabel1||Z|\r\n"));
    EXPECT_EQ(f.List(stCaptions), std::vector<std::string>{L("label1||Z|")});
}

TEST(LocTranslationDataTest, Utf16BlocksAreConvertedPerLanguageCharset) {
    TReadFixture f;
    f.loc->GetStringsOfType(stCharSets)->Add(L("TdlgConnect|RUSSIAN_CHARSET|EASTEUROPE_CHARSET|"));
    // "_Unicode" headers: the second pass converts each language's text with its charset.
    f.Read(Utf16Le(u"stCaptions_Unicode\r\nLabel1\x01Привет\x01Żółw\x01\r\nLast\x01no\x01cr\x01"));
    // The last line, without its CR, is read by the first pass and dropped by the second,
    // which clears the list at its header again.
    EXPECT_EQ(f.List(stCaptions),
              std::vector<std::string>{Utf8ToCp1251("Label1\x01Привет\x01") + "\xAF\xF3\xB3w\x01"});
    EXPECT_EQ(f.List(stCharSets),
              std::vector<std::string>{L("TdlgConnect|RUSSIAN_CHARSET|EASTEUROPE_CHARSET|")});

    // Without a "_Unicode" header only the first pass runs, in the Windows code page.
    TReadFixture g;
    g.Read(Utf16Le(u"stHints\r\nrb1\x01Да\x01Żółw\x01\r\n") + "\x01");
    EXPECT_EQ(g.List(stHints), std::vector<std::string>{Utf8ToCp1251("rb1\x01Да\x01???w\x01")});
}

TEST(LocTranslationDataTest, ShortBlocksChangeNothingAndEveryPrefixReads) {
    TReadFixture f;
    const std::vector<std::string> dialogs = f.List(stDlgsCaptions);
    f.Read("");
    f.Read("s");
    EXPECT_EQ(f.List(stDlgsCaptions), dialogs);
    const std::string block = ConnectTranslationBlock();
    for (size_t size = 0; size <= block.size(); ++size) {
        TReadFixture g;
        g.Read(block.substr(0, size));
    }
    f.Read(block);
    EXPECT_EQ(f.List(stDlgsCaptions).size(), 15u);
}

TEST(LocTranslationDataTest, ExtendedValuesTravelAsBytesOrUtf16) {
    TReadFixture f;
    // A UTF-16 block: four bytes ahead of the text.
    std::string block = std::string("\x00\x00\x00\x00", 4) + Utf16Le(u"Связь\x01Link\x01");
    std::string text = ConnectDialogText("stCaptions\r\n");
    text.insert(text.find("    TranslationData"),
                "    ExtendedTranslations = <\r\n      item\r\n        Identifier = "
                "'TdlgConnect.Caption'\r\n        PropertyType = tkLString\r\n        ValuesEx = " +
                    HexBlock(block, "          ") + "\r\n      end>\r\n");
    TdlgConnect dialog(nullptr);
    ReadComponentDescription(text, &dialog);
    auto* loc = dynamic_cast<TLocLang*>(dialog.FindComponent("locLang1"));
    ASSERT_NE(loc, nullptr);
    ASSERT_EQ(loc->ExtendedTranslations()->Count(), 1);
    TLocExtendedItem* read = loc->ExtendedTranslations()->Items(0);
    EXPECT_EQ(read->WideValues, u"Связь\x01Link\x01");
    EXPECT_EQ(read->Values, Utf8ToCp1251("Связь\x01Link\x01"));
    EXPECT_EQ(read->PropertyType, tkLString);
    // Written back as the bytes of Values.
    const std::string again = ComponentToText(&dialog);
    EXPECT_NE(again.find("ValuesEx = {"), std::string::npos);
    TdlgConnect third(nullptr);
    ReadComponentDescription(again, &third);
    auto* loc3 = dynamic_cast<TLocLang*>(third.FindComponent("locLang1"));
    EXPECT_EQ(loc3->ExtendedTranslations()->Items(0)->Values, read->Values);
}
