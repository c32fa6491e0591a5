#include "app/pages/power/FormPower.h"
#include "tests/app/support/AppTestEnvironment.h"
#include "tests/app/support/DecimalSeparatorEnvironment.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kSeparator =
    ::testing::AddGlobalTestEnvironment(new apptest::DecimalSeparatorEnvironment);
[[maybe_unused]] ::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(
    new apptest::ApplicationEnvironment("app-page-power-fonts", [] { RegisterPowerPage(); }));
} // namespace
