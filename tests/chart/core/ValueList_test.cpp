#include "CoreTestSupport.h"

#include "chart/core/ChartErrorBox.h"
#include "chart/core/ChartValueList.h"
#include "platform/classes/ObjectText.h"
#include "platform/classes/Streaming.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<double> Values(const TChartValueList& list) {
    std::vector<double> out;
    for (int i = 0; i < list.Count(); ++i)
        out.push_back(list.ValueAt(i));
    return out;
}

struct RecordingOwner : TChartValueListOwner {
    std::vector<std::string> calls;
    void ValueListChanged(TChartValueList& l) override { calls.push_back("changed " + l.Name()); }
    void ValueSourceChanged(TChartValueList& l) override {
        calls.push_back("reload " + l.ValueSource());
    }
    void ValueOrderChanged(TChartValueList&, int index) override {
        calls.push_back("order " + std::to_string(index));
    }
    void SwapPoints(int a, int b) override {
        calls.push_back("swap " + std::to_string(a) + " " + std::to_string(b));
    }
};

TEST(ChartValueList, OrderedAppendKeepsArrivalOrderOfEqualValues) {
    struct Case {
        TChartListOrder order;
        std::vector<double> input;
        std::vector<int> indexes;
        std::vector<double> result;
    };
    const Case cases[] = {
        {TChartListOrder::loAscending, {1, 3, 2, 2}, {0, 1, 1, 2}, {1, 2, 2, 3}},
        {TChartListOrder::loDescending, {5, 7}, {0, 0}, {7, 5}},
        {TChartListOrder::loDescending, {5, 7, 5, 9, 1}, {0, 0, 2, 0, 4}, {9, 7, 5, 5, 1}},
        {TChartListOrder::loNone, {3, 1, 2}, {0, 1, 2}, {3, 1, 2}},
    };
    for (const Case& c : cases) {
        TChartValueList list(nullptr, "X");
        list.SetOrder(c.order);
        std::vector<int> indexes;
        for (double v : c.input)
            indexes.push_back(list.AppendValue(v));
        EXPECT_EQ(indexes, c.indexes);
        EXPECT_EQ(Values(list), c.result);
    }
}

TEST(ChartValueList, StatisticsOfEmptyAndFilledLists) {
    TChartValueList list(nullptr, "Y");
    EXPECT_EQ(list.Highest(), 0);
    EXPECT_EQ(list.Lowest(), 0);
    EXPECT_EQ(list.Sum(), 0);
    EXPECT_EQ(list.SumAbs(), 0);
    for (double v : {-2.0, 5.0, 1.0})
        list.AppendValue(v);
    EXPECT_EQ(list.Highest(), 5);
    EXPECT_EQ(list.Lowest(), -2);
    EXPECT_EQ(list.Sum(), 4);
    EXPECT_EQ(list.SumAbs(), 8);
    EXPECT_EQ(list.Spread(), 7);
    list.RemoveAll();
    EXPECT_EQ(list.Highest(), 0);
    EXPECT_EQ(list.SumAbs(), 0);
}

// Every change after the figures were read must show in the next reading: deletes included.
TEST(ChartValueList, StatisticsFollowEveryKindOfChange) {
    TChartValueList list(nullptr, "Y");
    list.SetOrder(TChartListOrder::loAscending);
    for (double v : {1.0, 2.0, 3.0})
        list.AppendValue(v);
    EXPECT_EQ(list.Highest(), 3);
    list.DeleteRange(2, 1);
    EXPECT_EQ(list.Highest(), 2);
    list.DeleteValue(0);
    EXPECT_EQ(list.Lowest(), 2);
    list.AppendValue(-4); // goes to the front: the cached figures no longer cover a prefix
    EXPECT_EQ(list.Lowest(), -4);
    EXPECT_EQ(list.Sum(), -2);
    list.AppendValue(10); // at the end: continues from the cached figures
    EXPECT_EQ(list.Highest(), 10);
    EXPECT_EQ(list.Sum(), 8);
    list.DeleteRange(0, 1); // back to as many values as the figures were taken over
    list.AppendValue(11);
    EXPECT_EQ(list.Sum(), 23);
    EXPECT_EQ(list.Lowest(), 2);
    list.InsertValueAt(1, -7);
    EXPECT_EQ(list.Lowest(), -7);
    list.SetValueAt(1, 20);
    EXPECT_EQ(list.Highest(), 20);
    EXPECT_EQ(list.SumAbs(), 43);
}

TEST(ChartValueList, UpdateStatsFromAnIndexOnlyContinuesCleanFigures) {
    TChartValueList list(nullptr, "Y");
    for (double v : {4.0, 6.0})
        list.AppendValue(v);
    list.RefreshStats();
    list.AppendValue(1);
    list.UpdateStats(2); // figures cover exactly the first two values: continue
    EXPECT_EQ(list.Sum(), 11);
    list.SetValueAt(0, 100); // now dirty: a continuation from 2 would keep the stale 4
    list.UpdateStats(2);
    EXPECT_EQ(list.Highest(), 100);
    EXPECT_EQ(list.Sum(), 107);
}

TEST(ChartValueList, ArrayGrowsInWholeStepsAndIsFreedWhenEmptied) {
    TChartValueList list(nullptr, "X");
    EXPECT_EQ(list.Capacity(), 0);
    for (int i = 0; i < 1000; ++i)
        list.AppendValue(i);
    EXPECT_EQ(list.Capacity(), 1000);
    list.AppendValue(1000);
    EXPECT_EQ(list.Capacity(), 2000);
    EXPECT_EQ(list.LastValue(), 1000);
    list.RemoveAll();
    EXPECT_EQ(list.Capacity(), 0);
    EXPECT_EQ(list.Count(), 0);
}

TEST(ChartValueList, AssignCopiesSettingsButNotValuesOrName) {
    TChartValueList source(nullptr, "Source");
    source.SetOrder(TChartListOrder::loDescending);
    source.SetDateTime(true);
    source.SetValueSource("Time");
    source.AppendValue(9);
    TChartValueList target(nullptr, "X");
    target.AppendValue(1);
    target.Assign(&source);
    EXPECT_EQ(target.Order(), TChartListOrder::loDescending);
    EXPECT_TRUE(target.DateTime());
    EXPECT_EQ(target.ValueSource(), "Time");
    EXPECT_EQ(target.Name(), "X");
    EXPECT_EQ(Values(target), std::vector<double>{1});
}

TEST(ChartValueList, SearchRotateSwapAndCompare) {
    RecordingOwner owner;
    TChartValueList list(&owner, "X");
    for (double v : {3.0, 1.0, 2.0})
        list.AppendValue(v);
    EXPECT_EQ(list.IndexOfValue(2), 2);
    EXPECT_EQ(list.IndexOfValue(7), -1);
    EXPECT_EQ(list.IndexOfValue(3, 1, 2), -1);
    list.RotateLeft();
    EXPECT_EQ(Values(list), (std::vector<double>{1, 2, 3}));
    list.SwapValues(2, 0);
    EXPECT_EQ(Values(list), (std::vector<double>{3, 2, 1}));
    EXPECT_EQ(list.CompareAt(0, 1), 1);
    list.SetOrder(TChartListOrder::loDescending);
    EXPECT_EQ(list.CompareAt(0, 1), -1);
    EXPECT_EQ(list.CompareAt(1, 1), 0);
    list.FillIndexSequence();
    EXPECT_EQ(Values(list), (std::vector<double>{0, 1, 2}));
    EXPECT_EQ(list.Sum(), 3);
    list.SetValueSource("Field");
    list.SetValueSource("Field");
    list.SetDateTime(true);
    EXPECT_EQ(owner.calls,
              (std::vector<std::string>{"order 2", "order 0", "reload Field", "changed X"}));
}

TEST(ChartValueList, BadIndexesRaiseAndLeaveTheListAlone) {
    TChartValueList list(nullptr, "X");
    for (double v : {1.0, 2.0})
        list.AppendValue(v);
    struct Case {
        const char* what;
        void (*op)(TChartValueList&);
        int index;
    };
    const Case cases[] = {
        {"read -1", [](TChartValueList& l) { (void)l.ValueAt(-1); }, -1},
        {"read count", [](TChartValueList& l) { (void)l.ValueAt(2); }, 2},
        {"delete -1", [](TChartValueList& l) { l.DeleteValue(-1); }, -1},
        {"delete count", [](TChartValueList& l) { l.DeleteValue(2); }, 2},
        {"insert -1", [](TChartValueList& l) { l.InsertValueAt(-1, 5); }, -1},
        {"insert past end", [](TChartValueList& l) { l.InsertValueAt(3, 5); }, 3},
        {"range start", [](TChartValueList& l) { l.DeleteRange(-1, 1); }, -1},
        {"range count", [](TChartValueList& l) { l.DeleteRange(0, -1); }, -1},
        {"swap", [](TChartValueList& l) { l.SwapValues(0, 5); }, 5},
        {"write", [](TChartValueList& l) { l.SetValueAt(2, 0); }, 2},
    };
    for (const Case& c : cases) {
        try {
            c.op(list);
            ADD_FAILURE() << c.what << ": no error";
        } catch (const EChartIndexError& e) {
            EXPECT_EQ(e.Index(), c.index) << c.what;
            EXPECT_EQ(e.Count(), 2) << c.what;
        }
        EXPECT_EQ(Values(list), (std::vector<double>{1, 2})) << c.what;
    }
    list.DeleteRange(1, 50); // a long range stops at the end
    EXPECT_EQ(Values(list), std::vector<double>{1});
    list.InsertValueAt(1, 8); // inserting at the end is allowed
    EXPECT_EQ(Values(list), (std::vector<double>{1, 8}));
}

// The library's quicksort moves whole points through the owner; without one it sorts the list.
TEST(ChartValueList, SortByOrderSortsOrAsksTheOwnerToSwapPoints) {
    TChartValueList list(nullptr, "X");
    for (double v : {5.0, 1.0, 4.0, 1.0, 3.0, 9.0, -2.0})
        list.AppendValue(v);
    list.SortByOrder(); // loNone: nothing
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{5, 1, 4, 1, 3, 9, -2}));
    list.SetOrder(loAscending);
    list.SortByOrder();
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{-2, 1, 1, 3, 4, 5, 9}));
    list.SetOrder(loDescending);
    list.SortByOrder();
    EXPECT_EQ(ValuesOf(list), (std::vector<double>{9, 5, 4, 3, 1, 1, -2}));

    RecordingOwner owner;
    TChartValueList owned(&owner, "Y");
    owned.AppendValue(2);
    owned.AppendValue(1);
    owned.SetOrder(loAscending);
    owned.SortByOrder();
    // The owner swaps the points (here it does not, so the values stay as they were).
    EXPECT_EQ(owner.calls, (std::vector<std::string>{"swap 0 1"}));
}

class ValueListStreaming : public ::testing::Test {
protected:
    ChartCoreSession session;
    std::vector<std::string> shown;
    TChartErrorBoxHook saved =
        SetChartErrorBoxHook([this](const std::string& text) { shown.push_back(text); });
    ~ValueListStreaming() override { SetChartErrorBoxHook(saved); }
};

TEST_F(ValueListStreaming, SettingsAreStoredAndTheObsoleteMultiplierIsReported) {
    TChartSeries series(nullptr);
    series.SetName("Series1");
    const std::string plain = ComponentToText(&series);
    EXPECT_NE(plain.find("XValues.Name = 'X'"), std::string::npos) << plain;
    EXPECT_NE(plain.find("XValues.Order = loAscending"), std::string::npos) << plain;
    EXPECT_NE(plain.find("YValues.Order = loNone"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("DateTime"), std::string::npos) << plain;
    series.XValues()->SetDateTime(true);
    EXPECT_NE(ComponentToText(&series).find("XValues.DateTime = True"), std::string::npos);

    const std::string text = "object Series1: TChartSeries\n"
                             "  XValues.Multiplier = 1\n"
                             "  XValues.Order = loNone\n"
                             "  YValues.Multiplier = 2\n"
                             "  YValues.ValueSource = 'Volts'\n"
                             "end\n";
    TChartSeries read(nullptr);
    ReadComponentDescription(ObjectTextToBinary(text), &read);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Error: Multiplier property is obsolete.\r"
                        "Modify PlotDefs.inc (enable Multiplier) and recompile.");
    EXPECT_EQ(read.XValues()->Order(), loNone);
    EXPECT_EQ(read.YValues()->ValueSource(), "Volts");
    EXPECT_EQ(ComponentToText(&read).find("Multiplier"), std::string::npos);
}

TEST(ChartValueLists, OwnsItsListsAndChecksIndexes) {
    TChartValueLists lists;
    TChartValueList* x = lists.Add(std::make_unique<TChartValueList>(nullptr, "X"));
    lists.Add(std::make_unique<TChartValueList>(nullptr, "Y"));
    EXPECT_EQ(lists[0], x);
    EXPECT_EQ(lists[1]->Name(), "Y");
    EXPECT_THROW(lists[2], EChartIndexError);
    EXPECT_THROW(lists[-1], EChartIndexError);
    lists.Clear();
    EXPECT_EQ(lists.Count(), 0);
}

} // namespace
