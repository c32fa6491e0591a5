
#include "tests/device/HistoryGpsLink/LinkFixture.h"

#include "device/DeviceError.h"
#include "platform/rtl/Classes.h"
#include "platform/rtl/DateTime.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

namespace {

using Lines = std::vector<std::string>;

// What the simulated unit holds for records First.., in ring order.
Lines RingLines(THistoryGpsLink& link, int First, int Count) {
    Lines lines;
    link.Ring([&](THistoryRing& ring) {
        for (int i = 0; i < Count; ++i) {
            const int index = (First + i) % THistoryRing::RingSize;
            lines.push_back(THistoryRecord::Line(index, ring.Record(index)));
        }
    });
    return lines;
}

TEST(DevQuorvanHistoryLink, ReadAcrossTheWrapPointOfAFullRing) {
    THistoryGpsLink link;
    link.Ring([](THistoryRing& ring) { ring.Fill(2LL * THistoryRing::RingSize + 12); });

    TStringList list;
    ASSERT_TRUE(link.Dev().ReadHistory(65490, 32, list));
    EXPECT_EQ(link.ReadLines(), (Lines{"+readFFD2FFDF", "+read00000011"}));
    EXPECT_EQ(list.ToVector(), RingLines(link, 65490, 32));
    EXPECT_EQ(list.NameValueSeparator(), '>');
    EXPECT_EQ(list.Names(14), "0000");

    // Paging back and forth costs nothing once read.
    link.Sim().ClearRecords();
    ASSERT_TRUE(link.Dev().ReadHistory(65490, 32, list));
    ASSERT_TRUE(link.Dev().ReadHistory(0, 10, list));
    EXPECT_TRUE(link.Sim().UnitLines().empty());
    EXPECT_EQ(list.ToVector(), RingLines(link, 0, 10));

    // The last index alone does not wrap.
    ASSERT_TRUE(link.Dev().ReadHistory(65503, 1, list));
    EXPECT_TRUE(link.ReadLines().empty()); // cached already
    link.Dev().ForgetHistoryRecord(65503);
    ASSERT_TRUE(link.Dev().ReadHistory(65503, 1, list));
    EXPECT_EQ(link.ReadLines(), Lines{"+readFFDFFFDF"});
}

// A page of 32 records at the line's real rate (about a second of reply).
TEST(DevQuorvanHistoryLink, PageAtTheLineRate) {
    THistoryGpsLink link;
    link.Sim().SetPacing(true);
    link.Ring([](THistoryRing& ring) { ring.Fill(100); });
    TStringList list;
    ASSERT_TRUE(link.Dev().ReadHistory(64, 32, list));
    EXPECT_EQ(link.ReadLines(), Lines{"+read0040005F"});
    EXPECT_EQ(list.ToVector(), RingLines(link, 64, 32));
}

TEST(DevQuorvanHistoryLink, MissingRunsAroundCachedRecords) {
    THistoryGpsLink link;
    link.Ring([](THistoryRing& ring) { ring.Fill(50); });
    TStringList list;
    ASSERT_TRUE(link.Dev().ReadHistoryRange(5, 5, list));
    ASSERT_TRUE(link.Dev().ReadHistoryRange(8, 8, list));
    std::string line;
    EXPECT_TRUE(link.Dev().FindCachedRecord(8, line));
    EXPECT_FALSE(link.Dev().FindCachedRecord(7, line));
    link.Sim().ClearRecords();

    ASSERT_TRUE(link.Dev().ReadHistory(4, 6, list));
    EXPECT_EQ(link.ReadLines(), (Lines{"+read00040004", "+read00060007", "+read00090009"}));
    EXPECT_EQ(list.ToVector(), RingLines(link, 4, 6));
}

TEST(DevQuorvanHistoryLink, RecordWithLineNoiseIsShownButFetchedAgain) {
    THistoryGpsLink link;
    link.Ring([](THistoryRing& ring) {
        ring.Fill(40);
        ring.CorruptOnce(33);
    });
    TStringList list;
    ASSERT_TRUE(link.Dev().ReadHistory(32, 4, list));
    int index = 0;
    std::string_view record;
    const std::string noisy = list[1];
    ASSERT_TRUE(THistoryRecord::ParseLine(noisy, index, record));
    EXPECT_FALSE(TDevQuorvan::CheckHistoryChecksum(index, std::string(record)));

    link.Sim().ClearRecords();
    ASSERT_TRUE(link.Dev().ReadHistory(32, 4, list));
    EXPECT_EQ(link.ReadLines(), Lines{"+read00210021"});
    EXPECT_EQ(list.ToVector(), RingLines(link, 32, 4));
}

TEST(DevQuorvanHistoryLink, EraseClearsTheCache) {
    THistoryGpsLink link;
    link.Ring([](THistoryRing& ring) { ring.Fill(10); });
    TStringList list;
    ASSERT_TRUE(link.Dev().ReadHistory(0, 10, list));
    link.Sim().ClearRecords();

    ASSERT_TRUE(link.Dev().EraseHistory());
    EXPECT_EQ(link.Sim().UnitLines(), Lines{"+erase"});
    ASSERT_TRUE(link.Dev().ReadHistory(0, 10, list));
    EXPECT_EQ(link.ReadLines(), Lines{"+read00000009"});
    EXPECT_TRUE(THistoryRecord::IsEmpty(list.ValueFromIndex(0)));
}

TEST(DevQuorvanHistoryLink, RefusedEraseKeepsTheCacheAndTheRecords) {
    for (bool modem : {false, true}) {
        THistoryGpsLink link(modem);
        link.Ring([](THistoryRing& ring) { ring.Fill(10); });
        TStringList list;
        ASSERT_TRUE(link.Dev().ReadHistory(0, 10, list));
        link.Sim().ClearRecords();
        TUnitFaults faults;
        faults.RefuseKeyword = "erase";
        faults.DelayMs = 120; // after the modem worker's first look, as the unit answers
        link.Sim().SetFaults(faults);

        EXPECT_FALSE(link.Dev().EraseHistory());
        EXPECT_EQ(link.Sim().UnitLines(), (Lines{"+erase", "+erase", "+erase"}));
        std::string line;
        EXPECT_TRUE(link.Dev().FindCachedRecord(9, line));
        int erases = -1;
        link.Ring([&](THistoryRing& ring) { erases = ring.Erases(); });
        EXPECT_EQ(erases, 0);
    }
}

// The cable is pulled while a page of 32 records comes in: the read ends with the port's error
// at once instead of waiting out its 32 s.
TEST(DevQuorvanHistoryLink, UnpluggedMidReplyEndsTheReadAtOnce) {
    for (bool modem : {false, true}) {
        THistoryGpsLink link(modem);
        link.Sim().SetPacing(true);
        link.Ring([](THistoryRing& ring) { ring.Fill(100); });
        std::thread unplug([&] {
            link.Sim().WaitToPc("0042>", 10'000);
            link.Sim().Stop();
        });
        TStringList list;
        const auto start = std::chrono::steady_clock::now();
        try {
            link.Dev().ReadHistoryRange(64, 95, list);
            ADD_FAILURE() << "the read went on after the unplug";
        } catch (const EDeviceError& e) {
            EXPECT_EQ(e.ErrorCode, DEVICE_READFAILED);
        }
        const auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - start)
                            .count();
        unplug.join();
        EXPECT_LT(ms, 5000) << (modem ? "modem" : "cable");
    }
}

TEST(DevQuorvanHistoryLink, WritePointerAndUnsentPointer) {
    THistoryGpsLink link;
    link.Ring([](THistoryRing& ring) { ring.Fill(THistoryRing::RingSize + 0x1234); });
    int32_t point = -1;
    ASSERT_TRUE(link.Dev().GetPointCount(point));
    EXPECT_EQ(point, 0x1234);
    ASSERT_TRUE(link.Dev().SetNsPoint("01A0"));
    link.Ring([](THistoryRing& ring) { EXPECT_EQ(ring.Unsent(), 0x01A0); });
    std::string unsent;
    ASSERT_TRUE(link.Dev().GetNsPoint(unsent));
    EXPECT_EQ(unsent, "01A0");
}

// The records the simulator encodes decode to the points it encoded, in both layouts.
TEST(DevQuorvanHistoryLink, DecodedRecordsMatchTheUnitsTrack) {
    struct Case {
        bool newer;
        int build;
    };
    for (const Case c : {Case{true, 90}, Case{false, 69}}) {
        THistoryGpsLink link;
        link.Ring([&](THistoryRing& ring) {
            ring.SetNewerLayout(c.newer);
            ring.Fill(20);
        });
        TStringList list;
        ASSERT_TRUE(link.Dev().ReadHistory(0, 20, list));
        ASSERT_EQ(list.Count(), 20);
        for (int i = 0; i < list.Count(); ++i) {
            const THistoryRing::TPoint p = THistoryRing::PointOf(i);
            const std::string record = list.ValueFromIndex(i);
            ASSERT_TRUE(TDevQuorvan::CheckHistoryChecksum(i, record)) << i;
            THistoryFields f;
            ASSERT_TRUE(TDevQuorvan::DecodeHistoryRecord(record, 503, c.build, f)) << i;
            EXPECT_DOUBLE_EQ(f.Latitude, p.Latitude / 100000.0) << i;
            EXPECT_DOUBLE_EQ(f.Longitude, p.Longitude / 100000.0) << i;
            EXPECT_EQ(f.Supply, p.Supply) << i;
            EXPECT_EQ(f.LayoutByteText, std::to_string(p.Signal)) << i;
            EXPECT_EQ(f.ByteText, std::to_string(p.Satellites)) << i;
            EXPECT_EQ(f.RecordType, p.Type) << i;
            EXPECT_NEAR(f.Speed, p.Speed / 1000.0 * 1.852, 1e-9) << i;
            int year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0, ms = 0;
            DecodeDateTime(f.DateTime, year, month, day, hour, minute, second, ms);
            EXPECT_EQ(year % 100, p.Year) << i;
            EXPECT_EQ(month, p.Month) << i;
            EXPECT_EQ(day, p.Day) << i;
            EXPECT_EQ(hour * 3600 + minute * 60 + second, p.Hour * 3600 + p.Minute * 60 + p.Second)
                << i;
        }
    }
}

} // namespace
