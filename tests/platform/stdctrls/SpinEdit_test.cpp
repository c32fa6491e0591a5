#include "platform/stdctrls/Edit.h"
#include "platform/stdctrls/SpinEdit.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QSpinBox>

namespace {

using SpinEditTest = FormFixture;

TEST_F(SpinEditTest, SpinEditValueFiresChangeAndKeepsItsRange) {
    auto* s = Make<TSpinEdit>();
    EXPECT_TRUE(s->InheritsFrom(TCustomEdit::StaticClass()));
    EXPECT_FALSE(s->InheritsFrom(TEdit::StaticClass()));
    s->SetMinValue(1);
    s->SetMaxValue(10);
    int changes = 0;
    s->OnChange = [&](TObject*) { ++changes; };
    s->SetValue(5);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(s->GetText(), "5");
    s->SetValue(50);
    EXPECT_EQ(s->Value(), 10);
    s->SetText("abc");
    EXPECT_EQ(s->Value(), 1) << "no number counts as the lowest value";
    WidgetOf(s)->setValue(7); // the user's arrows
    EXPECT_EQ(s->Value(), 7);
    EXPECT_EQ(changes, 4);
}

} // namespace
