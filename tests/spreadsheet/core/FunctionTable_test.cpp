#include "spreadsheet/core/FunctionTable.h"

#include <gtest/gtest.h>

TEST(FunctionTable, LookupByName) {
    EXPECT_EQ(FindFunction(u"SUM"), 4);
    EXPECT_EQ(FindFunction(u"IF"), 1);
    EXPECT_EQ(FindFunction(u"ISHYPERLINK"), 380);
    EXPECT_EQ(FindFunction(u"sum"), -1); // names are matched exactly
    EXPECT_EQ(FindFunction(u"NOSUCH"), -1);
    const int getCell = FindFunction(u"GET.CELL");
    ASSERT_EQ(getCell, 185);
    EXPECT_FALSE(FunctionDefinition(getCell).Usable());
    EXPECT_EQ(FunctionDefinition(getCell).Max, 255);
}

TEST(FunctionTable, CountsAndClasses) {
    EXPECT_TRUE(FunctionDefinition(39).FixedCount()); // MOD
    EXPECT_EQ(FunctionDefinition(39).Min, 2);
    const TFunctionDefinition& ifs = FunctionDefinition(1);
    EXPECT_FALSE(ifs.FixedCount());
    EXPECT_EQ(ifs.Min, 2);
    EXPECT_EQ(ifs.Max, 3);
    const TFunctionDefinition& vlookup = FunctionDefinition(102);
    EXPECT_EQ(std::u16string(vlookup.Name), u"VLOOKUP");
    EXPECT_EQ(vlookup.Max, kFunctionOpenCount);
    const uint8_t expected[6] = {fcValue, fcReference, fcReference, fcValue, fcNone, fcNone};
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(vlookup.Classes[i], expected[i]) << i;
    EXPECT_EQ(FunctionDefinition(60).Classes[5], fcValue); // RATE has six classes
    EXPECT_EQ(FunctionDefinition(83).Classes[0], fcArray); // TRANSPOSE
}

// Entries without a name of their own carry their number, and no name stands twice.
TEST(FunctionTable, NumberedNamesAndUniqueness) {
    for (int n : {202, 203, 217, 218, 249, 250, 255, 333})
        EXPECT_EQ(FindFunction(std::u16string(FunctionDefinition(n).Name)), n) << n;
    EXPECT_EQ(std::u16string(FunctionDefinition(255).Name), u"255");
    for (int i = 0; i < kFunctionCount; ++i)
        EXPECT_EQ(FindFunction(FunctionDefinition(i).Name), i) << i;
}
