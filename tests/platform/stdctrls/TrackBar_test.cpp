#include "platform/stdctrls/TrackBar.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QSlider>

namespace {

using TrackBarTest = FormFixture;

TEST_F(TrackBarTest, TrackBarPositionFiresChange) {
    auto* tb = Make<TTrackBar>();
    tb->SetOrientation(trVertical);
    tb->SetMax(2500);
    tb->SetMin(1000);
    tb->SetPageSize(1);
    int changes = 0;
    tb->OnChange = [&](TObject*) { ++changes; };
    tb->SetPosition(1200);
    EXPECT_EQ(changes, 1);
    tb->SetPosition(1200);
    EXPECT_EQ(changes, 1);
    tb->SetPosition(99999);
    EXPECT_EQ(tb->Position(), 2500);
    EXPECT_EQ(changes, 2);
    QSlider* s = WidgetOf(tb);
    EXPECT_EQ(s->value(), 2500);
    EXPECT_TRUE(s->invertedAppearance()) << "minimum at the top";
    s->setValue(1500); // the user drags the thumb
    EXPECT_EQ(tb->Position(), 1500);
    EXPECT_EQ(changes, 3);
}

} // namespace
