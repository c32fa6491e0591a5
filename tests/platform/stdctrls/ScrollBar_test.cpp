#include "platform/stdctrls/ScrollBar.h"

#include "platform/stdctrls/StdCtrlsBridge.h"
#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <QScrollBar>

namespace {

using ScrollBarTest = FormFixture;

TEST_F(ScrollBarTest, ScrollBarPositionFiresChange) {
    auto* sb = Make<TScrollBar>();
    sb->SetMax(100);
    sb->SetPageSize(10);
    int changes = 0;
    sb->OnChange = [&](TObject*) { ++changes; };
    sb->SetPosition(95);
    EXPECT_EQ(sb->Position(), 91) << "the page ends at Max";
    EXPECT_EQ(changes, 1);
    WidgetOf(sb)->setValue(20);
    EXPECT_EQ(sb->Position(), 20);
    EXPECT_EQ(changes, 2);
}

} // namespace
