#include "CommonTestSupport.h"

#include <gtest/gtest.h>

namespace {

TEST(FrBlinkingList, MembersBlinkInStep) {
    EXPECT_EQ(TFrBlinkingControlsList::Instance(), nullptr);
    TFramedProbe a(nullptr), b(nullptr), idle(nullptr);
    a.Blinking = b.Blinking = true;
    for (TFramedProbe* p : {&a, &b, &idle})
        TFrBlinkingControlsList::Join(p);
    auto* list = TFrBlinkingControlsList::Instance();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->Count(), 3);
    EXPECT_EQ(list->BlinkState(), 1);
    for (int i = 0; i < 3; ++i)
        list->Tick();
    EXPECT_EQ(a.BlinkStates, (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(b.BlinkStates, a.BlinkStates);
    EXPECT_TRUE(idle.BlinkStates.empty()); // asked, answered 0, not told
    for (TFramedProbe* p : {&a, &b, &idle})
        TFrBlinkingControlsList::Leave(p);
    EXPECT_EQ(TFrBlinkingControlsList::Instance(), nullptr);
}

TEST(FrBlinkingList, IntervalsAreSharedAndOutliveTheList) {
    TFramedProbe a(nullptr);
    TFrBlinkingControlsList::Join(&a);
    auto* list = TFrBlinkingControlsList::Instance();
    EXPECT_EQ(list->TimerInterval(), 500u); // the first phase runs with the off interval
    TFrBlinkingControlsList::SetIntervalOff(200);
    EXPECT_EQ(list->TimerInterval(), 200u); // the running phase takes the change at once
    TFrBlinkingControlsList::SetIntervalOn(300);
    list->Tick(); // to state 0: the normal colour for the off interval
    EXPECT_EQ(list->TimerInterval(), 200u);
    list->Tick(); // to state 1: the blink colour for the on interval
    EXPECT_EQ(list->TimerInterval(), 300u);
    TFrBlinkingControlsList::Leave(&a);
    // A new list (a new label) keeps the program's rhythm.
    TFramedProbe b(nullptr);
    TFrBlinkingControlsList::Join(&b);
    EXPECT_EQ(TFrBlinkingControlsList::IntervalOn(), 300u);
    EXPECT_EQ(TFrBlinkingControlsList::Instance()->TimerInterval(), 200u);
    // A zero interval would stop the timer for good: it is taken as 1 ms.
    TFrBlinkingControlsList::SetIntervalOff(0);
    EXPECT_EQ(TFrBlinkingControlsList::IntervalOff(), 1u);
    TFrBlinkingControlsList::Leave(&b);
    TFrBlinkingControlsList::SetIntervalOn(500);
    TFrBlinkingControlsList::SetIntervalOff(500);
}

TEST(FrBlinkingList, AMemberMayLeaveWhileTold) {
    TFramedProbe a(nullptr);
    auto* b = new TFramedProbe(nullptr);
    a.Blinking = b->Blinking = true;
    TFrBlinkingControlsList::Join(&a);
    TFrBlinkingControlsList::Join(b);
    // Freeing b during a's turn would leave a dangling member if the walk were not guarded.
    a.OnBlink = [&] {
        TFrBlinkingControlsList::Leave(b);
        b->Free();
        b = nullptr;
    };
    TFrBlinkingControlsList::Instance()->Tick();
    EXPECT_EQ(a.BlinkStates, std::vector<int>{0});
    EXPECT_EQ(TFrBlinkingControlsList::Instance()->Count(), 1);
    TFrBlinkingControlsList::Leave(&a);
}

} // namespace
