// One offscreen application for every test of the translation engine, with the control and
// localiser classes registered for form descriptions.
#include "i18n/lang/LocLang.h"
#include "platform/forms/Forms.h"
#include "platform/stdctrls/Registration.h"

#include <gtest/gtest.h>

namespace {

class EngineEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_i18n_engine";
        static char* argv[] = {name, nullptr};
        app_ = std::make_unique<TApplication>(argc, argv);
        RegisterStdControls();
        InitLocaliserClasses();
    }
    void TearDown() override { app_.reset(); }

private:
    std::unique_ptr<TApplication> app_;
};

[[maybe_unused]] ::testing::Environment* const kEngine =
    ::testing::AddGlobalTestEnvironment(new EngineEnvironment);

} // namespace
