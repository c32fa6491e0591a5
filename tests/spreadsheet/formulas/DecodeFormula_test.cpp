#include "spreadsheet/formulas/DecodeFormula.h"

#include "spreadsheet/formulas/AdjustFormula.h"
#include "tests/spreadsheet/formulas/FormulaTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

#include <random>

namespace {

std::string Utf8(const std::u16string& s) {
    return std::string(s.begin(), s.end());
}

// Names 1.. are "NAME1"..; external-sheet entry n is the sheet "SHEETn"; sheet n (kind 3) is
// "TABn".
std::u16string Number(int n) {
    const std::string s = std::to_string(n);
    return std::u16string(s.begin(), s.end());
}

void Resolver(int kind, int index, std::u16string& text, int, int, int nameIndex) {
    switch (kind) {
    case 0:
        text = u"NAME" + Number(nameIndex);
        break;
    case 2:
        text = u"SHEET" + Number(index) + u"!";
        break;
    case 3:
        text = u"TAB" + Number(index);
        break;
    default:
        text = u"EXT";
    }
}

std::string Decode(const std::string& hex, TExcelVersion version = xvExcel97, bool resolve = true,
                   int rowBase = 0, int colBase = 0) {
    const std::vector<uint8_t> bytes = Bytes(hex);
    return Utf8(DecodeFormulaTokens(version, bytes.data(), static_cast<int>(bytes.size()),
                                    resolve ? TFormulaResolver(Resolver) : TFormulaResolver(),
                                    rowBase, colBase, -1, u',', TFormatSettings::Invariant()));
}

TEST(Decoder, Texts) {
    const std::pair<const char*, const char*> cases[] = {
        {"1E0100 1E0200 03 15 1E0300 05", "(1+2)*3"},
        {"03", "<Val missing>"},
        {"", "[ERROR]"},
        {"44 0000 00C0", "A1"},
        {"44 0000 0000", "$A$1"},
        {"24 0900 0180", "$B10"},
        {"44 0000 00C0 44 0000 01C0 42 02 0400", "SUM(A1,B1)"},
        {"25 0000 0100 00C0 01C0 19 10 0000", "SUM(A1:B2)"},
        {"1E0200 13 1E0200 07", "-2^2"},
        {"1E3200 14 1E0100 03", "50%+1"},
        {"1E0100 1E0200 0E", "1<>2"},
        {"1F 000000000000F83F", "1.5"},
        {"17 02 01 6100 6200 17 01 00 63 08", "\"ab\"&\"c\""},
        {"1D01 1D00 10", "TRUE,FALSE"},
        {"1C 2A", "#N/A"},
        {"1C 03", "#???"},
        {"44 0000 00C0 16 44 0000 01C0 42 03 0400", "SUM(A1,,B1)"},
        {"41 4A00 1E0100 03", "NOW()+1"},
        {"43 0300 0000", "NAME3"},
        {"5A 0200 0200 01C0", "SHEET2!B3"},
        {"3B 0100 0000 0100 00C0 01C0", "SHEET1!A1:B2"},
        {"3C 0200 0000 0000", "SHEET2!#REF!"},
        {"2A 0000 0000 1E0100 03", "#REF!+1"},
        {"02 0000 0000", "Unknown ptg[02]"},
        {"1E0100 0F", "Unknown ptg[0F]"},
        {"18 63 1E0100", "1"},
        {"01 0400 0200", "[Row=4 Col=2]"},
        {"FE 44 02000080 0180", "$B$3"},
        {"FE 44 FFFF0F00 FF3F", "XFD1048576"},
        {"FE 45 00000000 01000000 0000 0100", "A1:B2"},
        {"FE 5A 0B00 02000000 0100", "SHEET11!B3"},
        {"1E0100 1E0200 03 0000 1E0300", "1+2"},
        {"19 04 0200 0800 0A00 0C00 1E0100", "1"},
    };
    for (const auto& [hex, text] : cases)
        EXPECT_EQ(Decode(hex), text) << hex;
}

TEST(Decoder, WithoutResolverAndInOtherLayouts) {
    EXPECT_EQ(Decode("43 0100 0000", xvExcel97, false), "[EXTERNNAME]");
    EXPECT_EQ(Decode("59 0100 0200 0000", xvExcel97, false), "[EXTERNNAME X]");
    EXPECT_EQ(Decode("5A 0100 0000 00C0", xvExcel97, false), "[ExternSheet]A1");
    // The 1993 layout: relative bits in the row field, an 8-bit column, no string flag.
    EXPECT_EQ(Decode("44 0200 01", xvExcel50), "$B$3");
    EXPECT_EQ(Decode("44 02C0 01", xvExcel50), "B3");
    EXPECT_EQ(Decode("17 02 6162", xvExcel50), "\"ab\"");
    EXPECT_EQ(Decode("3A FFFF 0000000000000000 0100 0100 01C0 02", xvExcel50), "TAB1!C2");
    EXPECT_EQ(Decode("3A FFFF 0000000000000000 FFFF FFFF 01C0 02", xvExcel50), "[DELETED]!C2");
    EXPECT_EQ(Decode("43 0000 0000 0000 0000 0000", xvExcel40), "[NAME]");
}

TEST(Decoder, SharedFormulaReferencesTakeTheBase) {
    // Relative offsets of -1 row and +2 columns from row 10, column 3.
    EXPECT_EQ(Decode("4C FFFF 02C0", xvExcel97, true, 10, 3), "F10");
    EXPECT_EQ(Decode("4C 0500 0200", xvExcel97, true, 10, 3), "$C$6");
    EXPECT_EQ(Decode("4D 0000 0100 00C0 01C0", xvExcel97, true, 4, 1), "B5:C6");
}

TEST(Decoder, ArrayConstantsFollowTheTokens) {
    // One column of two rows after the tokens: a number and a string.
    std::vector<uint8_t> bytes = Bytes("60 00000000000000 1E0100 03");
    const int length = static_cast<int>(bytes.size());
    for (uint8_t b : Bytes("00 0100 01 000000000000F83F 02 0200 00 7879"))
        bytes.push_back(b);
    EXPECT_EQ(Utf8(DecodeFormulaTokens(xvExcel97, bytes.data(), length, Resolver, 0, 0, -1, u';',
                                       TFormatSettings::Invariant(),
                                       static_cast<int>(bytes.size()) - length)),
              "{1.5;\"xy\"}+1");
    // Array data missing, or an unknown element type.
    EXPECT_EQ(Decode("60 00000000000000"), "[ERROR]");
    std::vector<uint8_t> bad = Bytes("60 00000000000000 0000 00 07");
    EXPECT_EQ(Utf8(DecodeFormulaTokens(xvExcel97, bad.data(), 8, Resolver, 0, 0, -1, u',',
                                       TFormatSettings::Invariant(), 4)),
              "Bad element ID#7 in array");
}

TEST(Decoder, TruncatedAndBrokenStreams) {
    // A token that runs past the end never reads beyond it.
    for (const char* hex : {"1E01", "1F 0000", "44 0000 00", "17 05 01 6100", "42 02",
                            "19 04 0500 0000", "3B 0100 0000"})
        EXPECT_EQ(Decode(hex), "[ERROR]") << hex;
    EXPECT_EQ(ErrorMessage([] { Decode("42 02 0400"); }), "Function arguments missing");
    EXPECT_EQ(ErrorMessage<EListError>([] { Decode("15"); }), "List index out of bounds (-1)");
    // A numbered entry with no argument keeps its number as the name.
    EXPECT_EQ(Decode("42 00 FF00"), "255()");
    EXPECT_EQ(Decode("43 0200 0000 1E0100 42 02 FF00"), "NAME2(1)");
}

} // namespace
