#include "tests/app/history/HistoryTestSupport.h"

#include "app/queue/Appliers.h"
#include "device/HistoryRecord.h"
#include "tests/app/support/OffUserInterface.h"

#include "platform/rtl/Classes.h"
#include "platform/stdctrls/ListItems.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace {

using histtest::ReadLine;
using histtest::THistoryBench;
using histtest::TRow;

enum TAction { aReadPage, aBack, aForward };

// Indexes from `from` down to `to`, going on at the end of the ring below 0.
std::vector<int> Down(int from, int to) {
    std::vector<int> out;
    for (int i = from;; i = (i + THistoryRecord::RingSize - 1) % THistoryRecord::RingSize) {
        out.push_back(i);
        if (i == to) {
            return out;
        }
    }
}

std::vector<int> Join(std::vector<int> a, const std::vector<int>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

struct TStepCase {
    TAction Action;
    std::vector<int> Rows;          // record indexes, top to bottom
    std::vector<std::string> Reads; // the range requests the unit receives
};

struct TPagingCase {
    const char* Name;
    long long Written; // records written since the last erase
    std::vector<TStepCase> Steps;
};

void PrintTo(const TPagingCase& c, std::ostream* os) {
    *os << c.Name;
}

class HistoryPaging : public ::testing::TestWithParam<TPagingCase> {};

TEST_P(HistoryPaging, ShowsTheBlocksWithTheExactRequests) {
    THistoryBench bench;
    bench.Ring([&](THistoryRing& ring) { ring.Fill(GetParam().Written); });
    int step = 0;
    for (const TStepCase& s : GetParam().Steps) {
        SCOPED_TRACE("step " + std::to_string(step++));
        bench.Sim().ClearRecords();
        switch (s.Action) {
        case aReadPage:
            bench.Ops().ReadHistoryPage();
            break;
        case aBack:
            bench.Ops().HistoryBack();
            break;
        case aForward:
            bench.Ops().HistoryForward();
            break;
        }
        EXPECT_EQ(THistoryBench::Indexes(bench.TakeRows()), s.Rows);
        EXPECT_EQ(bench.ReadLines(), s.Reads);
        EXPECT_EQ(bench.TakeMarks(), std::vector<std::string>{"clBlue"});
    }
}

const int kLast = THistoryRecord::WrapIndex;

INSTANTIATE_TEST_SUITE_P(
    Ring, HistoryPaging,
    ::testing::Values(
        // The pointer at 100: the 32 records before it; back and forward again costs nothing;
        // forward past the pointer of an unwrapped ring shows the empty slots there.
        TPagingCase{"PointerAt100",
                    100,
                    {{aReadPage, Down(99, 68), {ReadLine(68, 99)}},
                     {aBack, Down(67, 36), {ReadLine(36, 67)}},
                     {aForward, Down(99, 68), {}},
                     {aForward, Down(131, 100), {ReadLine(100, 131)}}}},
        TPagingCase{"PointerAt10Unwrapped",
                    10,
                    {{aReadPage, Down(9, 0), {ReadLine(kLast, kLast), ReadLine(0, 9)}}}},
        // Wrapped: the block runs on at the end of the ring; the last slot read for the wrap
        // test is kept and not asked for again.
        TPagingCase{"PointerAt10Wrapped",
                    THistoryRecord::RingSize + 10,
                    {{aReadPage,
                      Join(Down(9, 0), Down(kLast, 65482)),
                      {ReadLine(kLast, kLast), ReadLine(65482, 65502), ReadLine(0, 9)}},
                     {aBack, Down(65481, 65450), {ReadLine(65450, 65481)}},
                     {aForward, Join(Down(9, 0), Down(kLast, 65482)), {}}}},
        TPagingCase{
            "EmptyHistory",
            0,
            {{aReadPage, {}, {ReadLine(kLast, kLast)}}, {aBack, {}, {}}, {aForward, {}, {}}}},
        // Back from the block that starts at 0 of an unwrapped ring shows nothing, twice; the
        // empty last slot is asked again each time, since the ring may have wrapped meanwhile.
        TPagingCase{"BackFromTheStartOfAnUnwrappedRing",
                    32,
                    {{aReadPage, Down(31, 0), {ReadLine(0, 31)}},
                     {aBack, {}, {ReadLine(kLast, kLast)}},
                     {aBack, {}, {ReadLine(kLast, kLast)}},
                     {aForward, Down(63, 32), {ReadLine(32, 63)}}}},
        TPagingCase{
            "ForwardFromTheLastSlot",
            THistoryRecord::RingSize,
            {{aReadPage, Down(kLast, 65472), {ReadLine(kLast, kLast), ReadLine(65472, 65502)}},
             {aForward, Down(31, 0), {ReadLine(0, 31)}}}}),
    [](const ::testing::TestParamInfo<TPagingCase>& info) { return info.param.Name; });

TEST(HistoryPagingFailures, PointerOutsideTheRingOrUnreadShowsNothing) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) { ring.Fill(100); });
    bench.Sim().ScriptReply("point>FFE0\r\nOK\r\n");
    bench.Ops().ReadHistoryPage();
    EXPECT_TRUE(bench.TakeRows().empty());
    EXPECT_EQ(bench.TakeMarks(), std::vector<std::string>{"clRed"});

    TUnitFaults faults;
    faults.RefuseKeyword = "point";
    bench.Sim().SetFaults(faults);
    bench.Ops().ReadHistoryPage();
    EXPECT_TRUE(bench.TakeRows().empty());
    EXPECT_EQ(bench.TakeMarks(), std::vector<std::string>{"clRed"});
    EXPECT_TRUE(bench.ReadLines().empty());
    EXPECT_EQ(bench.Ops().Paging().FirstShown(), -1);
}

TEST(HistoryPagingFailures, FailedBlockReadKeepsTheShownBlock) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) { ring.Fill(100); });
    bench.Ops().ReadHistoryPage();
    ASSERT_EQ(bench.TakeRows().size(), 32u);
    bench.TakeMarks();

    TUnitFaults faults;
    faults.RefuseKeyword = "read";
    bench.Sim().SetFaults(faults);
    bench.Ops().HistoryBack();
    EXPECT_TRUE(bench.TakeRows().empty());
    EXPECT_EQ(bench.TakeMarks(), std::vector<std::string>{"clRed"});
    EXPECT_EQ(bench.Ops().Paging().FirstShown(), 68);

    bench.Sim().SetFaults(TUnitFaults{});
    bench.Ops().HistoryBack();
    EXPECT_EQ(THistoryBench::Indexes(bench.TakeRows()), Down(67, 36));
    // Each page step held the main controls off while it ran.
    EXPECT_EQ(bench.Host().Disabled, 2);
    EXPECT_EQ(bench.Host().Enabled, 2);
}

TEST(HistoryRecords, CorruptedRecordIsShownAsSuchAndFetchedAgain) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) {
        ring.Fill(100);
        ring.CorruptOnce(80);
    });
    bench.Ops().ReadHistoryPage();
    std::vector<TRow> rows = bench.TakeRows();
    ASSERT_EQ(rows.size(), 32u);
    for (const TRow& row : rows) {
        const std::string& checksum = row.SubItems.at(row.SubItems.size() - 2);
        EXPECT_EQ(checksum, row.Caption == "0050" ? "НЕТ" : "ДА") << row.Caption;
    }

    bench.Ops().HistoryBack();
    bench.TakeRows();
    bench.Sim().ClearRecords();
    bench.Ops().HistoryForward();
    rows = bench.TakeRows();
    EXPECT_EQ(bench.ReadLines(), std::vector<std::string>{ReadLine(80, 80)});
    ASSERT_EQ(THistoryBench::Indexes(rows), Down(99, 68));
    EXPECT_EQ(rows[99 - 80].SubItems.at(rows[99 - 80].SubItems.size() - 2), "ДА");
}

TEST(HistoryRecords, EmptySlotsShowBlanksAndAreAskedAgain) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) { ring.Fill(10); });
    bench.Ops().ReadHistoryPage();
    bench.TakeRows();
    bench.Ops().HistoryForward(); // slots 10..41 are empty
    const std::vector<TRow> rows = bench.TakeRows();
    ASSERT_EQ(THistoryBench::Indexes(rows), Down(41, 10));
    const std::vector<std::string> blank(7, " ");
    for (const TRow& row : rows) {
        ASSERT_EQ(row.SubItems.size(), 8u);
        EXPECT_EQ(std::vector<std::string>(row.SubItems.begin(), row.SubItems.end() - 1), blank);
        EXPECT_EQ(row.SubItems.back(), std::string(54, 'F'));
    }
    // Slot 27's empty text passes the checksum, so the command object kept it; the page drops it
    // so that a record written there later is fetched.
    EXPECT_FALSE(bench.Dev().Cache().Contains(27));
    EXPECT_TRUE(bench.Dev().Cache().Contains(5));
}

TEST(HistoryErase, ClearsTheListAndForgetsTheShownBlockWhenTheUnitConfirms) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) { ring.Fill(100); });
    bench.Ops().ReadHistoryPage();
    bench.TakeRows();

    TUnitFaults faults;
    faults.RefuseKeyword = "erase";
    bench.Sim().SetFaults(faults);
    const int clears = bench.View().Clears;
    bench.Ops().EraseHistory();
    EXPECT_EQ(bench.View().Clears, clears + 1);
    EXPECT_EQ(bench.Ops().Paging().FirstShown(), 68);

    bench.Sim().SetFaults(TUnitFaults{});
    bench.Sim().ClearRecords();
    bench.Ops().EraseHistory();
    EXPECT_EQ(bench.View().Clears, clears + 2);
    int erases = 0;
    bench.Ring([&](THistoryRing& ring) { erases = ring.Erases(); });
    EXPECT_EQ(erases, 1);
    EXPECT_EQ(bench.Ops().Paging().FirstShown(), -1);
    EXPECT_EQ(bench.Host().Disabled, 2);
    EXPECT_EQ(bench.Host().Enabled, 2);

    bench.Sim().ClearRecords();
    bench.Ops().HistoryBack();
    EXPECT_TRUE(bench.TakeRows().empty());
    EXPECT_TRUE(bench.ReadLines().empty());
}

TEST(HistoryUnsentPointer, WritesTheTypedPointerOrReadsTheUnits) {
    THistoryBench bench;
    bench.View().ViewState.PointerText = "f";
    bench.Ops().HistoryPointer();
    int unsent = -1;
    bench.Ring([&](THistoryRing& ring) { unsent = ring.Unsent(); });
    EXPECT_EQ(unsent, 15);
    EXPECT_TRUE(bench.Host().LogLines.empty());

    bench.View().ViewState.PointerText = "";
    bench.Ops().HistoryPointer();
    EXPECT_EQ(bench.TakePointerTexts(), std::vector<std::string>{"000F"});

    // Not a pointer of the ring, or refused by the unit: the log says so.
    bench.Sim().ClearRecords();
    bench.View().ViewState.PointerText = "FFE0";
    bench.Ops().HistoryPointer();
    EXPECT_TRUE(bench.Sim().UnitLines().empty());
    TUnitFaults faults;
    faults.RefuseKeyword = "nspoint";
    bench.Sim().SetFaults(faults);
    bench.View().ViewState.PointerText = "10";
    bench.Ops().HistoryPointer();
    EXPECT_EQ(bench.Host().LogLines,
              std::vector<std::string>(2, THistoryOperations::PointerWriteError));
}

} // namespace

namespace {

// Commands run on the worker thread; the list is cleared on the user-interface thread after
// what was queued before has been applied, so a row an earlier command left in the queue cannot
// land in the new block.
TEST(HistoryThreads, ListIsClearedOnTheUserInterfaceThreadBeforeTheNewRows) {
    THistoryBench bench;
    bench.Ring([](THistoryRing& ring) { ring.Fill(100); });
    apptest::RunOffUserInterface([&] { bench.Ops().ReadHistoryPage(); });
    ASSERT_EQ(bench.TakeRows().size(), 32u);

    auto stale = std::make_unique<TStringList>();
    stale->Add("stale");
    bench.Queue().PutListRow(bench.View().List(), "FFFF", std::move(stale));
    apptest::RunOffUserInterface([&] { bench.Ops().HistoryBack(); });
    EXPECT_EQ(bench.View().ClearThread, std::this_thread::get_id());
    DrainOutArray(bench.Queue());
    const TListItems& items = *bench.View().List()->Items();
    ASSERT_EQ(items.Count(), 32);
    EXPECT_EQ(items.Item(0)->Caption(), "0043");
    EXPECT_EQ(items.Item(31)->Caption(), "0024");
}

} // namespace
