// The program's resource strings: texts by identifier, formatted texts, and the hook every load
// passes through.

#include "platform/rtl/ResStrings.h"

#include <gtest/gtest.h>

namespace {

// Restores the hook that was installed before the test.
struct THookGuard {
    TResStringHook saved = ResStringHook();
    ~THookGuard() { SetResStringHook(saved); }
};

std::string Shout(const TResStringRec& record, std::string text) {
    return (record.HasText() ? "text:" : "id " + std::to_string(record.Identifier) + ":") + text;
}

} // namespace

TEST(ResStringsTest, TextsComeBackAsStoredWithoutAHook) {
    THookGuard guard;
    SetResStringHook(nullptr);
    const std::string longText(5000, 'x');
    RegisterResString(64001, "Port %s is busy (%d)");
    RegisterResString(64002, longText);
    EXPECT_EQ(LoadStr(64001), "Port %s is busy (%d)");
    EXPECT_EQ(LoadStr(64002), longText); // no length limit
    EXPECT_EQ(LoadStr(64999), "");
    EXPECT_EQ(FmtLoadStr(64001, {"COM3", 5}), "Port COM3 is busy (5)");
    const TResStringRec direct{0, "Inline text"};
    EXPECT_EQ(LoadResString(&direct), "Inline text");
    EXPECT_EQ(LoadResString(nullptr), "");
}

TEST(ResStringsTest, EveryLoadPassesThroughTheHook) {
    THookGuard guard;
    RegisterResString(64003, "Value %d");
    EXPECT_EQ(SetResStringHook(&Shout), guard.saved);
    EXPECT_EQ(LoadStr(64003), "id 64003:Value %d");
    EXPECT_EQ(FmtLoadStr(64003, {7}), "id 64003:Value 7");
    const TResStringRec direct{0, "Inline"};
    EXPECT_EQ(LoadResString(&direct), "text:Inline");
    EXPECT_EQ(LoadResString(nullptr), "");
    SetResStringHook(nullptr);
    EXPECT_EQ(LoadStr(64003), "Value %d");
}
