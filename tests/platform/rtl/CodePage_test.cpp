#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"

#include <gtest/gtest.h>

#include <iconv.h>

namespace {
// The system's own converter, as an independent check of our table.
std::string SystemCp1251ToUtf8(unsigned char byte) {
    iconv_t cd = iconv_open("UTF-8", "CP1251");
    char in[1] = {static_cast<char>(byte)};
    char out[8];
    char* src = in;
    char* dst = out;
    size_t left = 1, room = sizeof out;
    const size_t r = iconv(cd, &src, &left, &dst, &room);
    iconv_close(cd);
    return r == static_cast<size_t>(-1) ? std::string() : std::string(out, dst - out);
}
} // namespace

TEST(CodePage, EveryCp1251ByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string byte(1, static_cast<char>(b));
        const std::string utf8 = Cp1251ToUtf8(byte);
        EXPECT_TRUE(IsValidUtf8(utf8)) << b;
        EXPECT_EQ(Utf8ToCp1251(utf8), byte) << "byte " << b;
        std::string strict;
        EXPECT_TRUE(TryUtf8ToCp1251(utf8, strict)) << b;
        EXPECT_EQ(strict, byte);
        if (b != 0x98) { // the one byte the code page leaves unassigned
            EXPECT_EQ(utf8, SystemCp1251ToUtf8(static_cast<unsigned char>(b))) << "byte " << b;
        }
    }
    std::string all;
    for (int b = 0; b < 256; ++b)
        all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToCp1251(Cp1251ToUtf8(all)), all);
}

TEST(CodePage, KnownLettersAndUnmappableText) {
    EXPECT_EQ(Cp1251ToUtf8("\xC0\xFF\xA8\xB8\xB9"), "АяЁё№");
    EXPECT_EQ(Utf8ToCp1251("Ёж €"), "\xA8\xE6 \x88");
    EXPECT_EQ(Utf8ToCp1251("a\xE4\xB8\xAD"
                           "b"),
              "a?b"); // a CJK letter has no byte
    EXPECT_EQ(Utf8ToCp1251("a\xFF"
                           "b",
                           '_'),
              "a_b"); // malformed UTF-8
    std::string out = "kept";
    EXPECT_FALSE(TryUtf8ToCp1251("中", out));
    EXPECT_EQ(out, "kept");
    EXPECT_FALSE(TryUtf8ToCp1251("\xC3", out)); // truncated sequence
}

TEST(CodePage, Cp1251CaseTable) {
    struct Case {
        unsigned char lower, upper;
    };
    const Case cases[] = {
        {'a', 'A'},   {0xE0, 0xC0}, {0xFF, 0xDF}, {0xB8, 0xA8}, // а/А, я/Я, ё/Ё
        {0xB3, 0xB2}, {0xBF, 0xAF}, {0xBA, 0xAA}, {0xB4, 0xA5}, // і, ї, є, ґ
        {0xA2, 0xA1}, {0x9A, 0x8A}, {0x83, 0x81}, {0xBC, 0xA3}, // ў, љ, ѓ, ј
    };
    for (const Case& c : cases) {
        EXPECT_EQ(Cp1251UpperChar(c.lower), c.upper) << int(c.lower);
        EXPECT_EQ(Cp1251LowerChar(c.upper), c.lower) << int(c.upper);
    }
    // Signs without a case stay as they are.
    for (unsigned char c : {0xB5, 0xB9, 0x98, 0x88, 0x31}) {
        EXPECT_EQ(Cp1251UpperChar(c), c);
        EXPECT_EQ(Cp1251LowerChar(c), c);
    }
    EXPECT_EQ(Cp1251UpperCase("\xEF\xF0\xE8\xE2\xE5\xF2 ok"), "\xCF\xD0\xC8\xC2\xC5\xD2 OK");
}

TEST(CodePage, Utf8CaseAndComparison) {
    EXPECT_EQ(AnsiUpperCase("привет, ёж, straße é"), "ПРИВЕТ, ЁЖ, STRAßE É");
    EXPECT_EQ(AnsiLowerCase("ПРИВЕТ Ї"), "привет ї");
    EXPECT_EQ(AnsiUpperCase("a\xFF"), "A\xFF"); // malformed bytes kept
    EXPECT_EQ(AnsiCompareText("Ёлка", "ёЛКА"), 0);
    EXPECT_LT(AnsiCompareText("арбуз", "Банан"), 0);
    EXPECT_GT(AnsiCompareText("abc", "ab"), 0);
    EXPECT_TRUE(AnsiSameText("COM1", "com1"));
    // Without regard to case: punctuation and symbols before digits, digits before letters.
    struct Case {
        const char* a;
        const char* b;
        int sign;
    };
    const Case cases[] = {
        {"_a", "Z", -1},       {"[", "a", -1}, {"\\", "A", -1}, {"]", "b", -1}, {"^", "B", -1},
        {"a_b", "AAB", -1},    {"~", "0", -1}, {"9", "a", -1},  {"@", "1", -1}, {"a b", "ab", -1},
        {"№1", "1", -1},       {"z", "а", -1}, {"е", "ё", -1},  {"Ё", "ж", -1}, {"ЁЖ", "ёж", 0},
        {"COM10", "COM2", -1}, {"x", "X", 0},
    };
    for (const Case& c : cases) {
        const int r = AnsiCompareText(c.a, c.b);
        EXPECT_EQ((r > 0) - (r < 0), c.sign) << c.a << " vs " << c.b;
        const int back = AnsiCompareText(c.b, c.a);
        EXPECT_EQ((back > 0) - (back < 0), -c.sign) << c.b << " vs " << c.a;
    }
}

TEST(CodePage, Utf16AndOtherCodePages) {
    const std::string text = "Ж€😀";
    const std::u16string wide = Utf8ToUtf16(text);
    EXPECT_EQ(wide.size(), 4u); // the emoji takes a surrogate pair
    EXPECT_EQ(Utf16ToUtf8(wide), text);
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx"); // unpaired surrogate

    EXPECT_EQ(CodePageToUtf8("\xE9t\xE9", 1252), "été");
    EXPECT_EQ(Utf8ToCodePage("été", 1252), "\xE9t\xE9");
    EXPECT_EQ(Utf8ToCodePage("Жx", 1252), "?x");
    EXPECT_EQ(CodePageToUtf8("\xB9", 1250), "ą");
    EXPECT_EQ(CodePageToUtf8("\xC0", 1251), "А");
    EXPECT_EQ(TEncoding::GetEncoding(1253).Decode("\xE1"), "α");
    EXPECT_THROW(TEncoding::GetEncoding(99999), EEncodingError);
}
