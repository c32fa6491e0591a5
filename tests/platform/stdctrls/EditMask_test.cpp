#include "platform/stdctrls/EditMask.h"

#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

namespace {

struct FitCase {
    const char* mask;
    const char* text;
    const char* editText;
    const char* result;
};

// Texts set into the masks the settings pages use, and a few other shapes of mask.
TEST(EditMask, SetTextFitsTheMask) {
    const FitCase cases[] = {
        // Periods (days, hours, minutes): two optional digits filled from the right.
        {"!99;1;_", "10", "10", "10"},
        {"!99;1;_", "5", "_5", " 5"},
        {"!99;1;_", "", "__", "  "},
        {"!99;1;_", "123", "23", "23"},
        {"!99;1;_", "x7", "_7", " 7"},
        // Zone seconds with their fixed comma; the factory value "00,0000" is cut to "00,00".
        {"!99,99;1;_", "10,00", "10,00", "10,00"},
        {"!99,99;1;_", "7,41", "_7,41", " 7,41"},
        {"!99,99;1;_", "30", "__,30", "  ,30"},
        {"!99,99;1;_", "00,0000", "00,00", "00,00"},
        {"!99,99;1;_", " 7,41", "_7,41", " 7,41"},
        // Degrees of longitude and the on-line time.
        {"!999;1;_", "000", "000", "000"},
        {"!999;1;_", "37", "_37", " 37"},
        {"!99999;1;_", "00120", "00120", "00120"},
        {"!99999;1;_", "120", "__120", "  120"},
        {"!99999;1;_", "65534", "65534", "65534"},
        // Left to right, literals not saved: the text holds only the field characters.
        {"(999)000-0000;0;_", "1234567890", "(123)456-7890", "1234567890"},
        {"(999)000-0000;0;_", "12345", "(123)45_-____", "12345"},
        // Left to right with saved literals; a literal in the text lines up with the mask's.
        {"99:99;1;*", "5:30", "5*:30", "5 :30"},
        {"99:99;1;*", "12:3", "12:3*", "12:3 "},
        // Case conversion, escapes, blanks and signs.
        {">LL<ll;1;_", "abCD", "ABcd", "ABcd"},
        {">LL<>ll;1;_", "abCD", "ABCD", "ABCD"},
        {">L;1;_", "я", "Я", "Я"},
        {"\\A99;1;_", "A12", "A12", "A12"},
        {"\\A99;0;_", "12", "A12", "12"},
        {"99_99;1;_", "12 34", "12 34", "12 34"},
        {"#99;1;_", "-12", "-12", "-12"},
        {"aaa;1;_", "a1-", "a1_", "a1 "},
        {"ccc;1;_", "a-+", "a-+", "a-+"},
        // Defaults: literals saved, blank "_".
        {"99", "1", "1_", "1 "},
    };
    for (const FitCase& c : cases) {
        SCOPED_TRACE(std::string(c.mask) + " <- \"" + c.text + "\"");
        TEditMask m(c.mask);
        m.SetText(c.text);
        EXPECT_EQ(m.EditText(), c.editText);
        EXPECT_EQ(m.Text(), c.result);
        // What Text gives back fits to the same shown text.
        TEditMask again(c.mask);
        again.SetText(m.Text());
        EXPECT_EQ(again.EditText(), c.editText);
    }
}

TEST(EditMask, SeparatorsComeFromTheFormatSettings) {
    TFormatSettings saved = FormatSettings();
    FormatSettings().DateSeparator = '.';
    FormatSettings().TimeSeparator = '-';
    TEditMask m("00/00/0000 00:00;1;_");
    m.SetText("01.02.2026 13-45");
    EXPECT_EQ(m.EditText(), "01.02.2026 13-45");
    FormatSettings() = saved;
}

TEST(EditMask, MaskFieldsParsed) {
    TEditMask m("!99,99;0; ");
    EXPECT_TRUE(m.Reversed());
    EXPECT_FALSE(m.SaveLiterals());
    EXPECT_EQ(m.BlankChar(), U' ');
    EXPECT_EQ(m.Length(), 5);
    EXPECT_TRUE(m.IsLiteral(2));
    EXPECT_FALSE(m.IsLiteral(0));

    TEditMask escaped("\\;9;1;#");
    EXPECT_EQ(escaped.Length(), 2);
    EXPECT_TRUE(escaped.IsLiteral(0));
    EXPECT_EQ(escaped.EditText(), ";#");
}

TEST(EditMask, WithoutMaskTextIsPlain) {
    TEditMask m;
    m.SetText("любой текст");
    EXPECT_EQ(m.Text(), "любой текст");
    EXPECT_EQ(m.EditText(), "любой текст");
    int cursor = 0;
    EXPECT_FALSE(m.TypeChar(cursor, U'x'));

    // Setting a mask keeps what fits of the text; removing it keeps the masked text.
    m.SetText("12");
    m.SetMask("!999;1;_");
    EXPECT_EQ(m.EditText(), "_12");
    m.SetMask("");
    EXPECT_EQ(m.Text(), " 12");
}

TEST(EditMask, TypingOverwritesAndStepsOverLiterals) {
    TEditMask m("!99,99;1;_");
    int cursor = 0;
    EXPECT_TRUE(m.TypeChar(cursor, U'1'));
    EXPECT_TRUE(m.TypeChar(cursor, U'2'));
    EXPECT_EQ(cursor, 3); // past the comma
    EXPECT_FALSE(m.TypeChar(cursor, U'x'));
    EXPECT_TRUE(m.TypeChar(cursor, U'3'));
    EXPECT_TRUE(m.TypeChar(cursor, U'4'));
    EXPECT_EQ(cursor, 5);
    EXPECT_EQ(m.EditText(), "12,34");
    EXPECT_FALSE(m.TypeChar(cursor, U'5')); // nothing after the last position

    cursor = 0;
    EXPECT_TRUE(m.TypeChar(cursor, U'9')); // overwrite
    EXPECT_EQ(m.EditText(), "92,34");

    // Typing the literal at or ahead of the cursor steps over it.
    cursor = 2;
    EXPECT_TRUE(m.TypeChar(cursor, U','));
    EXPECT_EQ(cursor, 3);

    // Backspace blanks the field before the cursor, skipping the literal.
    EXPECT_TRUE(m.Backspace(cursor));
    EXPECT_EQ(cursor, 1);
    EXPECT_EQ(m.EditText(), "9_,34");
    cursor = 0;
    EXPECT_FALSE(m.Backspace(cursor));

    m.Clear(0, 5);
    EXPECT_EQ(m.EditText(), "__,__");
    EXPECT_EQ(m.Text(), "  ,  ");
}

TEST(EditMask, CaseConversionAppliesWhileTyping) {
    TEditMask m(">LL;1;_");
    int cursor = 0;
    EXPECT_TRUE(m.TypeChar(cursor, U'q'));
    EXPECT_TRUE(m.TypeChar(cursor, U'ж'));
    EXPECT_EQ(m.Text(), "QЖ");
}

TEST(EditMask, SetEditTextKeepsPositions) {
    TEditMask m("!99,99;1;_");
    m.SetEditText("1x,3_");
    EXPECT_EQ(m.EditText(), "1_,3_");
    EXPECT_EQ(m.Text(), "1 ,3 ");
    m.SetEditText("12");
    EXPECT_EQ(m.EditText(), "12,__");
}

TEST(EditMask, RequiredPositionsAreValidated) {
    TEditMask required("000;1;_");
    required.SetText("12");
    EXPECT_FALSE(required.IsComplete());
    EXPECT_THROW(required.Validate(), EEditMaskError);
    required.SetText("123");
    EXPECT_TRUE(required.IsComplete());
    EXPECT_NO_THROW(required.Validate());

    TEditMask optional("!99;1;_");
    EXPECT_TRUE(optional.IsComplete());
    EXPECT_NO_THROW(optional.Validate());
}

} // namespace
