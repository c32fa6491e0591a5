#include "platform/stdctrls/SpeedButton.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using SpeedButtonTest = FormFixture;

// The mode buttons of the common page: one group, one down at a time.
TEST_F(SpeedButtonTest, SpeedButtonGroups) {
    auto* a = Make<TSpeedButton>();
    auto* b = Make<TSpeedButton>();
    auto* c = Make<TSpeedButton>();
    auto* own = Make<TSpeedButton>();
    for (auto* s : {a, b, c})
        s->SetGroupIndex(1);
    own->SetGroupIndex(2);
    own->SetAllowAllUp(true);
    int clicks = 0;
    b->OnClick = [&](TObject*) { ++clicks; };

    a->SetDown(true);
    EXPECT_TRUE(a->Down());
    b->SetDown(true); // setting Down fires nothing and raises the rest of the group
    EXPECT_FALSE(a->Down());
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 0);
    b->SetDown(false); // the down button stays down without AllowAllUp
    EXPECT_TRUE(b->Down());
    b->Click();
    EXPECT_TRUE(b->Down());
    EXPECT_EQ(clicks, 1);
    c->Click();
    EXPECT_TRUE(c->Down());
    EXPECT_FALSE(b->Down());

    // A toggle of its own: a click puts it down, the next raises it.
    own->Click();
    EXPECT_TRUE(own->Down());
    own->Click();
    EXPECT_FALSE(own->Down());
    EXPECT_TRUE(c->Down()) << "other groups are untouched";

    // A speed button without a group never stays down.
    auto* plain = Make<TSpeedButton>();
    plain->SetDown(true);
    EXPECT_FALSE(plain->Down());
}

} // namespace
