#include "platform/stdctrls/Button.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using ButtonTest = FormFixture;

TEST_F(ButtonTest, BitBtnKinds) {
    auto* b = Make<TBitBtn>();
    b->SetKind(bkCancel);
    EXPECT_EQ(b->Caption(), "Cancel");
    EXPECT_EQ(b->ModalResult(), mrCancel);
    EXPECT_TRUE(b->Cancel());
    EXPECT_TRUE(b->InheritsFrom(TButton::StaticClass()));
    b->Click();
    EXPECT_EQ(form->ModalResult(), mrCancel);
    form->SetModalResult(mrNone);
}

} // namespace
