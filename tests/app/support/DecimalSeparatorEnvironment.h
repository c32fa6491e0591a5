#pragma once
// Runs a test program under the decimal separator named by the environment variable
// Q4_DECIMAL_SEPARATOR ("." or ","; unset: the desktop's default), so that one set of tests is
// registered twice and passes under both.

#include "platform/rtl/FormatSettings.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace apptest {

class DecimalSeparatorEnvironment : public ::testing::Environment {
public:
    void SetUp() override {
        const char* separator = std::getenv("Q4_DECIMAL_SEPARATOR");
        if (separator != nullptr && std::string(separator).size() == 1)
            FormatSettings().DecimalSeparator = separator[0];
    }
};

} // namespace apptest
