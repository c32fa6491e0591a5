#include "spreadsheet/formulas/EncodeFormula.h"

#include "spreadsheet/formulas/FormulaError.h"
#include "tests/spreadsheet/formulas/FormulaTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

struct Encoder : ::testing::Test {
    TTestEncoder t;
    void SetUp() override {
        MaxCol = MaxColClassic;
        MaxRow = MaxRowClassic;
        t.names = {{u"MYNAME", 0}, {u"TOTAL", 4}};
        t.sheets = {u"SHEET1", u"SHEET2"};
    }
};

struct TBytesCase {
    const char16_t* Text;
    uint8_t Version;
    const char* Hex;
};

TEST_F(Encoder, TokenBytes) {
    const TBytesCase cases[] = {
        {u"1+2*3", 1, "1E0100 1E0200 1E0300 05 03"},
        {u"-2^2", 1, "1E0200 13 1E0200 07"},
        {u"A1%", 1, "44 0000 00C0 14"},
        {u"50%+1", 1, "1E3200 14 1E0100 03"},
        {u"$B$3", 1, "44 0200 0100"},
        {u"$A10", 1, "44 0900 0080"},
        {u"A$10", 1, "44 0900 0040"},
        {u"A1:B2", 1, "45 0000 0100 00C0 01C0"},
        {u"SUM(A1)", 1, "24 0000 00C0 42 01 0400"},
        {u"sum(a1)", 1, "24 0000 00C0 42 01 0400"},
        {u"SUM(A1,,B1)", 1, "24 0000 00C0 16 24 0000 01C0 42 03 0400"},
        {u"SUM(A1,)", 1, "24 0000 00C0 42 01 0400"},
        {u"NOW()+1", 1, "41 4A00 1E0100 03"},
        {u"IF(A1,1,2)", 1, "44 0000 00C0 1E0100 1E0200 42 03 0100"},
        {u"ROUND(SUM(A1:B2),2)", 1, "25 0000 0100 00C0 01C0 42 01 0400 1E0200 41 1B00"},
        {u"1.5", 1, "1F 000000000000F83F"},
        {u"65536", 1, "1F 0000000000 00F040"},
        {u"65535", 1, "1E FFFF"},
        {u"TRUE", 1, "1D 01"},
        {u"false", 1, "1D 00"},
        {u"\"ab\"", 1, "17 02 01 6100 6200"},
        {u"\"\"", 1, "17 00 01"},
        {u"MyName*2", 1, "43 0100 0000 1E0200 05"},
        {u"(1)", 1, "1E0100 15"},
        {u"1 + 2", 1, "1E0100 19400001 1E0200 19400001 03"},
        {u"1<>2", 1, "1E0100 1E0200 0E"},
        {u"\"a\"&\"b\"", 1, "17 01 01 6100 17 01 01 6200 08"},
        {u"(A1,B1)", 1, "44 0000 00C0 44 0000 01C0 10 15"},
        {u"#N/A", 1, "1C 2A"},
        {u"A1+#REF!", 1, "44 0000 00C0 1C 17 03"},
        {u"IF(A1=#DIV/0!,1,2)", 1, "44 0000 00C0 1C 07 0B 1E0100 1E0200 42 03 0100"},
        {u"Sheet2!B3", 1, "5A 0B00 0200 01C0"},
        {u"'Sheet1'!A1:B2", 1, "3B 0A00 0000 0100 00C0 01C0"},
        {u"SUM(Sheet2!B3)", 1, "3A 0B00 0200 01C0 42 01 0400"},
        {u"A1", 2, "FE 44 00000000 0000"},
        {u"$B$3", 2, "FE 44 02000080 0180"},
        {u"XFD1048576", 2, "FE 44 FFFF0F00 FF3F"},
        {u"A1:B2", 2, "FE 45 00000000 01000000 0000 0100"},
        {u"Sheet2!B3", 2, "FE 5A 0B00 02000000 0100"},
        {u"Sheet2!A1:$B$2", 2, "FE 3B 0B00 00000000 01000080 0000 0180"},
        {u"A1+ B1", 2, "FE 44 00000000 0000 19400001 44 00000000 0100 03"},
        {u"[.A1]+[$Sheet2.B3]", 3, "44 0000 00C0 5A 0B00 0200 01C0 03"},
        {u"SUM([.A1:.B2])", 3, "25 0000 0100 00C0 01C0 42 01 0400"},
    };
    for (const TBytesCase& c : cases) {
        MaxCol = c.Version == 2 ? MaxColWide : MaxColClassic;
        MaxRow = c.Version == 2 ? MaxRowWide : MaxRowClassic;
        EXPECT_EQ(Hex(t.Compile(c.Text, c.Version)), Hex(Bytes(c.Hex)))
            << std::string(c.Text, c.Text + std::char_traits<char16_t>::length(c.Text));
    }
}

TEST_F(Encoder, ReferencesOfTheVersionsLimits) {
    // With version 2 the columns go up to XFD; beyond, and in the classic syntax, a name.
    MaxCol = MaxColWide;
    MaxRow = MaxRowWide;
    EXPECT_EQ(Hex(t.Compile(u"AGA1", 2)), "FE44000000005A03");
    t.names[u"XFE1"] = 7;
    t.names[u"IW1"] = 8;
    t.names[u"A1"] = 9;
    EXPECT_EQ(Hex(t.Compile(u"XFE1", 2)), "FE4308000000");
    EXPECT_EQ(Hex(t.Compile(u"IW1")), "4309000000");
    // A blank keeps A1 from being a reference in the classic syntax.
    EXPECT_EQ(Hex(t.Compile(u"A1 +B1")), Hex(Bytes("430A00 0000 44 0000 01C0 19400001 03")));
    EXPECT_EQ(Hex(t.Compile(u"A1+ B1")), Hex(Bytes("44 0000 00C0 19400001 44 0000 01C0 03")));
    // Rows beyond the workbook's limit are names.
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    EXPECT_EQ(t.Errors(u"A65537"), std::vector<int>{7});
}

// A code of 100 or more is the error raised at the end (100 + its code): a tokenizer fault
// stops the compilation with "Error in formula" after reporting.
struct TErrorCase {
    const char16_t* Text;
    uint8_t Version;
    std::vector<int> Codes;
};

TEST_F(Encoder, ReportedErrors) {
    const std::u16string longString = u"\"" + std::u16string(256, u'x') + u"\"";
    const TErrorCase cases[] = {
        {u"MOD(A1)", 1, {17}},
        {u"IF(A1)", 1, {}},
        {longString.c_str(), 1, {6}},
        {u"IW1", 1, {7}},
        {u"A1X", 1, {7}},
        {u"A1 +B1", 1, {7}},
        {u"A1 +B1", 2, {}},
        {u"XFE1", 2, {7}},
        {u"YAA1", 2, {7}},
        {u"SUM(A1))+5", 1, {11}},
        {u"(1", 1, {11}},
        {u"SUM(1", 1, {3}},
        {u"FOO(1)", 1, {4}},
        {u"GOTO(A1)", 1, {4}},
        {u"Sheet9!A1", 1, {15}},
        {u"#FOO+1", 1, {2}},
        {u"\"abc", 1, {5, 100}},
        {u"1..2", 1, {12, 100}},
        {u"'a*b'!A1", 1, {13, 100}},
        {u"[]A1", 1, {14, 100}},
        {u"$+1", 1, {16, 100}},
    };
    for (const TErrorCase& c : cases) {
        MaxCol = c.Version == 2 ? MaxColWide : MaxColClassic;
        MaxRow = c.Version == 2 ? MaxRowWide : MaxRowClassic;
        EXPECT_EQ(t.Errors(c.Text, c.Version), c.Codes)
            << std::string(c.Text, c.Text + std::char_traits<char16_t>::length(c.Text));
    }
}

TEST_F(Encoder, MessagesWithoutAnErrorHandler) {
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"MOD(A1)"); }),
              "Error in formula MOD(A1)\rWrong number of arguments for function MOD");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"   "); }), "Error in formula \rEmpty formula");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"Unknown+1"); }),
              "Error in formula Unknown+1\rUnknown name UNKNOWN");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"1+{1}"); }), "Error in formula");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u".5"); }), "Illegal use of decimal separator");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"?"); }), "Invalid name");
    EXPECT_EQ(ErrorMessage([&] { t.Compile(u"A1]", 3); }),
              "Unexpected character \"]\" in OOC formula");
    EXPECT_EQ(ErrorMessage([&] { t.encoder.Compile(u"1+2+3", 0, 1, 6); }),
              "Formula buffer overflow.");
    const int code = [&] {
        try {
            t.Compile(u"MOD(A1)");
        } catch (const EXLSFormulaError& e) {
            return e.Code();
        }
        return 0;
    }();
    EXPECT_EQ(code, 17);
}

TEST_F(Encoder, ArgumentClassesAndSheets) {
    // A cell formula is compiled with no class; a caller may ask for one.
    EXPECT_EQ(Hex(t.Compile(u"A1", 1, 0x20)), Hex(Bytes("24 0000 00C0")));
    EXPECT_EQ(Hex(t.Compile(u"MyName", 1, 0x60)), Hex(Bytes("63 0100 0000")));
    t.Compile(u"Sheet2!A1+A1");
    EXPECT_EQ(t.encoder.LastSheetIndex, 1);
    t.Compile(u"A1");
    EXPECT_EQ(t.encoder.LastSheetIndex, -1);
    // The list separator follows the decimal separator.
    TFormatSettings comma = TFormatSettings::Invariant();
    comma.DecimalSeparator = ',';
    t.encoder.SetFormatSettings(comma);
    EXPECT_EQ(Hex(t.Compile(u"SUM(1,5;2)")), Hex(Bytes("1F 000000000000F83F 1E0200 42 02 0400")));
}

} // namespace
