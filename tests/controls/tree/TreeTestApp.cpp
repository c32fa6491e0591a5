// The application the tree view tests run with: offscreen, the project's fonts, the tree view
// registered for descriptions, and message boxes failing the test instead of waiting.
#include "controls/tree/TreeControls.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-tree-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterTreeControls();
    }));
} // namespace
