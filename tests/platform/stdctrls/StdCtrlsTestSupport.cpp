// One application for every control test: offscreen, with only the project's fonts (so that
// pictures come out the same everywhere), and a message-box hook so that nothing waits for a
// person.
#include "platform/classes/ClassRegistry.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Registration.h"
#include "tests/support/ProjectFonts.h"

#include <gtest/gtest.h>

namespace {

class ApplicationEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        UseProjectFontsOnly("stdctrls-fonts");
        static int argc = 1;
        static char name[] = "test_platform_stdctrls";
        static char* argv[] = {name, nullptr};
        app_ = new TApplication(argc, argv);
        // An exception escaping a handler is shown in a message box; here it fails the test.
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterStdControls();
    }
    void TearDown() override {
        delete app_;
        app_ = nullptr;
    }

private:
    TApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const kApp =
    ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

} // namespace
