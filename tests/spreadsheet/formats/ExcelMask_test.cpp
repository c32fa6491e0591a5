#include "spreadsheet/formats/ExcelMask.h"

#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Render(const std::string& mask, double value,
                   const TFormatSettings& settings = TFormatSettings::Invariant()) {
    TExcelMask m(settings);
    m.SetMask(mask);
    return m.FormatNumber(value);
}

} // namespace

TEST(ExcelMask, LengthLimit) {
    TExcelMask m;
    EXPECT_NO_THROW(m.SetMask(std::string(255, '0')));
    EXPECT_EQ(ErrorMessage([&] { m.SetMask(std::string(256, '0')); }),
              "Format string more than 255 characthers");
    // Counted in characters: 255 two-byte letters pass.
    std::string wide;
    for (int i = 0; i < 255; ++i)
        wide += "\xD0\x96";
    EXPECT_NO_THROW(m.SetMask(wide));
}

TEST(ExcelMask, Numbers) {
    struct Case {
        const char* mask;
        double value;
        const char* text;
    } cases[] = {
        {"0.00", 3.14159, "3.14"},
        {"#,##0", 1234567, "1,234,567"},
        {"0%", 0.25, "25%"},
        {"0.00;(0.00)", -2, "(2.00)"},
        {"0.00;(0.00);\"nothing\"", 0, "nothing"},
        {"0", -5, "-5"},
        {"000", 7, "007"},
        {"000", -5, "-005"}, // the sign stays in front of the padding
        {"#", 0, "0"},       // the digit is there, so "#" shows it
        {"?0", 5, " 5"},
        {"0.0", 2.25, "2.3"},
        {"#,##0.00", -1234.5, "-1,234.50"},
        {"0.0,", 12345, "12.3"}, // a trailing comma divides by a thousand
        {"0.00%", 0.123456, "12.35%"},
        {"\"$\"0.00", 3, "$3.00"},
        {"[$EUR-x] 0", 3, "EUR 3"},
        {"[Red]0;[Blue]-0", -4, "-4"},
        {"0_)", 4, "4"},
        {"\\#0", 4, "#4"},
        {"0.00E+00", 12345, "1.23E+04"},
        {"@", 1.5, "1.5"},
        {"GENERAL", 2.5, "2.5"},
        {"", 3, "3"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render(c.mask, c.value), c.text) << c.mask << " " << c.value;
}

TEST(ExcelMask, LocaleSeparators) {
    TFormatSettings ru = TFormatSettings::Invariant();
    ru.DecimalSeparator = ',';
    ru.ThousandSeparator = " ";
    ru.DateSeparator = '.';
    EXPECT_EQ(Render("#,##0.00", 1234.5, ru), "1 234,50");
    EXPECT_EQ(Render("dd/mm/yyyy", 45000, ru), "15.03.2023");
}

TEST(ExcelMask, DatesAndTimes) {
    struct Case {
        const char* mask;
        double value;
        const char* text;
    } cases[] = {
        {"hh:mm", 0.5, "12:00"},
        {"mm:ss", 0.5 + 5.0 / 1440 + 7.0 / 86400, "05:07"}, // minutes, not months
        {"[h]", 1.5, "36"},
        {"[m]", 0.25, "360"},
        {"[s]", 1.0 / 1440, "60"},
        {"h AM/PM", 0.75, "6 PM"},
        {"h AM/PM", 0.5, "0 PM"}, // the hour shown as hour - 12
        {"hh:mm am/pm", 0.25, "06:00 am"},
        {"h a/p", 0.9, "9 p"},
        {"d-mmm-yy", 45000, "15-Mar-23"},
        {"dddd, mmmm d, yyyy", 45000, "Wednesday, March 15, 2023"},
        {"ddd mmmmm", 45000, "Wed M"},
        {"m/d/yy h:mm", 45000.75, "3/15/23 18:00"},
        {"h:mm:ss.00", 0.5 + 1.25 / 86400, "12:00:01.25"},
        {"yyyy-mm-dd", 1, "1899-12-31"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Render(c.mask, c.value), c.text) << c.mask << " " << c.value;
}

TEST(ExcelMask, ByteCounts) {
    struct Case {
        double value;
        const char* text;
    } cases[] = {{0, "0 bytes"},       {1023.4, "1023 bytes"},  {2048, "2.00 kb"},
                 {1048576, "1.00 Mb"}, {1073741824, "1.00 Gb"}, {5.5 * 1073741824, "5.50 Gb"}};
    for (const Case& c : cases)
        EXPECT_EQ(Render("##,_b_y_t_e_s", c.value), c.text) << c.value;
}

TEST(ExcelMask, ParsedSections) {
    TExcelMask m;
    m.SetMask("#,##0.00;[Red]-#,##0.00;\"zero\";@");
    const TMaskSection* pos = m.Section(0);
    ASSERT_NE(pos, nullptr);
    EXPECT_EQ(pos->Flags, msfThousands | msfPoint);
    EXPECT_EQ(pos->Decimals, 2);
    EXPECT_EQ(pos->Elements[0].Kind, mekNumberStart);
    EXPECT_EQ(pos->Elements[static_cast<size_t>(pos->DecimalPos)].Kind, mekPoint);
    EXPECT_EQ(m.Section(1)->Color, 0xFFu);
    EXPECT_EQ(m.Section(2)->Flags, msfZero);
    EXPECT_EQ(m.Section(3)->Flags, msfText);

    m.SetMask("0;;0"); // an empty section leaves its slot empty
    EXPECT_EQ(m.Section(1), nullptr);
    m.SetMask("0.0,,,,,,");
    EXPECT_EQ(m.Section(0)->Scale, 4);
    m.SetMask("h:mm:ss;a;b;c;d;e");
    EXPECT_NE(m.Section(3), nullptr);
    EXPECT_EQ(m.Section(0)->Elements[2].Kind, mekMinute2);
}

TEST(ExcelMask, UnterminatedInputStopsAtTheEnd) {
    for (const char* mask : {"[Red", "0\\", "0_", "0*", "\"open", "[$", "[", "E+", "0.0E"}) {
        TExcelMask m;
        m.SetMask(mask);
        EXPECT_NO_THROW(m.FormatNumber(1.5)) << mask;
    }
    EXPECT_EQ(Render("0\"open", 1), "1");
}

TEST(ExcelMask, PowerRoutine) {
    EXPECT_EQ(MaskPower(10, 0), 1);
    EXPECT_EQ(MaskPower(0, 5), 0);
    EXPECT_EQ(MaskPower(10, 6), 1e6);
    EXPECT_DOUBLE_EQ(MaskPower(10, -3), 0.001);
    EXPECT_DOUBLE_EQ(MaskPower(4, 0.5), 2);
}
