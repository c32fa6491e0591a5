#include "platform/rtl/Exception.h"
#include "platform/rtl/Version.h"

#include <gtest/gtest.h>

namespace {
Q4_EXCEPTION(ETestError, Exception);
}

TEST(Exception, NamedKindKeepsMessageAndClassName) {
    try {
        throw ETestError("bad value");
    } catch (const Exception& e) {
        EXPECT_EQ(e.Message(), "bad value");
        EXPECT_STREQ(e.what(), "bad value");
        EXPECT_STREQ(e.ClassName(), "ETestError");
    }
}

TEST(Version, ComesFromTheBuild) {
    EXPECT_EQ(ProgramFileVersion(), QUORVAN4_VERSION);
    EXPECT_EQ(ProgramFileVersion().substr(0, 4), "1.0.");
}
