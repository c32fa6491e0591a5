#include "platform/rtl/Exception.h"
#include "platform/rtl/Strings.h"

#include <gtest/gtest.h>

#include <limits>

TEST(Strings, OneBasedPositions) {
    EXPECT_EQ(Copy("abcdef", 2, 3), "bcd");
    EXPECT_EQ(Copy("abcdef", 0, 2), "ab"); // index below 1 counts from 1
    EXPECT_EQ(Copy("abcdef", 5, 100), "ef");
    EXPECT_EQ(Copy("abcdef", 7, 1), "");
    EXPECT_EQ(Copy("abcdef", 2, -1), "");
    EXPECT_EQ(Copy("abcdef", 4), "def");

    EXPECT_EQ(Pos("cd", "abcdcd"), 3);
    EXPECT_EQ(Pos("cd", "abcdcd", 4), 5);
    EXPECT_EQ(Pos("x", "abc"), 0);
    EXPECT_EQ(Pos("", "abc"), 0);
    EXPECT_EQ(Pos("a", "abc", 9), 0);

    std::string s = "abcdef";
    Delete(s, 2, 2);
    EXPECT_EQ(s, "adef");
    Delete(s, 10, 1);
    Delete(s, 0, 1);
    EXPECT_EQ(s, "adef");
    Delete(s, 3, 100);
    EXPECT_EQ(s, "ad");
    Insert("XY", s, 2);
    EXPECT_EQ(s, "aXYd");
    Insert("!", s, 99);
    EXPECT_EQ(s, "aXYd!");
    Insert("<", s, -3);
    EXPECT_EQ(s, "<aXYd!");
    EXPECT_EQ(LastDelimiter("\\/", "a/b\\c.txt"), 4);
    EXPECT_EQ(LastDelimiter(".", "abc"), 0);
}

TEST(Strings, TrimRemovesEveryControlCharacterAndBlank) {
    EXPECT_EQ(Trim(std::string("\t\r\n \x01"
                               "a b\x1f \0",
                               10)),
              "a b");
    EXPECT_EQ(Trim("   "), "");
    EXPECT_EQ(TrimLeft("  a  "), "a  ");
    EXPECT_EQ(TrimRight("  a  "), "  a");
    // Bytes above 127 (UTF-8 or Windows-1251 letters) are not blanks.
    EXPECT_EQ(Trim("\xD0\x90 "), "\xD0\x90");
    EXPECT_EQ(Trim(" \xC0"), "\xC0");
}

TEST(Strings, AsciiCaseAndComparisons) {
    EXPECT_EQ(UpperCase("abc\xD0\xB0z"), "ABC\xD0\xB0Z"); // non-ASCII untouched
    EXPECT_EQ(LowerCase("ABC"), "abc");
    EXPECT_EQ(CompareText("abc", "ABD"), -1);
    EXPECT_EQ(CompareText("ABC", "abc"), 0);
    EXPECT_EQ(CompareText("ab", "abc"), -1);
    EXPECT_EQ(CompareStr("a", "B"), 1);
    EXPECT_EQ(CompareStr("\x80", "a"), 1); // unsigned bytes
    EXPECT_TRUE(SameText("Com1", "COM1"));
    EXPECT_TRUE(StartsText("com", "COM10"));
    EXPECT_TRUE(EndsText(".INI", "current.ini"));
    EXPECT_FALSE(EndsText("longer.ini", "a.ini"));
    EXPECT_TRUE(ContainsText("Hello World", "o w"));
}

TEST(Strings, ReplaceAndQuote) {
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", 0), "a+b-c");
    EXPECT_EQ(StringReplace("a-b-c", "-", "+", rfReplaceAll), "a+b+c");
    EXPECT_EQ(StringReplace("aXbxc", "x", "", rfReplaceAll | rfIgnoreCase), "abc");
    EXPECT_EQ(StringReplace("aaa", "aa", "a", rfReplaceAll), "aa"); // no rescanning of output
    EXPECT_EQ(StringReplace("abc", "", "z", rfReplaceAll), "abc");

    EXPECT_EQ(QuotedStr("it's"), "'it''s'");
    EXPECT_EQ(AnsiDequotedStr("'it''s'", '\''), "it's");
    EXPECT_EQ(AnsiDequotedStr("plain", '\''), "plain");
    EXPECT_EQ(AnsiDequotedStr("'open", '\''), "open"); // missing closing quote: to the end
    std::string_view p = "\"a\"\"b\",rest";
    EXPECT_EQ(AnsiExtractQuotedStr(p, '"'), "a\"b");
    EXPECT_EQ(p, ",rest");
    EXPECT_EQ(StringOfChar('0', 3), "000");
    EXPECT_EQ(StringOfChar('0', -1), "");
}

TEST(Strings, IntegerToText) {
    EXPECT_EQ(IntToStr(-42), "-42");
    EXPECT_EQ(IntToStr(std::numeric_limits<int64_t>::min()), "-9223372036854775808");
    struct Case {
        std::string got, want;
    };
    const Case hex[] = {
        {IntToHex(255, 4), "00FF"},
        {IntToHex(0x12345, 2), "12345"}, // wider when needed
        {IntToHex(0, 0), "0"},
        {IntToHex(-1, 2), "FFFFFFFF"}, // 32-bit two's complement
        {IntToHex(int64_t(-1), 2), "FFFFFFFFFFFFFFFF"},
        {IntToHex(uint8_t(0xAB), 1), "AB"},
        {IntToHex(0xabcdefu, 8), "00ABCDEF"},
    };
    for (const Case& c : hex)
        EXPECT_EQ(c.got, c.want);
}

TEST(Strings, TextToInteger) {
    struct Case {
        const char* text;
        bool ok;
        int32_t value;
    };
    const Case cases[] = {
        {"0", true, 0},
        {"123", true, 123},
        {"-123", true, -123},
        {"+7", true, 7},
        {"  42", true, 42}, // leading blanks are skipped
        {"42 ", false, 0},  // trailing ones are not
        {"$FF", true, 255},
        {"$ff", true, 255},
        {"0x1A", true, 26},
        {"x10", true, 16},
        {"$FFFFFFFF", true, -1}, // hex wraps as a 32-bit pattern
        {"$80000000", true, INT32_MIN},
        {"-$10", true, -16},
        {"$100000000", false, 0}, // more than 32 bits
        {"2147483647", true, INT32_MAX},
        {"2147483648", false, 0},
        {"-2147483648", true, INT32_MIN},
        {"-2147483649", false, 0},
        {"", false, 0},
        {"-", false, 0},
        {"$", false, 0},
        {"12a", false, 0},
        {"1.5", false, 0},
        {"\t5", false, 0}, // only blanks are skipped
    };
    for (const Case& c : cases) {
        int32_t v = 999;
        EXPECT_EQ(TryStrToInt(c.text, v), c.ok) << '"' << c.text << '"';
        if (c.ok) {
            EXPECT_EQ(v, c.value) << '"' << c.text << '"';
        }
        EXPECT_EQ(StrToIntDef(c.text, -77), c.ok ? c.value : -77) << '"' << c.text << '"';
    }
    try {
        StrToInt("12a");
        FAIL() << "no error";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12a' is not a valid integer value");
    }
    EXPECT_EQ(StrToInt64("9223372036854775807"), INT64_MAX);
    EXPECT_EQ(StrToInt64("$FFFFFFFFFFFFFFFF"), -1);
    EXPECT_EQ(StrToInt64("$FFFFFFFF"), 0xFFFFFFFFll); // 64-bit: no wrap at 32 bits
    EXPECT_THROW(StrToInt64("9223372036854775808"), EConvertError);
}

TEST(Strings, Booleans) {
    EXPECT_TRUE(StrToBool("true"));
    EXPECT_FALSE(StrToBool("FALSE"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_TRUE(StrToBoolDef("maybe", true));
    EXPECT_THROW(StrToBool("yes"), EConvertError);
    EXPECT_EQ(BoolToStr(true), "-1");
    EXPECT_EQ(BoolToStr(false, true), "False");
}
