#include "device/DevQuorvan.h"

#include "platform/rtl/Classes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string LineOf(int Index) {
    std::string record = "238052B911FDDD9003D54801E2400000290404D2080304B02A01";
    char ck[3];
    std::snprintf(ck, sizeof ck, "%02X", THistoryRecord::ChecksumByte(Index, record));
    return THistoryRecord::Line(Index, record + ck);
}

// A command object with no link: every request fails at once, so what works is the cache alone.
TEST(DevQuorvanHistory, CachedRecordsNeedNoLinkAndFailuresKeepTheCache) {
    TDevQuorvan dev(nullptr, nullptr);
    dev.Cache().Store(10, 12, {LineOf(10), LineOf(11), LineOf(12)});

    TStringList list;
    ASSERT_TRUE(dev.ReadHistory(10, 3, list));
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.Names(2), "000C");

    EXPECT_FALSE(dev.ReadHistory(9, 3, list)); // record 9 would need the unit
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(dev.ReadHistoryRange(11, 11, list));
    EXPECT_EQ(list.Count(), 0);

    EXPECT_FALSE(dev.EraseHistory()); // not confirmed: the cache stays
    std::string line;
    EXPECT_TRUE(dev.FindCachedRecord(11, line));
    EXPECT_EQ(line, LineOf(11));
    dev.ForgetHistoryRecord(11);
    EXPECT_FALSE(dev.FindCachedRecord(11, line));
}

} // namespace
