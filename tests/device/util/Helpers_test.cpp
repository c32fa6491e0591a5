#include "device/util/Helpers.h"
#include "device/util/InputController.h"

#include <gtest/gtest.h>

#include <string>

TEST(HexBits, EveryDigitRoundTripsThroughItsBits) {
    const std::string digits = "0123456789ABCDEF";
    for (size_t k = 0; k < digits.size(); ++k) {
        const std::string digit(1, digits[k]);
        const std::string bits = HexDigitToBits(digit);
        ASSERT_EQ(bits.size(), 4u) << digit;
        EXPECT_EQ(std::stoi(bits, nullptr, 2), static_cast<int>(k)) << digit;
        EXPECT_EQ(BitsToHexDigit(bits), digit);
    }
}

TEST(HexBits, AnythingOutsideTheTablesGivesZero) {
    struct Case {
        std::string in;
        std::string out;
    };
    // Lower-case letters are not in the digit table; bit strings must be exactly four bits.
    for (const Case& c : {Case{"B", "1011"}, Case{"b", "0"}, Case{"", "0"}, Case{"G", "0"},
                          Case{"AB", "0"}, Case{" 1", "0"}}) {
        EXPECT_EQ(HexDigitToBits(c.in), c.out) << '"' << c.in << '"';
    }
    for (const Case& c : {Case{"1111", "F"}, Case{"0000", "0"}, Case{"111", "0"},
                          Case{"11111", "0"}, Case{"1x11", "0"}, Case{"", "0"}}) {
        EXPECT_EQ(BitsToHexDigit(c.in), c.out) << '"' << c.in << '"';
    }
}

TEST(HexBits, DigitValuesInEitherCaseAndNothingBesideTheRanges) {
    const std::string upper = "0123456789ABCDEF";
    const std::string lower = "0123456789abcdef";
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(HexDigitValue(upper[k]), k) << upper[k];
        EXPECT_EQ(HexDigitValue(lower[k]), k) << lower[k];
    }
    // The neighbours of each range, blanks and bytes above 127.
    for (char c : {'/', ':', '@', 'G', '`', 'g', ' ', '\r', '\0', '\xB0', '\xFF'}) {
        EXPECT_EQ(HexDigitValue(c), -1) << static_cast<int>(static_cast<unsigned char>(c));
    }
}

TEST(ByteToBits, MostSignificantBitFirst) {
    EXPECT_EQ(ByteToBits(56), "00111000");
    EXPECT_EQ(ByteToBits(0), "00000000");
    EXPECT_EQ(ByteToBits(255), "11111111");
    EXPECT_EQ(ByteToBits(0x81), "10000001");
}

TEST(CopyCharRun, TakesDigitsFromTheStartPosition) {
    struct Case {
        std::string text;
        int start;
        std::string run;
    };
    for (const Case& c :
         {Case{"COM12:", 4, "12"}, Case{"COM", 4, ""}, Case{"COM7", 4, "7"},
          Case{"123abc45", 1, "123"}, Case{"123abc45", 7, "45"}, Case{"COM12", 100, ""},
          Case{"12", 0, ""}, Case{"12", -3, ""}, Case{"COMx12", 4, ""}}) {
        EXPECT_EQ(CopyCharRun(c.text, c.start), c.run) << c.text << " @" << c.start;
    }
}

TEST(SecondsToDurationText, LeadingZeroUnitsAreLeftOut) {
    struct Case {
        uint32_t seconds;
        std::string text;
    };
    for (const Case& c : {
             Case{0, "0 сек "},
             Case{59, "59 сек "},
             Case{60, "1 мин 0 сек "},
             Case{3600, "1 ч 0 мин 0 сек "},
             Case{3725, "1 ч 2 мин 5 сек "},
             Case{86400, "1 сут 0 ч 0 мин 0 сек "},
             Case{86400 + 61, "1 сут 0 ч 1 мин 1 сек "},
             Case{4294967295u, "49710 сут 6 ч 28 мин 15 сек "},
         }) {
        EXPECT_EQ(SecondsToDurationText(c.seconds), c.text) << c.seconds;
    }
}

TEST(InputController, DecimalFilterPassesOnlyDigitsAndBackspace) {
    for (char key : std::string("0123456789\b")) {
        char k = key;
        TInputController::DecimalKeyPress(k);
        EXPECT_EQ(k, key);
    }
    for (char key : std::string("-a+. ,A\r\x7f\xc0")) {
        char k = key;
        TInputController::DecimalKeyPress(k);
        EXPECT_EQ(k, 0) << int(static_cast<unsigned char>(key));
    }
    char16_t cyrillic = u'\u0430';
    TInputController::DecimalKeyPress(cyrillic);
    EXPECT_EQ(cyrillic, 0);
    char16_t seven = u'7';
    TInputController::DecimalKeyPress(seven);
    EXPECT_EQ(seven, u'7');
}

TEST(InputController, HexFilterKeepsLettersOfEitherCaseUnchanged) {
    for (char key : std::string("0123456789abcdefABCDEF\b")) {
        char k = key;
        TInputController::HexKeyPress(k);
        EXPECT_EQ(k, key);
    }
    for (char key : std::string("gG-x \t")) {
        char k = key;
        TInputController::HexKeyPress(k);
        EXPECT_EQ(k, 0) << key;
    }
    char16_t f = u'f';
    TInputController::HexKeyPress(f);
    EXPECT_EQ(f, u'f');
    char16_t wideA = u'\uFF21'; // full-width A is not a hex digit
    TInputController::HexKeyPress(wideA);
    EXPECT_EQ(wideA, 0);
}
