#include "chart/core/ChartValueList.h"
#include "chart/tools/SeriesAnimationTool.h"
#include "tests/chart/tools/pointer/ToolsTestSupport.h"

#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <vector>

namespace {

using Values = std::vector<double>;

class SeriesAnimationTest : public tooltest::ToolChartFixture {
protected:
    void SetUp() override {
        ToolChartFixture::SetUp();
        series = AddSeries({{0, 10}, {1, 20}, {2, 30}, {3, 40}, {4, 50}, {5, 60}, {6, 70}});
        tool = new TSeriesAnimationTool(form);
        tool->SetParentChart(chart);
        tool->SetSeries(series);
        tool->OnStart = [this](TObject*) { ++starts; };
        tool->OnStop = [this](TObject*) { ++stops; };
        tool->OnStep = [this](TSeriesAnimationTool*, int step) { Record(step); };
    }
    Values Current() const {
        Values values;
        for (int i = 0; i < series->Count(); ++i)
            values.push_back(series->MandatoryValueList()->ValueAt(i));
        return values;
    }
    void Record(int step) {
        steps.push_back(step);
        snapshots.push_back(Current());
        backward.push_back(tool->Backward());
        if (onStep)
            onStep(step);
    }

    TLineSeries* series = nullptr;
    TSeriesAnimationTool* tool = nullptr;
    int starts = 0;
    int stops = 0;
    std::vector<int> steps;
    std::vector<Values> snapshots;
    std::vector<bool> backward;
    std::function<void(int)> onStep;
};

const Values kOriginal{10, 20, 30, 40, 50, 60, 70};

TEST_F(SeriesAnimationTest, GroupsOfThreeGrowOneAfterTheOtherFromTheLowestValue) {
    tool->SetSteps(4);
    tool->SetDrawEvery(3);
    EXPECT_TRUE(tool->Stopped());
    tool->Execute();
    // 7 points in groups of 3, 3 and 1, each in steps 0 to 4.
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2, 3, 4, 0, 1, 2, 3, 4, 0, 1, 2, 3, 4}));
    EXPECT_EQ(snapshots[0], (Values{10, 10, 10, 10, 10, 10, 10}));
    EXPECT_EQ(snapshots[1], (Values{10, 12.5, 15, 10, 10, 10, 10}));
    EXPECT_EQ(snapshots[4], (Values{10, 20, 30, 10, 10, 10, 10}));
    EXPECT_EQ(snapshots[7], (Values{10, 20, 30, 25, 30, 35, 10}));
    EXPECT_EQ(snapshots[13], (Values{10, 20, 30, 40, 50, 60, 55}));
    EXPECT_EQ(Current(), kOriginal);
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);
    EXPECT_TRUE(tool->Stopped());
    EXPECT_EQ(series->UpdateDepth(), 0);
}

TEST_F(SeriesAnimationTest, AllPointsAtOnceFromAStartValue) {
    tool->SetSteps(2);
    tool->SetStartAtMin(false);
    tool->SetStartValue(100);
    tool->Execute();
    ASSERT_EQ(steps, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(snapshots[0], Values(7, 100));
    EXPECT_EQ(snapshots[1], (Values{55, 60, 65, 70, 75, 80, 85}));
    EXPECT_EQ(snapshots[2], kOriginal);
}

TEST_F(SeriesAnimationTest, StepsBelowOneAndNegativeGroupsAreTakenAsOneStepAndOneGroup) {
    tool->SetSteps(0);
    tool->SetDrawEvery(-2);
    EXPECT_EQ(tool->Steps(), 1);
    EXPECT_EQ(tool->DrawEvery(), 0);
    tool->Execute();
    ASSERT_EQ(steps, (std::vector<int>{0, 1}));
    for (const Values& values : snapshots)
        for (double v : values)
            EXPECT_TRUE(std::isfinite(v));
    EXPECT_EQ(snapshots[1], kOriginal);
}

TEST_F(SeriesAnimationTest, StopDuringAStepEndsTheRunWithTheValuesBack) {
    tool->SetSteps(4);
    tool->SetDrawEvery(3);
    onStep = [this](int step) {
        if (steps.size() == 8) {
            EXPECT_EQ(step, 2);
            tool->Stop();
            EXPECT_TRUE(tool->Stopped());
            EXPECT_EQ(stops, 1);
        }
    };
    tool->Execute();
    EXPECT_EQ(steps.size(), 8u);
    EXPECT_EQ(Current(), kOriginal);
    EXPECT_EQ(stops, 1);
    EXPECT_EQ(series->UpdateDepth(), 0);
}

TEST_F(SeriesAnimationTest, LoopsRepeatUntilStopAndACircularOneShrinksEverySecondPass) {
    struct LoopCase {
        TSeriesAnimationLoop Loop;
        Values SecondPassMiddle;
    };
    const LoopCase cases[] = {{salOneWay, {10, 15, 20, 25, 30, 35, 40}},
                              {salCircular, {5, 10, 15, 20, 25, 30, 35}}};
    for (const LoopCase& c : cases) {
        steps.clear();
        snapshots.clear();
        backward.clear();
        tool->SetLoop(c.Loop);
        tool->SetSteps(2);
        onStep = [this](int) {
            if (steps.size() == 8)
                tool->Stop();
        };
        tool->Execute();
        ASSERT_EQ(steps, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1}));
        EXPECT_EQ(backward, (std::vector<bool>{true, true, true, false, false, false, true, true}));
        EXPECT_EQ(snapshots[4], c.SecondPassMiddle);
        EXPECT_EQ(Current(), kOriginal);
    }
    // The circular loop's shrinking pass ends at nothing.
    EXPECT_EQ(snapshots[5], Values(7, 0));
}

TEST_F(SeriesAnimationTest, ExecuteWhileRunningOrWithoutASeriesDoesNothing) {
    tool->SetSteps(2);
    onStep = [this](int) { tool->Execute(); };
    tool->Execute();
    EXPECT_EQ(steps, (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(stops, 1);

    tool->SetSeries(nullptr);
    tool->Execute();
    EXPECT_EQ(starts, 1);
}

TEST_F(SeriesAnimationTest, AFailingStepLeavesTheSeriesAsItWas) {
    tool->SetSteps(4);
    onStep = [](int step) {
        if (step == 2)
            throw std::runtime_error("step failed");
    };
    EXPECT_THROW(tool->Execute(), std::runtime_error);
    EXPECT_EQ(Current(), kOriginal);
    EXPECT_EQ(series->UpdateDepth(), 0);
    EXPECT_TRUE(tool->Stopped());
    EXPECT_EQ(stops, 1);
    // And it runs again.
    onStep = nullptr;
    tool->Execute();
    EXPECT_EQ(starts, 2);
}

TEST_F(SeriesAnimationTest, TheSeriesFreedDuringARunEndsItQuietly) {
    tool->SetSteps(4);
    tool->SetLoop(salCircular);
    onStep = [this](int step) {
        if (step == 1)
            series->Free();
    };
    tool->Execute();
    EXPECT_EQ(steps.size(), 2u);
    EXPECT_EQ(tool->Series(), nullptr);
    EXPECT_TRUE(tool->Stopped());
    EXPECT_EQ(stops, 1);
    series = nullptr;
}

TEST_F(SeriesAnimationTest, TheToolFreedDuringARunGivesTheSeriesItsValuesBack) {
    tool->SetSteps(4);
    tool->OnStep = [this](TSeriesAnimationTool*, int step) {
        if (step == 1)
            tool->Free();
    };
    tool->Execute();
    tool = nullptr;
    EXPECT_EQ(Current(), kOriginal);
    EXPECT_EQ(series->UpdateDepth(), 0);
}

TEST_F(SeriesAnimationTest, ASwitchToAnotherSeriesGivesTheFirstItsValuesBack) {
    TLineSeries* other = AddSeries({{0, 1}, {1, 2}});
    tool->SetSteps(4);
    onStep = [this, other](int step) {
        if (step == 1)
            tool->SetSeries(other);
    };
    tool->Execute();
    EXPECT_EQ(steps.size(), 2u);
    EXPECT_EQ(Current(), kOriginal);
    EXPECT_EQ(series->UpdateDepth(), 0);
    EXPECT_EQ(other->UpdateDepth(), 0);
    EXPECT_EQ(stops, 1);
}

TEST_F(SeriesAnimationTest, EachStepLastsAtLeastTheDelayByTheToolsClock) {
    std::uint32_t now = 1000;
    int reads = 0;
    tool->SetTicks([&] {
        ++reads;
        return now++;
    });
    tool->SetDelay(2);
    tool->SetSteps(1);
    tool->Execute();
    // Four repaints (the start, two steps, the end), each reading the clock until 2 ms passed,
    // and not spinning on it.
    EXPECT_GE(reads, 12);
    EXPECT_LT(reads, 100);
    EXPECT_GE(now - 1000, 8u);
    EXPECT_EQ(Current(), kOriginal);
}

} // namespace
