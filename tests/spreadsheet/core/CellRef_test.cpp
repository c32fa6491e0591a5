#include "spreadsheet/core/CellRef.h"

#include "platform/rtl/CodePage.h"
#include "platform/rtl/Exception.h"
#include "spreadsheet/core/XLSGlobals.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace {

class CellRefTest : public testing::Test {
protected:
    void SetUp() override {
        MaxCol = MaxColWide;
        MaxRow = MaxRowWide;
    }
};

struct TParseCase {
    const char16_t* text;
    bool ok;
    int col = 0, row = 0;
    bool absCol = false, absRow = false;
};

std::string Utf8(std::u16string_view s) {
    return Utf16ToUtf8(s);
}

using TParser = bool (*)(std::u16string_view, int&, int&, bool&, bool&);

template <size_t N> void CheckParser(TParser parse, const TParseCase (&cases)[N]) {
    for (const TParseCase& c : cases) {
        int col = -7, row = -7;
        bool absCol = false, absRow = false;
        const bool ok = parse(c.text, col, row, absCol, absRow);
        EXPECT_EQ(ok, c.ok) << Utf8(c.text);
        if (ok && c.ok) {
            EXPECT_EQ((std::tuple{col, row, absCol, absRow}),
                      (std::tuple{c.col, c.row, c.absCol, c.absRow}))
                << Utf8(c.text);
        }
    }
}

} // namespace

TEST_F(CellRefTest, TextsOfPositions) {
    EXPECT_EQ(CellRefText(0, 0), u"A1");
    EXPECT_EQ(CellRefText(27, 9, true, true), u"$AB$10");
    EXPECT_EQ(CellRefText(701, 65535), u"ZZ65536");
    EXPECT_EQ(CellRefTextWide(25, 0), u"Z1");
    EXPECT_EQ(CellRefTextWide(26, 0), u"AA1");
    EXPECT_EQ(CellRefTextWide(701, 0), u"ZZ1");
    EXPECT_EQ(CellRefTextWide(702, 0), u"AAA1");
    EXPECT_EQ(CellRefTextWide(16383, 1048575), u"XFD1048576");
    EXPECT_EQ(AreaRefText(0, 0, 1, 1, true, false, false, true), u"$A1:B$2");
    EXPECT_EQ(AreaRefTextWide(702, 0, 16383, 9), u"AAA1:XFD10");
}

// Every wide text reads back as its position.
TEST_F(CellRefTest, WideTextsRoundTripOverAllColumns) {
    for (int col = 0; col <= MaxColWide; ++col) {
        int c = -1, r = -1;
        ASSERT_TRUE(ParseCellRefPlain(CellRefTextWide(col, col), c, r)) << col;
        ASSERT_EQ(c, col);
        ASSERT_EQ(r, col);
    }
}

TEST_F(CellRefTest, ClassicParser) {
    const TParseCase cases[] = {
        {u"A1", true, 0, 0, false, false},
        {u"IV65536", true, 255, 65535, false, false},
        {u"IZ1", true, 255, 0, false, false}, // lowered to the last column
        {u"$B$3", true, 1, 2, true, true},
        {u"$A10", true, 0, 9, true, false},
        {u"A$10", true, 0, 9, false, true},
        {u"JA1", false},
        {u"A", false},
        {u"AB", false},
        {u"", false},
        {u"$", false},
        {u"a1", false},
        {u"123", false},
        {u"A0", false},     // no row 0
        {u"A65537", false}, // no wrap into 16 bits
        {u"A70000", false},
        {u"A1x", false},
        {u"ABC1", false},
        {u"A$", false},
    };
    CheckParser(ParseCellRef, cases);
}

TEST_F(CellRefTest, WideParser) {
    const TParseCase cases[] = {
        {u"XFD1048576", true, 16383, 1048575, false, false},
        {u"$A10", true, 0, 9, true, false},
        {u"A$10", true, 0, 9, false, true},
        {u"$ZZ$1", true, 701, 0, true, true},
        {u"XFE1", false}, // beyond the last column
        {u"A1048577", false},
        {u"123", false},   // digits only: no column
        {u"A0", false},    // no row 0
        {u"ABCD1", false}, // four letters
        {u"", false},
    };
    CheckParser(ParseCellRefWide, cases);
}

TEST_F(CellRefTest, WideParserFollowsTheLimits) {
    int col, row;
    bool absCol, absRow;
    EXPECT_TRUE(ParseCellRefWide(u"XFD1048576", col, row, absCol, absRow));
    MaxCol = MaxColClassic;
    MaxRow = MaxRowClassic;
    EXPECT_FALSE(ParseCellRefWide(u"XFD1048576", col, row, absCol, absRow));
    EXPECT_FALSE(ParseCellRefPlain(u"IW1", col, row));
    EXPECT_TRUE(ParseCellRefPlain(u"IV65536", col, row));
}

TEST_F(CellRefTest, WideParserRaisesOnARowThatIsNotANumber) {
    int col, row;
    EXPECT_THROW(ParseCellRefPlain(u"A", col, row), EConvertError);
    EXPECT_THROW(ParseCellRefPlain(u"A99999999999", col, row), EConvertError);
}

TEST_F(CellRefTest, PlainParserTakesNoDollars) {
    int col, row;
    EXPECT_FALSE(ParseCellRefPlain(u"$A$1", col, row));
}

TEST_F(CellRefTest, AreaParsers) {
    int c1, r1, c2, r2;
    bool a1, b1, a2, b2;
    EXPECT_TRUE(ParseAreaRef(u"Sheet1!A1:B2", c1, r1, c2, r2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{0, 0, 1, 1}));
    EXPECT_FALSE(ParseAreaRef(u"Sheet1!A1", c1, r1, c2, r2));
    EXPECT_FALSE(ParseAreaRef(u"A1:A0", c1, r1, c2, r2));
    EXPECT_TRUE(ParseAreaRef(u"$C$3:D$4", c1, r1, c2, r2, a1, b1, a2, b2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{2, 2, 3, 3}));
    EXPECT_EQ((std::array{a1, b1, a2, b2}), (std::array{true, true, false, true}));
    EXPECT_TRUE(ParseAreaRefWide(u"AAA1:$XFD$9", c1, r1, c2, r2, a1, b1, a2, b2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{702, 0, 16383, 8}));
    EXPECT_EQ((std::array{a1, b1, a2, b2}), (std::array{false, false, true, true}));
    EXPECT_TRUE(ParseAreaRefPlain(u"B2:C3", c1, r1, c2, r2));
    EXPECT_EQ((std::array{c1, r1, c2, r2}), (std::array{1, 1, 2, 2}));
    EXPECT_FALSE(ParseAreaRefPlain(u"B2", c1, r1, c2, r2));
}
