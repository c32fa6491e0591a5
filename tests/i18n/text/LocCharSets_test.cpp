// Charset names, their code pages and the conversions through them.

#include "i18n/text/LocCharSets.h"
#include "platform/rtl/CodePage.h"

#include <gtest/gtest.h>

TEST(LocCharSetsTest, NamesMapToCharsetsAndCodePages) {
    EXPECT_EQ(CharSetNames().size(), 19u);
    EXPECT_EQ(CharSetOfName("RUSSIAN_CHARSET"), 204);
    EXPECT_EQ(CharSetCodePage(204), 1251);
    EXPECT_EQ(CharSetOfName("russian_charset"), -1);
    EXPECT_EQ(CharSetOfName("DEFAULT_CHARSET"), 1);
    EXPECT_EQ(CharSetCodePage(DEFAULT_CHARSET), 1251);
    EXPECT_EQ(CharSetCodePage(238), 1250);
    EXPECT_EQ(CharSetCodePage(128), 932);
    EXPECT_EQ(CharSetCodePage(77), 1251);
}

TEST(LocCharSetsTest, ConversionsGoThroughTheCharsetsCodePage) {
    const std::string cyr = Utf8ToCp1251("Привет");
    EXPECT_EQ(AnsiToUtf8ByCharSet(cyr, 204), "Привет");
    EXPECT_EQ(AnsiToWideByCharSet(cyr, 204), u"Привет");
    EXPECT_EQ(WideToAnsiByCharSet(u"Привет", 1), cyr);
    EXPECT_EQ(Utf8ToAnsiByCharSet("Żółw", 238), "\xAF\xF3\xB3w");
    EXPECT_EQ(AnsiToUtf8ByCharSet("\xAF\xF3\xB3w", 238), "Żółw");
    EXPECT_EQ(Utf8ToAnsiByCharSet("日本", 128), "\x93\xFA\x96\x7B");
    // A character the code page lacks becomes '?'.
    EXPECT_EQ(Utf8ToAnsiByCharSet("a日b", 204), "a?b");
    EXPECT_EQ(AnsiToUtf8ByCharSet("", 128), "");
}
