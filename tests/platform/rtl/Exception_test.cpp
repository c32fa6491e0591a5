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

TEST(Exception, NamedKindsFormFamilies) {
    EXPECT_THROW(throw EFOpenError("x"), EStreamError);
    EXPECT_THROW(throw EStringListError("x"), EListError);
    auto raised = [](void (*f)()) -> std::string {
        try {
            f();
        } catch (const Exception& e) {
            return std::string(e.ClassName()) + ": " + e.Message();
        }
        return "nothing raised";
    };
    EXPECT_EQ(raised([] { Abort(); }), "EAbort: Operation aborted");
    EXPECT_EQ(raised([] { RaiseLastOSError(2); }),
              "EOSError: System Error.  Code: 2.\r\nNo such file or directory");
}

TEST(Version, ComesFromTheBuild) {
    EXPECT_EQ(ProgramFileVersion(), QUORVAN4_VERSION);
    EXPECT_EQ(ProgramFileVersion().substr(0, 4), "1.0.");
}
