#include "platform/stdctrls/ProgressBar.h"
#include "platform/stdctrls/StatusBar.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

namespace {

using StatusBarTest = FormFixture;

TEST_F(StatusBarTest, ProgressBarAndStatusBar) {
    auto* pb = Make<TProgressBar>();
    pb->SetMax(50);
    pb->SetPosition(70);
    EXPECT_EQ(pb->Position(), 50);
    pb->SetStep(20);
    pb->SetPosition(40);
    pb->StepIt();
    EXPECT_EQ(pb->Position(), 9) << "wraps past Max";

    auto* sb = Make<TStatusBar>();
    for (int w : {60, 80, 120, 200})
        sb->Panels()->Add()->SetWidth(w);
    sb->Panels()->Items(0)->SetText("Com-порт:");
    EXPECT_EQ(sb->PanelRect(1).Left, 62);
    EXPECT_EQ(sb->PanelRect(2).Left, 62 + 82);
    EXPECT_EQ(sb->Width(), form->ClientWidth()) << "aligned to the bottom";
    EXPECT_EQ(sb->PanelRect(3).Right, sb->Width()) << "the last panel takes the rest";
}

} // namespace
