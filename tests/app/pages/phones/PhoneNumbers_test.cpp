// The service phone numbers' limits and their settings file section.

#include "app/pages/phones/PhoneNumbers.h"

#include "platform/rtl/IniFiles.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>
#include <utility>
#include <vector>

namespace {

std::string Repeat(const char* text, int count) {
    std::string out;
    for (int i = 0; i < count; ++i)
        out += text;
    return out;
}

const std::string k29(29, '7');
const std::string k30(30, '7');

TEST(PhoneNumbers, KeysRefusedOnceTheCellIsFull) {
    const struct {
        const char* name;
        std::string cell;
        char16_t key;
        bool allowed;
    } cases[] = {
        {"29 characters take a 30th", k29, u'8', true},
        {"30 characters refuse a 31st", k30, u'8', false},
        {"backspace still works when full", k30, 8, true},
        {"longer than allowed, backspace", k30 + "9", 8, true},
        {"empty cell", "", u'+', true},
        // Characters are counted, not bytes: 29 Cyrillic letters are 58 bytes.
        {"29 Cyrillic letters take one more", Repeat("ж", 29), u'ж', true},
        {"30 Cyrillic letters refuse", Repeat("ж", 30), u'1', false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PhoneKeyAllowed(c.cell, c.key), c.allowed) << c.name;
}

TEST(PhoneNumbers, PastedNumbersAreCut) {
    EXPECT_EQ(CutPhoneNumber(k30 + "12345"), k30);
    EXPECT_EQ(CutPhoneNumber(k29), k29);
    EXPECT_EQ(CutPhoneNumber(""), "");
    EXPECT_EQ(CutPhoneNumber(Repeat("щ", 35)), Repeat("щ", 30));
}

TEST(PhoneNumbers, EmptyGrid) {
    TPhoneNumbers numbers;
    EXPECT_TRUE(NoPhoneNumbers(numbers));
    numbers[9] = "1";
    EXPECT_FALSE(NoPhoneNumbers(numbers));
}

TEST(PhoneNumbers, SettingsFileKeepsAllTenNumbers) {
    const std::string file = (std::filesystem::temp_directory_path() /
                              ("q4-phones-" + std::to_string(::getpid()) + ".ini"))
                                 .string();
    TPhoneNumbers numbers;
    for (size_t row = 0; row < numbers.size(); ++row)
        numbers[row] = row == 4 ? "" : "+7916000000" + std::to_string(row);
    numbers[9] = "доб. 12";
    {
        TMemIniFile ini(file);
        SavePhoneNumbers(ini, numbers);
        ini.UpdateFile();
    }
    std::ifstream in(file, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    // Windows-1251 on disk, an empty row as an empty value.
    EXPECT_NE(bytes.str().find("[EnPhones]\r\nEnPhone1=+79160000000\r\n"), std::string::npos);
    EXPECT_NE(bytes.str().find("EnPhone5=\r\n"), std::string::npos);
    EXPECT_NE(bytes.str().find("EnPhone10=\xe4\xee\xe1. 12\r\n"), std::string::npos);

    TMemIniFile again(file);
    EXPECT_EQ(LoadPhoneNumbers(again), numbers);
    std::remove(file.c_str());

    // Missing keys read as empty rows; a stored number too long is cut.
    TMemIniFile blank("");
    blank.WriteString("EnPhones", "EnPhone2", k30 + "999");
    const TPhoneNumbers loaded = LoadPhoneNumbers(blank);
    EXPECT_EQ(loaded[0], "");
    EXPECT_EQ(loaded[1], k30);
}

} // namespace

TEST(PhoneGridLook, HeadingsTakeATextColourThatReadsOnTheFixedCells) {
    const std::vector<std::pair<TColor, TColor>> cases = {
        {clInactiveCaptionText, clWhite}, // the desktop's dark slate
        {clBtnFace, clBlack},
        {clWhite, clBlack},
        {clBlack, clWhite},
        {clNavy, clWhite},
        {clYellow, clBlack},
    };
    for (const auto& [background, text] : cases)
        EXPECT_EQ(ContrastingTextColor(background), text) << background;
}
