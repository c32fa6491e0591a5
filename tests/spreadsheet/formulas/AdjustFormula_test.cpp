#include "spreadsheet/formulas/AdjustFormula.h"

#include "tests/spreadsheet/formulas/FormulaTestSupport.h"
#include "tests/support/ErrorMessage.h"

#include <gtest/gtest.h>

namespace {

struct TMoveCase {
    const char* Before;
    int Cols, Rows;
    bool KeepRows, All;
    const char* After;
};

std::string Adjust(const char* hex, int cols, int rows, bool keepRows, bool all,
                   bool current = true) {
    std::vector<uint8_t> t = Bytes(hex);
    AdjustCell(current, t.data(), static_cast<int>(t.size()), cols, rows, keepRows, all);
    return Hex(t);
}

TEST(AdjustCell, MovesReferences) {
    const TMoveCase cases[] = {
        // B2 relative, by -2 rows: off the sheet, the error form of the same class.
        {"44 0100 01C0", 0, -2, false, false, "4A 0100 01C0"},
        {"24 0100 01C0", 0, -2, false, false, "2A 0100 01C0"},
        {"44 0100 01C0", 1, 1, false, false, "44 0200 02C0"},
        // Absolute parts stay unless every reference moves.
        {"44 0100 0100", 1, 1, false, false, "44 0100 0100"},
        {"44 0100 0100", 1, 1, false, true, "44 0200 0200"},
        {"44 0100 0180", 1, 1, false, false, "44 0200 0180"},
        // Rows kept.
        {"44 0100 01C0", 1, 1, true, false, "44 0100 02C0"},
        // Columns beyond IV and rows beyond 65536.
        {"44 0000 FFC0", 1, 0, false, false, "4A 0000 FFC0"},
        {"44 FFFF 00C0", 0, 1, false, false, "4A FFFF 00C0"},
        // Areas move both corners; one corner off the sheet is enough for the error form.
        {"25 0000 0100 00C0 01C0", 2, 3, false, false, "25 0300 0400 02C0 03C0"},
        {"25 0000 0100 00C0 0100", -1, 0, false, false, "2B 0000 0100 00C0 0100"},
        {"25 0000 0100 0000 01C0", -1, 0, false, false, "25 0000 0100 0000 00C0"},
        // References on sheets; other tokens are stepped over.
        {"1E0100 3A 0500 0100 01C0 03", 1, 1, false, false, "1E0100 3A 0500 0200 02C0 03"},
        {"17 02 01 4100 4200 3B 0100 0000 0100 00C0 01C0", 0, -1, false, false,
         "17 02 01 4100 4200 3D 0100 0000 0100 00C0 01C0"},
        // The wide layout: bit 31 of the row and bit 15 of the column mark absolute parts.
        {"FE 44 00000000 0000", 3, 70000, false, false, "FE 44 70110100 0300"},
        {"FE 44 02000080 0180", 3, 5, false, false, "FE 44 02000080 0180"},
        {"FE 44 00000000 0000", -1, 0, false, false, "FE 4A 00000000 0000"},
    };
    for (const TMoveCase& c : cases)
        EXPECT_EQ(Adjust(c.Before, c.Cols, c.Rows, c.KeepRows, c.All), Hex(Bytes(c.After)))
            << c.Before;
}

TEST(AdjustCell, OlderLayout) {
    // Rows carry the relative bits and end at 16383; columns are one byte.
    EXPECT_EQ(Adjust("44 01C0 01", 1, 1, false, false, false), Hex(Bytes("44 02C0 02")));
    EXPECT_EQ(Adjust("44 FFFF 01", 0, 1, false, false, false), Hex(Bytes("4A FFFF 01")));
}

TEST(AdjustCell, RefusesStreamsItCannotWalkBeforeChangingThem) {
    std::vector<uint8_t> t = Bytes("44 0000 00C0 02 0000 0000");
    const std::vector<uint8_t> before = t;
    EXPECT_EQ(ErrorMessage([&] {
                  AdjustCell(true, t.data(), static_cast<int>(t.size()), 1, 1, false, false);
              }),
              "Unknown ptg[02] in AdjustCell");
    EXPECT_EQ(t, before);
    t = Bytes("44 0000 00C0 44 0000");
    EXPECT_EQ(ErrorMessage([&] {
                  AdjustCell(true, t.data(), static_cast<int>(t.size()), 1, 1, false, false);
              }),
              "Formula tokens are truncated");
    EXPECT_EQ(Hex(t), Hex(Bytes("44 0000 00C0 44 0000")));
}

TEST(OffsetSharedFormula, MovesOnlyRelativeParts) {
    std::vector<uint8_t> t =
        Bytes("FE 44 00000000 0000 44 00000080 0080 45 00000000 01000080 0000 0180");
    OffsetSharedFormula(t.data(), static_cast<int>(t.size()), 2, 3);
    EXPECT_EQ(Hex(t),
              Hex(Bytes("FE 44 03000000 0200 44 00000080 0080 45 03000000 01000080 0200 0180")));
    t = Bytes("FE 4C 0000 00C0");
    EXPECT_EQ(
        ErrorMessage([&] { OffsetSharedFormula(t.data(), static_cast<int>(t.size()), 1, 1); }),
        "Illegal ptg[4C] in Shared 2007 Formula");
    t = Bytes("FE 0F");
    EXPECT_EQ(
        ErrorMessage([&] { OffsetSharedFormula(t.data(), static_cast<int>(t.size()), 1, 1); }),
        "Unknown ptg[0F] in Shared 2007 Formula");
}

} // namespace
