// One application for every control test, offscreen.
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Buttons.h"
#include "platform/stdctrls/ComCtrls.h"
#include "platform/stdctrls/ExtCtrls.h"
#include "platform/stdctrls/Grids.h"
#include "platform/stdctrls/MoreCtrls.h"
#include "platform/stdctrls/StdCtrls.h"

#include <gtest/gtest.h>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "test_platform_stdctrls";
        static char* argv[] = {name, nullptr};
        if (!Application)
            new TApplication(argc, argv);
        RegisterStdControls();
        RegisterExtControls();
        RegisterGridControls();
        RegisterComControls();
        RegisterButtonControls();
        RegisterMoreControls();
    }
};

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
