// The name tables: entity lookup and escape texts, fill-pattern and border-style lookups, the
// control words of RTF, and which relationships a workbook keeps.

#include "spreadsheet/tables/HtmlNames.h"
#include "spreadsheet/tables/OfficeXmlNames.h"
#include "spreadsheet/tables/PictureTypeNames.h"
#include "spreadsheet/tables/RtfKeywords.h"
#include "spreadsheet/tables/XMLRelations.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct NameTables : ::testing::Test {
    NameTables() {
        InitializeHtmlEntityUnit();
        InitializeHtmlEscapeUnit();
        InitializePackageUnit();
    }
    ~NameTables() override {
        FinalizePackageUnit();
        FinalizeHtmlEscapeUnit();
        FinalizeHtmlEntityUnit();
    }
};

TEST_F(NameTables, EntitiesAreFoundByTheirExactName) {
    const struct {
        const char* Name;
        char16_t Code;
    } found[] = {{"euro", 8364},  {"apos", 39},    {"nbsp", 160}, {"yuml", 255},
                 {"Agrave", 192}, {"agrave", 224}, {"fnof", 402}, {"diams", 9830},
                 {"Omega", 937},  {"omega", 969},  {"quot", 34},  {"amp", 38}};
    for (const auto& f : found) {
        char16_t code = 0;
        EXPECT_TRUE(FindHtmlEntity(f.Name, code)) << f.Name;
        EXPECT_EQ(code, f.Code) << f.Name;
    }
    char16_t code = 0;
    for (const char* name : {"AMP", "Euro", "", "eur", "euros", "zzz"})
        EXPECT_FALSE(FindHtmlEntity(name, code)) << name;
    // Nothing is found before the unit starts or after it stops.
    FinalizeHtmlEntityUnit();
    EXPECT_FALSE(FindHtmlEntity("euro", code));
    InitializeHtmlEntityUnit();
    EXPECT_TRUE(FindHtmlEntity("euro", code));
}

TEST_F(NameTables, EscapesAreTheEntityTextsOfTheirCharacters) {
    const std::vector<THtmlEscape>& escapes = HtmlEscapes();
    ASSERT_EQ(escapes.size(), 100u);
    EXPECT_EQ(escapes[0].Text, u"&nbsp;");
    EXPECT_EQ(escapes[0].Code, u' ');
    EXPECT_EQ(escapes[2].Text, u"&amp;");
    EXPECT_EQ(escapes[4].Text, u"&gt;");
    EXPECT_EQ(escapes[4].Code, u'>');
    EXPECT_EQ(escapes[5].Text, u"&iexcl;");
    EXPECT_EQ(escapes[5].Code, 161);
    EXPECT_EQ(escapes[99].Text, u"&yuml;");
    EXPECT_EQ(escapes[99].Code, 255);
    // Each Latin-1 text names the entity of its own code.
    for (size_t i = 5; i < escapes.size(); ++i) {
        const std::u16string& text = escapes[i].Text;
        char16_t code = 0;
        ASSERT_TRUE(FindHtmlEntity(std::string(text.begin() + 1, text.end() - 1), code));
        EXPECT_EQ(code, escapes[i].Code);
    }
}

TEST_F(NameTables, FillPatternAndBorderStyleNamesGiveTheirNumbers) {
    for (size_t i = 0; i < kXmlFillPatternNames.size(); ++i) {
        EXPECT_EQ(XmlFillPatternIndex(kXmlFillPatternNames[i]), static_cast<int>(i));
        EXPECT_EQ(kXmlFillPatternNamesA[i].size(), kXmlFillPatternNames[i].size());
    }
    for (size_t i = 0; i < kXmlBorderStyleNames.size(); ++i)
        EXPECT_EQ(XmlBorderStyleIndex(kXmlBorderStyleNames[i]), static_cast<int>(i));
    EXPECT_EQ(XmlFillPatternIndex(u"gray125"), 17);
    EXPECT_EQ(XmlBorderStyleIndex(u"slantedDashDot"), 13);
    // "none" is both a pattern and a style; "thin" only a style; case counts.
    EXPECT_EQ(XmlFillPatternIndex(u"none"), 0);
    EXPECT_EQ(XmlFillPatternIndex(u"thin"), -1);
    EXPECT_EQ(XmlBorderStyleIndex(u"Thin"), -1);
    FinalizePackageUnit();
    EXPECT_EQ(XmlBorderStyleIndex(u"thin"), -1);
    InitializePackageUnit();
    EXPECT_EQ(XmlBorderStyleIndex(u"thin"), 1);
}

TEST(NameTablesData, RtfControlWordsCarryTheirDefaultsAndTargets) {
    const auto find = [](std::string_view word) {
        const auto it = std::find_if(kRtfKeywords.begin(), kRtfKeywords.end(),
                                     [&](const TRtfKeyword& k) { return k.Keyword == word; });
        EXPECT_NE(it, kRtfKeywords.end()) << word;
        return *it;
    };
    const struct {
        std::string_view Word;
        int32_t Default;
        bool Pass;
        TRtfKeywordKind Kind;
        int32_t Index;
    } rows[] = {
        {"fs", 24, false, rkProperty, 3},
        {"paperw", 12240, false, rkProperty, 10},
        {"paperh", 15480, false, rkProperty, 11},
        {"margl", 1800, false, rkProperty, 12},
        {"margr", 1800, false, rkProperty, 13},
        {"margt", 1440, false, rkProperty, 14},
        {"margb", 1440, false, rkProperty, 15},
        {"sbknone", 0, true, rkProperty, 17},
        {"sbkpage", 4, true, rkProperty, 17},
        {"ql", 0, true, rkProperty, 21},
        {"qr", 1, true, rkProperty, 21},
        {"qc", 2, true, rkProperty, 21},
        {"qj", 3, true, rkProperty, 21},
        {"ldblquote", 0, false, rkChar, 34},
        {"rdblquote", 0, false, rkChar, 34},
        {"\\0x0a", 0, false, rkChar, 10},
        {"\\0x0d", 0, false, rkChar, 10},
        {"f", -1, false, rkProperty, rpFont},
        {"u", 0, false, rkUnicodeChar, 0},
        {"uc", 1, false, rkUnicodeSkip, 0},
        {"pict", 0, false, rkDestination, rdPicture},
        {"*", 0, false, rkSpecial, rsSkipDestination},
        {"\\", 0, false, rkChar, u'\\'},
    };
    for (const auto& r : rows) {
        const TRtfKeyword k = find(r.Word);
        EXPECT_EQ(k.Default, r.Default) << r.Word;
        EXPECT_EQ(k.PassDefault, r.Pass) << r.Word;
        EXPECT_EQ(k.Kind, r.Kind) << r.Word;
        EXPECT_EQ(k.Index, r.Index) << r.Word;
    }
    EXPECT_EQ(kRtfKeywords.front().Keyword, "plain");
    EXPECT_EQ(kRtfKeywords.back().Keyword, "\\");
    EXPECT_EQ(kRtfKeywords[37].Keyword.size(), 5u); // backslash, 0, x, 0, a
    // A control word stands once.
    for (size_t i = 0; i < kRtfKeywords.size(); ++i)
        for (size_t j = i + 1; j < kRtfKeywords.size(); ++j)
            EXPECT_NE(kRtfKeywords[i].Keyword, kRtfKeywords[j].Keyword);
}

TEST(NameTablesData, WorkbookKeepsTheRelationshipsOfPartsItDoesNotWrite) {
    const std::u16string prefix(kXmlRelationshipPrefixes[1]);
    TXMLRelationsWorkbook workbook;
    const struct {
        std::u16string Type;
        bool Kept;
    } cases[] = {
        {prefix + u"styles", false},
        {prefix + u"worksheet", false},
        {prefix + u"sharedStrings", false},
        {prefix + u"calcChain", false},
        {prefix + u"theme", true},
        {prefix + u"vbaProject", true},
        {u"styles", false},
        {u"", false},
        {u"a/styles/theme", true},
        {u"theme/styles", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(workbook.KeepRelation(c.Type), c.Kept)
            << std::string(c.Type.begin(), c.Type.end());
    TXMLRelations plain;
    EXPECT_TRUE(plain.KeepRelation(u"styles"));
    EXPECT_EQ(kXmlRelationshipTypes[11], u"styles");
    EXPECT_EQ(kXmlRelationshipTypes[22], u"xlIntlMacrosheet");
    EXPECT_EQ(kPictureTypeNames[6], "PNG");
}

TEST(NameTablesData, ExternalRelationshipsStayTheirOwners) {
    auto owned = std::make_unique<TXMLRelation>();
    owned->Target = u"book2.xlsx";
    TXMLRelations owner;
    TXMLRelation& relation = owner.Add(std::move(owned));
    {
        TXMLExtRelations external;
        EXPECT_EQ(external.Flag, 1);
        external.Add(relation);
        ASSERT_EQ(external.Count(), 1);
        EXPECT_EQ(&external.Items(0), &relation);
        external.Clear();
    }
    // The owner's relationship outlived the list that referred to it.
    ASSERT_EQ(owner.Count(), 1);
    EXPECT_EQ(owner.Items(0).Target, u"book2.xlsx");
    EXPECT_EQ(owner.Flag, 0);
}

} // namespace
