#include "platform/stdctrls/ScrollBox.h"
#include "platform/stdctrls/SpinEdit.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using ScrollBoxTest = FormFixture;

TEST_F(ScrollBoxTest, ScrollBoxContentFollowsChildren) {
    auto* box = Make<TScrollBox>();
    box->SetBounds(0, 0, 100, 80);
    auto* far = new TSpinEdit(form);
    far->SetParent(box);
    far->SetBounds(10, 300, 50, 21);
    box->UpdateContent();
    EXPECT_EQ(box->ContentSize().cy, 321);
    EXPECT_EQ(far->Handle()->parentWidget(), box->ChildHost());
    EXPECT_GE(box->ChildHost()->height(), 321);
}

} // namespace
