#include "tests/app/support/DecimalSeparatorEnvironment.h"

namespace {
[[maybe_unused]] ::testing::Environment* const kSeparator =
    ::testing::AddGlobalTestEnvironment(new apptest::DecimalSeparatorEnvironment);
} // namespace
