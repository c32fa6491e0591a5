// The Boolean text rule, the settings folder and the wait that keeps the windows alive.

#include "app/util/AppDir.h"
#include "app/util/BoolText.h"

#include "controls/progress/FrProgressBar.h"
#include "platform/forms/Timer.h"
#include "platform/rtl/SettingsFolder.h"

#include <gtest/gtest.h>

#include <chrono>

TEST(BoolTextTest, NumbersAndTheTwoWordsInAnyCase) {
    struct Case {
        const char* text;
        bool known, value;
    } cases[] = {
        {"-1", true, true},     {"0", true, false},   {"2", true, true},     {"true", true, true},
        {"FALSE", true, false}, {"True", true, true}, {"yes", false, false}, {"", false, false},
        {" 1", true, true},     {"$10", true, true},
    };
    for (const Case& c : cases) {
        bool value = !c.value;
        EXPECT_EQ(TryBoolText(c.text, value), c.known) << c.text;
        if (c.known) {
            EXPECT_EQ(value, c.value) << c.text;
        }
        EXPECT_EQ(BoolText(c.text), c.known && c.value) << c.text;
    }
}

TEST(AppDirTest, TheSettingsFolderNeverTheWorkingFolder) {
    const std::string dir = GetAppDir();
    EXPECT_EQ(dir, SettingsFolder());
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '/');
    EXPECT_EQ(dir.front(), '/');
}

TEST(WaitWithProgressTest, StepsTheBarAndKeepsTimersRunning) {
    TFrProgressBar bar(nullptr);
    bar.SetTotalParts(100);
    TTimer timer(nullptr);
    timer.SetInterval(20);
    int ticks = 0;
    timer.SetOnTimer([&](TObject*) { ++ticks; });
    timer.SetEnabled(true);
    const auto start = std::chrono::steady_clock::now();
    WaitWithProgress(330, &bar, 100);
    const auto took = std::chrono::steady_clock::now() - start;
    EXPECT_GE(took, std::chrono::milliseconds(330));
    EXPECT_LT(took, std::chrono::milliseconds(2000));
    EXPECT_GE(bar.PartsComplete(), 3u);
    EXPECT_LE(bar.PartsComplete(), 4u);
    EXPECT_GT(ticks, 3);              // the windows' timers ran meanwhile
    WaitWithProgress(20, nullptr, 5); // no bar: just the wait
}
