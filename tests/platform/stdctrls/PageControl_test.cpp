#include "platform/stdctrls/PageControl.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using PageControlTest = FormFixture;

TEST_F(PageControlTest, PageControlSwitchesOnTabClicksOnly) {
    auto* pc = Make<TPageControl>();
    auto* a = new TTabSheet(form);
    a->SetPageControl(pc);
    a->SetCaption("Первая");
    auto* b = new TTabSheet(form);
    b->SetPageControl(pc);
    b->SetCaption("Вторая");
    EXPECT_EQ(pc->PageCount(), 2);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_TRUE(a->Visible());
    EXPECT_FALSE(b->Visible());
    int changes = 0;
    pc->OnChange = [&](TObject*) { ++changes; };
    pc->SetActivePageIndex(1);
    EXPECT_EQ(pc->ActivePage(), b);
    EXPECT_EQ(changes, 0);
    const TRect tab = pc->TabRect(0);
    ClickAt(pc, tab.Left + 3, tab.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    EXPECT_EQ(changes, 1);
    pc->OnChanging = [](TObject*, bool& allow) { allow = false; };
    const TRect tab2 = pc->TabRect(1);
    ClickAt(pc, tab2.Left + 3, tab2.Top + 3);
    EXPECT_EQ(pc->ActivePage(), a);
    b->SetPageControl(nullptr);
    EXPECT_EQ(pc->PageCount(), 1);
}

} // namespace
