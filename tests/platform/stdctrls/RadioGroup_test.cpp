#include "platform/stdctrls/RadioGroup.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QRadioButton>

namespace {

using RadioGroupTest = FormFixture;

TEST_F(RadioGroupTest, RadioGroupIndexFiresClick) {
    auto* g = Make<TRadioGroup>();
    g->Items()->Add("Кабель");
    g->Items()->Add("Модем");
    int clicks = 0;
    g->OnClick = [&](TObject*) { ++clicks; };
    g->SetItemIndex(1);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(g->Buttons(1)->Checked());
    static_cast<QRadioButton*>(g->Buttons(0)->Handle())->click();
    EXPECT_EQ(g->ItemIndex(), 0);
    EXPECT_FALSE(g->Buttons(1)->Checked());
    EXPECT_EQ(clicks, 2);
    g->Items()->Insert(0, "Нет");
    EXPECT_EQ(g->ItemIndex(), 1) << "the choice follows its item";
    EXPECT_TRUE(g->Buttons(1)->Checked());
    EXPECT_FALSE(g->Buttons(0)->Checked());
    g->Items()->Delete(1);
    EXPECT_EQ(g->ItemIndex(), -1) << "the chosen item went";
    EXPECT_EQ(clicks, 2);
}

} // namespace
