#pragma once
// The PNG a control test writes for a look by eye: <test suite>.<test name><suffix>.png under
// the build's snapshots/controls/ folder. Returns the path written.

#include "platform/graphics/Bitmap.h"
#include "platform/graphics/Snapshot.h"
#include "platform/rtl/Files.h"

#include <gtest/gtest.h>

#include <string>

namespace controlstest {

inline std::string SaveTestSnapshot(TBitmap& bitmap, const std::string& suffix) {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string folder = std::string(Q4_BINARY_DIR) + "/snapshots/controls/";
    ForceDirectories(folder);
    std::string name = std::string(info->test_suite_name()) + "." + info->name() + suffix;
    for (char& c : name)
        if (c == '/')
            c = '_';
    return SaveSnapshot(bitmap, folder + name + ".png");
}

} // namespace controlstest
