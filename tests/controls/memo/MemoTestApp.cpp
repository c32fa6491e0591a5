// The application the memo tests run with: offscreen, the project's fonts, the memo registered
// for descriptions, and message boxes failing the test instead of waiting.
#include "controls/memo/MemoControls.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-memo-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterMemoControls();
    }));
} // namespace
