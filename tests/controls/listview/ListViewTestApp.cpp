// The application the list view tests run with: offscreen, the project's fonts, the list view
// registered for descriptions, and message boxes failing the test instead of waiting.
#include "controls/listview/ListViewControls.h"
#include "tests/controls/support/ControlsTestApp.h"

#include <gtest/gtest.h>

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new controlstest::ApplicationEnvironment("controls-listview-fonts", [] {
        SetMessageBoxHook([](const TMessageBoxRequest& r) {
            ADD_FAILURE() << "message box: " << r.Text;
            return mrOk;
        });
        RegisterListViewControls();
    }));
} // namespace
