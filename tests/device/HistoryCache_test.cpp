#include "device/HistoryCache.h"
#include "device/HistoryRecord.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// A sound record of the given index whose first field carries the index, so lines tell apart.
std::string RecordOf(int Index) {
    char text[64];
    std::snprintf(text, sizeof text, "%08X11FDDD9003D54801E2400000290404D2080304B02A01", Index);
    std::string record = text;
    std::snprintf(text, sizeof text, "%02X", THistoryRecord::ChecksumByte(Index, record));
    return record + text;
}

std::string LineOf(int Index) {
    return THistoryRecord::Line(Index, RecordOf(Index));
}

// Stands in for the unit: answers each range with sound lines, stores them as the device layer
// does, and records the ranges asked for.
struct FakeUnit {
    explicit FakeUnit(THistoryCache& Cache) : cache(Cache) {}

    THistoryCache& cache;
    std::vector<std::pair<int, int>> requests;
    std::set<int> corrupt;  // records sent with a broken checksum
    int failAtRequest = -1; // this request (0-based) gets no answer

    THistoryCache::TRangeReader Reader() {
        return [this](int first, int last, std::vector<std::string>& lines) {
            lines.clear();
            const int n = static_cast<int>(requests.size());
            requests.emplace_back(first, last);
            if (n == failAtRequest) {
                return false;
            }
            for (int i = first; i <= last; ++i) {
                std::string line = LineOf(i);
                if (corrupt.count(i)) {
                    line[10] = line[10] == '0' ? '1' : '0';
                }
                lines.push_back(line);
            }
            cache.Store(first, last, lines);
            return true;
        };
    }
};

std::vector<std::string> Lines(int First, int Count) {
    std::vector<std::string> lines;
    for (int i = 0; i < Count; ++i) {
        lines.push_back(LineOf((First + i) % THistoryRecord::RingSize));
    }
    return lines;
}

using Ranges = std::vector<std::pair<int, int>>;

TEST(HistoryCacheRead, RangesAndRequestsTable) {
    struct Case {
        const char* name;
        std::vector<int> cached;
        int first;
        int count;
        Ranges requests;
    };
    const Case cases[] = {
        {"wraps past the last index", {}, 65490, 32, {{65490, 65503}, {0, 17}}},
        {"last index alone does not wrap", {}, 65503, 1, {{65503, 65503}}},
        {"runs around cached records", {5, 8}, 4, 6, {{4, 4}, {6, 7}, {9, 9}}},
        {"all cached sends nothing", {0, 1, 2}, 0, 3, {}},
        {"cached at both ends", {10, 13}, 10, 4, {{11, 12}}},
        {"wrap with cached tail", {65502, 65503, 0}, 65500, 6, {{65500, 65501}, {1, 1}}},
        {"nothing asked", {}, 7, 0, {}},
    };
    for (const auto& c : cases) {
        THistoryCache cache;
        FakeUnit unit{cache};
        for (int i : c.cached) {
            cache.Store(i, i, {LineOf(i)});
        }
        std::vector<std::string> list{"stale"};
        EXPECT_TRUE(cache.Read(c.first, c.count, list, unit.Reader())) << c.name;
        EXPECT_EQ(unit.requests, c.requests) << c.name;
        EXPECT_EQ(list, Lines(c.first, c.count)) << c.name;
    }
}

TEST(HistoryCacheRead, SecondReadIsServedFromTheCache) {
    THistoryCache cache;
    FakeUnit unit{cache};
    std::vector<std::string> first;
    std::vector<std::string> again;
    ASSERT_TRUE(cache.Read(65490, 32, first, unit.Reader()));
    ASSERT_EQ(unit.requests.size(), 2u);
    ASSERT_TRUE(cache.Read(65490, 32, again, unit.Reader()));
    EXPECT_EQ(unit.requests.size(), 2u);
    EXPECT_EQ(first, again);
    EXPECT_EQ(cache.Count(), 32u);

    cache.Forget(65500);
    ASSERT_TRUE(cache.Read(65490, 32, again, unit.Reader()));
    EXPECT_EQ(unit.requests.back(), std::make_pair(65500, 65500));

    cache.Clear();
    ASSERT_TRUE(cache.Read(65490, 32, again, unit.Reader()));
    EXPECT_EQ(unit.requests.size(), 5u);
}

TEST(HistoryCacheRead, WholeRingFromNearTheWrapPoint) {
    THistoryCache cache;
    FakeUnit unit{cache};
    std::vector<std::string> list;
    ASSERT_TRUE(cache.Read(65000, THistoryRecord::RingSize, list, unit.Reader()));
    EXPECT_EQ(unit.requests, (Ranges{{65000, 65503}, {0, 64999}}));
    ASSERT_EQ(list.size(), static_cast<size_t>(THistoryRecord::RingSize));
    EXPECT_EQ(list.front(), LineOf(65000));
    EXPECT_EQ(list[503], LineOf(65503));
    EXPECT_EQ(list[504], LineOf(0));
    EXPECT_EQ(list.back(), LineOf(64999));
    EXPECT_EQ(cache.Count(), static_cast<size_t>(THistoryRecord::RingSize));
}

TEST(HistoryCacheRead, FailedFetchStopsAndKeepsWhatWasRead) {
    THistoryCache cache;
    FakeUnit unit{cache};
    unit.failAtRequest = 1;
    cache.Store(8, 8, {LineOf(8)});
    std::vector<std::string> list;
    EXPECT_FALSE(cache.Read(4, 10, list, unit.Reader())); // 4-7, 8 cached, then 9-13 fails
    EXPECT_EQ(unit.requests, (Ranges{{4, 7}, {9, 13}}));
    EXPECT_EQ(list, Lines(4, 5));
    EXPECT_TRUE(cache.Contains(4));
    EXPECT_FALSE(cache.Contains(9));

    // A failure before the wrap skips the part after it.
    THistoryCache other;
    FakeUnit unit2{other};
    unit2.failAtRequest = 0;
    EXPECT_FALSE(other.Read(65500, 10, list, unit2.Reader()));
    EXPECT_EQ(unit2.requests, (Ranges{{65500, 65503}}));
    EXPECT_TRUE(list.empty());
}

TEST(HistoryCacheRead, StartOutsideTheRingIsRefused) {
    THistoryCache cache;
    FakeUnit unit{cache};
    std::vector<std::string> list;
    EXPECT_FALSE(cache.Read(65504, 1, list, unit.Reader()));
    EXPECT_FALSE(cache.Read(-1, 1, list, unit.Reader()));
    EXPECT_FALSE(cache.Read(0, -1, list, unit.Reader()));
    EXPECT_TRUE(unit.requests.empty());
}

TEST(HistoryCacheStore, OnlySoundLinesOfTheAskedRangeAreKept) {
    THistoryCache cache;
    std::string corrupt = LineOf(3);
    corrupt[7] = corrupt[7] == '0' ? '1' : '0';
    std::string lowerIndex = LineOf(10);
    lowerIndex[3] = 'a';
    cache.Store(1, 12,
                {LineOf(1), LineOf(19), corrupt, "0004>" + RecordOf(4).substr(2), LineOf(5),
                 lowerIndex, "garbage", ""});
    EXPECT_TRUE(cache.Contains(1));
    EXPECT_FALSE(cache.Contains(19)); // not asked for
    EXPECT_FALSE(cache.Contains(10)); // index spelled in lower case
    EXPECT_FALSE(cache.Contains(3));  // checksum fails
    EXPECT_FALSE(cache.Contains(4));  // too short
    EXPECT_TRUE(cache.Contains(5));
    std::string line;
    ASSERT_TRUE(cache.Find(5, line));
    EXPECT_EQ(line, LineOf(5));
}

TEST(HistoryCacheRead, RecordWithBadChecksumIsFetchedAgain) {
    THistoryCache cache;
    FakeUnit unit{cache};
    unit.corrupt = {2};
    std::vector<std::string> list;
    ASSERT_TRUE(cache.Read(0, 4, list, unit.Reader()));
    ASSERT_EQ(list.size(), 4u);
    EXPECT_NE(list[2], LineOf(2)); // shown as it came
    unit.corrupt.clear();
    ASSERT_TRUE(cache.Read(0, 4, list, unit.Reader()));
    EXPECT_EQ(unit.requests, (Ranges{{0, 3}, {2, 2}}));
    EXPECT_EQ(list, Lines(0, 4));
}

TEST(HistoryCacheReply, LinesBeforeOk) {
    const std::string a = LineOf(0);
    const std::string b = LineOf(1);
    struct Case {
        std::string reply;
        std::vector<std::string> lines;
    };
    const Case cases[] = {
        {a + "\r\n" + b + "\r\nOK\r\n", {a, b}},
        {"\r\n" + a + "\n\n" + b + "\rOK", {a, b}},
        {a + "\r\n" + b, {a, b}}, // no "OK": everything
        {"OK\r\n" + a, {}},       // nothing before "OK"
        {"  " + a + "  \r\nOK", {a}},
        {"", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(THistoryCache::ReplyLines(c.reply), c.lines) << c.reply;
    }
}

} // namespace
