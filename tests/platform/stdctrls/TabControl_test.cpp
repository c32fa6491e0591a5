#include "platform/stdctrls/Panel.h"
#include "platform/stdctrls/TabControl.h"

#include "platform/rtl/Classes.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using TabControlTest = FormFixture;

TEST_F(TabControlTest, TabsSwitchOnClicksOnlyAndTheBodyStays) {
    auto* tc = Make<TTabControl>();
    tc->SetBounds(0, 0, 300, 200);
    auto* body = new TPanel(form);
    body->SetParent(tc);
    body->SetAlign(alClient);
    tc->Tabs()->Add("Серии");
    tc->Tabs()->Add("Functions");
    tc->Tabs()->Add("Third");
    EXPECT_EQ(tc->TabIndex(), -1);
    int changes = 0;
    tc->OnChange = [&](TObject*) { ++changes; };
    tc->SetTabIndex(2);
    EXPECT_EQ(tc->TabIndex(), 2);
    EXPECT_EQ(changes, 0) << "setting the index fires nothing";
    tc->SetTabIndex(7);
    EXPECT_EQ(tc->TabIndex(), -1);

    // The body lies below the tabs, inside the frame, whatever tab is chosen.
    EXPECT_GE(body->Top(), tc->TabHeight());
    EXPECT_EQ(body->Left(), 2);
    EXPECT_EQ(body->Width(), 296);
    const TRect second = tc->TabRect(1);
    EXPECT_GT(second.Left, tc->TabRect(0).Left);
    ClickAt(tc, second.Left + 3, second.Top + 3);
    EXPECT_EQ(tc->TabIndex(), 1);
    EXPECT_EQ(changes, 1);
    ClickAt(tc, second.Left + 3, second.Top + 3);
    EXPECT_EQ(changes, 1) << "the chosen tab again changes nothing";
    ClickAt(tc, 150, 150);
    EXPECT_EQ(tc->TabIndex(), 1) << "a click in the body is no tab";
    tc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    ClickAt(tc, tc->TabRect(0).Left + 3, tc->TabRect(0).Top + 3);
    EXPECT_EQ(tc->TabIndex(), 1);
    EXPECT_EQ(changes, 1);

    // Taking tabs away keeps the index inside the list.
    tc->SetTabIndex(2);
    tc->Tabs()->Delete(2);
    EXPECT_EQ(tc->TabIndex(), 1);
    tc->Tabs()->Clear();
    EXPECT_EQ(tc->TabIndex(), -1);
    EXPECT_EQ(tc->TabRect(0), TRect{});
}

} // namespace
