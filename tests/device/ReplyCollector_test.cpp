#include "device/ReplyCollector.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct TCollected {
    bool Found;
    bool Refused;
    std::string Kept;
    std::string Stale;
};

// Feeds `bytes` until the terminator or a refusal ends the wait, as the workers do.
TCollected Collect(const std::string& bytes, const std::string& keyword,
                   const std::string& terminator = "OK") {
    TReplyCollector collector(terminator, keyword);
    std::string stale;
    for (char c : bytes) {
        collector.Add(c);
        stale += collector.TakeStale();
        if (collector.Found() || collector.Refused())
            break;
    }
    return {collector.Found(), collector.Refused(), collector.Bytes(), stale};
}

TEST(ReplyCollector, SetsAsideRepliesThatNameAnotherKeyword) {
    struct Case {
        const char* name;
        std::string bytes;
        std::string keyword;
        bool found;
        bool refused;
        std::string kept;
        std::string stale;
    };
    const Case cases[] = {
        {"own reply", "periodgsm>0078\r\nOK\r\n", "periodgsm", true, false, "periodgsm>0078\r\nOK",
         ""},
        {"no echo is taken", ">0078\r\nOK", "periodgsm", true, false, ">0078\r\nOK", ""},
        {"keyword in other case", "GAPN>a\r\nOK", "gapn", true, false, "GAPN>a\r\nOK", ""},
        {"late reply first", "object>0050\r\nOK\r\nperiodgsm>0078\r\nOK\r\n", "periodgsm", true,
         false, "\nperiodgsm>0078\r\nOK", "object>0050\r\nOK\r"},
        {"late reply only", "object>0050\r\nOK\r\n", "periodgsm", false, false, "\n",
         "object>0050\r\nOK\r"},
        {"late reply without its OK", "object>0050\r\nperiodgsm>0078\r\nOK", "periodgsm", true,
         false, "periodgsm>0078\r\nOK", "object>0050\r\n"},
        {"late refusal", "object>0050\r\nERROR\r\n>1\r\nOK", "periodgsm", true, false, "\n>1\r\nOK",
         "object>0050\r\nERROR\r"},
        {"no keyword sets nothing aside", "0001>AB\r\n0002>CD\r\nOK", "", true, false,
         "0001>AB\r\n0002>CD\r\nOK", ""},
        {"refusal ends the wait", "ERROR\r\nOK\r\n", "object", false, true, "ERROR\r", ""},
        {"refusal in lower case", "error\n", "", false, true, "error\n", ""},
        {"a value ERROR is no refusal", "GAPN>ERROR\r\nOK", "GAPN", true, false, "GAPN>ERROR\r\nOK",
         ""},
        // "lookign" holds "OK": a late reply to it must not end another request's wait.
        {"late reply whose name holds the terminator", "lookign>00\r\nOK\r\nGAPN>a\r\nOK", "GAPN",
         true, false, "\nGAPN>a\r\nOK", "lookign>00\r\nOK\r"},
        // The request's own name holding it still ends the wait there, as it always did (the
        // "lookign" requests wait for "OK" and a carriage return instead).
        {"own name holding the terminator", "lookign>00\r\nOK", "lookign", true, false, "lookign>",
         ""},
        {"terminator in a line without a name", "book\r", "GAPN", true, false, "book\r", ""},
        {"terminator split in a set-aside reply", "object>0\r\nO", "periodgsm", false, false, "",
         "object>0\r\n"},
    };
    for (const Case& c : cases) {
        const TCollected got = Collect(c.bytes, c.keyword);
        EXPECT_EQ(got.Found, c.found) << c.name;
        EXPECT_EQ(got.Refused, c.refused) << c.name;
        EXPECT_EQ(got.Kept, c.kept) << c.name;
        EXPECT_EQ(got.Stale, c.stale) << c.name;
    }
}

TEST(ReplyCollector, TerminatorIgnoresCaseInWindows1251) {
    // "ок" in Windows-1251 lower case matches "ОК" upper case (a terminator in UTF-8).
    EXPECT_TRUE(Collect("\xEE\xEA", "", "ОК").Found);
    EXPECT_TRUE(Collect("lookign>00\r\nOK\r", "lookign", "OK\r").Found);
    EXPECT_FALSE(Collect("lookign>00\r\nOK", "lookign", "OK\r").Found);
}

TEST(ReplyCollector, RefusalsAndValueLinesInWholeReplies) {
    struct Case {
        const char* reply;
        bool refusal;
        bool valueLine;
    };
    const Case cases[] = {
        {"ERROR", true, false},
        {" error \r\n", true, false},
        {"x>1\r\nERROR\r\n", true, true},
        {"GAPN>ERROR", false, false},
        {"GAPN>internet\r\n", false, true},
        {">0050\n", false, true},
        {"GAPN>inte", false, false},
        {"#~", false, false},
        {"", false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(TReplyCollector::IsRefusal(c.reply), c.refusal) << c.reply;
        EXPECT_EQ(TReplyCollector::HasValueLine(c.reply), c.valueLine) << c.reply;
    }
}

} // namespace
