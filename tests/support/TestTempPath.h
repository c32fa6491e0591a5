#pragma once

#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

// A path in the tests' temporary folder that belongs to this test process alone: CTest runs the
// cases of one test program as separate processes side by side, so a fixed name would be shared.
inline std::string TestTempPath(const std::string& name) {
    return ::testing::TempDir() + name + "-" + std::to_string(::getpid());
}
