// The idle poll on a clock the test moves: the supply voltage after more than 20 whole seconds,
// the keep-alive after more than 60, nothing while busy.

#include "app/worker/IdlePoll.h"
#include "app/worker/MainControls.h"

#include "app/queue/Appliers.h"
#include "app/queue/OutArray.h"
#include "device/WorkerClock.h"
#include "platform/forms/Forms.h"
#include "platform/forms/Menus.h"
#include "platform/graphics/Cursors.h"
#include "platform/rtl/Threads.h"
#include "platform/stdctrls/ToolBar.h"
#include "platform/stdctrls/TreeView.h"

#include <gtest/gtest.h>

namespace {

class THandClock : public TWorkerClock {
public:
    uint32_t Ticks() override { return now; }
    void Sleep(uint32_t ms) override { now += ms; }
    uint32_t now = 4294900000u; // shortly before the counter wraps
};

} // namespace

TEST(IdlePollTest, PollsAreDueAfterMoreThan20And60WholeSeconds) {
    THandClock clock;
    const uint32_t start = clock.now;
    int supply = 0, keepAlive = 0;
    TIdlePoll poll(
        clock, [&] { ++supply; }, [&] { ++keepAlive; });
    struct Step {
        uint32_t at; // ms after the start
        bool busy;
        int supply, keepAlive;
    } steps[] = {
        {20999, false, 0, 0}, // 20 whole seconds: not more than 20
        {21000, true, 0, 0},  // due, but busy
        {21000, false, 1, 0}, {41999, false, 1, 0}, {42000, false, 2, 0},  {60999, false, 2, 0},
        {61000, false, 2, 1}, {63000, false, 3, 1}, {121999, false, 4, 1}, {122000, false, 4, 2},
    };
    for (const Step& s : steps) {
        clock.now = start + s.at;
        poll.Run(s.busy);
        EXPECT_EQ(supply, s.supply) << s.at;
        EXPECT_EQ(keepAlive, s.keepAlive) << s.at;
    }
}

TEST(MainControlsTest, ACommandDisablesTheTreeButtonsAndMenusAndShowsTheHourglass) {
    TForm* form = new TForm(nullptr);
    auto* tree = new TTreeView(form);
    tree->SetParent(form);
    auto* button = new TToolButton(form);
    button->SetParent(form);
    auto* menu = new TMenuItem(form);
    TMainControls controls{tree, {button}, {menu}};
    TOutArray queue;

    DisableMainControls(queue, controls);
    DrainOutArray(queue);
    CheckSynchronize();
    EXPECT_FALSE(tree->Enabled());
    EXPECT_FALSE(button->Enabled());
    EXPECT_FALSE(menu->Enabled());
    EXPECT_EQ(Screen->Cursor(), crHourGlass);

    EnableMainControls(queue, controls);
    DrainOutArray(queue);
    CheckSynchronize();
    EXPECT_TRUE(tree->Enabled());
    EXPECT_TRUE(button->Enabled());
    EXPECT_TRUE(menu->Enabled());
    EXPECT_EQ(Screen->Cursor(), crDefault);
    form->Free();
}
