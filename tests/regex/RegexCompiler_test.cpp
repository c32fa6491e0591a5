#include "regex/Regex.h"
#include "regex/RegexCompiler.h"

#include <gtest/gtest.h>

#include <string>

using namespace regex_program;

namespace {

std::string Dump(const std::string& pattern,
                 unsigned modifiers = TRegex::modR | TRegex::modS | TRegex::modG) {
    TRegex r;
    for (int i = 1; i <= 6; ++i)
        r.SetModifier(i, (modifiers >> (i - 1)) & 1);
    r.SetExpression(pattern);
    return r.DumpProgram();
}

int CompileErrorCode(const std::string& pattern, int* position = nullptr) {
    TRegex r;
    r.SetExpression(pattern);
    try {
        r.Exec("");
    } catch (const ERegex& e) {
        if (position)
            *position = e.ErrorPosition();
        return e.ErrorCode();
    }
    return 0;
}

RegexProgram CompileDefault(const std::string& pattern) {
    CompileOptions options;
    options.modifiers = TRegex::modR | TRegex::modS | TRegex::modG;
    static unsigned char table[256];
    for (int c = 0; c < 256; ++c)
        table[c] = TRegex::DefaultCaseInverter(static_cast<unsigned char>(c));
    options.caseTable = table;
    options.spaceChars = " \t\n\r\f";
    options.wordChars = "_abc";
    options.lineBreakChars = "\r\n";
    options.lineSeparatorsExist = true;
    return Compile(pattern, options);
}

std::string FirstChars(const RegexProgram& p) {
    std::string out;
    for (int c = 0; c < 256; ++c)
        if (p.firstChars[c])
            out += c == 0 ? '0' : static_cast<char>(c);
    return p.firstCount == 256 ? "all" : out;
}

TEST(RegexCompiler, SingleCharacterItemsUseTheCountedRepeat) {
    EXPECT_EQ(Dump("[0-9]{2}"), "1 ALT -> 56\n"
                                "6 REPEAT {2,2} -> 56\n"
                                "19 SETFULL [0-9] -> 0\n"
                                "56 END -> 0\n");
    EXPECT_EQ(Dump("[ab]{2}"), "1 ALT -> 27\n"
                               "6 REPEAT {2,2} -> 27\n"
                               "19 SET abb -> 0\n"
                               "27 END -> 0\n");
    EXPECT_EQ(Dump("a??"), "1 ALT -> 26\n"
                           "6 REPEATLAZY {0,1} -> 26\n"
                           "19 LIT \"a\" -> 0\n"
                           "26 END -> 0\n");
}

TEST(RegexCompiler, QuantifierAfterALiteralRunTakesItsLastCharacter) {
    EXPECT_EQ(Dump("abc*"), "1 ALT -> 26\n"
                            "6 LIT \"ab\" -> 14\n"
                            "14 STAR -> 26\n"
                            "19 LIT \"c\" -> 0\n"
                            "26 END -> 0\n");
}

TEST(RegexCompiler, GreedyRepeatsOfGroupsLoopThroughBackLinks) {
    // (item back | empty): the back link returns to the alternative in front of the item.
    EXPECT_EQ(Dump("(ab)*c"), "1 ALT -> 56\n"
                              "6 ALT -> 39\n"
                              "11 OPEN1 -> 16\n"
                              "16 ALT -> 29\n"
                              "21 LIT \"ab\" -> 29\n"
                              "29 CLOSE1 -> 34\n"
                              "34 BACK -> 6\n"
                              "39 ALT -> 44\n"
                              "44 EMPTY -> 49\n"
                              "49 LIT \"c\" -> 56\n"
                              "56 END -> 0\n");
    // item (back | empty)
    EXPECT_EQ(Dump("(ab)+"), "1 ALT -> 49\n"
                             "6 OPEN1 -> 11\n"
                             "11 ALT -> 24\n"
                             "16 LIT \"ab\" -> 24\n"
                             "24 CLOSE1 -> 29\n"
                             "29 ALT -> 39\n"
                             "34 BACK -> 6\n"
                             "39 ALT -> 44\n"
                             "44 EMPTY -> 49\n"
                             "49 END -> 0\n");
    // (item | empty)
    EXPECT_EQ(Dump("(ab)?"), "1 ALT -> 44\n"
                             "6 ALT -> 34\n"
                             "11 OPEN1 -> 16\n"
                             "16 ALT -> 29\n"
                             "21 LIT \"ab\" -> 29\n"
                             "29 CLOSE1 -> 39\n"
                             "34 ALT -> 39\n"
                             "39 EMPTY -> 44\n"
                             "44 END -> 0\n");
}

TEST(RegexCompiler, BracesAndLazyRepeatsOfGroupsUseCountedLoops) {
    EXPECT_EQ(Dump("(ab){2,3}"), "1 ALT -> 51\n"
                                 "6 LOOPENTRY -> 34\n"
                                 "11 OPEN1 -> 16\n"
                                 "16 ALT -> 29\n"
                                 "21 LIT \"ab\" -> 29\n"
                                 "29 CLOSE1 -> 34\n"
                                 "34 LOOP {2,3} body 11 -> 51\n"
                                 "51 END -> 0\n");
    EXPECT_EQ(Dump("(ab)*?"), "1 ALT -> 51\n"
                              "6 LOOPENTRY -> 34\n"
                              "11 OPEN1 -> 16\n"
                              "16 ALT -> 29\n"
                              "21 LIT \"ab\" -> 29\n"
                              "29 CLOSE1 -> 34\n"
                              "34 LOOPLAZY {0,inf} body 11 -> 51\n"
                              "51 END -> 0\n");
    // With modifier g off every quantifier is lazy.
    EXPECT_EQ(Dump("a+", TRegex::modR | TRegex::modS), "1 ALT -> 18\n"
                                                       "6 PLUSLAZY -> 18\n"
                                                       "11 LIT \"a\" -> 0\n"
                                                       "18 END -> 0\n");
}

TEST(RegexCompiler, SetsOfAtMostThreeMembersAreTiny) {
    EXPECT_EQ(Dump("[^a]\\s"), "1 ALT -> 51\n"
                               "6 NOTSET aaa -> 14\n"
                               "14 SETFULL [\\x09-\\x0A\\x0C-\\x0D\\x20] -> 51\n"
                               "51 END -> 0\n");
    // Modifier i adds each member's counterpart; literals and back-references compare without case.
    EXPECT_EQ(Dump("(?i)[a]b\\1"), "1 ALT -> 32\n"
                                   "6 COMMENT -> 11\n"
                                   "11 SET Aaa -> 19\n"
                                   "19 LITNC \"b\" -> 26\n"
                                   "26 BACKREFNC 1 -> 32\n"
                                   "32 END -> 0\n");
}

TEST(RegexCompiler, ClassSyntax) {
    struct Case {
        const char* pattern;
        const char* set;
    };
    const Case cases[] = {
        {"[]a]", "SET ]aa"},
        {"[^]a]", "NOTSET ]aa"},
        {"[a-]", "SET \\x2Daa"},
        {"[\\d-z]", "SETFULL [\\x2D0-9z]"}, // "-" before a class escape is a member
        {"[\\D]", "SET DDD"},               // \D inside a class is the letter D
        {"[\\x41-\\x43]", "SET ABC"},
        {"[\\n\\t]", "SET \\x09\\x0A\\x0A"},
        {"[\\]]", "SET ]]]"},
        {"[\\x{7e}]", "SET ~~~"},
    };
    for (const Case& c : cases)
        EXPECT_NE(Dump(c.pattern).find(std::string("6 ") + c.set + " "), std::string::npos)
            << c.pattern << "\n"
            << Dump(c.pattern);
}

TEST(RegexCompiler, RussianRangesTakeInYo) {
    // а-я is 0xE0-0xFF; ё (0xB8) lies outside it in the code page.
    EXPECT_NE(Dump("[\xE0-\xFF]").find("[\\xB8\\xE0-\\xFF]"), std::string::npos);
    EXPECT_NE(Dump("[\xC0-\xDF]").find("[\\xA8\\xC0-\\xDF]"), std::string::npos);
    EXPECT_NE(Dump("[\xE0-\xDF]").find("[\\xA8\\xB8\\xC0-\\xFF]"), std::string::npos);
    EXPECT_NE(Dump("[\xE0-\xFF]", TRegex::modS).find("[\\xE0-\\xFF]"), std::string::npos);
    EXPECT_EQ(CompileErrorCode("(?-r)[\xE0-\xDF]"), 109);
}

TEST(RegexCompiler, SyntaxErrors) {
    struct Case {
        const char* pattern;
        int code;
        int position;
    };
    const Case cases[] = {
        {"*a", 115, 1},        {"a**", 107, 2},          {"a*?+", 107, 3},
        {"(a|)*", 106, 4},     {"(a?)+", 106, 4},        {"(\\b){2}", 106, 4},
        {"(x{0,2})*", 106, 8}, // a repeat that may run zero times has no width
        {"x{3,2}", 124, 4},    {"x{123456789}", 122, 2}, {"x{1,123456789}", 122, 4},
        {"(ab", 103, 3},       {"a)b", 104, 1},          {"[ab", 113, 3},
        {"[a-", 113, 3},       {"[z-a]", 109, 4},        {"a\\", 116, 2},
        {"[a\\", 110, 3},      {"\\x", 111, 2},          {"\\x4", 111, 3},
        {"\\xg1", 108, 2},     {"\\x{12", 111, 5},       {"\\x{}", 111, 3},
        {"\\x{1g}", 108, 4},   {"\\x{100}", 112, 5},     {"(?#comment", 125, 10},
        {"(?q)", 127, 4},      {"(?i", 127, 1},          {"(?:a)", 127, 5},
    };
    for (const Case& c : cases) {
        int position = -1;
        EXPECT_EQ(CompileErrorCode(c.pattern, &position), c.code) << c.pattern;
        EXPECT_EQ(position, c.position) << c.pattern;
    }
}

TEST(RegexCompiler, FifteenGroupsAreTooMany) {
    std::string fourteen, fifteen;
    for (int i = 0; i < 14; ++i)
        fourteen += "(a)";
    fifteen = fourteen + "(a)";
    EXPECT_EQ(CompileErrorCode(fourteen), 0);
    EXPECT_EQ(CompileErrorCode(fifteen), 102);
}

TEST(RegexCompiler, StartFacts) {
    RegexProgram p = CompileDefault("abc");
    EXPECT_EQ(p.startChar, 'a');
    EXPECT_FALSE(p.anchored);
    EXPECT_EQ(p.requiredLiteral, 0);

    p = CompileDefault("^abc");
    EXPECT_TRUE(p.anchored);
    EXPECT_EQ(p.startChar, -1);

    p = CompileDefault("a|b");
    EXPECT_EQ(p.startChar, -1);
    EXPECT_EQ(FirstChars(p), "ab");

    // Starting with a repeat: the longest literal of the top-level chain is required; on equal
    // length the later one.
    p = CompileDefault("x*yz(abcd)k+qrs");
    EXPECT_EQ(p.requiredLength, 3);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(p.code.data() + p.requiredLiteral + 5)),
              "qrs");
    p = CompileDefault("abc*de");
    EXPECT_EQ(p.requiredLiteral, 0); // does not start with a repeat

    // Literals inside optional parts are not required.
    p = CompileDefault("x*(abcdef)?y");
    EXPECT_EQ(p.requiredLength, 1);
}

TEST(RegexCompiler, FirstCharacterSets) {
    struct Case {
        const char* pattern;
        const char* first;
    };
    const Case cases[] = {
        {"a*b", "ab"},         {"a+b", "a"},      {"x{0,2}y", "xy"},
        {"x{1,2}y", "x"},      {"(ab)*?c", "ac"}, {"(a|b)?c", "abc"},
        {"\\bc", "c"},         {"$", "0"},        {"[a-c]?\\d", "0123456789abc"},
        {"(?i)b", "Bb"},       {".", "all"},      {"(\\1)", "all"},
        {"a??b|c*?d", "abcd"}, {"a??|b", "all"}, // the first alternative can match empty, then
                                                 // anything follows
    };
    for (const Case& c : cases)
        EXPECT_EQ(FirstChars(CompileDefault(c.pattern)), c.first) << c.pattern;
}

TEST(RegexCompiler, EmptyableLoopBodiesKeepTheWalkFinite) {
    // A lazy optional group whose body can be empty leads from its body back to the loop node.
    RegexProgram p = CompileDefault("(\\w{0}?|.*)??a+");
    EXPECT_EQ(FirstChars(p), "all");
    std::string many;
    for (int i = 0; i < 12; ++i)
        many += "(a?|b?)";
    EXPECT_EQ(FirstChars(CompileDefault(many + "c")), "abc");
}

TEST(RegexCompiler, ExtendedSyntaxSkipsBlanksAndComments) {
    EXPECT_EQ(Dump("(?x)a b # note\n c"), "1 ALT -> 36\n"
                                          "6 COMMENT -> 11\n"
                                          "11 LIT \"ab\" -> 19\n"
                                          "19 COMMENT -> 24\n"
                                          "24 COMMENT -> 29\n"
                                          "29 LIT \"c\" -> 36\n"
                                          "36 END -> 0\n");
}

} // namespace
