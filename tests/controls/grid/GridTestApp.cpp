// The application the string grid tests run with: offscreen, the project's fonts, the string grid
// registered for descriptions, and message boxes failing the test instead of waiting.
#include "controls/grid/GridControls.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-grid-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterGridControls();
    }));
} // namespace
