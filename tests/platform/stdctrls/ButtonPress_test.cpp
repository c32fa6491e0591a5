// Speed and tool buttons take the mouse the same way: the left button presses (and paints the
// button sunken), and letting go over the enabled button clicks it once.
#include "platform/stdctrls/SpeedButton.h"
#include "platform/stdctrls/ToolBar.h"

#include "tests/support/FormFixture.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using ButtonPressTest = FormFixture;

TEST_F(ButtonPressTest, ReleaseOverTheEnabledButtonClicks) {
    struct Case {
        const char* what;
        int releaseX; // where the button is let go, from its left edge
        bool enabled;
        int clicks;
    };
    const Case cases[] = {
        {"let go over the button", 5, true, 1},
        {"let go beside the button", 40, true, 0},
        {"disabled", 5, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto* bar = Make<TToolBar>();
        bar->SetWrapable(false);
        auto* tool = new TToolButton(bar);
        tool->SetParent(bar);
        auto* speed = Make<TSpeedButton>();
        speed->SetBounds(0, 100, 23, 22);
        int toolClicks = 0, speedClicks = 0;
        tool->OnClick = [&](TObject*) { ++toolClicks; };
        speed->OnClick = [&](TObject*) { ++speedClicks; };
        tool->SetEnabled(c.enabled);
        speed->SetEnabled(c.enabled);

        PressAt(bar, tool->Left() + 5, 5);
        ReleaseAt(bar, tool->Left() + c.releaseX, 5);
        PressAt(form, speed->Left() + 5, speed->Top() + 5);
        ReleaseAt(form, speed->Left() + c.releaseX, speed->Top() + 5);
        EXPECT_EQ(toolClicks, c.clicks);
        EXPECT_EQ(speedClicks, c.clicks);
        bar->Free();
        speed->Free();
    }
}

// One mouse click is one click: a button that toggles on a click stays toggled.
TEST_F(ButtonPressTest, AMouseClickTogglesOnce) {
    auto* bar = Make<TToolBar>();
    auto* tool = new TToolButton(bar);
    tool->SetParent(bar);
    tool->SetStyle(tbsCheck);
    auto* speed = Make<TSpeedButton>();
    speed->SetBounds(0, 100, 23, 22);
    speed->SetGroupIndex(1);
    speed->SetAllowAllUp(true);

    ClickAt(bar, tool->Left() + 5, 5);
    ClickAt(form, speed->Left() + 5, speed->Top() + 5);
    EXPECT_TRUE(tool->Down());
    EXPECT_TRUE(speed->Down());
    ClickAt(bar, tool->Left() + 5, 5);
    ClickAt(form, speed->Left() + 5, speed->Top() + 5);
    EXPECT_FALSE(tool->Down());
    EXPECT_FALSE(speed->Down());
}

} // namespace
