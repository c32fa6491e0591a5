#include "platform/stdctrls/ToolBar.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using ToolBarTest = FormFixture;

TEST_F(ToolBarTest, ToolBarLaysOutButtonsAndChecksGroups) {
    auto* bar = Make<TToolBar>();
    bar->SetAlign(alNone);
    bar->SetWidth(90);
    std::vector<TToolButton*> buttons;
    for (int i = 0; i < 5; ++i) {
        auto* b = new TToolButton(form);
        b->SetLeft(i * 100); // reading order
        b->SetParent(bar);
        b->SetImageIndex(i);
        buttons.push_back(b);
    }
    buttons[2]->SetStyle(tbsSeparator);
    EXPECT_EQ(bar->ButtonCount(), 5);
    EXPECT_EQ(buttons[0]->Left(), 0);
    EXPECT_EQ(buttons[1]->Left(), 23);
    EXPECT_EQ(buttons[2]->Width(), 8);
    EXPECT_EQ(buttons[3]->Left(), 54);
    EXPECT_EQ(buttons[4]->Top(), 22) << "wrapped to a second row";
    EXPECT_EQ(buttons[4]->Left(), 0);

    for (auto* b : {buttons[3], buttons[4]}) {
        b->SetStyle(tbsCheck);
        b->SetGrouped(true);
    }
    int clicks = 0;
    buttons[3]->OnClick = [&](TObject*) { ++clicks; };
    buttons[3]->Click();
    EXPECT_TRUE(buttons[3]->Down());
    buttons[4]->Click();
    EXPECT_TRUE(buttons[4]->Down());
    EXPECT_FALSE(buttons[3]->Down());
    EXPECT_EQ(clicks, 1);
    buttons[0]->SetStyle(tbsCheck);
    buttons[0]->Click();
    buttons[0]->Click();
    EXPECT_FALSE(buttons[0]->Down()) << "an ungrouped check button toggles";
}

} // namespace
