#include "tests/app/support/AppTestEnvironment.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kApplication =
    ::testing::AddGlobalTestEnvironment(new apptest::ApplicationEnvironment("app-util-fonts"));
} // namespace
