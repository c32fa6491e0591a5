#include "regex/Regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Runs `body` and returns the ERegex it raises (fails the test when it raises nothing).
template <typename F> ERegex Raised(F body) {
    try {
        body();
    } catch (const ERegex& e) {
        return e;
    }
    ADD_FAILURE() << "no ERegex raised";
    return ERegex("", -1, -1);
}

TEST(Regex, GroupTextOutsideTheGroupsIsEmpty) {
    TRegex r;
    EXPECT_EQ(r.GetGroupText(0), ""); // no input yet
    r.SetExpression("(b)(c)");
    ASSERT_TRUE(r.Exec("abc"));
    EXPECT_EQ(r.GetGroupText(0), "bc");
    EXPECT_EQ(r.GetGroupText(2), "c");
    EXPECT_EQ(r.GetGroupText(3), "");
    EXPECT_EQ(r.GetGroupText(15), "");
    EXPECT_EQ(r.GetGroupText(-1), "");
    EXPECT_EQ(r.MatchPos(15), -1);
    EXPECT_EQ(r.MatchLen(-1), -1);
}

TEST(Regex, FailedSearchLeavesAllGroupsUnset) {
    TRegex r;
    r.SetExpression("(a)x");
    ASSERT_TRUE(r.Exec("ax"));
    EXPECT_FALSE(r.Exec("ab"));
    EXPECT_EQ(r.GetGroupText(0), "");
    EXPECT_EQ(r.MatchPos(0), -1);
    EXPECT_EQ(r.MatchPos(1), -1);
}

TEST(Regex, ModifierIndexOutsideOneToSixRaises1013) {
    TRegex r;
    for (int index : {0, 7, -1}) {
        ERegex e = Raised([&] { r.SetModifier(index, true); });
        EXPECT_EQ(e.ErrorCode(), 1013);
        EXPECT_EQ(e.Message(), "Unknown error");
        EXPECT_EQ(Raised([&] { r.Modifier(index); }).ErrorCode(), 1013);
    }
    EXPECT_EQ(r.LastError(), 1013);
}

TEST(Regex, ModifierDefaults) {
    TRegex r;
    const bool expected[] = {false, true, true, true, false, false}; // i r s g m x
    for (int index = 1; index <= 6; ++index)
        EXPECT_EQ(r.Modifier(index), expected[index - 1]) << index;
}

TEST(Regex, ParseModifiers) {
    struct Case {
        const char* text;
        unsigned before;
        bool ok;
        unsigned after;
    };
    const Case cases[] = {
        {"i", 0, true, TRegex::modI},
        {"IsX", 0, true, TRegex::modI | TRegex::modS | TRegex::modX},
        {"-i", TRegex::modI | TRegex::modG, true, TRegex::modG},
        {"m-sg", TRegex::modS | TRegex::modG, true, TRegex::modM},
        {"", TRegex::modR, true, TRegex::modR},
        {"iq", 0, false, TRegex::modI}, // letters read before the bad one stay applied
        {":", 0, false, 0},
    };
    for (const Case& c : cases) {
        unsigned set = c.before;
        EXPECT_EQ(TRegex::ParseModifiers(c.text, set), c.ok) << c.text;
        EXPECT_EQ(set, c.after) << c.text;
    }
}

TEST(Regex, LinePairedSeparatorNeedsTwoDifferentCharactersOrNone) {
    TRegex r;
    EXPECT_EQ(r.LinePairedSeparator(), "\r\n");
    for (const char* bad : {"aa", "a", "abc"}) {
        ERegex e = Raised([&] { r.SetLinePairedSeparator(bad); });
        EXPECT_EQ(e.ErrorCode(), 128) << bad;
        EXPECT_EQ(e.Message(), "TRegex(comp): LinePairedSeparator must countain two different "
                               "chars or no chars at all (pos 0)");
        EXPECT_EQ(e.ErrorPosition(), 0);
    }
    EXPECT_EQ(r.LinePairedSeparator(), "\r\n");
    r.SetLinePairedSeparator("");
    EXPECT_EQ(r.LinePairedSeparator(), "");
    r.SetLinePairedSeparator("|;");
    EXPECT_EQ(r.LinePairedSeparator(), "|;");
}

TEST(Regex, CompileErrorCarriesCodeAndPosition) {
    TRegex r;
    r.SetExpression("a)b");
    ERegex e = Raised([&] { r.Exec("ab"); });
    EXPECT_EQ(e.ErrorCode(), 104);
    EXPECT_EQ(e.ErrorPosition(), 1);
    EXPECT_EQ(e.Message(), "TRegex(comp): ParseReg Unmatched () (pos 1)");
    EXPECT_STREQ(e.ClassName(), "ERegex");
    EXPECT_EQ(r.LastError(), 104);
}

TEST(Regex, FailedCompileLeavesNoProgram) {
    TRegex r;
    r.SetExpression("(ab");
    EXPECT_EQ(Raised([&] { r.Exec("ab"); }).ErrorCode(), 103);
    // The next search compiles again and fails again, rather than running a half-built program.
    EXPECT_EQ(Raised([&] { r.Exec("ab"); }).ErrorCode(), 103);
    r.SetExpression("(ab)");
    EXPECT_TRUE(r.Exec("xab"));
    EXPECT_EQ(r.GetGroupText(1), "ab");
}

TEST(Regex, ErrorTextsAreTheEnginesOwn) {
    const std::vector<std::pair<int, std::string>> texts = {
        {0, "No errors"},
        {100, "TRegex(comp): Null Argument"},
        {103, "TRegex(comp): ParseReg Unmatched ()"},
        {104, "TRegex(comp): ParseReg Unmatched ()"},
        {110, "TRegex(comp): Parse Atom Trailing \\"},
        {111, "TRegex(comp): No Hex Code After \\x"},
        {115, "TRegex(comp): ?+*{ Follows Nothing"},
        {119, "TRegex(comp): RarseAtom Internal Disaster"},
        {124, "TRegex(comp): BRACE Min Param Greater then Max"},
        {126, "TRegex(comp): BRACES '{min,max}' and non-greedy ops '*?', '+?', '?\?' are not "
              "supported for complex cases"},
        {127, "TRegex(comp): Urecognized Modifier"},
        {1006, "TRegex(exec): Offset Must Be Greater Then 0"},
        {1011, "TRegex(dump): Corrupted Opcode"},
        {1015, "TRegex(exec): Loop Without LoopEntry !"},
        {1016, "TRegex(exec): Recursion Too Deep"},
        {2000, "TRegex(misc): Bad p-code imported"},
        {1013, "Unknown error"},
        {117, "Unknown error"},
    };
    TRegex r;
    for (const auto& [code, text] : texts)
        EXPECT_EQ(r.ErrorText(code), text) << code;
    // Search errors carry no position.
    ERegex e = Raised([&] { r.RaiseError(1005); });
    EXPECT_EQ(e.Message(), "TRegex(exec): No Input String Specified");
}

TEST(Regex, ChangingTheExpressionAlwaysDiscardsTheProgram) {
    TRegex r;
    r.SetExpression("a");
    ASSERT_TRUE(r.Exec("a"));
    // An empty expression must not leave the old pattern running.
    r.SetExpression("");
    EXPECT_EQ(Raised([&] { r.Exec("a"); }).ErrorCode(), 1003);
    r.SetExpression("b");
    EXPECT_FALSE(r.Exec("a"));
    EXPECT_TRUE(r.Exec("b"));
}

TEST(Regex, NoExpressionRaises1003) {
    TRegex r;
    EXPECT_EQ(Raised([&] { r.Exec("a"); }).ErrorCode(), 1003);
}

TEST(Regex, ChangingAModifierRecompiles) {
    TRegex r;
    r.SetExpression("a");
    EXPECT_FALSE(r.Exec("A"));
    r.SetModifier(1, true);
    EXPECT_TRUE(r.Exec("A"));
    r.SetModifier(1, false);
    EXPECT_FALSE(r.Exec("A"));
}

TEST(Regex, ChangingCharacterSettingsRecompiles) {
    TRegex r;
    r.SetExpression("\\w+");
    ASSERT_TRUE(r.Exec("ab-c"));
    EXPECT_EQ(r.GetGroupText(0), "ab");
    r.SetWordCharacters("abc-");
    ASSERT_TRUE(r.Exec("ab-c"));
    EXPECT_EQ(r.GetGroupText(0), "ab-c");

    r.SetExpression("a\\sb");
    EXPECT_TRUE(r.Exec("a b"));
    r.SetSpaceCharacters("_");
    EXPECT_FALSE(r.Exec("a b"));
    EXPECT_TRUE(r.Exec("a_b"));
}

TEST(Regex, ExecPosOffsets) {
    TRegex r;
    r.SetExpression("a");
    EXPECT_EQ(Raised([&] { r.ExecPos(1); }).ErrorCode(), 1005); // no input yet
    ASSERT_TRUE(r.Exec("aba"));
    EXPECT_EQ(Raised([&] { r.ExecPos(0); }).ErrorCode(), 1006);
    EXPECT_TRUE(r.ExecPos(2));
    EXPECT_EQ(r.MatchPos(0), 3);
    EXPECT_FALSE(r.ExecPos(4));
    EXPECT_FALSE(r.ExecPos(5)); // length + 2
    r.SetExpression("a*");
    EXPECT_TRUE(r.ExecPos(4)); // length + 1: the empty match at the end
    EXPECT_EQ(r.MatchPos(0), 4);
    EXPECT_EQ(r.MatchLen(0), 0);
}

TEST(Regex, EmptyInputIsOnePosition) {
    TRegex r;
    r.SetExpression("a*");
    EXPECT_TRUE(r.Exec(""));
    EXPECT_EQ(r.MatchPos(0), 1);
    r.SetExpression("[0-9]{2}");
    EXPECT_FALSE(r.Exec(""));
}

TEST(Regex, DefaultCaseInverterFollowsWindows1251) {
    const std::pair<unsigned char, unsigned char> pairs[] = {
        {'a', 'A'},   {'z', 'Z'},   {0xE0, 0xC0}, {0xFF, 0xDF}, {0xB8, 0xA8}, {0xB3, 0xB2},
        {0xB4, 0xA5}, {0xBA, 0xAA}, {0xBF, 0xAF}, {0xBC, 0xA3}, {0xBE, 0xBD}, {0x83, 0x81},
        {0x90, 0x80}, {0x9A, 0x8A}, {0x9F, 0x8F}, {0xA2, 0xA1},
    };
    for (auto [lower, upper] : pairs) {
        EXPECT_EQ(TRegex::DefaultCaseInverter(lower), upper) << int(lower);
        EXPECT_EQ(TRegex::DefaultCaseInverter(upper), lower) << int(upper);
    }
    for (int same : {int('1'), int(' '), int('_'), 0xB5, 0xB7, 0x98})
        EXPECT_EQ(TRegex::DefaultCaseInverter(static_cast<unsigned char>(same)), same) << same;
}

TEST(Regex, CaseInverterCanBeReplaced) {
    TRegex r;
    r.SetExpression("(?i)\xE0");
    EXPECT_TRUE(r.Exec("\xC0"));
    r.SetCaseInverter([](unsigned char c) { return c; });
    EXPECT_FALSE(r.Exec("\xC0"));
    r.SetCaseInverter(nullptr); // back to the default
    EXPECT_TRUE(r.Exec("\xC0"));
}

TEST(Regex, LongInputThroughAGeneralLoopRaisesInsteadOfOverflowing) {
    TRegex r;
    r.SetExpression("(ab)*c");
    std::string text;
    for (int i = 0; i < 1000; ++i)
        text += "ab";
    ASSERT_TRUE(r.Exec(text + "c")); // ordinary lengths are untouched
    EXPECT_EQ(r.MatchLen(0), 2001);

    text.clear();
    for (int i = 0; i < 1000000; ++i)
        text += "ab";
    ERegex e = Raised([&] { r.Exec(text + "c"); });
    EXPECT_EQ(e.ErrorCode(), 1016);
    EXPECT_EQ(e.Message(), "TRegex(exec): Recursion Too Deep");
    EXPECT_EQ(r.MatchPos(0), -1);
    // The engine stays usable.
    EXPECT_TRUE(r.Exec("ababc"));
}

TEST(Regex, SingleCharacterRepeatsDoNotRecurseOverLongInputs) {
    TRegex r;
    const std::string text = std::string(2000000, 'a') + "x";
    for (const char* pattern : {"a*x", "a+?x", "[a-z]{1,}?x", "(a)\\1*x"}) {
        r.SetExpression(pattern);
        ASSERT_TRUE(r.Exec(text)) << pattern;
        EXPECT_EQ(r.MatchLen(0), 2000001) << pattern;
    }
}

TEST(Regex, DumpListsTheProgram) {
    TRegex r;
    r.SetExpression("ab");
    EXPECT_EQ(r.DumpProgram(), "1 ALT -> 14\n6 LIT \"ab\" -> 14\n14 END -> 0\n");
}

} // namespace
