#include "regex/Regex.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// "P L" of group 0 and " gN P L" for every group that took part, or "nomatch".
std::string Search(TRegex& r, const std::string& input, int offset = 1) {
    bool found = offset == 1 ? r.Exec(input) : (r.Exec(input), r.ExecPos(offset));
    if (!found)
        return "nomatch";
    std::string out = std::to_string(r.MatchPos(0)) + " " + std::to_string(r.MatchLen(0));
    for (int n = 1; n < TRegex::kGroupCount; ++n)
        if (r.MatchPos(n) >= 0)
            out += " g" + std::to_string(n) + " " + std::to_string(r.MatchPos(n)) + " " +
                   std::to_string(r.MatchLen(n));
    return out;
}

std::string Search(const std::string& pattern, const std::string& input, int offset = 1) {
    TRegex r;
    r.SetExpression(pattern);
    return Search(r, input, offset);
}

struct Case {
    const char* pattern;
    const char* input;
    const char* result;
};

void RunTable(const std::vector<Case>& cases) {
    for (const Case& c : cases)
        EXPECT_EQ(Search(c.pattern, c.input), c.result)
            << "pattern \"" << c.pattern << "\" on \"" << c.input << "\"";
}

TEST(RegexMatcher, FirmwareVersionPatterns) {
    RunTable({
        {" [0-9]{2}", "REV 07.503.090", "4 3"},
        {"[0-9]{2}", " 07", "2 2"},
        {".[0-9]{3}.", "REV 07.503.090", "7 5"},
        {"[0-9]{3}", ".503.", "2 3"},
        {"[0-9]{3}", "090", "1 3"},
        {" [0-9]{2}", "REV", "nomatch"},
    });
}

TEST(RegexMatcher, Repeats) {
    RunTable({
        {"a*", "bbb", "1 0"},
        {"a+", "bbb", "nomatch"},
        {"a{2,3}?", "aaaa", "1 2"},
        {"a{2,3}", "aaaa", "1 3"},
        {"a{2,}", "aaaaa", "1 5"},
        {"a{0}b", "ab", "2 1"},
        {"x{2", "ax{2", "2 3"}, // not a quantifier: literal text
        {"x{,2}", "x{,2}", "1 5"},
        {"a.*?c", "abcbc", "1 3"},
        {"a.*c", "abcbc", "1 5"},
        {"\\d+?5", "12345", "1 5"},
        {"[ab]+b", "aabab", "1 5"},
        {"(ab)+c", "ababc", "1 5 g1 3 2"}, // a group inside a repeat holds its last capture
        {"(ab)*?c", "ababc", "1 5 g1 3 2"},
        {"(ab){2}", "abababab", "1 4 g1 3 2"},
        {"(a|b){2,3}?c", "abbc", "1 4 g1 3 1"},
        {"(a|ab)(c|bcd)(d*)", "abcd", "1 4 g1 1 1 g2 2 3 g3 5 0"},
        {"(a)|b", "b", "1 1"}, // a group of a failed alternative stays unset
        {"(a)?b", "b", "1 1"},
        {"((a)|b)+", "ab", "1 2 g1 2 1 g2 1 1"},
    });
}

TEST(RegexMatcher, NestedLazyLoopCountsItsOwnIterations) {
    // The inner lazy loop must hand the rest over at the outer loop's level, so that the outer
    // "{2}" counts two iterations, not the inner loop's.
    RunTable({
        {"((a){1,2}?b){2}", "abab", "1 4 g1 3 2 g2 3 1"},
        {"((a){1,2}?b){2}c", "aabababc", "4 5 g1 6 2 g2 6 1"},
        {"((ab|a){1,3}?c){2}", "abcaac", "1 6 g1 4 3 g2 5 1"},
    });
}

TEST(RegexMatcher, LoopCountersAreRestoredOnBacktracking) {
    // The first branch of the alternative enters the loop's next iteration and fails; the second
    // must find the counter as it was.
    RunTable({
        {"(a|ab){2}c", "abac", "1 4 g1 3 1"},
        {"(a|ab){2}c", "x aabc", "3 4 g1 4 2"},
        {"(ab|a){2,3}?x", "aabax", "1 5 g1 4 1"},
        {"((ab|a){2})+x", "abaaabx", "1 7 g1 4 3 g2 5 2"},
    });
}

TEST(RegexMatcher, BackReferences) {
    RunTable({
        {"(a+)b\\1", "aabaa", "1 5 g1 1 2"},
        {"(a+)b\\1", "aaba", "2 3 g1 2 1"},
        {"(ab)\\1+", "abababx", "1 6 g1 1 2"}, // repeats step over the group's whole text
        {"(ab)\\1{2}", "abababab", "1 6 g1 1 2"},
        {"(ab)\\1*?x", "ababx", "1 5 g1 1 2"},
        {"(a*)\\1+x", "x", "1 1 g1 1 0"}, // an empty group repeats in place
        {"(a)|\\1x", "x", "nomatch"},     // an unset group matches nothing
        {"(?i)(a)\\1", "aA", "1 2 g1 1 1"},
        {"(?i)(\xE0)\\1", "\xE0\xC0", "1 2 g1 1 1"},
    });
}

TEST(RegexMatcher, AnchorsAndBoundaries) {
    RunTable({
        {"\\bcat\\b", "a cat.", "3 3"},
        {"\\bcat\\b", "concat", "nomatch"},
        {"\\Bcat", "concat", "4 3"},
        {"^a", "ba", "nomatch"},
        {"a$", "aba", "3 1"},
        {"a$", "a\nb", "nomatch"}, // without modifier m only the end of the input
        {"\\Aab\\Z", "ab", "1 2"},
        {"$", "ab", "3 0"},
        {"\\b", "", "nomatch"},
        {"\\B", "", "1 0"},
    });
}

TEST(RegexMatcher, MultiLineModifierWithPairedSeparator) {
    RunTable({
        {"(?m)^b", "a\r\nb", "4 1"},
        {"(?m)a$", "a\r\nb", "1 1"},
        {"(?m)^", "a\r\nb", "1 0"},
        {"(?m)\\r^", "a\r\nb", "nomatch"}, // no line start between CR and LF
        {"(?m)\\r$", "a\r\nb", "nomatch"}, // nor a line end between them
        {"(?m)^b$", "a\nb\rc", "3 1"},
        {"(?m)b$", "ab", "2 1"},
        {"(?-s)a.b", "a\rb", "nomatch"},
        {"(?-s)a.b", "a-b", "1 3"},
        {"a.b", "a\nb", "1 3"},
    });

    TRegex r;
    r.SetLinePairedSeparator("");
    r.SetExpression("(?m).^");
    EXPECT_EQ(Search(r, "a\r\nb"), "2 1"); // LF is a line separator of its own now
    r.SetLineBreakChars("");
    r.SetExpression("(?m)a$");
    EXPECT_EQ(Search(r, "a\nb"), "nomatch");
}

TEST(RegexMatcher, CaseInsensitivity) {
    RunTable({
        {"(?i)a", "A", "1 1"},
        {"((?i)a)b", "AB", "nomatch"}, // the modifier ends with its group
        {"((?i)a)b", "Ab", "1 2 g1 1 1"},
        {"(?i)abc", "xAbC", "2 3"},
        {"(?i)[a-c]+", "xAbC", "2 3"},
        {"(?i)[^a]", "Ab", "2 1"},
        {"(?i)\xE0\xB8", "\xC0\xA8", "1 2"}, // а ё against А Ё
        {"(?i)[\xE0-\xE2]+", "\xC1\xE0\xC2", "1 3"},
        {"(?i)\xE0+", "\xE0\xC0\xE0", "1 3"},
        {"[\xE0-\xFF]", "\xB8", "1 1"}, // modifier r: а-я takes in ё
        {"(?-r)[\xE0-\xFF]", "\xB8", "nomatch"},
        {"[\xC0-\xDF]", "\xA8", "1 1"},
        {"(?i)\\w", "\xE0", "nomatch"}, // \w is its own set, modifier i leaves it alone
    });
}

TEST(RegexMatcher, ExtendedSyntax) {
    RunTable({
        {"(?x) a b # a comment\n c", "abc", "1 3"},
        {"(?x)a\\ b", "a b", "1 3"},
        {"(?x)[ ]", " ", "1 1"},
    });
}

TEST(RegexMatcher, ZeroByteIsAnOrdinaryCharacter) {
    // The input is a counted byte string: a zero byte inside it is a character like any other,
    // for one-character items and their counted repeats alike, and never the end of the input.
    const std::string z("a\0b", 3);
    struct ZeroCase {
        std::string pattern, input, result;
    };
    const ZeroCase cases[] = {
        {"a.b", z, "1 3"},          {"a.{1}b", z, "1 3"},
        {"(?-s)a.b", z, "1 3"},     {"(?-s)a.{1}b", z, "1 3"},
        {"a[^x]b", z, "1 3"},       {"a[^x]{1}b", z, "1 3"},
        {"a[^xyzw]b", z, "1 3"}, // a full set rather than a tiny one
        {"a\\Db", z, "1 3"},        {"a\\D{1}b", z, "1 3"},
        {"a\\D+b", z, "1 3"},       {"a\\Sb", z, "1 3"},
        {"a\\x00b", z, "1 3"},      {"a\\x00{1}b", z, "1 3"},
        {"[\\x00]", z, "2 1"},      {"\\x00", z, "2 1"},
        {"a\\x00", "a", "nomatch"}, {"a\\x00?", "a", "1 1"},
        {"a\\db", z, "nomatch"},    {"a\\wb", z, "nomatch"},
        {"a\\sb", z, "nomatch"},    {"a[^\\x00]b", z, "nomatch"},
        {"a$", z, "nomatch"}, // "$" is the end of the input, not a zero byte
        {"(?m)a$", z, "nomatch"},   {"b$", z, "3 1"},
        {"a\\b", z, "1 1"}, // the zero byte is no word character
        {".*", z, "1 3"},           {"b", z, "3 1"},
        {"(?i)A.B", z, "1 3"},
    };
    for (const ZeroCase& c : cases)
        EXPECT_EQ(Search(c.pattern, c.input), c.result) << "pattern \"" << c.pattern << "\"";
}

TEST(RegexMatcher, EveryOneOfManyAlternativesIsReachable) {
    // Each branch is linked to the one before it: the first, a middle and the last one match, at
    // the top level and inside a group.
    std::string words;
    for (int i = 0; i < 20000; ++i)
        words += (i ? "|w" : "w") + std::to_string(i) + "z";
    for (const std::string& pattern : {words, "x(" + words + ")y"}) {
        TRegex r;
        r.SetExpression(pattern);
        const bool grouped = pattern[0] == 'x';
        for (const char* word : {"w0z", "w777z", "w19999z"}) {
            const std::string input =
                grouped ? "..x" + std::string(word) + "y" : ".." + std::string(word);
            EXPECT_TRUE(r.Exec(input)) << word;
            EXPECT_EQ(r.MatchPos(0), 3) << word;
            EXPECT_EQ(r.GetGroupText(grouped ? 1 : 0), word);
        }
        EXPECT_FALSE(r.Exec(grouped ? "xw20000zy" : "w20000z"));
    }
}

TEST(RegexMatcher, StartPositions) {
    EXPECT_EQ(Search("a", "aba", 2), "3 1");
    EXPECT_EQ(Search("^a", "aa", 2), "nomatch"); // anchored: only at the start of the input
    EXPECT_EQ(Search("\\ba", "a a", 2), "3 1");
    EXPECT_EQ(Search("x*yz", "ayz", 2), "2 2");
    EXPECT_EQ(Search("x*yz", "yzq", 2), "nomatch"); // the required literal lies before the offset
}

TEST(RegexMatcher, ElevenNestedCountedLoopsExceedTheLoopStack) {
    auto nested = [](int depth) {
        std::string pattern = "a";
        for (int i = 0; i < depth; ++i)
            pattern = "(" + pattern + "){1}";
        return pattern;
    };
    TRegex r;
    r.SetExpression(nested(10));
    EXPECT_TRUE(r.Exec("a"));
    r.SetExpression(nested(11));
    try {
        r.Exec("a");
        FAIL() << "no error";
    } catch (const ERegex& e) {
        EXPECT_EQ(e.ErrorCode(), 1014);
        EXPECT_EQ(e.Message(), "TRegex(exec): Loop Stack Exceeded");
    }
}

TEST(RegexMatcher, SequentialLoopsDoNotPileUp) {
    std::string pattern;
    for (int i = 0; i < 12; ++i)
        pattern += "(a|b){1,2}?";
    EXPECT_EQ(Search(pattern, std::string(12, 'a')), "1 12 g1 1 1 g2 2 1 g3 3 1 g4 4 1 g5 5 1 g6 "
                                                     "6 1 g7 7 1 g8 8 1 g9 9 1 g10 10 1 g11 11 1 "
                                                     "g12 12 1");
}

} // namespace
