#include "controls/common/FrShell.h"

#include "platform/rtl/Files.h"
#include "platform/rtl/SystemVersion.h"

#include <gtest/gtest.h>

namespace {

TEST(FrShell, ModuleVersions) {
    std::uint64_t v = 0;
    EXPECT_FALSE(GetModuleFileVersion("/etc/hostname", v));
    EXPECT_FALSE(GetModuleFileVersion("", v));
    ASSERT_TRUE(GetModuleFileVersion(ProgramFileName(), v));
    // The build's version ("1.0.0.0" and so on), packed high to low.
    std::string text = QUORVAN4_VERSION;
    std::uint64_t want = 0;
    for (int field = 0; field < 4; ++field) {
        const size_t dot = text.find('.');
        want = (want << 16) | std::stoul(text.substr(0, dot));
        text = dot == std::string::npos ? "0" : text.substr(dot + 1);
    }
    EXPECT_EQ(v, want);
    EXPECT_EQ(CommonControlsVersion() >> 48, 6u); // header sort arrows are allowed
    EXPECT_TRUE(IsNTPlatform());
}

TEST(FrShell, ShutdownUndoesOnlyASuccessfulStartup) {
    const int before = CoUninitializeCount();
    {
        TFrComStartup ok;
        EXPECT_TRUE(ok.Succeeded());
    }
    EXPECT_EQ(CoUninitializeCount(), before + 1);
    SetCoInitializeFails(true);
    {
        TFrComStartup failed;
        EXPECT_FALSE(failed.Succeeded());
    }
    EXPECT_EQ(CoUninitializeCount(), before + 1);
}

} // namespace
